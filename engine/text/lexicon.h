// The lexicon: word -> the tags a dictionary lists for it. The main
// dictionary sizes the table; the user dictionary, read into the same table
// afterwards, replaces the entries of the words it lists.
//
// Layout: the text of every dictionary read is kept, and each word points
// into it (its separator overwritten by the terminating zero); entries are
// fixed-size records in chunks; the tag lists are shared by every word that
// lists the same tags; lookups go through an open-addressing index of
// {hash, entry number} pairs, so a word that is absent is usually refused
// without touching an entry. No key order is kept: nothing iterates the
// lexicon.
#pragma once

#include <cstdint>
#include <deque>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace zintra {

class Arena;
class StringPool;

struct LexiconEntry {
    const char* word;         // zero-terminated copy of the word held by the lexicon
    int count;                // number of tags (may be 0)
    uint32_t length;          // of word in bytes
    const char* const* tags;  // interned tags in the order listed; tags[0] is the default

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
    // Tags are interned in pool; the shared tag lists live in arena.
    Lexicon(Arena& arena, StringPool& pool);
    Lexicon(const Lexicon&) = delete;
    Lexicon& operator=(const Lexicon&) = delete;

    // Reads the main dictionary: counts its data lines, sizes the table for
    // them, then enters every line. False when the file cannot be opened (the
    // lexicon is then left as it was).
    bool loadMain(const std::string& path);
    // Reads the user dictionary into the same table. False when it cannot be opened.
    bool loadUser(const std::string& path);
    // Enters the dictionary lines of text (used by both loaders).
    void addLines(std::string_view text);

    // Case-sensitive lookups. The two-part form looks up head followed by tail.
    const LexiconEntry* lookup(std::string_view head, std::string_view tail = {}) const;
    bool known(std::string_view word) const { return lookup(word) != nullptr; }
    // Whether the tag (compared as text) is among the word's listed tags.
    bool hasTag(std::string_view word, std::string_view tag) const;

    size_t size() const { return size_; }
    // Bytes held by the kept texts, the entries and the index (the shared
    // tag lists are in the arena).
    size_t bytesHeld() const;

  private:
    static constexpr size_t kChunkShift = 12;
    static constexpr size_t kChunkSize = size_t{1} << kChunkShift;
    struct Slot {
        uint32_t hash;   // 0 marks an empty slot
        uint32_t entry;  // number of the entry
    };
    struct TagList {
        const char* const* tags;
        int count;
    };

    // Takes ownership of text (a zero byte already follows its last byte).
    void enter(std::string&& text);
    void reserve(size_t words);
    LexiconEntry& entryAt(uint32_t n) const { return chunks_[n >> kChunkShift][n & (kChunkSize - 1)]; }
    uint32_t newEntry();
    TagList tagList(std::string_view tagsText);

    Arena& arena_;
    StringPool& pool_;
    std::deque<std::string> texts_;
    std::vector<std::unique_ptr<LexiconEntry[]>> chunks_;
    uint32_t entries_ = 0;
    std::vector<Slot> slots_;
    size_t size_ = 0;
    // The tag lists made so far, by the text of the tags on the line.
    std::unordered_map<std::string_view, TagList> tagLists_;
};

}  // namespace zintra
