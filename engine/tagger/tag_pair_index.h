// The contextual rules that test tags only, by the pair of their FROM tag and
// the tag their condition needs at a neighbouring position (the rule's first
// argument). Such a rule can act only in a sentence that has a changeable
// position tagged FROM and some position with the needed tag, so a sentence
// visits only the rules of the pairs it holds.
#pragma once

#include <cstddef>
#include <cstdint>
#include <unordered_map>
#include <vector>

namespace zintra {

class TagPairIndex {
  public:
    struct Ref {
        int other;      // the need id (in byFrom) or the FROM id (in byNeed)
        uint32_t list;  // the pair's rules
    };

    // Enters rule number r (numbers given in ascending order) with its FROM
    // id (> 0) and the interned tag it needs.
    void add(uint32_t r, int fromId, const char* need);

    // The id of a needed tag (from 1), 0 for a tag no rule needs.
    int needId(const char* internedTag) const;
    int needCount() const { return static_cast<int>(needs_.size()); }

    // The pairs of a FROM id, and of a need id; empty for an unknown id.
    const std::vector<Ref>& byFrom(int fromId) const { return at(byFrom_, fromId); }
    const std::vector<Ref>& byNeed(int needId) const { return at(byNeed_, needId); }
    // The rule numbers of a pair, ascending.
    const std::vector<uint32_t>& rules(uint32_t list) const { return lists_[list]; }

  private:
    static const std::vector<Ref>& at(const std::vector<std::vector<Ref>>& table, int id) {
        static const std::vector<Ref> none;
        return id > 0 && static_cast<size_t>(id) < table.size() ? table[static_cast<size_t>(id)] : none;
    }

    std::vector<const char*> needs_;  // by id - 1
    std::vector<const char*> keys_;   // open-addressing table of needs_
    std::vector<int> values_;
    std::vector<std::vector<Ref>> byFrom_, byNeed_;
    std::vector<std::vector<uint32_t>> lists_;
    std::unordered_map<uint64_t, uint32_t> pairs_;  // (FROM id, need id) -> list
};

}  // namespace zintra
