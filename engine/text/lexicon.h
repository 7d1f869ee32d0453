// The lexicon: word -> the tags a dictionary lists for it. The main
// dictionary sizes the table; the user dictionary, read into the same table
// afterwards, replaces the entries of the words it lists.
#pragma once

#include <string>
#include <string_view>

#include "engine/text/string_table.h"

namespace zintra {

class Arena;
class StringPool;

struct LexiconEntry {
    const char* word;          // the table's copy of the word
    int count;                 // number of tags (may be 0)
    const char* const* tags;   // interned tags in the order listed; tags[0] is the default

    // The first listed tag, or null for a word listed without tags.
    const char* defaultTag() const { return count > 0 ? tags[0] : nullptr; }
    // Whether the interned tag is among the listed tags (pointer comparison).
    bool hasTag(const char* internedTag) const {
        for (int i = 0; i < count; ++i)
            if (tags[i] == internedTag) return true;
        return false;
    }
};

class Lexicon {
public:
    // Tags are interned in pool; entries and words live in arena.
    Lexicon(Arena& arena, StringPool& pool);
    Lexicon(const Lexicon&) = delete;
    Lexicon& operator=(const Lexicon&) = delete;

    // Reads the main dictionary: counts its data lines, sizes the table to the
    // smallest prime not below the count, then enters every line. False when
    // the file cannot be opened (the lexicon is then left as it was).
    bool loadMain(const std::string& path);
    // Reads the user dictionary into the same table. False when it cannot be opened.
    bool loadUser(const std::string& path);
    // Enters the dictionary lines of text (used by both loaders; the table is
    // made with 97 buckets if no main dictionary sized it).
    void addLines(std::string_view text);

    // Case-sensitive lookups. The two-part form looks up head followed by tail.
    const LexiconEntry* lookup(std::string_view head, std::string_view tail = {}) const;
    bool known(std::string_view word) const { return lookup(word) != nullptr; }
    // Whether the tag (compared as text) is among the word's listed tags.
    bool hasTag(std::string_view word, std::string_view tag) const;

    size_t size() const;

private:
    Arena& arena_;
    StringPool& pool_;
    StringTable* table_ = nullptr;
};

}  // namespace zintra
