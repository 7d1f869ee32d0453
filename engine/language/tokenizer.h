// The sentence tokenizer: the token list of one sentence with the initial tag
// of every token (lexicon tag, or the lexical rules' guess for an unknown
// word), bracket groups "(TAG word ...)" as fixed tokens and the
// sentence-final ending split off as a "." token.
#pragma once

#include <string_view>

namespace zintra {

class Arena;
class LanguageData;
struct LexiconEntry;
struct Token;

// Tokenises text (any length; copied into arena) and gives each token its
// initial tag. Returns the first token, or null for a text without tokens.
Token* tokenizeSentence(const LanguageData& data, std::string_view text, Arena& arena);

// The initial tag of a word at position index of its sentence; *entry gets
// the word's lexicon entry (null when unknown). At index 0 the case-flipped
// form is tagged as well and its tag wins when it begins with "V".
const char* initialTag(const LanguageData& data, std::string_view word, int index, const LexiconEntry** entry);

}  // namespace zintra
