// An open-addressing hash table from a packed 64-bit key to a pair of
// counters, for the millions of candidate rules the contextual learner
// counts. Entries are never removed; a key whose counters fall to zero
// simply stays.
#pragma once

#include <cstdint>
#include <vector>

namespace langdata {

class CountTable {
  public:
    struct Counts {
        std::int32_t good = 0;
        std::int32_t bad = 0;
    };

    explicit CountTable(std::size_t initialCapacity = 1u << 16) { rehash(roundUp(initialCapacity)); }

    Counts& at(std::uint64_t key) {
        if ((size_ + 1) * 2 > keys_.size()) rehash(keys_.size() * 2);
        std::size_t i = slot(key);
        while (used_[i] && keys_[i] != key) i = (i + 1) & (keys_.size() - 1);
        if (!used_[i]) {
            used_[i] = 1;
            keys_[i] = key;
            ++size_;
        }
        return values_[i];
    }

    const Counts* find(std::uint64_t key) const {
        std::size_t i = slot(key);
        while (used_[i]) {
            if (keys_[i] == key) return &values_[i];
            i = (i + 1) & (keys_.size() - 1);
        }
        return nullptr;
    }

    std::size_t size() const { return size_; }

    template <typename F>
    void forEach(F&& f) const {
        for (std::size_t i = 0; i < keys_.size(); ++i)
            if (used_[i]) f(keys_[i], values_[i]);
    }

  private:
    static std::size_t roundUp(std::size_t n) {
        std::size_t c = 16;
        while (c < n) c *= 2;
        return c;
    }
    std::size_t slot(std::uint64_t key) const {
        key ^= key >> 33;
        key *= 0xff51afd7ed558ccdULL;
        key ^= key >> 33;
        return static_cast<std::size_t>(key) & (keys_.size() - 1);
    }
    void rehash(std::size_t capacity) {
        std::vector<std::uint64_t> oldKeys;
        std::vector<Counts> oldValues;
        std::vector<std::uint8_t> oldUsed;
        oldKeys.swap(keys_);
        oldValues.swap(values_);
        oldUsed.swap(used_);
        keys_.assign(capacity, 0);
        values_.assign(capacity, Counts{});
        used_.assign(capacity, 0);
        size_ = 0;
        for (std::size_t i = 0; i < oldKeys.size(); ++i)
            if (oldUsed[i]) at(oldKeys[i]) = oldValues[i];
    }

    std::vector<std::uint64_t> keys_;
    std::vector<Counts> values_;
    std::vector<std::uint8_t> used_;
    std::size_t size_ = 0;
};

}  // namespace langdata
