// The compound list ("ice cream/NN") and the merging of compounds in a
// sentence: the longest listed run of tokens becomes one compound token with
// an empty word, the compound's tag and its members as children.
#pragma once

#include <string>
#include <string_view>

#include "engine/text/string_table.h"

namespace zintra {

class StringPool;
struct Token;

struct CompoundNode {
    const char* word = nullptr;     // interned
    const char* tag = nullptr;      // interned; null when no compound ends here
    CompoundNode* child = nullptr;  // first child, children in ascending byte order of word
    CompoundNode* sibling = nullptr;
};

class CompoundList {
  public:
    CompoundList(Arena& arena, StringPool& pool);
    CompoundList(const CompoundList&) = delete;
    CompoundList& operator=(const CompoundList&) = delete;

    // Reads the compound file, sizing the root table from its data lines.
    // False when it cannot be opened or has no data line.
    bool load(const std::string& path);
    // Enters the lines of text; returns the number of data lines (lines that
    // are not empty and do not begin with "#"; only those with "/" are entered).
    size_t addLines(std::string_view text);

    // The root node of a first word, or null.
    const CompoundNode* root(std::string_view word) const;
    // The child of node whose word is word, or null.
    static const CompoundNode* child(const CompoundNode* node, std::string_view word);

    // Merges the compounds of the sentence starting at first (a token matches
    // a node by its word, or, when its first byte is an upper-case letter, by
    // the word with that letter lowered). New compound tokens come from arena.
    // Returns the first token after merging.
    Token* merge(Token* first, Arena& arena) const;

    size_t size() const { return table_ ? table_->size() : 0; }

  private:
    CompoundNode* rootFor(std::string_view word);
    static CompoundNode* childFor(CompoundNode* node, std::string_view word, Arena& arena, StringPool& pool);

    Arena& arena_;
    StringPool& pool_;
    StringTable* table_ = nullptr;
};

}  // namespace zintra
