// Building grammars: from lines of productions (the meta-grammar is given
// this way) and from grammar files written in the grammar-file language.
#pragma once

#include <memory>
#include <string>

#include "engine/grammar/grammar.h"
#include "engine/grammar/line_source.h"
#include "engine/grammar/table_image.h"

namespace zintra {

// The lines of the meta-grammar that describes the grammar-file language:
// each line a left side and its body.
extern const char* const kMetaGrammarLines[];
extern const size_t kMetaGrammarLineCount;

// The meta-grammar, built on first use (thread-safe) and shared read-only.
const Grammar& metaGrammar();

// Build from lines: each line that is not empty and does not begin with "#"
// (after blanks) is one production, fields separated by bytes 1 to 32, the
// first the left side; quoted fields lose their quotes. The start symbol is
// the left side of the first line. Null when a line has more than
// Grammar::kMaxBody body symbols or the tables cannot be built.
std::unique_ptr<Grammar> grammarFromLines(LineSource& lines, const MessageSink& sink = standardOutput());

// Read a grammar file's text: parse it with the meta-grammar, enter its
// declarations and rules (braced names looked up in actions; an unknown name
// leaves the rule without an action), then build the tables. On an error
// "There is error in line: %d, the word is %s\n" goes to sink and the result
// is null. owner is what the rules' actions receive as the grammar's owner.
// With an image, the tables come from it when it holds those of this text.
std::unique_ptr<Grammar> readGrammar(LineSource& source, ActionNames actions,
                                     const MessageSink& sink = standardOutput(), const void* owner = nullptr,
                                     const TableImage* image = nullptr);

// The same for a file; null without a message when it cannot be opened.
// With an image folder (imageFolder() names the engine's), the tables
// are kept there in an image of the file between processes.
std::unique_ptr<Grammar> readGrammarFile(const std::string& path, ActionNames actions,
                                         const MessageSink& sink = standardOutput(), const void* owner = nullptr);
std::unique_ptr<Grammar> readGrammarFile(const std::string& path, ActionNames actions, const MessageSink& sink,
                                         const void* owner, const std::string& imageFolder);

}  // namespace zintra
