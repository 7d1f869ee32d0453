#include "engine/text/string_table.h"

#include <cstring>
#include <new>

#include "engine/text/arena.h"

namespace zintra {

namespace {

// Byte-order comparison of a key with head followed by tail (as strcmp would
// order the joined string).
int compareJoined(std::string_view key, std::string_view head, std::string_view tail) {
    size_t n = key.size() < head.size() ? key.size() : head.size();
    int c = n ? std::memcmp(key.data(), head.data(), n) : 0;
    if (c != 0 || key.size() < head.size()) return c != 0 ? c : -1;
    std::string_view rest = key.substr(head.size());
    return rest.compare(tail);
}

}  // namespace

StringTable::StringTable(Arena& arena, size_t buckets)
    : arena_(arena), bucketCount_(buckets == 0 ? 1 : buckets) {
    buckets_ = arena_.makeArray<Entry*>(bucketCount_);
}

StringTable* StringTable::create(Arena& arena, size_t buckets) {
    void* memory = arena.allocate(sizeof(StringTable));
    return new (memory) StringTable(arena, buckets);
}

uint32_t StringTable::hash(std::string_view head, std::string_view tail) {
    uint32_t h = 0;
    for (char c : head) h = ((h << 1) | (h >> 31)) ^ static_cast<uint32_t>(static_cast<int32_t>(static_cast<signed char>(c)));
    for (char c : tail) h = ((h << 1) | (h >> 31)) ^ static_cast<uint32_t>(static_cast<int32_t>(static_cast<signed char>(c)));
    return h;
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
    for (const Entry* e = buckets_[hash(head, tail) % bucketCount_]; e; e = e->next) {
        if (e->length == head.size() + tail.size()) {
            if (std::memcmp(e->key, head.data(), head.size()) == 0 &&
                (tail.empty() || std::memcmp(e->key + head.size(), tail.data(), tail.size()) == 0))
                return e;
        }
        // Chains are sorted, so the search can stop at the first greater key.
        if (compareJoined(e->keyView(), head, tail) > 0) return nullptr;
    }
    return nullptr;
}

StringTable::Entry* StringTable::find(std::string_view head, std::string_view tail) {
    return const_cast<Entry*>(static_cast<const StringTable*>(this)->find(head, tail));
}

StringTable::Entry* StringTable::insert(std::string_view key, bool* added) {
    return insertImpl(key, nullptr, added);
}

StringTable::Entry* StringTable::insertStored(const char* stored, size_t length, bool* added) {
    return insertImpl(std::string_view(stored, length), stored, added);
}

StringTable::Entry* StringTable::insertImpl(std::string_view key, const char* stored, bool* added) {
    Entry** link = &buckets_[hash(key) % bucketCount_];
    while (*link) {
        int c = (*link)->keyView().compare(key);
        if (c == 0) {
            if (added) *added = false;
            return *link;
        }
        if (c > 0) break;
        link = &(*link)->next;
    }
    Entry* entry = arena_.make<Entry>();
    entry->key = stored ? stored : arena_.copy(key);
    entry->length = static_cast<uint32_t>(key.size());
    entry->next = *link;
    *link = entry;
    ++size_;
    if (added) *added = true;
    return entry;
}

}  // namespace zintra
