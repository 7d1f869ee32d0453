#include "engine/text/lexicon.h"

#include <cstring>

#include "engine/text/arena.h"
#include "engine/text/data_file.h"
#include "engine/text/string_pool.h"
#include "engine/text/string_table.h"

namespace zintra {

namespace {

bool blank(char c) {
    auto u = static_cast<unsigned char>(c);
    return u >= 1 && u <= 32;
}

// Calls visit(word, tagsText, wordEnd) for every dictionary line of text:
// the line up to its line end or a zero byte, leading blanks skipped, empty
// lines and "//" lines left out. tagsText is the rest of the line after the
// blanks that follow the word; wordEnd is where the word ends in text.
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
                  std::string_view(p, static_cast<size_t>(lineEnd - p)), wordEnd);
        }
        p = next;
    }
}

size_t countDictionaryLines(std::string_view text) {
    size_t count = 0;
    forEachDictionaryLine(text, [&](std::string_view, std::string_view, const char*) { ++count; });
    return count;
}

}  // namespace

Lexicon::Lexicon(Arena& arena, StringPool& pool) : arena_(arena), pool_(pool) {}

bool Lexicon::loadMain(const std::string& path) {
    std::string content;
    if (!readDataFile(path, content)) return false;
    reserve(countDictionaryLines(content));
    enter(std::move(content));
    return true;
}

bool Lexicon::loadUser(const std::string& path) {
    std::string content;
    if (!readDataFile(path, content)) return false;
    enter(std::move(content));
    return true;
}

void Lexicon::addLines(std::string_view text) { enter(std::string(text)); }

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

uint32_t Lexicon::newEntry() {
    if ((entries_ & (kChunkSize - 1)) == 0 && (entries_ >> kChunkShift) >= chunks_.size())
        chunks_.push_back(std::make_unique<LexiconEntry[]>(kChunkSize));
    return entries_++;
}

Lexicon::TagList Lexicon::tagList(std::string_view tagsText) {
    auto found = tagLists_.find(tagsText);
    if (found != tagLists_.end()) return found->second;
    std::vector<std::string_view> fields;
    splitFields(tagsText, fields);
    TagList list{nullptr, static_cast<int>(fields.size())};
    if (!fields.empty()) {
        const char** tags = arena_.makeArray<const char*>(fields.size());
        for (size_t i = 0; i < fields.size(); ++i) tags[i] = pool_.intern(fields[i]);
        list.tags = tags;
    }
    tagLists_.emplace(tagsText, list);
    return list;
}

void Lexicon::enter(std::string&& text) {
    texts_.push_back(std::move(text));
    std::string& kept = texts_.back();
    char* base = kept.data();
    // Lines are entered in batches: the index slots of a whole batch are
    // fetched into the cache before the first of them is entered, so the
    // loader waits on memory once per batch instead of once per word.
    struct Pending {
        std::string_view word, tagsText;
        const char* wordEnd;
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
                const LexiconEntry& e = entryAt(slots_[i].entry);
                if (e.length == line.word.size() && std::memcmp(e.word, line.word.data(), line.word.size()) == 0) break;
            }
            if (!slots_[i].hash) {
                slots_[i] = Slot{line.hash, newEntry()};
                ++size_;
            }
            // The byte after the word becomes its terminating zero; a later
            // line for the same word replaces the earlier entry.
            base[line.wordEnd - base] = '\0';
            entryAt(slots_[i].entry) =
                LexiconEntry{line.word.data(), list.count, static_cast<uint32_t>(line.word.size()), list.tags};
        }
        pending = 0;
    };
    forEachDictionaryLine(kept, [&](std::string_view word, std::string_view tagsText, const char* wordEnd) {
        uint32_t h = StringTable::lookupHash(word);
        if (!slots_.empty()) __builtin_prefetch(&slots_[h & (slots_.size() - 1)]);
        batch[pending++] = Pending{word, tagsText, wordEnd, h};
        if (pending == kBatch) flush();
    });
    flush();
}

const LexiconEntry* Lexicon::lookup(std::string_view head, std::string_view tail) const {
    if (slots_.empty()) return nullptr;
    uint32_t h = StringTable::lookupHash(head, tail);
    size_t length = head.size() + tail.size();
    size_t mask = slots_.size() - 1;
    for (size_t i = h & mask; slots_[i].hash; i = (i + 1) & mask) {
        if (slots_[i].hash != h) continue;
        const LexiconEntry& e = entryAt(slots_[i].entry);
        if (e.length == length && (head.empty() || std::memcmp(e.word, head.data(), head.size()) == 0) &&
            (tail.empty() || std::memcmp(e.word + head.size(), tail.data(), tail.size()) == 0))
            return &e;
    }
    return nullptr;
}

bool Lexicon::hasTag(std::string_view word, std::string_view tag) const {
    const LexiconEntry* entry = lookup(word);
    if (!entry) return false;
    for (int i = 0; i < entry->count; ++i)
        if (tag == entry->tags[i]) return true;
    return false;
}

size_t Lexicon::bytesHeld() const {
    size_t bytes = slots_.capacity() * sizeof(Slot) + chunks_.size() * kChunkSize * sizeof(LexiconEntry);
    for (const std::string& t : texts_) bytes += t.capacity();
    return bytes;
}

}  // namespace zintra
