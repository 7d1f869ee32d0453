// The phrase rules: checks that run when the phrase grammar reduces by a
// rule that names one in braces. Each looks at the parse stack, the next
// input token and the word lists, and returns 0 to let the reduction go
// ahead or 1 to forbid it (the parser then tries its next alternative).
// They never change tokens or tags.
#pragma once

#include <string_view>

#include "engine/grammar/grammar.h"
#include "engine/grammar/parser.h"

namespace zintra {

struct Token;

// What the checks look up besides the parse: the configured word lists and
// the lexicon. The phrase grammar's owner (Grammar::owner) points to one.
class PhraseWords {
  public:
    virtual ~PhraseWords() = default;
    // IN_WDT_WORD: words that may introduce a clause.
    virtual bool isClauseWord(std::string_view word) const = 0;
    // RB_NPL: adverb-like words that may stand as a noun phrase.
    virtual bool isAdverbNoun(std::string_view word) const = 0;
    // Whether the lexicon lists word with tag.
    virtual bool lexiconHas(std::string_view word, std::string_view tag) const = 0;
};

// The comma-object record of one parse: the resume tokens already tried for
// the current anchor node.
struct CommaRecord {
    static constexpr int kCapacity = 10;
    const void* anchor = nullptr;
    const Token* resumed[kCapacity] = {};
    int count = 0;
};

// The user data of one phrase parse (parseTokens' userData); a parse
// without it runs the checks without a record.
struct PhraseParse {
    CommaRecord record;
    int depth = 0;  // parses run by the comma-object check nest one deeper
};

// The 48 rule names bound to their checks, for the grammar reader.
ActionNames phraseRules();

// The end of the tokens a sentence's phrases are found in: its first token
// tagged "." (null when there is none).
const Token* phraseEnd(const Token* first);

// The steps one phrase analysis may take (the parses of the comma-object
// check included). A sentence that needs more has no phrase structure: the
// bound keeps one odd sentence from holding up a request.
constexpr long kPhraseBudget = 10000;

// Runs the phrase grammar (read with phraseRules() and a PhraseWords owner)
// over the tokens from first up to phraseEnd(first), with a fresh record,
// within kPhraseBudget steps.
ParseResult analysePhrases(const Grammar& grammar, const Token* first, Arena& arena);

// The auxiliary table: whether word is one of the 28 auxiliaries, and
// whether it accepts a following verb tagged tag.
bool isAuxiliary(std::string_view word);
bool auxiliaryAccepts(std::string_view word, std::string_view tag);

}  // namespace zintra
