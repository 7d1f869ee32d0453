// The lexicon's image: its record blocks, its index and the texts of its tag
// lists, as they stand once the main dictionary is entered. A record's
// tag-list pointer is the only field that would not survive a copy: the
// image holds, for each filled index slot in order, the number of the tag
// list of the record it names (or kNoList), and the pointers are set again
// from those. The tag lists are made again from their texts, which interns
// the tags in the order the dictionary first names them, as reading the
// text does. Every record of the main dictionary has its own index slot.
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

template <class T>
std::string_view bytesOf(const std::vector<T>& items) {
    return {reinterpret_cast<const char*>(items.data()), items.size() * sizeof(T)};
}

template <class T>
bool take(ImageFile::Reader& reader, std::vector<T>& items, uint64_t count) {
    if (count > reader.remaining() / sizeof(T)) return false;
    items.resize(count);
    return reader.take(items.data(), count * sizeof(T));
}

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
    for (const Slot& s : slots_) {
        if (!s.hash) continue;
        const LexiconEntry* e = record(s.ref);
        uint32_t number = kNoList;
        if (e->tags) {
            auto found = listNumber.find(e->tags);
            if (found == listNumber.end()) return false;
            number = found->second;
        }
        numbers.push_back(number);
    }
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
                                           bytesOf(used)};
    for (const Block& b : blocks_) sections.emplace_back(b.bytes.get(), b.used);
    for (std::string_view more :
         {bytesOf(slots_), bytesOf(numbers), bytesOf(tagSlots_), bytesOf(keyLengths), std::string_view(keyTexts)})
        sections.push_back(more);
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
        Block b{std::unique_ptr<char[]>(new char[u == 0 ? 1 : u]), static_cast<size_t>(u), static_cast<size_t>(u)};
        if (!reader.take(b.bytes.get(), b.used)) return false;
        blocks.push_back(std::move(b));
    }
    std::vector<Slot> slots;
    std::vector<uint32_t> numbers;
    std::vector<TagListSlot> tagSlots;
    std::vector<uint32_t> keyLengths;
    if (!take(reader, slots, c.slots) || !take(reader, numbers, c.size) || !take(reader, tagSlots, c.tagSlots) ||
        !take(reader, keyLengths, c.tagKeys) || c.tagTextBytes > reader.remaining())
        return false;
    std::string keyTexts(c.tagTextBytes, '\0');
    if (!reader.take(keyTexts.data(), keyTexts.size()) || !reader.finish()) return false;

    // The structure: index sizes usable as masks, tag-list texts that add
    // up, every filled slot naming a record inside its block whose tag list
    // exists and has as many tags as the record counts.
    if ((!slots.empty() && !powerOfTwo(slots.size())) || (!tagSlots.empty() && !powerOfTwo(tagSlots.size())))
        return false;
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
    size_t k = 0;
    for (const Slot& s : slots) {
        if (!s.hash) continue;
        size_t block = s.ref >> kUnitBits;
        size_t at = size_t{s.ref & ((uint32_t{1} << kUnitBits) - 1)} * 8;
        if (k == numbers.size() || block >= blocks.size() || at + sizeof(LexiconEntry) > blocks[block].used)
            return false;
        auto* e = reinterpret_cast<LexiconEntry*>(blocks[block].bytes.get() + at);
        uint32_t number = numbers[k++];
        if (recordBytes(e->length) > blocks[block].used - at ||
            (number == kNoList
                 ? e->count != 0
                 : number >= keys.size() || keys[number].list.count == 0 || e->count != keys[number].list.count))
            return false;
        e->tags = number == kNoList ? nullptr : keys[number].list.tags;
    }
    if (k != numbers.size()) return false;

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
