#include "engine/templates/alignment.h"

#include "engine/templates/alignment_bound.h"

#include <algorithm>
#include <bit>

namespace zintra {

namespace {

// Field layout of a key: matched 12 bits, good 12 bits, then consumed and
// wordless as 20-bit counts down from kCountMax.
constexpr int kMatchedShift = 52;
constexpr int kGoodShift = 40;
constexpr int kConsumedShift = 20;
constexpr uint64_t kCountMax = (uint64_t{1} << 20) - 1;
constexpr uint64_t kSmallMax = (uint64_t{1} << 12) - 1;

// What one alternative's element adds to a score: the key offsets of a match
// and of the expected word missing.
struct Offsets {
    int32_t wordId;
    uint64_t matchGain;
    uint64_t missCost;
};

Offsets offsetsOf(const ExpectedElement* e) {
    const uint64_t w = e && !e->word.empty() ? 1 : 0;
    const uint64_t g = e && e->kind != FillerKind::Wrong ? w : 0;
    const uint64_t z = e && e->kind == FillerKind::Wrong && e->word.empty() ? 1 : 0;
    // Counters move as key offsets (consumed and wordless count down).
    return {e ? e->wordId : kNoElementWordId, (w << kMatchedShift) + (g << kGoodShift) - (w << kConsumedShift),
            (w << kConsumedShift) + z};
}

// Whether alternative a is the first of position p's alternatives into its target.
bool firstInto(const PositionGraph& graph, int32_t p, int32_t a) {
    const int32_t target = graph.alternative(a).target;
    for (int32_t b = graph.firstAlternative(p); b < a; ++b)
        if (graph.alternative(b).target == target) return false;
    return true;
}

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

ScoreKey alignWithGraph(const PositionGraph& graph, const std::vector<int32_t>& wordIds, CellTable& cells) {
    const size_t n = wordIds.size();  // rows 0..n
    const size_t rows = n + 1;
    const int32_t m = graph.lastPosition();
    if (m < 0 || n == 0) return kUnreached;
    const size_t needed = rows * static_cast<size_t>(m + 1);
    if (cells.keys.size() < needed) {
        cells.keys.resize(needed);
        cells.links.resize(needed);
    }
    std::fill_n(cells.keys.begin(), needed, kUnreached);
    Score origin;
    origin.consumed = 0;
    cells.keys[0] = packScore(origin);  // row 0, position 0

    const int32_t* ids = wordIds.data();
    ScoreKey* keys = cells.keys.data();
    AlignLink* links = cells.links.data();
    for (int32_t p = 0; p < m; ++p) {
        const ScoreKey* from = keys + static_cast<size_t>(p) * rows;
        for (int32_t a = graph.firstAlternative(p), last = graph.firstAlternative(p + 1); a < last; ++a) {
            const Alternative& alt = graph.alternative(a);
            ScoreKey* into = keys + static_cast<size_t>(alt.target) * rows;
            AlignLink* intoLinks = links + static_cast<size_t>(alt.target) * rows;
            const Offsets o = offsetsOf(alt.element);
            // Row by row, cell (i + 1) of the target column is offered, in
            // this order: the learner's word i as the expected word, the
            // expected word as missing, and word i as superfluous (carrying
            // cell i's score down the column). Written without branches where
            // the outcome is hard to predict; the carried score stays in a
            // register. The order decides between equal scores, and so the path.
            ScoreKey carry = into[0];
            for (size_t i = 0; i < n; ++i) {
                ScoreKey best = into[i + 1];
                AlignLink link = intoLinks[i + 1];
                if (ids[i] == o.wordId && from[i] != kUnreached && from[i] + o.matchGain > best) {
                    best = from[i] + o.matchGain;
                    link = a;
                }
                const ScoreKey missing = from[i + 1] != kUnreached ? from[i + 1] - o.missCost : kUnreached;
                link = missing > best ? ~a : link;
                best = missing > best ? missing : best;
                link = carry > best ? kExtraLink : link;
                best = carry > best ? carry : best;
                into[i + 1] = best;
                intoLinks[i + 1] = link;
                carry = best;
            }
        }
    }
    return keys[n + static_cast<size_t>(m) * rows];
}

ScoreKey alignmentScore(const PositionGraph& graph, const std::vector<int32_t>& wordIds,
                        const SentenceRows& sentenceRows, std::vector<ScoreKey>& keyTable) {
    const size_t n = wordIds.size();
    const size_t rows = n + 1;
    const int32_t m = graph.lastPosition();
    if (m < 0 || n == 0) return kUnreached;
    const size_t needed = rows * static_cast<size_t>(m + 1);
    if (keyTable.size() < needed) keyTable.resize(needed);
    std::fill_n(keyTable.begin(), needed, kUnreached);
    Score origin;
    origin.consumed = 0;
    keyTable[0] = packScore(origin);

    // Only the best score of each cell counts here, not which offer gave it,
    // so the offers are taken in whatever order is quickest: a superfluous
    // word carries a score down its column at no cost, so a column is made
    // of the offers of its sources and then carried down once (rows 1..n;
    // row 0 is reached only at position 0), before it becomes a source.
    ScoreKey* keys = keyTable.data();
    auto carryDown = [&](ScoreKey* column) {
        for (size_t r = 2; r <= n; ++r) column[r] = std::max(column[r], column[r - 1]);
    };
    for (int32_t p = 0; p < m; ++p) {
        ScoreKey* from = keys + static_cast<size_t>(p) * rows;
        if (p > 0) carryDown(from);
        for (int32_t a = graph.firstAlternative(p), last = graph.firstAlternative(p + 1); a < last; ++a) {
            const Alternative& alt = graph.alternative(a);
            ScoreKey* __restrict into = keys + static_cast<size_t>(alt.target) * rows;
            const Offsets o = offsetsOf(alt.element);
            // The expected word missing (position 0 has no reached row to miss
            // it from). Alternatives of one position into one target offer the
            // same column less their costs: the first of them offers it once,
            // less the least cost.
            if (p > 0 && firstInto(graph, p, a)) {
                uint64_t cost = o.missCost;
                for (int32_t b = a + 1; b < last; ++b)
                    if (graph.alternative(b).target == alt.target)
                        cost = std::min(cost, offsetsOf(graph.alternative(b).element).missCost);
                for (size_t r = 1; r <= n; ++r) {
                    const ScoreKey missing = from[r] != kUnreached ? from[r] - cost : kUnreached;
                    into[r] = std::max(into[r], missing);
                }
            }
            // The learner's word i as the expected word.
            auto offerMatch = [&](size_t i) {
                if (from[i] != kUnreached) into[i + 1] = std::max(into[i + 1], from[i] + o.matchGain);
            };
            if (sentenceRows.usable()) {
                for (uint64_t bits = sentenceRows.rowsOf(o.wordId); bits; bits &= bits - 1)
                    offerMatch(static_cast<size_t>(std::countr_zero(bits)));
            } else {
                for (size_t i = 0; i < n; ++i)
                    if (wordIds[i] == o.wordId) offerMatch(i);
            }
        }
    }
    ScoreKey* end = keys + static_cast<size_t>(m) * rows;
    if (m > 0) carryDown(end);
    return end[n];
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
