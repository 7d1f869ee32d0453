// Lexical rules: the ordered transformations that give an unknown word its
// initial tag from its affixes, characters, related lexicon words and the
// bigram list. A word starts as NNP (upper-case first letter) or NN and every
// rule in file order may change the tag.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "engine/tagger/rule_kinds.h"

namespace zintra {

class Arena;
class Bigrams;
class Lexicon;
class StringPool;

struct LexicalRule {
    const char* const* fields = nullptr;  // interned fields of the line (a final "x" dropped)
    int fieldCount = 0;
    LexicalTest test = LexicalTest::None;
    bool fromRule = false;          // name in field 2: acts only on words tagged fromTag
    const char* fromTag = nullptr;  // from-rules: field 0
    std::string_view argument;      // X: affix, characters or word
    int length = 0;                 // N, for the tests that use it
    const char* newTag = nullptr;   // the last field
};

class LexicalRules {
  public:
    LexicalRules(Arena& arena, StringPool& pool);
    LexicalRules(const LexicalRules&) = delete;
    LexicalRules& operator=(const LexicalRules&) = delete;

    // Reads the rule file, registering the words of goodleft/goodright rules
    // (field 0) and fgoodleft/fgoodright rules (field 1) as first words of
    // bigrams. False only when the file cannot be opened.
    bool load(const std::string& path, Bigrams& bigrams);
    void addLines(std::string_view text, Bigrams& bigrams);
    // Parses one rule line (without its line end); false for a comment or empty line.
    bool parseLine(std::string_view line, LexicalRule& rule, Bigrams& bigrams);

    // The tag of an unknown word after every rule.
    const char* guess(std::string_view word, const Lexicon& lexicon, const Bigrams& bigrams) const;
    // One rule on a word with its current tag: the new tag, or tag itself
    // when the rule does not act.
    static const char* apply(const LexicalRule& rule, std::string_view word, const char* tag, const Lexicon& lexicon,
                             const Bigrams& bigrams);

    const std::vector<LexicalRule>& rules() const { return rules_; }

  private:
    Arena& arena_;
    StringPool& pool_;
    const char* nn_;
    const char* nnp_;
    std::vector<LexicalRule> rules_;
};

}  // namespace zintra
