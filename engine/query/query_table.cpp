#include "engine/query/query_table.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <sstream>

namespace zintra {

namespace {

constexpr std::string_view kSelect = "SELECT";
constexpr std::string_view kWhere = "WHERE";

bool isDelimiter(unsigned char c) {
    return c <= 32 || c == ',' || c == ';' || c == '(' || c == ')' || c == '<' || c == '>';
}

bool nameLess(const Binding& a, const Binding& b) { return a.name < b.name; }

}  // namespace

size_t variableEnd(std::string_view text, size_t start) {
    size_t end = start + 1;
    while (end < text.size() && !isDelimiter(static_cast<unsigned char>(text[end]))) ++end;
    return end;
}

int32_t variableHash(std::string_view name) {
    uint32_t h = 0;
    for (unsigned char c : name) h = ((h << 1) | (h >> 31)) ^ c;
    return static_cast<int32_t>(h);
}

QueryEntry::QueryEntry(std::string queryText) : text(std::move(queryText)) {
    size_t where = text.find(kWhere);
    if (where == std::string::npos) return;
    for (size_t p = text.find('$', where); p != std::string::npos; p = text.find('$', variableEnd(text, p))) {
        positions.push_back(p);
        names.emplace_back(text.substr(p, variableEnd(text, p) - p));
    }
    std::sort(names.begin(), names.end());
}

std::string QueryEntry::fill(const std::vector<Binding>& sortedBindings) const {
    std::string out;
    size_t copied = 0;
    for (size_t p : positions) {
        out.append(text, copied, p - copied);
        size_t end = variableEnd(text, p);
        std::string_view name(text.data() + p, end - p);
        auto it = std::lower_bound(sortedBindings.begin(), sortedBindings.end(), name,
                                   [](const Binding& b, std::string_view n) { return b.name < n; });
        if (it != sortedBindings.end() && it->name == name) {
            out += '"';
            out += it->value;
            out += '"';
        }
        copied = end;
    }
    out.append(text, copied, std::string::npos);
    return out;
}

QueryTable::QueryTable() : buckets_(kBuckets) {}

size_t QueryTable::bucketOf(const std::vector<std::string>& names) {
    // The sum of the names' hashes, taken as a signed value; a negative sum
    // still lands in a bucket.
    int64_t sum = 0;
    for (const std::string& n : names) sum += variableHash(n);
    int64_t b = sum % static_cast<int64_t>(kBuckets);
    return static_cast<size_t>(b < 0 ? b + static_cast<int64_t>(kBuckets) : b);
}

bool QueryTable::add(std::string queryText) {
    auto entry = std::make_unique<QueryEntry>(std::move(queryText));
    if (entry->names.size() > kMaxVariables) return false;
    if (find(entry->names)) return false;
    buckets_[bucketOf(entry->names)].push_back(std::move(entry));
    ++count_;
    return true;
}

void QueryTable::load(std::string_view text) {
    size_t start = text.find(kSelect);
    while (start != std::string_view::npos) {
        size_t next = text.find(kSelect, start + kSelect.size());
        std::string_view query =
            text.substr(start, next == std::string_view::npos ? text.size() - start : next - start);
        while (!query.empty() && static_cast<unsigned char>(query.back()) >= 1 &&
               static_cast<unsigned char>(query.back()) <= 32) {
            query.remove_suffix(1);
        }
        add(std::string(query));
        start = next;
    }
}

bool QueryTable::loadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    std::ostringstream text;
    text << in.rdbuf();
    if (in.bad()) return false;
    load(text.str());
    return true;
}

const QueryEntry* QueryTable::find(const std::vector<std::string>& sortedNames) const {
    for (const auto& entry : buckets_[bucketOf(sortedNames)]) {
        if (entry->names == sortedNames) return entry.get();
    }
    return nullptr;
}

std::string QueryTable::fill(std::vector<Binding> bindings) const {
    // The first binding of a name wins; later ones are dropped.
    std::vector<Binding> kept;
    for (Binding& b : bindings) {
        bool seen = std::any_of(kept.begin(), kept.end(), [&](const Binding& k) { return k.name == b.name; });
        if (!seen) kept.push_back(std::move(b));
    }
    std::stable_sort(kept.begin(), kept.end(), nameLess);
    std::vector<std::string> names;
    names.reserve(kept.size());
    for (const Binding& b : kept) names.push_back(b.name);
    const QueryEntry* entry = find(names);
    if (!entry) return {};
    return entry->fill(kept);
}

}  // namespace zintra
