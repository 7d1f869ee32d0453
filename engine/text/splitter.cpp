#include "engine/text/splitter.h"

#include <cstring>

#include "engine/config/config.h"
#include "engine/text/lexicon.h"
#include "engine/text/string_pool.h"
#include "engine/text/string_table.h"

namespace zintra {

namespace {

bool isBlank(unsigned char c) { return c >= 1 && c <= 32; }
bool isLetter(unsigned char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool isDigit(unsigned char c) { return c >= '0' && c <= '9'; }
bool isHex(unsigned char c) { return isDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'); }

bool endsWith(std::string_view word, std::string_view tail) {
    return word.size() >= tail.size() && word.substr(word.size() - tail.size()) == tail;
}

// The non-empty keys of a table in its iteration order. An empty entry would
// match everywhere with length 0, so it takes no part in splitting.
std::vector<std::string_view> keysOf(const StringTable* table) {
    std::vector<std::string_view> keys;
    table->forEach([&](const StringTable::Entry& e) {
        if (e.length > 0) keys.push_back(e.keyView());
    });
    return keys;
}

// Length of the numeric character reference at p ("&#123;" or "&#x1F;"), or 0.
size_t numericReference(const char* p) {
    const auto* u = reinterpret_cast<const unsigned char*>(p);
    if (u[0] != '&' || u[1] != '#') return 0;
    size_t i = 2;
    bool hex = u[2] == 'x';
    if (hex) ++i;
    size_t digits = i;
    while (hex ? isHex(u[i]) : isDigit(u[i])) ++i;
    if (i == digits || u[i] != ';') return 0;
    return i + 1;
}

}  // namespace

StringTable* makeListTable(const ConfigList& list, size_t buckets, Arena& arena, StringPool& pool) {
    StringTable* table = StringTable::create(arena, buckets);
    for (const auto& [text, number] : list.entries()) {
        const char* stored = pool.intern(text);
        bool added = false;
        StringTable::Entry* e = table->insertStored(stored, text.size(), &added);
        if (added) e->number = number;
    }
    return table;
}

Splitter::Splitter() {
    std::memset(oneSymbol_, 0, sizeof oneSymbol_);
    std::memset(twoFirst_, 0, sizeof twoFirst_);
    std::memset(delTailSymbol_, 0, sizeof delTailSymbol_);
    oneSymbol_[0] = true;  // the end of the text separates
}

void Splitter::configure(const Config& config, Arena& arena, StringPool& pool, const Lexicon* lexicon) {
    std::memset(oneSymbol_, 0, sizeof oneSymbol_);
    std::memset(twoFirst_, 0, sizeof twoFirst_);
    std::memset(delTailSymbol_, 0, sizeof delTailSymbol_);
    oneSymbol_[0] = true;
    for (char c : config.tnSymbol) oneSymbol_[static_cast<unsigned char>(c)] = true;
    for (char c : config.delTailSymbol) delTailSymbol_[static_cast<unsigned char>(c)] = true;
    delTailSymbol_[0] = false;

    twoSymbols_ = makeListTable(config.tnTwoSymbol, 10, arena, pool);
    twoSymbols_->forEach([&](const StringTable::Entry& e) {
        if (e.length > 0) twoFirst_[static_cast<unsigned char>(e.key[0])] = true;
    });
    specialHead_ = makeListTable(config.specialHead, 1, arena, pool);
    specialTail_ = makeListTable(config.specialTail, 1, arena, pool);
    delTailString_ = makeListTable(config.delTailString, 1, arena, pool);
    heads_ = keysOf(specialHead_);
    tails_ = keysOf(specialTail_);
    delTails_ = keysOf(delTailString_);
    sperate_ = config.sperateFlag;
    width_ = config.encodeWidth;
    lexicon_ = lexicon;
}

bool Splitter::isSeparator(const char* p, size_t* length) const {
    auto c0 = static_cast<unsigned char>(p[0]);
    size_t n = 0;
    if (isBlank(c0) || oneSymbol_[c0]) {
        n = 1;
    } else if (twoFirst_[c0] && twoSymbols_) {
        size_t keyLength = p[1] == '\0' ? 1 : 2;
        if (const StringTable::Entry* e = twoSymbols_->find(std::string_view(p, keyLength))) {
            n = e->number >= 2 ? 2 : 1;
            if (n > keyLength) n = keyLength;  // never past the end of the text
        }
    }
    if (length) *length = n;
    return n > 0;
}

const char* Splitter::scanWord(const char* start) const {
    const char* p = start + 1;
    while (true) {
        auto c = static_cast<unsigned char>(*p);
        if (c == '.' && (p == start + 1 || (p >= start + 2 && p[-2] == '.')) &&
            isLetter(static_cast<unsigned char>(p[-1]))) {
            ++p;  // abbreviations such as U.S.
            continue;
        }
        if ((c == '.' || c == ':' || c == '-' || c == ',') && isDigit(static_cast<unsigned char>(p[1]))) {
            p += 2;  // numbers such as 3.14, 10:30, 1,000
            continue;
        }
        if (c == '.' && (p[1] == '.' || isSeparator(p + 1))) {
            ++p;  // Mr. and wait...
            continue;
        }
        if (c >= 0x80 || isSeparator(p)) return p;
        ++p;
    }
}

const char* Splitter::nextTokenEnd(const char* pos, const char** tokenStart) const {
    while (isBlank(static_cast<unsigned char>(*pos))) ++pos;
    if (tokenStart) *tokenStart = pos;
    const char* start = pos;
    auto c = static_cast<unsigned char>(*start);
    if (c == 0) return start;
    if (c >= 0x80) {
        // One character of the encoding's width, never past the end of the text.
        const char* end = start + 1;
        for (int i = 1; i < width_ && *end != '\0'; ++i) ++end;
        return end;
    }
    if (c == '&') {
        const char* last = start;
        while (last[1] == '&') ++last;
        if (size_t ref = numericReference(last)) return last > start ? last : start + ref;
    }
    size_t n = 0;
    if (isSeparator(start, &n)) return start + n;
    for (std::string_view head : heads_)
        if (std::strncmp(start, head.data(), head.size()) == 0) return start + head.size();

    const char* end = scanWord(start);
    if (sperate_ != 0) {
        std::string_view word(start, static_cast<size_t>(end - start));
        for (std::string_view tail : tails_) {
            if (!endsWith(word, tail)) continue;
            if (word.size() > tail.size()) end -= tail.size();
            break;
        }
    }
    return end;
}

std::string_view Splitter::nextToken(const char*& pos) const {
    const char* start = pos;
    const char* end = nextTokenEnd(pos, &start);
    pos = end;
    return std::string_view(start, static_cast<size_t>(end - start));
}

size_t Splitter::splitTail(std::string_view word) const {
    for (std::string_view tail : delTails_)
        if (endsWith(word, tail)) return tail.size();
    if (!word.empty() && delTailSymbol_[static_cast<unsigned char>(word.back())]) return 1;
    return 0;
}

bool Splitter::specialTailWithLexicon(std::string_view word) const {
    if (!lexicon_) return false;
    if (lexicon_->known(word)) return true;
    for (std::string_view tail : tails_) {
        if (!endsWith(word, tail)) continue;
        return word.size() > tail.size() && lexicon_->known(word.substr(0, word.size() - tail.size()));
    }
    return false;
}

}  // namespace zintra
