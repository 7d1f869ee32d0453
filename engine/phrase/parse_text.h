// Parse requests: one sentence text tagged and printed as its phrase tree.
#pragma once

#include <string>
#include <string_view>

#include "engine/phrase/tree_printer.h"

namespace zintra {

class Analyzer;
class Arena;
class PhraseGrammar;
struct Token;

// How a parse request reads word/TAG annotations and bracket groups.
enum ParseMode {
    kParseGroups = 0,       // the text as it is: "(TAG words)" groups are fixed tokens
    kParseAnnotations = 1,  // "word/TAG" annotations become groups first
    // any other value: annotations and round brackets are stripped first
};

// The text of a parse request prepared for the tagger according to mode.
std::string prepareParseText(const Analyzer& analyzer, std::string_view text, int mode);

// Tags the text (prepared for mode) with the analyser and prints its phrase
// tree, in bracket form or in HTML form, into out. An empty text adds
// nothing; without a grammar the output is "<div></div>\n".
void appendParsedText(std::string& out, const Analyzer& analyzer, const PhraseGrammar* grammar, std::string_view text,
                      int mode, bool html, Arena& arena);

// The reply of a parse request: the bracket form of appendParsedText.
std::string parseText(const Analyzer& analyzer, const PhraseGrammar* grammar, std::string_view text, int mode);

// The phrase tree of a token list tagged already (grammar may be null).
void appendTokenTree(std::string& out, const PhraseGrammar* grammar, const Token* first, bool html, Arena& arena,
                     const WordWriter& writeWord = {});

}  // namespace zintra
