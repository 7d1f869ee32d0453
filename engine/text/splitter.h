// The token splitter: where the next token of a text ends, under the
// configured symbol tables (TN_SYMBOL, TN_TWO_SYMBOL / TN_TWO1_SYMBOL,
// SPECIAL_HEAD, SPECIAL_TAIL, SPERATE_FLAG, DEL_TAIL_STRING, DEL_TAIL_SYMBOL,
// the encoding's character width). Every piece of the engine that cuts text
// into words uses it. Read-only after configure(); safe to share between threads.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace zintra {

class Arena;
class Lexicon;
class StringPool;
class StringTable;
class ConfigList;
struct Config;

// A table of the strings of a configured list, in the order given (a string
// given again keeps its first entry and number); the strings are interned in pool.
StringTable* makeListTable(const ConfigList& list, size_t buckets, Arena& arena, StringPool& pool);

class Splitter {
  public:
    Splitter();
    Splitter(const Splitter&) = delete;
    Splitter& operator=(const Splitter&) = delete;

    // Builds the symbol tables from the configuration's lists (in the order
    // given, a repeated string keeping its first entry); the list strings are
    // interned in pool and the tables live in arena. lexicon (may be null)
    // serves specialTailWithLexicon and must outlive the splitter.
    void configure(const Config& config, Arena& arena, StringPool& pool, const Lexicon* lexicon);

    // The token that begins at pos or after the bytes 1 to 32 that follow it,
    // in a zero-terminated text. Returns the position just past the token;
    // *tokenStart (when given) receives where it begins. The token is empty
    // (end == start) only at the end of the text.
    const char* nextTokenEnd(const char* pos, const char** tokenStart = nullptr) const;

    // The next token as a view, advancing pos past it; empty at the end.
    std::string_view nextToken(const char*& pos) const;

    // Length of the sentence-final ending to separate from word: the first
    // DEL_TAIL_STRING entry (ascending byte order) that ends the word, else 1
    // when the last byte is in DEL_TAIL_SYMBOL, else 0.
    size_t splitTail(std::string_view word) const;

    // True when word is in the lexicon, or it ends with a SPECIAL_TAIL entry
    // (whatever SPERATE_FLAG says), is longer than it and the part before it
    // is in the lexicon.
    bool specialTailWithLexicon(std::string_view word) const;

    // Whether p (zero-terminated) is at a separator; *length gets its length.
    bool isSeparator(const char* p, size_t* length = nullptr) const;

    int encodeWidth() const { return width_; }
    bool separatesTails() const { return sperate_ != 0; }

    // The configured tables, for readers that need them (null before configure()).
    const StringTable* twoSymbols() const { return twoSymbols_; }
    const StringTable* specialHead() const { return specialHead_; }
    const StringTable* specialTail() const { return specialTail_; }
    const StringTable* delTailString() const { return delTailString_; }

  private:
    const char* scanWord(const char* start) const;

    bool oneSymbol_[256];  // TN_SYMBOL bytes, the zero byte included
    bool twoFirst_[256];   // first bytes of TN_TWO entries
    bool delTailSymbol_[256];
    const StringTable* twoSymbols_ = nullptr;
    const StringTable* specialHead_ = nullptr;
    const StringTable* specialTail_ = nullptr;
    const StringTable* delTailString_ = nullptr;
    // The non-empty entries of the one-bucket tables, in table order.
    std::vector<std::string_view> heads_, tails_, delTails_;
    int sperate_ = 1;
    int width_ = 3;
    const Lexicon* lexicon_ = nullptr;
};

}  // namespace zintra
