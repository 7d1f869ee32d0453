// Tagging a sentence: tokenise with initial tags, merge compounds, apply the
// contextual rules. Everything made for the sentence comes from the caller's
// arena; the language data is only read, so many threads may tag at once.
#pragma once

#include <string_view>

namespace zintra {

class Arena;
class LanguageData;
struct Token;

// Tags the sentence text. Returns its first token (null for a text without
// tokens, or when the data set was loaded with PARSE 0).
Token* tagSentence(const LanguageData& data, std::string_view text, Arena& arena);

// Tags a token list built elsewhere: every token that is not fixed gets its
// initial tag again (its position from 0 as the sentence index), then the
// compounds are merged and the rules applied. Returns the first token after
// merging (a compound may take the first token's place).
Token* tagTokenList(const LanguageData& data, Token* first, Arena& arena);

}  // namespace zintra
