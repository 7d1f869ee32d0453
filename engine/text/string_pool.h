// Interning of strings: every distinct string of one pool is stored once, so
// two interned strings of the same pool are equal exactly when they are the
// same pointer. Strings of one character (and the empty string) come from a
// fixed process-wide table and are therefore shared by all pools.
#pragma once

#include <string_view>

#include "engine/text/string_table.h"

namespace zintra {

class StringPool {
  public:
    explicit StringPool(Arena& arena, size_t buckets = StringTable::kDefaultBuckets);

    // The pool's copy of text, entered when new.
    const char* intern(std::string_view text);
    // The pool's copy of text, or null when it was never interned. Does not
    // change the pool, so it is safe on a pool that is shared read-only.
    const char* find(std::string_view text) const;

    // The process-wide string of the one character c ("" for c == 0).
    static const char* single(unsigned char c);

    size_t size() const { return table_.size(); }

  private:
    StringTable table_;
};

}  // namespace zintra
