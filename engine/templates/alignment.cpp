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

namespace {

// The forward pass; with Links, the back link of every cell is kept as well.
// Both forms offer the same scores in the same order, so their keys agree.
template <bool Links>
ScoreKey forwardPass(const PositionGraph& graph, const std::vector<int32_t>& wordIds, std::vector<ScoreKey>& keyTable,
                     std::vector<AlignLink>* linkTable) {
    const size_t n = wordIds.size();  // rows 0..n
    const size_t rows = n + 1;
    const int32_t m = graph.lastPosition();
    if (m < 0 || n == 0) return kUnreached;
    const size_t needed = rows * static_cast<size_t>(m + 1);
    if (keyTable.size() < needed) keyTable.resize(needed);
    if constexpr (Links) {
        if (linkTable->size() < needed) linkTable->resize(needed);
    }
    std::fill_n(keyTable.begin(), needed, kUnreached);
    Score origin;
    origin.consumed = 0;
    keyTable[0] = packScore(origin);  // row 0, position 0

    const int32_t* ids = wordIds.data();
    ScoreKey* keys = keyTable.data();
    [[maybe_unused]] AlignLink* links = Links ? linkTable->data() : nullptr;
    for (int32_t p = 0; p < m; ++p) {
        const ScoreKey* from = keys + static_cast<size_t>(p) * rows;
        for (int32_t a = graph.firstAlternative(p), last = graph.firstAlternative(p + 1); a < last; ++a) {
            const Alternative& alt = graph.alternative(a);
            ScoreKey* into = keys + static_cast<size_t>(alt.target) * rows;
            const ExpectedElement* e = alt.element;
            const int32_t wordId = e ? e->wordId : kNoElementWordId;
            const uint64_t w = e && !e->word.empty() ? 1 : 0;
            const uint64_t g = e && e->kind != FillerKind::Wrong ? w : 0;
            const uint64_t z = e && e->kind == FillerKind::Wrong && e->word.empty() ? 1 : 0;
            // Counters move as key offsets (consumed and wordless count down).
            const uint64_t matchGain = (w << kMatchedShift) + (g << kGoodShift) - (w << kConsumedShift);
            const uint64_t missCost = (w << kConsumedShift) + z;
            // Row by row, cell (i + 1) of the target column is offered, in
            // this order: the learner's word i as the expected word, the
            // expected word as missing, and word i as superfluous (carrying
            // cell i's score down the column). Written without branches where
            // the outcome is hard to predict; the carried score stays in a
            // register.
            ScoreKey carry = into[0];
            if constexpr (Links) {
                AlignLink* intoLinks = links + static_cast<size_t>(alt.target) * rows;
                for (size_t i = 0; i < n; ++i) {
                    ScoreKey best = into[i + 1];
                    AlignLink link = intoLinks[i + 1];
                    if (ids[i] == wordId && from[i] != kUnreached && from[i] + matchGain > best) {
                        best = from[i] + matchGain;
                        link = a;
                    }
                    const ScoreKey missing = from[i + 1] != kUnreached ? from[i + 1] - missCost : kUnreached;
                    link = missing > best ? ~a : link;
                    best = missing > best ? missing : best;
                    link = carry > best ? kExtraLink : link;
                    best = carry > best ? carry : best;
                    into[i + 1] = best;
                    intoLinks[i + 1] = link;
                    carry = best;
                }
            } else {
                for (size_t i = 0; i < n; ++i) {
                    ScoreKey best = into[i + 1];
                    if (ids[i] == wordId && from[i] != kUnreached && from[i] + matchGain > best)
                        best = from[i] + matchGain;
                    const ScoreKey missing = from[i + 1] != kUnreached ? from[i + 1] - missCost : kUnreached;
                    best = missing > best ? missing : best;
                    best = carry > best ? carry : best;
                    into[i + 1] = best;
                    carry = best;
                }
            }
        }
    }
    return keys[n + static_cast<size_t>(m) * rows];
}

}  // namespace

ScoreKey alignWithGraph(const PositionGraph& graph, const std::vector<int32_t>& wordIds, CellTable& cells) {
    return forwardPass<true>(graph, wordIds, cells.keys, &cells.links);
}

ScoreKey alignmentScore(const PositionGraph& graph, const std::vector<int32_t>& wordIds, std::vector<ScoreKey>& keys) {
    return forwardPass<false>(graph, wordIds, keys, nullptr);
}

void alignmentPath(const PositionGraph& graph, size_t itemCount, const CellTable& cells, std::vector<PathEntry>& path) {
    path.clear();
    const size_t rows = itemCount + 1;
    int32_t row = static_cast<int32_t>(itemCount);
    int32_t position = graph.lastPosition();
    const int32_t lastItem = static_cast<int32_t>(itemCount) - 1;
    while (row > 1 || position > 1) {
        const size_t index = static_cast<size_t>(row) + static_cast<size_t>(position) * rows;
        if (cells.keys[index] == kUnreached) break;
        const AlignLink link = cells.links[index];
        PathEntry entry;
        if (link == kExtraLink) {
            entry.item = row - 1;
            entry.position = position;
            --row;
        } else {
            int32_t a = link >= 0 ? link : ~link;
            entry.element = graph.alternative(a).element;
            entry.alternative = {graph.source(a), a};
            if (link >= 0) {
                entry.item = row - 1;
                --row;
            }
            position = graph.source(a);
        }
        bool sentinel = entry.element == &sentinelElement() || entry.item == 0 || entry.item == lastItem;
        if (!sentinel && (entry.element || entry.item >= 0)) path.push_back(entry);
        if (row < 1 || position < 0) break;
    }
    std::reverse(path.begin(), path.end());
}

}  // namespace zintra
