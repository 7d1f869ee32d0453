#include <gtest/gtest.h>

#include <string>

#include "../language/language_fixture.h"
#include "engine/tagger/lexical_rules.h"

namespace zintra {
namespace {

class GuessTest : public ::testing::Test {
  protected:
    void load(const std::string& rules, const std::string& lexicon = "", const std::string& bigrams = "") {
        test::LanguageText t;
        t.lexicon = lexicon;
        t.lexicalRules = rules;
        t.bigrams = bigrams;
        fixture = std::make_unique<test::LanguageFixture>(t);
    }
    std::string guess(std::string_view word) {
        const LanguageData& d = fixture->data;
        return d.lexicalRules().guess(word, d.lexicon(), d.bigrams());
    }
    std::unique_ptr<test::LanguageFixture> fixture;
};

TEST_F(GuessTest, StartsFromTheCaseOfTheFirstLetter) {
    load("");
    EXPECT_EQ(guess("books"), "NN");
    EXPECT_EQ(guess("Books"), "NNP");
    EXPECT_EQ(guess("3rd"), "NN");
    EXPECT_EQ(guess("\xC3\x89t\xC3\xA9"), "NN");
}

TEST_F(GuessTest, FromRulesActOnlyOnTheirTag) {
    load("NN s fhassuf 1 NNS x\n");
    EXPECT_EQ(guess("books"), "NNS");
    EXPECT_EQ(guess("Books"), "NNP");
    EXPECT_EQ(guess("book"), "NN");
}

TEST_F(GuessTest, PlainRulesActOnAnyOtherTag) {
    load("ly hassuf 2 RB x\nRB quick fhaspref 5 JJ x\nquick haspref 5 VB x\n");
    EXPECT_EQ(guess("quickly"), "VB");  // RB, then JJ, then VB
    EXPECT_EQ(guess("quickest"), "VB");
    EXPECT_EQ(guess("Slowly"), "RB");
    EXPECT_EQ(guess("ly"), "RB");
    EXPECT_EQ(guess("y"), "NN");
}

TEST_F(GuessTest, LaterRulesOverrideEarlierOnes) {
    load("ing hassuf 3 VBG x\ning hassuf 3 NN x\n");
    EXPECT_EQ(guess("walking"), "NN");
    load("ing hassuf 3 NN x\ning hassuf 3 VBG x\n");
    EXPECT_EQ(guess("walking"), "VBG");
}

TEST_F(GuessTest, DeleteAndAddTestsConsultTheLexicon) {
    load("un deletepref 2 JJ x\ners deletesuf 3 NNS x\nre addpref 2 VB x\nly addsuf 2 JJ x\n",
         "happy JJ\nwalk VB\nreread VB\nfriendly JJ\n");
    EXPECT_EQ(guess("unhappy"), "JJ");
    EXPECT_EQ(guess("unsure"), "NN");
    EXPECT_EQ(guess("walkers"), "NNS");
    EXPECT_EQ(guess("ers"), "NN");  // the shortened word would be empty
    EXPECT_EQ(guess("read"), "VB");
    EXPECT_EQ(guess("friend"), "JJ");
    EXPECT_EQ(guess("foe"), "NN");
}

TEST_F(GuessTest, AddRulesCarryALengthFieldTheyDoNotUse) {
    // N stands after the name of every add rule: without it the line is too
    // short and never applies; its value does not change the test.
    load("re addpref VB\nly addsuf JJ\nNN re faddpref JJ\n", "reread VB\nfriendly JJ\n");
    EXPECT_EQ(guess("read"), "NN");
    EXPECT_EQ(guess("friend"), "NN");
    load("re addpref 7 VB x\nly addsuf 0 JJ x\n", "reread VB\nfriendly JJ\n");
    EXPECT_EQ(guess("read"), "VB");
    EXPECT_EQ(guess("friend"), "JJ");
    load("NN re faddpref 1 JJ x\n", "reread VB\n");
    EXPECT_EQ(guess("read"), "JJ");
}

TEST_F(GuessTest, LengthsBeyondTheWord) {
    // X longer than N: only its first N bytes count.
    load("ingly hassuf 3 VBG x\n");
    EXPECT_EQ(guess("sing"), "VBG");
    // N beyond the word fails every test except haspref, which then needs X == word.
    load("abc haspref 9 JJ x\nabc hassuf 9 RB x\nabc deletepref 9 VB x\n", "c NN\n");
    EXPECT_EQ(guess("abc"), "JJ");
    EXPECT_EQ(guess("ab"), "NN");
    EXPECT_EQ(guess("abcd"), "NN");
    load("abc haspref -1 JJ x\n");
    EXPECT_EQ(guess("abc"), "NN");
}

TEST_F(GuessTest, BigramRulesNeedTheirWordsRegistered) {
    load("the goodright VB x\nNN ago fgoodleft JJ x\n", "", "the walk\nthe run\nyears ago\nlong ago\nthe long\n");
    EXPECT_EQ(guess("walk"), "VB");
    EXPECT_EQ(guess("run"), "NN");  // a second line for "the" is not kept
    // "ago" is registered as a first word, so no line with "ago" second is kept.
    EXPECT_EQ(guess("years"), "NN");
    EXPECT_TRUE(fixture->data.bigrams().isRegisteredFirst("the"));
    EXPECT_TRUE(fixture->data.bigrams().isRegisteredFirst("ago"));
}

TEST_F(GuessTest, MalformedLinesAreInertAndKeepTheirPlace) {
    load(
        "# comment\nly notarule 2 RB x\nly hassuf RB\nNN ly hassuf 2 RB\nly\nx\nNN s fhassuf 1\n"
        "s hassuf 1 NNS x\n");
    const auto& rules = fixture->data.lexicalRules().rules();
    ASSERT_EQ(rules.size(), 7u);
    for (size_t i = 0; i + 1 < rules.size(); ++i) EXPECT_EQ(rules[i].test, LexicalTest::None) << i;
    EXPECT_EQ(rules.back().test, LexicalTest::HasSuf);
    EXPECT_EQ(guess("quickly"), "NN");
    EXPECT_EQ(guess("books"), "NNS");
}

TEST(LexicalRuleTest, OneRuleAtATimeForBuilders) {
    test::LanguageFixture f({});
    LexicalRule rule;
    ASSERT_TRUE(f.data.mutableLexicalRules().parseLine("  NN ed fhassuf 2 VBD x", rule, f.data.mutableBigrams()));
    EXPECT_TRUE(rule.fromRule);
    EXPECT_EQ(rule.length, 2);
    EXPECT_EQ(rule.argument, "ed");
    const char* nn = f.data.pool().intern("NN");
    EXPECT_STREQ(LexicalRules::apply(rule, "walked", nn, f.data.lexicon(), f.data.bigrams()), "VBD");
    EXPECT_EQ(LexicalRules::apply(rule, "walks", nn, f.data.lexicon(), f.data.bigrams()), nn);
    EXPECT_FALSE(f.data.mutableLexicalRules().parseLine("# note", rule, f.data.mutableBigrams()));
}

}  // namespace
}  // namespace zintra
