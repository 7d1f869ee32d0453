// The most words any alignment of a sentence with a graph can match: the
// first counter of the best alignment's score, found by a pass over small
// counts instead of whole scores. A template whose most is below the matched
// words of a template already aligned cannot be chosen, so its full
// alignment is skipped.
#pragma once

#include <cstdint>
#include <vector>

#include "engine/templates/match_graph.h"

namespace zintra {

// The rows of a sentence's items by word id: bit i of rowsOf(id) is set when
// item i has that id. Set once per sentence and file.
class SentenceRows {
  public:
    // Items past the 64th have no bit; a sentence with more has no rows.
    static constexpr size_t kMaxItems = 64;

    void set(const std::vector<int32_t>& wordIds, size_t vocabularySize);
    bool usable() const { return usable_; }
    uint64_t rowsOf(int32_t wordId) const {
        if (wordId == kSentinelWordId) return sentinelRows_;
        return wordId >= 0 && static_cast<size_t>(wordId) < masks_.size() ? masks_[static_cast<size_t>(wordId)] : 0;
    }

  private:
    std::vector<uint64_t> masks_;  // by vocabulary id; zero except for the ids in touched_
    std::vector<int32_t> touched_;
    uint64_t sentinelRows_ = 0;
    bool usable_ = false;
};

// Working memory of the bound: one column of row counts per graph position.
struct BoundTable {
    static constexpr size_t kStride = 48;  // rows per column, the most items plus one, rounded up
    std::vector<uint8_t> columns;
};

// The matched-word count of the best alignment of the items (wordIds, whose
// rows are given) with the graph; -1 when the graph's end cannot be reached,
// kNoBound when the sentence is too long for the table.
inline constexpr int32_t kNoBound = INT32_MAX;
int32_t mostMatchedWords(const PositionGraph& graph, const std::vector<int32_t>& wordIds, const SentenceRows& rows,
                         BoundTable& table);

}  // namespace zintra
