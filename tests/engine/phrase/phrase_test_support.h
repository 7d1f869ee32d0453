// Small grammars that name the phrase rules, with word lists for them.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "engine/phrase/phrase_rules.h"
#include "grammar_test_support.h"

namespace zintra::test {

class TestWords : public PhraseWords {
  public:
    bool isClauseWord(std::string_view w) const override { return w == "that" || w == "if"; }
    bool isAdverbNoun(std::string_view w) const override { return w == "now" || w == "today"; }
    bool lexiconHas(std::string_view w, std::string_view tag) const override {
        return tag == "RB" && (w == "very" || w == "that");
    }
};
inline const TestWords kTestWords;

// A grammar read with the phrase rules and kTestWords as its owner.
inline std::unique_ptr<Grammar> phraseGrammar(std::string_view text) {
    Messages m;
    StringLineSource source(text);
    auto g = readGrammar(source, phraseRules(), m.sink(), &kTestWords);
    EXPECT_TRUE(g) << m.all();
    return g ? std::move(g) : std::make_unique<Grammar>();
}

// The tree of tags parsed with a comma-object record, or "FAIL".
inline std::string parse(const Grammar& g, std::string_view tags) {
    PhraseParse parse;
    return parseTags(g, tags, {}, &parse);
}

}  // namespace zintra::test
