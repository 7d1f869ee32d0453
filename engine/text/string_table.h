// A chained hash table of string keys, each entry carrying a number and a
// pointer value. Chains are kept in ascending byte order of the key, so a
// table of one bucket holds its keys sorted and is iterated in that order.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace zintra {

class Arena;

class StringTable {
  public:
    static constexpr size_t kDefaultBuckets = 97;

    struct Entry {
        Entry* next;
        const char* key;      // zero-terminated copy owned by the table's arena
        uint32_t length;      // of key in bytes
        uint32_t lookupHash;  // lookupHash(key), never 0
        int number;
        const void* value;

        std::string_view keyView() const { return {key, length}; }
    };

    // Keys and entries are taken from arena, which must outlive the table.
    explicit StringTable(Arena& arena, size_t buckets = kDefaultBuckets);
    StringTable(const StringTable&) = delete;
    // A table made inside arena itself (it needs no destruction).
    static StringTable* create(Arena& arena, size_t buckets = kDefaultBuckets);
    StringTable& operator=(const StringTable&) = delete;

    // The entry of key, made (with number 0 and a null value) when absent.
    // An existing entry is returned unchanged; *added tells which happened.
    Entry* insert(std::string_view key, bool* added = nullptr);
    // As insert, but a new entry keeps `stored` as its key instead of a copy;
    // stored must hold the same bytes, be zero-terminated and outlive the table.
    Entry* insertStored(const char* stored, size_t length, bool* added = nullptr);

    // The entry whose key is exactly head followed by tail; null when absent.
    // (The two parts let callers look up joined or case-changed words
    // without building them in a buffer.)
    const Entry* find(std::string_view head, std::string_view tail = {}) const;
    Entry* find(std::string_view head, std::string_view tail = {});
    bool contains(std::string_view key) const { return find(key) != nullptr; }

    size_t size() const { return size_; }
    size_t bucketCount() const { return bucketCount_; }

    // Visits every entry bucket by bucket, each chain in ascending key order.
    template <class F>
    void forEach(F&& visit) const {
        for (size_t b = 0; b < bucketCount_; ++b)
            for (const Entry* e = buckets_[b]; e; e = e->next) visit(*e);
    }

    // The hash of a key: h = rotate-left(h, 1) XOR the byte as a signed value.
    static uint32_t hash(std::string_view head, std::string_view tail = {});
    // The hash of the lookup index (never 0).
    static uint32_t lookupHash(std::string_view head, std::string_view tail = {});
    // The smallest prime not below n and not below 3: the size of a table
    // sized from a file of n data lines.
    static size_t primeAtLeast(size_t n);

  private:
    Entry* insertImpl(std::string_view key, const char* stored, bool* added);

    Arena& arena_;
    Entry** buckets_;
    size_t bucketCount_;
    size_t size_ = 0;
    // Lookups go through an open-addressing index keyed by a stronger hash:
    // the chains' hash is weak for short words (their values cluster in the
    // low buckets), so walking them would be slow. The chains stay the
    // table's order for iteration.
    struct Slot {
        uint32_t hash;  // 0 marks an empty slot
        Entry* entry;
    };
    void growIndex();
    Slot* slots_ = nullptr;
    size_t slotMask_ = 0;
};

}  // namespace zintra
