// The built tables of a grammar: for each state, its action lists keyed by
// symbol (the gotos are the shifts on non-terminals), and the builder that
// makes them from the grammar's rules.
#pragma once

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "engine/grammar/grammar.h"

namespace zintra {

struct LrTables {
    // One action list: entries[offset, the next row's offset). The rows are
    // in the order of their entries, and a last row (of no state) holds the
    // end of the entries.
    struct Row {
        int32_t symbol;
        uint32_t offset;
    };

    int states = 0;
    long entryCount = 0;
    std::vector<ActionEntry> entries;
    // The rows of state s are rows[rowBegin[s], rowEnd[s]), by ascending symbol.
    std::vector<Row> rows;
    std::vector<uint32_t> rowBegin, rowEnd;

    static uint32_t count(const Row* row) { return row[1].offset - row[0].offset; }

    const Row* find(int state, int symbol) const {
        if (state < 0 || state >= states) return nullptr;
        const Row* first = rows.data() + rowBegin[state];
        const Row* last = rows.data() + rowEnd[state];
        const Row* at = std::lower_bound(first, last, symbol, [](const Row& r, int s) { return r.symbol < s; });
        return at != last && at->symbol == symbol ? at : nullptr;
    }
};

// Limits that keep a hostile or absurd grammar from exhausting memory.
struct LrLimits {
    long maxStates = 400000;
    long maxLookAheadWords = 16L * 1024 * 1024;  // 64-bit words of look-ahead sets held
    long maxEntries = 32L * 1024 * 1024;
};

// Builds the canonical LR(1) tables of grammar (whose start rules exist).
// False with a reason when a limit is passed.
bool buildLrTables(const Grammar& grammar, LrTables& tables, const LrLimits& limits, std::string* error);

}  // namespace zintra
