// The bigram list of the unknown-word guesser: for a first word, the one
// second word kept for it. Only lines whose first word was registered by a
// lexical rule (or whose second word is in the second-word set) are kept.
#pragma once

#include <string>
#include <string_view>

#include "engine/text/string_table.h"

namespace zintra {

class StringPool;

class Bigrams {
  public:
    Bigrams(Arena& arena, StringPool& pool);
    Bigrams(const Bigrams&) = delete;
    Bigrams& operator=(const Bigrams&) = delete;

    // Words the lexical rules need (called while the rules are read).
    void registerFirstWord(std::string_view word);
    void registerSecondWord(std::string_view word);
    bool isRegisteredFirst(std::string_view word) const { return firstWords_.contains(word); }

    // Reads the bigram file; false when it cannot be opened.
    bool load(const std::string& path);
    // Enters the lines of text ("#" comment lines and one-field lines skipped).
    void addLines(std::string_view text);

    // True when first has a kept second word and it equals second.
    bool match(std::string_view first, std::string_view second) const;
    // The kept second word of first, or null.
    const char* secondOf(std::string_view first) const;

    size_t size() const { return table_.size(); }

  private:
    StringPool& pool_;
    StringTable firstWords_;
    StringTable secondWords_;
    StringTable table_;
};

}  // namespace zintra
