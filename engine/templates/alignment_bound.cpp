#include "engine/templates/alignment_bound.h"

#include <algorithm>
#include <array>
#include <bit>

namespace zintra {

namespace {

// kStride zero bytes, then kStride set ones: from offset kStride - k, the
// mask of the rows k and later.
constexpr auto kRowsFrom = [] {
    std::array<uint8_t, 2 * BoundTable::kStride> mask{};
    for (size_t r = BoundTable::kStride; r < mask.size(); ++r) mask[r] = 0xFF;
    return mask;
}();

}  // namespace

void SentenceRows::set(const std::vector<int32_t>& wordIds, size_t vocabularySize) {
    for (int32_t id : touched_) masks_[static_cast<size_t>(id)] = 0;
    touched_.clear();
    sentinelRows_ = 0;
    usable_ = wordIds.size() <= kMaxItems;
    if (!usable_) return;
    if (masks_.size() < vocabularySize) masks_.resize(vocabularySize, 0);
    for (size_t i = 0; i < wordIds.size(); ++i) {
        const int32_t id = wordIds[i];
        const uint64_t bit = uint64_t{1} << i;
        if (id == kSentinelWordId) {
            sentinelRows_ |= bit;
        } else if (id >= 0 && static_cast<size_t>(id) < vocabularySize) {
            uint64_t& mask = masks_[static_cast<size_t>(id)];
            if (mask == 0) touched_.push_back(id);
            mask |= bit;
        }
    }
}

// The alignment's cells hold only the matched count here, 0 for a cell that
// no path reaches and count + 1 otherwise; the transitions are the alignment's
// own (a match, a missing expected word, a superfluous word). Missing words
// cost nothing in this count, so every column reached from a column is at
// least as high row by row, and superfluous words carry a count down a
// column for free: each column is non-decreasing from row 1 on. A column is
// therefore the row-wise maximum of its sources' columns, raised at the rows
// where a word matches, each raise carried down until a higher count.
int32_t mostMatchedWords(const PositionGraph& graph, const std::vector<int32_t>& wordIds, const SentenceRows& rows,
                         BoundTable& table) {
    constexpr size_t kStride = BoundTable::kStride;
    const size_t n = wordIds.size();
    const int32_t m = graph.lastPosition();
    if (m < 0 || n == 0) return -1;
    if (!rows.usable() || n + 1 > kStride) return kNoBound;
    const size_t needed = kStride * static_cast<size_t>(m + 1);
    if (table.columns.size() < needed) table.columns.resize(needed);
    uint8_t* columns = table.columns.data();
    std::fill_n(columns, needed, uint8_t{0});
    columns[0] = 1;  // the origin: row 0 of position 0, nothing matched

    for (int32_t p = 0; p < m; ++p) {
        const uint8_t* __restrict from = columns + static_cast<size_t>(p) * kStride;
        for (int32_t a = graph.firstAlternative(p), last = graph.firstAlternative(p + 1); a < last; ++a) {
            const Alternative& alt = graph.alternative(a);
            uint8_t* __restrict into = columns + static_cast<size_t>(alt.target) * kStride;
            // Missing words: rows 1..n. Position 0 holds only its origin cell
            // (its other rows are never reached), which has no missing offer.
            if (p > 0)
                for (size_t r = 0; r < kStride; ++r) into[r] = std::max(into[r], from[r]);
            const ExpectedElement* e = alt.element;
            if (!e) continue;
            const uint8_t w = e->word.empty() ? 0 : 1;
            for (uint64_t bits = rows.rowsOf(e->wordId); bits; bits &= bits - 1) {
                const size_t i = static_cast<size_t>(std::countr_zero(bits));
                if (from[i] == 0) continue;
                // The raise of row i + 1 carried down: rows i + 1 and later
                // (the rows past n are never read).
                const uint8_t raised = static_cast<uint8_t>(from[i] + w);
                const uint8_t* __restrict below = kRowsFrom.data() + kStride - (i + 1);
                for (size_t r = 0; r < kStride; ++r)
                    into[r] = std::max(into[r], static_cast<uint8_t>(below[r] & raised));
            }
        }
    }
    const uint8_t end = columns[static_cast<size_t>(m) * kStride + n];
    return end == 0 ? -1 : end - 1;
}

}  // namespace zintra
