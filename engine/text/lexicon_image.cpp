// The lexicon's image: its record blocks, its index and the texts of its tag
// lists, as they stand once the main dictionary is entered. A record's
// tag-list pointer is the only field that would not survive a copy: the
// image holds, for each record in the order they lie, the number of its tag
// list (or kNoList), and the pointers are set again from those. The tag
// lists are made again from their texts, which interns the tags in the
// order the dictionary first names them, as reading the text does.
#include <algorithm>
#include <cstring>
#include <unordered_map>
#include <vector>

#include "engine/text/arena.h"
#include "engine/text/data_file.h"
#include "engine/text/image_file.h"
#include "engine/text/lexicon.h"
#include "engine/text/string_pool.h"

namespace zintra {

namespace {

constexpr uint32_t kNoList = ~uint32_t{0};

struct Counts {
    uint64_t size;
    uint64_t blocks;
    uint64_t slots;
    uint64_t tagSlots;
    uint64_t tagKeys;
    uint64_t tagTextBytes;
    uint64_t blockBytes;
};

bool powerOfTwo(uint64_t n) { return n != 0 && (n & (n - 1)) == 0; }

}  // namespace

bool Lexicon::writeImage(const ImageFile& image) const {
    if (!image.enabled()) return false;
    std::unordered_map<const void*, uint32_t> listNumber;
    std::vector<uint32_t> keyLengths;
    std::string keyTexts;
    for (size_t k = 0; k < tagKeys_.size(); ++k) {
        if (tagKeys_[k].list.tags) listNumber.emplace(tagKeys_[k].list.tags, static_cast<uint32_t>(k));
        keyLengths.push_back(static_cast<uint32_t>(tagKeys_[k].length));
        keyTexts.append(tagKeys_[k].text, tagKeys_[k].length);
    }
    std::vector<uint32_t> numbers;
    numbers.reserve(size_);
    for (const Block& b : blocks_)
        for (size_t at = 0; at < b.used;) {
            const auto* e = reinterpret_cast<const LexiconEntry*>(b.bytes.get() + at);
            uint32_t number = kNoList;
            if (e->tags) {
                auto found = listNumber.find(e->tags);
                if (found == listNumber.end()) return false;
                number = found->second;
            }
            numbers.push_back(number);
            at += recordBytes(e->length);
        }
    if (numbers.size() != size_) return false;
    std::vector<uint64_t> used;
    uint64_t blockBytes = 0;
    for (const Block& b : blocks_) {
        used.push_back(b.used);
        blockBytes += b.used;
    }
    Counts c{size_, blocks_.size(), slots_.size(), tagSlots_.size(), tagKeys_.size(), keyTexts.size(), blockBytes};
    // The blocks are written as they are (their tag pointers mean nothing
    // to a reader), without a copy of the lexicon.
    std::vector<std::string_view> sections{std::string_view(reinterpret_cast<const char*>(&c), sizeof c),
                                           bytesOf(used),
                                           bytesOf(numbers),
                                           bytesOf(tagSlots_),
                                           bytesOf(keyLengths),
                                           keyTexts};
    for (const Block& b : blocks_) sections.emplace_back(b.bytes.get(), b.used);
    sections.push_back(bytesOf(slots_));
    return image.write(sections);
}

bool Lexicon::readImage(ImageFile::Reader& reader) {
    Counts c{};
    std::vector<uint64_t> used;
    if (!reader.ok() || !reader.take(&c, sizeof c) || c.blocks > kMaxBlocks || c.blockBytes > reader.remaining() ||
        !take(reader, used, c.blocks))
        return false;
    // Everything is read into fresh objects and checked before any of it is
    // published or a tag interned.
    std::vector<Block> blocks;
    for (uint64_t u : used) {
        if (u > kMaxBlockBytes || u > reader.remaining()) return false;
        blocks.push_back(
            Block{std::unique_ptr<char[]>(new char[u == 0 ? 1 : u]), static_cast<size_t>(u), static_cast<size_t>(u)});
    }
    // The numbers of the records' tag lists first, so that the records can
    // be walked piece by piece as they are read, while in the cache.
    std::vector<uint32_t> numbers;
    if (!take(reader, numbers, c.size)) return false;
    std::vector<TagListSlot> tagSlots;
    std::vector<uint32_t> keyLengths;
    if (!take(reader, tagSlots, c.tagSlots) || !take(reader, keyLengths, c.tagKeys) ||
        c.tagTextBytes > reader.remaining())
        return false;
    std::string keyTexts(c.tagTextBytes, '\0');
    if (!reader.take(keyTexts.data(), keyTexts.size())) return false;

    // The structure: index sizes usable as masks, tag-list texts that add
    // up, records that fill their blocks, each naming a tag list that exists
    // and has as many tags as the record counts, and filled slots that each
    // name a record.
    if (!tagSlots.empty() && !powerOfTwo(tagSlots.size())) return false;
    for (const TagListSlot& s : tagSlots)
        if (s.hash && s.index >= keyLengths.size()) return false;
    std::vector<TagListKey> keys;
    std::vector<std::string_view> fields;
    size_t textAt = 0;
    for (uint32_t length : keyLengths) {
        if (length > keyTexts.size() - textAt) return false;
        std::string_view text = std::string_view(keyTexts).substr(textAt, length);
        textAt += length;
        splitFields(text, fields);
        // The arrays are made now and filled once all is checked.
        TagList list{fields.empty() ? nullptr : arena_.makeArray<const char*>(fields.size()),
                     static_cast<int>(fields.size())};
        keys.push_back(TagListKey{text.data(), text.size(), list});
    }
    if (textAt != keyTexts.size()) return false;
    // The records in the order they lie, each checked and pointed at its tag
    // list as soon as its piece is read; the start of each is marked, so
    // that every filled slot can be checked to name one.
    size_t k = 0;
    std::vector<std::vector<uint64_t>> starts(blocks.size());
    for (size_t block = 0; block < blocks.size(); ++block) {
        const Block& b = blocks[block];
        starts[block].assign(b.used / 512 + 1, 0);
        size_t at = 0;
        for (size_t read = 0; read < b.used;) {
            size_t piece = std::min(b.used - read, ImageFile::kPieceBytes);
            if (!reader.take(b.bytes.get() + read, piece)) return false;
            read += piece;
            while (at < read) {
                auto* e = reinterpret_cast<LexiconEntry*>(b.bytes.get() + at);
                if (read - at < sizeof(LexiconEntry) || recordBytes(e->length) > read - at) {
                    // A record across the piece's end waits for the next piece.
                    if (read < b.used) break;
                    return false;
                }
                if (k == numbers.size()) return false;
                uint32_t number = numbers[k++];
                if (number == kNoList
                        ? e->count != 0
                        : number >= keys.size() || keys[number].list.count == 0 || e->count != keys[number].list.count)
                    return false;
                e->tags = number == kNoList ? nullptr : keys[number].list.tags;
                starts[block][at / 512] |= uint64_t{1} << ((at / 8) & 63);
                at += recordBytes(e->length);
            }
        }
    }
    std::vector<Slot> slots;
    if (k != numbers.size() || !take(reader, slots, c.slots) || !reader.finish() ||
        (!slots.empty() && !powerOfTwo(slots.size())))
        return false;
    uint64_t filled = 0;
    for (const Slot& s : slots) {
        if (!s.hash) continue;
        ++filled;
        size_t block = s.ref >> kUnitBits;
        size_t unit = s.ref & ((uint32_t{1} << kUnitBits) - 1);
        if (block >= blocks.size() || unit / 64 >= starts[block].size() ||
            !((starts[block][unit / 64] >> (unit & 63)) & 1))
            return false;
    }
    if (filled != c.size) return false;

    for (TagListKey& key : keys) {
        std::string_view text(key.text, key.length);
        splitFields(text, fields);
        auto** tags = const_cast<const char**>(key.list.tags);
        for (size_t f = 0; f < fields.size(); ++f) tags[f] = pool_.intern(fields[f]);
        key.text = arena_.copy(text);
    }
    blocks_ = std::move(blocks);
    slots_ = std::move(slots);
    tagSlots_ = std::move(tagSlots);
    tagKeys_ = std::move(keys);
    size_ = c.size;
    return true;
}

}  // namespace zintra
