// The alignment of a sentence's items with one position graph: a forward
// pass of dynamic programming over (sentence row, graph position) cells, the
// score order that picks the best way into each cell, and the path back from
// the graph's end.
#pragma once

#include <climits>
#include <cstdint>
#include <vector>

#include "engine/templates/match_graph.h"
#include "engine/templates/report_item.h"

namespace zintra {

// The four counters of a score. Better means: more words matched; then more
// words matched with elements that are not of a wrong filler; then fewer
// expected words passed; then fewer wordless wrong elements passed.
struct Score {
    uint32_t matched = 0;
    uint32_t good = 0;
    uint32_t consumed = 1000000;  // 1,000,000: no path reaches the cell
    uint32_t wordless = 0;

    bool reachable() const { return consumed < 1000000; }
};

// A score packed so that a greater key is a better score: matched and good in
// the high bits, consumed and wordless counted down in the low ones. Key 0 is
// the cell that no path reaches.
using ScoreKey = uint64_t;
inline constexpr ScoreKey kUnreached = 0;
ScoreKey packScore(const Score& score);
Score unpackScore(ScoreKey key);

// How a cell was reached: the alternative used, as its index when the
// learner's word matched it and as ~index when its word is missing (the
// previous position is the alternative's own); kExtraLink when the
// learner's word was superfluous (position kept, previous row).
using AlignLink = int32_t;
inline constexpr AlignLink kExtraLink = INT32_MIN;

// The cells of one alignment, a column of rows per graph position: the
// scores and the back links in two arrays, so that the comparisons walk
// through keys only. Grown when a sentence and graph need more cells, never
// shrunk.
struct CellTable {
    std::vector<ScoreKey> keys;
    std::vector<AlignLink> links;
};

// One step of the alignment path.
struct PathEntry {
    const ExpectedElement* element = nullptr;  // none for an extra word
    AlternativeRef alternative;
    int32_t item = -1;      // the sentence item used; -1 for a missing word
    int32_t position = -1;  // for an extra word: the position it stands at
};

// Aligns the items (their comparison-word ids, sentinels included) with the
// graph. cells is grown when too small and never shrunk. Returns the score
// of the graph's end cell.
ScoreKey alignWithGraph(const PositionGraph& graph, const std::vector<int32_t>& wordIds, CellTable& cells);
// The same score without the back links, for comparing templates before the
// chosen one's path is read; rows are the items' rows by word id, keys is
// working memory (grown when too small).
class SentenceRows;
ScoreKey alignmentScore(const PositionGraph& graph, const std::vector<int32_t>& wordIds, const SentenceRows& rows,
                        std::vector<ScoreKey>& keys);

// The path of an alignment made by alignWithGraph with the same items, in
// sentence order; the sentinels are left out.
void alignmentPath(const PositionGraph& graph, size_t itemCount, const CellTable& cells, std::vector<PathEntry>& path);

}  // namespace zintra
