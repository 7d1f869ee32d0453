// The built tables of a grammar: the action lists keyed by (state, symbol),
// and the builder that makes them from the grammar's rules.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "engine/grammar/grammar.h"

namespace zintra {

struct LrTables {
    // Open addressing over (state, symbol) keys; a slot's key is
    // state * symbolCount + symbol + 1, 0 marking an empty slot.
    struct Slot {
        uint64_t key = 0;
        uint32_t offset = 0;
        uint32_t count = 0;
    };

    int states = 0;
    int symbols = 0;
    long entryCount = 0;
    std::vector<ActionEntry> entries;
    std::vector<Slot> slots;  // size a power of two
    uint64_t mask = 0;

    const Slot* find(int state, int symbol) const {
        if (slots.empty() || symbol < 0 || symbol >= symbols || state < 0) return nullptr;
        uint64_t key = static_cast<uint64_t>(state) * static_cast<uint64_t>(symbols) + static_cast<uint64_t>(symbol) + 1;
        for (uint64_t i = hash(key) & mask;; i = (i + 1) & mask) {
            const Slot& s = slots[i];
            if (s.key == key) return &s;
            if (s.key == 0) return nullptr;
        }
    }
    static uint64_t hash(uint64_t k) {
        k ^= k >> 33;
        k *= 0xff51afd7ed558ccdULL;
        k ^= k >> 33;
        return k;
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
