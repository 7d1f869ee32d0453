#include "engine/text/string_pool.h"

#include "engine/text/token.h"

namespace zintra {

namespace {

struct SingleCharacters {
    char text[256][2];
};

constexpr SingleCharacters makeSingles() {
    SingleCharacters table{};
    for (int c = 0; c < 256; ++c) {
        table.text[c][0] = static_cast<char>(c);
        table.text[c][1] = '\0';
    }
    return table;
}

// Built at compile time, so tokens made during static initialisation of
// other files already see the empty word.
constexpr SingleCharacters kSingles = makeSingles();

}  // namespace

const char* const kEmptyWord = kSingles.text[0];

StringPool::StringPool(Arena& arena, size_t buckets) : table_(arena, buckets) {}

const char* StringPool::single(unsigned char c) { return kSingles.text[c]; }

const char* StringPool::intern(std::string_view text) {
    if (text.size() <= 1) return single(text.empty() ? 0 : static_cast<unsigned char>(text[0]));
    return table_.insert(text)->key;
}

const char* StringPool::find(std::string_view text) const {
    if (text.size() <= 1) return single(text.empty() ? 0 : static_cast<unsigned char>(text[0]));
    const StringTable::Entry* e = table_.find(text);
    return e ? e->key : nullptr;
}

}  // namespace zintra
