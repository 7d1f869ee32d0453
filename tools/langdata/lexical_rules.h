// Unknown-word rules: their kinds, their text form, and their effect on a
// word, computed exactly as the engine's tagger computes it (byte
// comparisons, case-sensitive lexicon look-ups, rules applied in order, each
// seeing the tag left by the ones before).
#pragma once

#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "engine/tagger/rule_kinds.h"

namespace langdata {

// The rule kinds are the engine's (LexKind::None is a line of no rule).
using LexKind = zintra::LexicalTest;

struct LexicalRule {
    LexKind kind = LexKind::HasSuf;
    bool from = false;  // the f- form: acts only on words tagged fromTag
    std::string fromTag;
    std::string arg;  // affix, character set or word
    int length = 0;   // affix length in bytes (affix kinds and add kinds)
    std::string newTag;

    bool operator==(const LexicalRule&) const = default;
};

const char* lexKindName(LexKind kind);  // plain name: "hassuf", ...
bool lexKindHasLength(LexKind kind);

// "X hassuf 2 NNS x" / "NN X fhassuf 2 NNS x"
std::string formatLexicalRule(const LexicalRule& rule);
// The reverse; false for lines that are not a well-formed rule.
bool parseLexicalRule(const std::string& line, LexicalRule& rule);

// What the tests consult: the lexicon and the bigram table as the engine
// holds them (first word -> the one second word kept for it).
struct LexicalContext {
    std::function<bool(const std::string&)> known;
    const std::map<std::string, std::string>* bigrams = nullptr;
};

// The rule's test on a word, without the tag precondition.
bool lexicalTestHolds(const LexicalRule& rule, const std::string& word, const LexicalContext& context);
// Precondition and test.
bool lexicalRuleFires(const LexicalRule& rule, const std::string& word, const std::string& tag,
                      const LexicalContext& context);

// The first guess for a word: NNP when its first byte is an upper-case
// letter, NN otherwise.
std::string initialGuess(const std::string& word);
std::string guessTag(const std::vector<LexicalRule>& rules, const std::string& word, const LexicalContext& context);

// The bigram table as the engine keeps it: only lines whose first word is
// registered by a goodleft/goodright rule (its argument), the first such line
// per first word winning.
std::map<std::string, std::string> keptBigrams(const std::vector<std::pair<std::string, std::string>>& lines,
                                               const std::vector<LexicalRule>& rules);

}  // namespace langdata
