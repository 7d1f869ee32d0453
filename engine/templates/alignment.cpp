#include "engine/templates/alignment.h"

#include <algorithm>

namespace zintra {

namespace {

// Field layout of a key: matched 12 bits, good 12 bits, then consumed and
// wordless as 20-bit counts down from kCountMax.
constexpr int kMatchedShift = 52;
constexpr int kGoodShift = 40;
constexpr int kConsumedShift = 20;
constexpr uint64_t kCountMax = (uint64_t{1} << 20) - 1;
constexpr uint64_t kSmallMax = (uint64_t{1} << 12) - 1;

}  // namespace

ScoreKey packScore(const Score& score) {
    if (!score.reachable()) return kUnreached;
    return (std::min<uint64_t>(score.matched, kSmallMax) << kMatchedShift) |
           (std::min<uint64_t>(score.good, kSmallMax) << kGoodShift) |
           ((kCountMax - std::min<uint64_t>(score.consumed, kCountMax)) << kConsumedShift) |
           (kCountMax - std::min<uint64_t>(score.wordless, kCountMax));
}

Score unpackScore(ScoreKey key) {
    Score score;
    if (key == kUnreached) return score;
    score.matched = static_cast<uint32_t>(key >> kMatchedShift);
    score.good = static_cast<uint32_t>((key >> kGoodShift) & kSmallMax);
    score.consumed = static_cast<uint32_t>(kCountMax - ((key >> kConsumedShift) & kCountMax));
    score.wordless = static_cast<uint32_t>(kCountMax - (key & kCountMax));
    return score;
}

ScoreKey alignWithGraph(const PositionGraph& graph, const std::vector<int32_t>& wordIds,
                        std::vector<AlignCell>& cells) {
    const size_t n = wordIds.size();  // rows 0..n
    const size_t rows = n + 1;
    const int32_t m = graph.lastPosition();
    if (m < 0 || n == 0) return kUnreached;
    const size_t needed = rows * static_cast<size_t>(m + 1);
    if (cells.size() < needed) cells.resize(needed);
    std::fill_n(cells.begin(), needed, AlignCell{kUnreached, -1, -1});
    Score origin;
    origin.consumed = 0;
    cells[0].key = packScore(origin);  // row 0, position 0

    const int32_t* ids = wordIds.data();
    for (int32_t p = 0; p < m; ++p) {
        AlignCell* from = &cells[static_cast<size_t>(p) * rows];
        for (int32_t a = graph.firstAlternative(p), last = graph.firstAlternative(p + 1); a < last; ++a) {
            const Alternative& alt = graph.alternative(a);
            AlignCell* into = &cells[static_cast<size_t>(alt.target) * rows];
            const ExpectedElement* e = alt.element;
            const int32_t wordId = e ? e->wordId : kNoElementWordId;
            const uint64_t w = e && !e->word.empty() ? 1 : 0;
            const uint64_t g = e && e->kind != FillerKind::Wrong ? w : 0;
            const uint64_t z = e && e->kind == FillerKind::Wrong && e->word.empty() ? 1 : 0;
            // Counters move as key offsets (consumed and wordless count down).
            const uint64_t matchGain = (w << kMatchedShift) + (g << kGoodShift) - (w << kConsumedShift);
            const uint64_t missCost = (w << kConsumedShift) + z;
            for (size_t i = 0; i < n; ++i) {
                AlignCell& target = into[i + 1];
                // The learner's word i is the expected word.
                if (ids[i] == wordId && from[i].key != kUnreached) {
                    ScoreKey key = from[i].key + matchGain;
                    if (key > target.key) target = {key, p, a};
                }
                // The expected word is missing.
                if (from[i + 1].key != kUnreached) {
                    ScoreKey key = from[i + 1].key - missCost;
                    if (key > target.key) target = {key, p, ~a};
                }
                // The learner's word i is not wanted here.
                if (into[i].key > target.key) target = {into[i].key, -1, -1};
            }
        }
    }
    return cells[n + static_cast<size_t>(m) * rows].key;
}

void alignmentPath(const PositionGraph& graph, size_t itemCount, const std::vector<AlignCell>& cells,
                   std::vector<PathEntry>& path) {
    path.clear();
    const size_t rows = itemCount + 1;
    int32_t row = static_cast<int32_t>(itemCount);
    int32_t position = graph.lastPosition();
    const int32_t lastItem = static_cast<int32_t>(itemCount) - 1;
    while (row > 1 || position > 1) {
        const AlignCell& cell = cells[static_cast<size_t>(row) + static_cast<size_t>(position) * rows];
        if (cell.key == kUnreached) break;
        PathEntry entry;
        if (cell.position < 0) {  // an extra word
            entry.item = row - 1;
            entry.position = position;
            --row;
        } else {
            int32_t a = cell.alternative >= 0 ? cell.alternative : ~cell.alternative;
            entry.element = graph.alternative(a).element;
            entry.alternative = {cell.position, a};
            if (cell.alternative >= 0) {
                entry.item = row - 1;
                --row;
            }
            position = cell.position;
        }
        bool sentinel = entry.element == &sentinelElement() || entry.item == 0 || entry.item == lastItem;
        if (!sentinel && (entry.element || entry.item >= 0)) path.push_back(entry);
        if (row < 1 || position < 0) break;
    }
    std::reverse(path.begin(), path.end());
}

}  // namespace zintra
