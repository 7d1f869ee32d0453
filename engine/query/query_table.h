// RDQL-style query texts chosen by the variables a sentence binds: the
// query file cut into entries, the table keyed by each entry's variable
// list, and the filling-in of bound values.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace zintra {

// A variable name and the text bound to it.
struct Binding {
    std::string name;  // with its "$"
    std::string value;
};

// The end of a variable name that starts at text[start] (its "$"): the first
// byte 0 to 32 or one of , ; ( ) < >, or the end of the text.
size_t variableEnd(std::string_view text, size_t start);

// The name hash: h = rotate-left(h, 1) XOR byte over the name's bytes.
int32_t variableHash(std::string_view name);

// One query text and its variables: every "$" after the first "WHERE", in
// text order (positions) and sorted by name (names).
struct QueryEntry {
    std::string text;
    std::vector<size_t> positions;   // offsets of the "$" of each variable
    std::vector<std::string> names;  // sorted

    explicit QueryEntry(std::string queryText);
    // The text with each variable replaced by its bound value in double
    // quotes (an unbound one by nothing); other bytes are copied.
    std::string fill(const std::vector<Binding>& sortedBindings) const;
};

class QueryTable {
  public:
    static constexpr size_t kBuckets = 97;
    // Longer variable lists are not entered.
    static constexpr size_t kMaxVariables = 200;

    QueryTable();

    // Cuts text into queries: each from one "SELECT" to the next, trailing
    // bytes 1 to 32 removed; text before the first "SELECT" is ignored.
    void load(std::string_view text);
    // Reads and loads a whole file; false (table unchanged) when it cannot be read.
    bool loadFile(const std::string& path);

    // Enters one query; false when an entry with the same variables exists
    // (the first one stays) or its list is too long.
    bool add(std::string queryText);

    size_t size() const { return count_; }
    bool empty() const { return count_ == 0; }

    // The entry whose sorted variable names equal names exactly; null when none.
    const QueryEntry* find(const std::vector<std::string>& sortedNames) const;

    // Selects by the bound names and fills in; empty when no query fits.
    // A binding whose name was bound before is dropped first.
    std::string fill(std::vector<Binding> bindings) const;

  private:
    static size_t bucketOf(const std::vector<std::string>& names);
    std::vector<std::vector<std::unique_ptr<QueryEntry>>> buckets_;
    size_t count_ = 0;
};

}  // namespace zintra
