#include "engine/grammar/table_image.h"

#include <algorithm>
#include <vector>

#include "engine/grammar/lr_tables.h"

namespace zintra {

namespace {

// The counts that open the body, so that every later section's size is
// known (and checked against the file) before it is read.
struct Counts {
    uint32_t rules;
    uint32_t symbols;
    uint32_t states;
    uint32_t rows;
    uint64_t entries;
};

// Whether tables are well formed for a grammar of the given size: every
// index in range, the rows' offsets ascending to the end of the entries,
// each state's rows ascending by symbol. Written as plain reductions over
// the arrays, which the compiler turns into vector code.
bool wellFormed(const LrTables& t, int rules, int symbols) {
    int32_t highest = 0, lowest = 0;
    for (ActionEntry e : t.entries) {
        highest = std::max(highest, e.code);
        lowest = std::min(lowest, e.code);
    }
    if (highest >= t.states || -1 - static_cast<int64_t>(lowest) >= rules) return false;
    if (t.rows.empty() || t.rows.back().offset != t.entries.size()) return false;
    size_t rowCount = t.rows.size() - 1;  // the last row only ends the entries
    bool ok = true;
    for (size_t r = 0; r < rowCount; ++r)
        ok &= t.rows[r].symbol >= 0 && t.rows[r].symbol < symbols && t.rows[r].offset <= t.rows[r + 1].offset;
    for (int s = 0; s < t.states && ok; ++s) {
        ok = t.rowBegin[s] <= t.rowEnd[s] && t.rowEnd[s] <= rowCount;
        for (uint32_t r = t.rowBegin[s] + 1; r < t.rowEnd[s] && ok; ++r) ok = t.rows[r - 1].symbol < t.rows[r].symbol;
    }
    return ok;
}

}  // namespace

bool TableImage::load(const Grammar& grammar, LrTables& tables) const {
    ImageFile::Reader reader = file_.open();
    Counts c{};
    bool ok = reader.ok() && reader.take(&c, sizeof c) && c.rules == static_cast<uint32_t>(grammar.ruleCount()) &&
              c.symbols == static_cast<uint32_t>(grammar.symbolCount()) && c.states >= 1 &&
              c.states <= static_cast<uint32_t>(LrLimits{}.maxStates);
    ok = ok && take(reader, tables.entries, c.entries) && take(reader, tables.rows, c.rows) &&
         take(reader, tables.rowBegin, c.states) && take(reader, tables.rowEnd, c.states) && reader.finish();
    if (!ok) return false;
    tables.states = static_cast<int>(c.states);
    tables.entryCount = static_cast<long>(c.entries);
    return wellFormed(tables, grammar.ruleCount(), grammar.symbolCount());
}

bool TableImage::store(const Grammar& grammar, const LrTables& tables) const {
    size_t states = static_cast<size_t>(tables.states);
    if (!enabled() || tables.rowBegin.size() != states || tables.rowEnd.size() != states) return false;
    Counts c{static_cast<uint32_t>(grammar.ruleCount()), static_cast<uint32_t>(grammar.symbolCount()),
             static_cast<uint32_t>(states), static_cast<uint32_t>(tables.rows.size()), tables.entries.size()};
    return file_.write({std::string_view(reinterpret_cast<const char*>(&c), sizeof c), bytesOf(tables.entries),
                        bytesOf(tables.rows), bytesOf(tables.rowBegin), bytesOf(tables.rowEnd)});
}

}  // namespace zintra
