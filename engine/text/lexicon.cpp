#include "engine/text/lexicon.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <stdexcept>

#include "engine/text/arena.h"
#include "engine/text/data_file.h"
#include "engine/text/image_file.h"
#include "engine/text/string_pool.h"

namespace zintra {

namespace {

bool blank(char c) {
    auto u = static_cast<unsigned char>(c);
    return u >= 1 && u <= 32;
}

// Calls visit(word, tagsText) for every dictionary line of text:
// the line up to its line end or a zero byte, leading blanks skipped, empty
// lines and "//" lines left out. tagsText is the rest of the line after the
// blanks that follow the word.
template <class F>
void forEachDictionaryLine(std::string_view text, F&& visit) {
    const char* p = text.data();
    const char* end = p + text.size();
    while (p < end) {
        const char* lineEnd = static_cast<const char*>(std::memchr(p, '\n', static_cast<size_t>(end - p)));
        if (!lineEnd) lineEnd = end;
        const char* next = lineEnd + 1;
        if (const void* zero = std::memchr(p, '\0', static_cast<size_t>(lineEnd - p)))
            lineEnd = static_cast<const char*>(zero);
        while (p < lineEnd && blank(*p)) ++p;
        if (p < lineEnd && !(lineEnd - p >= 2 && p[0] == '/' && p[1] == '/')) {
            const char* w = p;
            while (p < lineEnd && !blank(*p)) ++p;
            const char* wordEnd = p;
            while (p < lineEnd && blank(*p)) ++p;
            visit(std::string_view(w, static_cast<size_t>(wordEnd - w)),
                  std::string_view(p, static_cast<size_t>(lineEnd - p)));
        }
        p = next;
    }
}

// The same for a text without zero bytes, in one pass over each line.
template <class F>
void forEachPlainDictionaryLine(std::string_view text, F&& visit) {
    const char* p = text.data();
    const char* end = p + text.size();
    while (p < end) {
        while (p < end && *p != '\n' && blank(*p)) ++p;
        if (p == end) break;
        if (*p == '\n') {
            ++p;
            continue;
        }
        if (end - p >= 2 && p[0] == '/' && p[1] == '/') {
            const void* lineEnd = std::memchr(p, '\n', static_cast<size_t>(end - p));
            p = lineEnd ? static_cast<const char*>(lineEnd) + 1 : end;
            continue;
        }
        const char* w = p;
        while (p < end && !blank(*p)) ++p;  // a line end is a blank
        const char* wordEnd = p;
        while (p < end && *p != '\n' && blank(*p)) ++p;
        const char* tags = p;
        while (p < end && *p != '\n') ++p;
        visit(std::string_view(w, static_cast<size_t>(wordEnd - w)),
              std::string_view(tags, static_cast<size_t>(p - tags)));
        if (p < end) ++p;
    }
}

// At least as many as the data lines of text, and the record bytes their
// words need at most: one line per line end, each record no longer than
// its fixed part, its word and 8 bytes.
struct LineCount {
    size_t lines = 0;
    size_t bytes = 0;
};

LineCount countLines(std::string_view text) {
    LineCount count;
    const char* p = text.data();
    const char* end = p + text.size();
    while (p < end) {
        ++count.lines;
        const void* lineEnd = std::memchr(p, '\n', static_cast<size_t>(end - p));
        if (!lineEnd) break;
        p = static_cast<const char*>(lineEnd) + 1;
    }
    count.bytes = count.lines * (sizeof(LexiconEntry) + 8) + text.size();
    return count;
}

// The hash of a word, 8 bytes at a time (never 0).
uint32_t wordHash(const char* p, size_t n) {
    uint64_t h = 0x9E3779B97F4A7C15ULL ^ (n * 0xC2B2AE3D27D4EB4FULL);
    while (n >= 8) {
        uint64_t v;
        std::memcpy(&v, p, 8);
        h = (h ^ v) * 0xBF58476D1CE4E5B9ULL;
        h ^= h >> 29;
        p += 8;
        n -= 8;
    }
    if (n > 0) {
        // The last bytes as whole loads (two overlapping ones from 4 bytes
        // on, three single bytes below), never a partial copy: a load that
        // follows a narrower store waits for it.
        uint64_t v;
        if (n >= 4) {
            uint32_t a, b;
            std::memcpy(&a, p, 4);
            std::memcpy(&b, p + n - 4, 4);
            v = (uint64_t{a} << 32) | b;
        } else {
            auto byte = [&](size_t i) { return uint64_t{static_cast<unsigned char>(p[i])}; };
            v = (byte(0) << 16) | (byte(n >> 1) << 8) | byte(n - 1);
        }
        h = (h ^ v) * 0xBF58476D1CE4E5B9ULL;
        h ^= h >> 29;
    }
    h *= 0x94D049BB133111EBULL;
    h ^= h >> 32;
    auto result = static_cast<uint32_t>(h);
    return result ? result : 1;
}

}  // namespace

Lexicon::Lexicon(Arena& arena, StringPool& pool) : arena_(arena), pool_(pool) {}

bool Lexicon::loadMain(const std::string& path) { return loadMain(path, std::string()); }

bool Lexicon::loadMain(const std::string& path, const std::string& imageFolder) {
    fromImage_ = false;
    std::string content;
    if (!readDataFile(path, content)) return false;
    if (imageFolder.empty()) {
        enterMain(content);
        return true;
    }
    ImageFile image(imageFolder, "lexicon", kImageVersion, path, content);
    // Only an empty lexicon is what the image holds once filled. The text
    // is let go while the image is read (it was needed for the key only)
    // and read again when the image will not do.
    bool empty = size_ == 0 && blocks_.empty() && slots_.empty() && tagKeys_.empty();
    if (empty) {
        ImageFile::Reader reader = image.open();
        if (reader.ok()) {
            std::string().swap(content);
            if (readImage(reader)) {
                fromImage_ = true;
                return true;
            }
            // A damaged image: the text again, under the key of what is read now.
            if (!readDataFile(path, content)) return false;
            image = ImageFile(imageFolder, "lexicon", kImageVersion, path, content);
        }
    }
    enterMain(content);
    if (empty) writeImage(image);
    return true;
}

void Lexicon::enterMain(std::string_view text) {
    LineCount count = countLines(text);
    reserve(count.lines);
    enter(text, count.lines, count.bytes);
}

bool Lexicon::loadUser(const std::string& path) {
    std::string content;
    if (!readDataFile(path, content)) return false;
    addLines(content);
    return true;
}

void Lexicon::addLines(std::string_view text) {
    LineCount count = countLines(text);
    enter(text, count.lines, count.bytes);
}

void Lexicon::reserve(size_t words) {
    // The index stays at most about 60% full.
    size_t capacity = 16;
    while (capacity * 3 < words * 5) capacity *= 2;
    if (capacity <= slots_.size()) return;
    std::vector<Slot> old = std::move(slots_);
    slots_.assign(capacity, Slot{0, 0});
    size_t mask = capacity - 1;
    for (const Slot& s : old) {
        if (!s.hash) continue;
        size_t i = s.hash & mask;
        while (slots_[i].hash) i = (i + 1) & mask;
        slots_[i] = s;
    }
}

void Lexicon::makeRoom(size_t bytes) {
    if (!blocks_.empty() && blocks_.back().size - blocks_.back().used >= bytes) return;
    if (blocks_.size() >= kMaxBlocks) throw std::length_error("lexicon: too many record blocks");
    size_t size = std::min(std::max(bytes, kMinBlockBytes), kMaxBlockBytes);
    // Not value-initialised: the pages are touched only as records fill them.
    blocks_.push_back(Block{std::unique_ptr<char[]>(new char[size]), size, 0});
}

uint32_t Lexicon::newRecord(std::string_view word) {
    size_t bytes = recordBytes(word.size());
    if (bytes > kMaxBlockBytes) throw std::length_error("lexicon: word too long");
    makeRoom(bytes);
    Block& block = blocks_.back();
    char* at = block.bytes.get() + block.used;
    new (at) LexiconEntry{nullptr, static_cast<uint32_t>(word.size()), 0};
    char* text = at + sizeof(LexiconEntry);
    if (!word.empty()) std::memcpy(text, word.data(), word.size());
    // The padding after the word is zeroed too, so no byte of a record is
    // left unwritten.
    std::memset(text + word.size(), 0, bytes - sizeof(LexiconEntry) - word.size());
    uint32_t ref = static_cast<uint32_t>(((blocks_.size() - 1) << kUnitBits) | (block.used / 8));
    block.used += bytes;
    return ref;
}

Lexicon::TagList Lexicon::tagList(std::string_view tagsText) {
    uint32_t h = wordHash(tagsText.data(), tagsText.size());
    if ((tagKeys_.size() + 1) * 2 > tagSlots_.size()) {
        // Keep the table of tag lists at most half full.
        std::vector<TagListSlot> grown(tagSlots_.empty() ? 64 : tagSlots_.size() * 2, TagListSlot{0, 0});
        size_t mask = grown.size() - 1;
        for (const TagListSlot& s : tagSlots_) {
            if (!s.hash) continue;
            size_t i = s.hash & mask;
            while (grown[i].hash) i = (i + 1) & mask;
            grown[i] = s;
        }
        tagSlots_ = std::move(grown);
    }
    size_t mask = tagSlots_.size() - 1;
    size_t i = h & mask;
    for (; tagSlots_[i].hash; i = (i + 1) & mask) {
        if (tagSlots_[i].hash != h) continue;
        const TagListKey& key = tagKeys_[tagSlots_[i].index];
        if (std::string_view(key.text, key.length) == tagsText) return key.list;
    }
    std::vector<std::string_view> fields;
    splitFields(tagsText, fields);
    TagList list{nullptr, static_cast<int>(fields.size())};
    if (!fields.empty()) {
        const char** tags = arena_.makeArray<const char*>(fields.size());
        for (size_t k = 0; k < fields.size(); ++k) tags[k] = pool_.intern(fields[k]);
        list.tags = tags;
    }
    tagSlots_[i] = TagListSlot{h, static_cast<uint32_t>(tagKeys_.size())};
    tagKeys_.push_back(TagListKey{arena_.copy(tagsText), tagsText.size(), list});
    return list;
}

void Lexicon::enter(std::string_view text, size_t lines, size_t bytes) {
    if (lines == 0) return;
    makeRoom(std::min(bytes, kMaxBlockBytes));
    // Lines are entered in batches: the index slots of a whole batch are
    // fetched into the cache before the first of them is entered, so the
    // loader waits on memory once per batch instead of once per word.
    struct Pending {
        std::string_view word, tagsText;
        uint32_t hash;
    };
    constexpr size_t kBatch = 16;
    Pending batch[kBatch];
    size_t pending = 0;
    auto flush = [&] {
        for (size_t k = 0; k < pending; ++k) {
            const Pending& line = batch[k];
            TagList list = tagList(line.tagsText);
            if ((size_ + 1) * 5 > slots_.size() * 3) reserve(size_ + 1);
            size_t mask = slots_.size() - 1;
            size_t i = line.hash & mask;
            for (; slots_[i].hash; i = (i + 1) & mask) {
                if (slots_[i].hash != line.hash) continue;
                const LexiconEntry* e = record(slots_[i].ref);
                if (e->length == line.word.size() && std::memcmp(e->word(), line.word.data(), line.word.size()) == 0)
                    break;
            }
            if (!slots_[i].hash) {
                slots_[i] = Slot{line.hash, newRecord(line.word)};
                ++size_;
            }
            // A later line for the same word replaces the earlier entry's tags.
            LexiconEntry* e = record(slots_[i].ref);
            e->tags = list.tags;
            e->count = list.count;
        }
        pending = 0;
    };
    auto line = [&](std::string_view word, std::string_view tagsText) {
        uint32_t h = hashOf(word);
        fetchSlot(h);
        batch[pending++] = Pending{word, tagsText, h};
        if (pending == kBatch) flush();
    };
    // A zero byte ends its line; a text without one is read in one pass.
    if (std::memchr(text.data(), '\0', text.size()))
        forEachDictionaryLine(text, line);
    else
        forEachPlainDictionaryLine(text, line);
    flush();
}

uint32_t Lexicon::hashOf(std::string_view word) { return wordHash(word.data(), word.size()); }

void Lexicon::fetchRecord(uint32_t hash) const {
    if (slots_.empty()) return;
    size_t mask = slots_.size() - 1;
    for (size_t i = hash & mask; slots_[i].hash; i = (i + 1) & mask) {
        if (slots_[i].hash == hash) {
            __builtin_prefetch(record(slots_[i].ref));
            return;
        }
    }
}

const LexiconEntry* Lexicon::lookupHashed(std::string_view word, uint32_t hash) const {
    if (slots_.empty()) return nullptr;
    size_t mask = slots_.size() - 1;
    for (size_t i = hash & mask; slots_[i].hash; i = (i + 1) & mask) {
        if (slots_[i].hash != hash) continue;
        const LexiconEntry* e = record(slots_[i].ref);
        if (e->length == word.size() && (word.empty() || std::memcmp(e->word(), word.data(), word.size()) == 0))
            return e;
    }
    return nullptr;
}

const LexiconEntry* Lexicon::lookup(std::string_view head, std::string_view tail) const {
    if (tail.empty()) return lookupHashed(head, hashOf(head));
    if (head.empty()) return lookupHashed(tail, hashOf(tail));
    // The joined word, in a buffer on the stack when it is short.
    char buffer[256];
    std::string joined;
    size_t length = head.size() + tail.size();
    char* at = buffer;
    if (length > sizeof buffer) {
        joined.resize(length);
        at = joined.data();
    }
    std::memcpy(at, head.data(), head.size());
    std::memcpy(at + head.size(), tail.data(), tail.size());
    std::string_view word(at, length);
    return lookupHashed(word, hashOf(word));
}

bool Lexicon::hasTag(std::string_view word, std::string_view tag) const {
    const LexiconEntry* entry = lookup(word);
    if (!entry) return false;
    for (int i = 0; i < entry->count; ++i)
        if (tag == entry->tags[i]) return true;
    return false;
}

size_t Lexicon::bytesHeld() const {
    size_t bytes = slots_.capacity() * sizeof(Slot) + tagSlots_.capacity() * sizeof(TagListSlot) +
                   tagKeys_.capacity() * sizeof(TagListKey);
    for (const Block& b : blocks_) bytes += b.used;
    return bytes;
}

}  // namespace zintra
