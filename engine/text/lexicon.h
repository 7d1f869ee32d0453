// The lexicon: word -> the tags a dictionary lists for it. The main
// dictionary sizes the table; the user dictionary, read into the same table
// afterwards, replaces the entries of the words it lists.
//
// Layout: every entry is one record in a block of records, its word's bytes
// (zero-terminated) right after the record's fixed part, so a lookup that
// finds a word reads one place in memory besides the index. The blocks of one
// dictionary are sized from a first count of its lines; the file's text is
// not kept. The tag lists are shared by every word that lists the same tags.
// Lookups go through an open-addressing index of {hash, record} pairs, so a
// word that is absent is usually refused without touching a record. No key
// order is kept: nothing iterates the lexicon.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "engine/text/image_file.h"

namespace zintra {

class Arena;
class StringPool;

struct LexiconEntry {
    const char* const* tags;  // interned tags in the order listed; tags[0] is the default
    uint32_t length;          // of word() in bytes
    int count;                // number of tags (may be 0)

    // The zero-terminated copy of the word held by the lexicon (it follows
    // the record).
    const char* word() const { return reinterpret_cast<const char*>(this + 1); }
    std::string_view wordView() const { return {word(), length}; }
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
    // The same through an image in imageFolder (see image_file.h): a fresh
    // lexicon takes the tables of an unchanged dictionary from its image,
    // and one loaded from the text writes the image afresh. Empty folder:
    // no image.
    bool loadMain(const std::string& path, const std::string& imageFolder);
    // Whether the last loadMain() took the tables from an image.
    bool loadedFromImage() const { return fromImage_; }
    // Reads the user dictionary into the same table. False when it cannot be opened.
    bool loadUser(const std::string& path);
    // Enters the dictionary lines of text (used by both loaders).
    void addLines(std::string_view text);

    // Case-sensitive lookups. The two-part form looks up head followed by tail.
    const LexiconEntry* lookup(std::string_view head, std::string_view tail = {}) const;
    bool known(std::string_view word) const { return lookup(word) != nullptr; }

    // A lookup in three steps, for callers that look up many words at once:
    // the hash of the word, a fetch of its index slot and of the record the
    // slot names into the cache, then the lookup itself. Fetching the words
    // of a sentence first lets their cache misses overlap.
    static uint32_t hashOf(std::string_view word);
    void fetchSlot(uint32_t hash) const {
        if (!slots_.empty()) __builtin_prefetch(&slots_[hash & (slots_.size() - 1)]);
    }
    void fetchRecord(uint32_t hash) const;
    const LexiconEntry* lookupHashed(std::string_view word, uint32_t hash) const;
    // Whether the tag (compared as text) is among the word's listed tags.
    bool hasTag(std::string_view word, std::string_view tag) const;

    size_t size() const { return size_; }
    // Bytes held by the record blocks and the index (the shared tag lists
    // are in the arena).
    size_t bytesHeld() const;

  private:
    static constexpr uint32_t kImageVersion = 1;
    // A record is named by its block (high bits) and its offset in 8-byte
    // units inside the block (low bits).
    static constexpr unsigned kUnitBits = 24;
    static constexpr size_t kMaxBlockBytes = (size_t{1} << kUnitBits) * 8;
    static constexpr size_t kMaxBlocks = size_t{1} << (32 - kUnitBits);
    static constexpr size_t kMinBlockBytes = 64 * 1024;
    struct Slot {
        uint32_t hash;  // 0 marks an empty slot
        uint32_t ref;   // the record
    };
    struct Block {
        std::unique_ptr<char[]> bytes;
        size_t size;
        size_t used;
    };
    struct TagList {
        const char* const* tags;
        int count;
    };
    struct TagListSlot {
        uint32_t hash;  // 0 marks an empty slot
        uint32_t index;
    };
    struct TagListKey {
        const char* text;
        size_t length;
        TagList list;
    };

    // The record bytes of a word of the given length: the fixed part, then
    // the word and its zero, padded to a multiple of 8.
    static size_t recordBytes(size_t wordLength) { return sizeof(LexiconEntry) + ((wordLength + 1 + 7) & ~size_t{7}); }
    void enterMain(std::string_view text);
    void enter(std::string_view text, size_t lines, size_t bytes);
    // The image of a lexicon that holds the main dictionary only; reading
    // it fills an empty lexicon, or leaves it empty when the image is not
    // whole (lexicon_image.cpp).
    bool readImage(ImageFile::Reader& reader);
    bool writeImage(const ImageFile& image) const;
    void reserve(size_t words);
    LexiconEntry* record(uint32_t ref) const {
        return reinterpret_cast<LexiconEntry*>(blocks_[ref >> kUnitBits].bytes.get() +
                                               size_t{ref & ((uint32_t{1} << kUnitBits) - 1)} * 8);
    }
    // Room for the records of a text of the given record bytes.
    void makeRoom(size_t bytes);
    uint32_t newRecord(std::string_view word);
    TagList tagList(std::string_view tagsText);

    Arena& arena_;
    StringPool& pool_;
    std::vector<Block> blocks_;
    std::vector<Slot> slots_;
    size_t size_ = 0;
    // The tag lists made so far, by the text of the tags on the line.
    std::vector<TagListSlot> tagSlots_;
    std::vector<TagListKey> tagKeys_;
    bool fromImage_ = false;
};

}  // namespace zintra
