#include "engine/grammar/table_image.h"

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

template <class T>
std::string_view bytesOf(const std::vector<T>& items) {
    return {reinterpret_cast<const char*>(items.data()), items.size() * sizeof(T)};
}

template <class T>
bool take(ImageFile::Reader& reader, std::vector<T>& items, uint64_t count) {
    if (count > reader.remaining() / sizeof(T)) return false;
    items.resize(count);
    return reader.take(items.data(), count * sizeof(T));
}

// Whether tables are well formed for a grammar of the given size: every
// index in range, each state's rows ascending by symbol.
bool wellFormed(const LrTables& t, int rules, int symbols) {
    for (ActionEntry e : t.entries)
        if (e.isShift() ? e.target() >= t.states : e.rule() >= rules) return false;
    for (const LrTables::Row& row : t.rows)
        if (row.symbol < 0 || row.symbol >= symbols || row.offset > t.entries.size() ||
            row.count > t.entries.size() - row.offset)
            return false;
    for (int s = 0; s < t.states; ++s) {
        if (t.rowBegin[s] > t.rowEnd[s] || t.rowEnd[s] > t.rows.size()) return false;
        for (uint32_t r = t.rowBegin[s] + 1; r < t.rowEnd[s]; ++r)
            if (t.rows[r - 1].symbol >= t.rows[r].symbol) return false;
    }
    return true;
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
