#include "engine/tagger/tag_pair_index.h"

namespace zintra {

namespace {

size_t pointerHash(const char* p) {
    auto v = reinterpret_cast<uintptr_t>(p);
    return static_cast<size_t>((v >> 2) * 0x9E3779B97F4A7C15ULL >> 32);
}

}  // namespace

int TagPairIndex::needId(const char* internedTag) const {
    if (keys_.empty() || !internedTag) return 0;
    size_t mask = keys_.size() - 1;
    for (size_t slot = pointerHash(internedTag) & mask; keys_[slot]; slot = (slot + 1) & mask)
        if (keys_[slot] == internedTag) return values_[slot];
    return 0;
}

void TagPairIndex::add(uint32_t r, int fromId, const char* need) {
    int id = needId(need);
    if (id == 0) {
        needs_.push_back(need);
        id = static_cast<int>(needs_.size());
        // Rebuild the table at two to four times the number of needed tags.
        size_t capacity = 16;
        while (capacity < needs_.size() * 2) capacity *= 2;
        keys_.assign(capacity, nullptr);
        values_.assign(capacity, 0);
        for (size_t i = 0; i < needs_.size(); ++i) {
            size_t slot = pointerHash(needs_[i]) & (capacity - 1);
            while (keys_[slot]) slot = (slot + 1) & (capacity - 1);
            keys_[slot] = needs_[i];
            values_[slot] = static_cast<int>(i + 1);
        }
    }
    uint64_t key = (static_cast<uint64_t>(static_cast<uint32_t>(fromId)) << 32) | static_cast<uint32_t>(id);
    auto [found, added] = pairs_.emplace(key, static_cast<uint32_t>(lists_.size()));
    if (added) {
        lists_.emplace_back();
        auto from = static_cast<size_t>(fromId), needIndex = static_cast<size_t>(id);
        if (byFrom_.size() <= from) byFrom_.resize(from + 1);
        if (byNeed_.size() <= needIndex) byNeed_.resize(needIndex + 1);
        byFrom_[from].push_back(Ref{id, found->second});
        byNeed_[needIndex].push_back(Ref{fromId, found->second});
    }
    lists_[found->second].push_back(r);
}

}  // namespace zintra
