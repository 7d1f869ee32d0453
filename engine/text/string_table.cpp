#include "engine/text/string_table.h"

#include <cstring>
#include <new>

#include "engine/text/arena.h"

namespace zintra {

StringTable::StringTable(Arena& arena, size_t buckets) : arena_(arena), bucketCount_(buckets == 0 ? 1 : buckets) {
    buckets_ = arena_.makeArray<Entry*>(bucketCount_);
}

StringTable* StringTable::create(Arena& arena, size_t buckets) {
    void* memory = arena.allocate(sizeof(StringTable));
    return new (memory) StringTable(arena, buckets);
}

uint32_t StringTable::hash(std::string_view head, std::string_view tail) {
    uint32_t h = 0;
    for (char c : head)
        h = ((h << 1) | (h >> 31)) ^ static_cast<uint32_t>(static_cast<int32_t>(static_cast<signed char>(c)));
    for (char c : tail)
        h = ((h << 1) | (h >> 31)) ^ static_cast<uint32_t>(static_cast<int32_t>(static_cast<signed char>(c)));
    return h;
}

uint32_t StringTable::lookupHash(std::string_view head, std::string_view tail) {
    uint32_t h = 2166136261u;  // FNV-1a, then a final mix of the bits
    for (char c : head) h = (h ^ static_cast<unsigned char>(c)) * 16777619u;
    for (char c : tail) h = (h ^ static_cast<unsigned char>(c)) * 16777619u;
    h ^= h >> 16;
    h *= 0x85EBCA6Bu;
    h ^= h >> 13;
    h *= 0xC2B2AE35u;
    h ^= h >> 16;
    return h ? h : 1;
}

size_t StringTable::primeAtLeast(size_t n) {
    if (n < 3) n = 3;
    for (;; ++n) {
        bool prime = true;
        for (size_t d = 2; d * d <= n; ++d) {
            if (n % d == 0) {
                prime = false;
                break;
            }
        }
        if (prime) return n;
    }
}

const StringTable::Entry* StringTable::find(std::string_view head, std::string_view tail) const {
    if (!slots_) return nullptr;
    uint32_t h = lookupHash(head, tail);
    size_t length = head.size() + tail.size();
    for (size_t i = h & slotMask_; slots_[i].hash; i = (i + 1) & slotMask_) {
        if (slots_[i].hash != h) continue;
        const Entry* e = slots_[i].entry;
        if (e->length == length && (head.empty() || std::memcmp(e->key, head.data(), head.size()) == 0) &&
            (tail.empty() || std::memcmp(e->key + head.size(), tail.data(), tail.size()) == 0))
            return e;
    }
    return nullptr;
}

void StringTable::growIndex() {
    // Keep the index at most half full (a table sized for its data starts
    // with room for as many keys as buckets); the old array stays in the
    // arena until it is freed.
    size_t capacity = slots_ ? (slotMask_ + 1) * 2 : 16;
    while (!slots_ && capacity < bucketCount_ * 2) capacity *= 2;
    Slot* old = slots_;
    size_t oldCapacity = slots_ ? slotMask_ + 1 : 0;
    slots_ = arena_.makeArray<Slot>(capacity);
    slotMask_ = capacity - 1;
    for (size_t i = 0; i < oldCapacity; ++i) {
        if (!old[i].hash) continue;
        size_t j = old[i].hash & slotMask_;
        while (slots_[j].hash) j = (j + 1) & slotMask_;
        slots_[j] = old[i];
    }
}

StringTable::Entry* StringTable::find(std::string_view head, std::string_view tail) {
    return const_cast<Entry*>(static_cast<const StringTable*>(this)->find(head, tail));
}

StringTable::Entry* StringTable::insert(std::string_view key, bool* added) { return insertImpl(key, nullptr, added); }

StringTable::Entry* StringTable::insertStored(const char* stored, size_t length, bool* added) {
    return insertImpl(std::string_view(stored, length), stored, added);
}

StringTable::Entry* StringTable::insertImpl(std::string_view key, const char* stored, bool* added) {
    if (!slots_ || (size_ + 1) * 2 > slotMask_ + 1) growIndex();
    // One probe finds the key or the free slot it will take.
    uint32_t h = lookupHash(key);
    size_t slot = h & slotMask_;
    for (; slots_[slot].hash; slot = (slot + 1) & slotMask_) {
        Entry* e = slots_[slot].entry;
        if (slots_[slot].hash == h && e->keyView() == key) {
            if (added) *added = false;
            return e;
        }
    }
    Entry** link = &buckets_[hash(key) % bucketCount_];
    while (*link && (*link)->keyView().compare(key) < 0) link = &(*link)->next;
    Entry* entry;
    if (stored) {
        entry = arena_.make<Entry>();
        entry->key = stored;
    } else {
        // The key follows its entry, so a lookup reads one place in memory.
        void* memory = arena_.allocate(sizeof(Entry) + key.size() + 1);
        entry = new (memory) Entry{};
        char* copy = reinterpret_cast<char*>(entry + 1);
        if (!key.empty()) std::memcpy(copy, key.data(), key.size());
        copy[key.size()] = '\0';
        entry->key = copy;
    }
    entry->length = static_cast<uint32_t>(key.size());
    entry->lookupHash = h;
    entry->next = *link;
    *link = entry;
    slots_[slot] = Slot{h, entry};
    ++size_;
    if (added) *added = true;
    return entry;
}

}  // namespace zintra
