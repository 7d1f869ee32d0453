// Unknown-word rules: their effect, their text, and the learner.
#include <gtest/gtest.h>

#include <set>

#include "tools/langdata/lexical_learner.h"
#include "tools/langdata/lexical_rules.h"

namespace langdata {
namespace {

LexicalRule parsed(const std::string& line) {
    LexicalRule r;
    EXPECT_TRUE(parseLexicalRule(line, r)) << line;
    return r;
}

class LexicalRulesTest : public ::testing::Test {
  protected:
    LexicalContext context() {
        LexicalContext c;
        c.known = [this](const std::string& w) { return lexicon.count(w) != 0; };
        c.bigrams = &bigrams;
        return c;
    }
    std::set<std::string> lexicon{"happy", "walk", "walked", "un"};
    std::map<std::string, std::string> bigrams{{"the", "zorp"}, {"zorp", "of"}};
};

TEST_F(LexicalRulesTest, RuleLinesReadAsTheEngineReadsThem) {
    // The add rules carry a length field, as the engine reads them: a line
    // without one is too short, and a written rule keeps it.
    LexicalRule r;
    EXPECT_FALSE(parseLexicalRule("un addpref JJ x", r));
    EXPECT_FALSE(parseLexicalRule("NN ed faddsuf VB", r));
    ASSERT_TRUE(parseLexicalRule("un addpref 2 JJ x", r));
    EXPECT_EQ(formatLexicalRule(r), "un addpref 2 JJ x");
    EXPECT_FALSE(parseLexicalRule("s fhassuf 1 NNS x", r)) << "a from-rule needs its from-tag";
    EXPECT_FALSE(parseLexicalRule("NN s hassuf 1 NNS x", r)) << "a plain name in the from-rule's field";
    for (const zintra::LexicalKind& kind : zintra::kLexicalKinds) EXPECT_STREQ(lexKindName(kind.test), kind.name);
}

TEST_F(LexicalRulesTest, FromRulesActOnlyOnTheirTag) {
    const std::vector<LexicalRule> rules{parsed("NN s fhassuf 1 NNS x")};
    EXPECT_EQ(guessTag(rules, "books", context()), "NNS");
    EXPECT_EQ(guessTag(rules, "Books", context()), "NNP");
}

TEST_F(LexicalRulesTest, PlainRulesActUnlessTheTagIsAlreadyTheirs) {
    const LexicalRule ly = parsed("ly hassuf 2 RB x");
    EXPECT_TRUE(lexicalRuleFires(ly, "quickly", "NN", context()));
    EXPECT_TRUE(lexicalRuleFires(ly, "quickly", "JJ", context()));
    EXPECT_FALSE(lexicalRuleFires(ly, "quickly", "RB", context()));
    EXPECT_FALSE(lexicalRuleFires(ly, "y", "NN", context()));  // shorter than N
}

TEST_F(LexicalRulesTest, LexiconTestsOfDeleteAndAdd) {
    EXPECT_EQ(guessTag({parsed("un deletepref 2 JJ x")}, "unhappy", context()), "JJ");
    EXPECT_EQ(guessTag({parsed("un deletepref 2 JJ x")}, "unlucky", context()), "NN");
    EXPECT_EQ(guessTag({parsed("ed deletesuf 2 VBD x")}, "walked", context()), "VBD");
    EXPECT_EQ(guessTag({parsed("ed addsuf 2 VB x")}, "walk", context()), "VB");
    EXPECT_EQ(guessTag({parsed("un addpref 2 JJ x")}, "", context()), "JJ");  // "un" + "" is listed
    // Only the first N bytes of the argument count.
    EXPECT_EQ(guessTag({parsed("unxyz haspref 2 JJ x")}, "unlucky", context()), "JJ");
    // N larger than the word: only haspref can hold, and only for X == w.
    EXPECT_TRUE(lexicalTestHolds(parsed("ab haspref 5 JJ x"), "ab", context()));
    EXPECT_FALSE(lexicalTestHolds(parsed("ab hassuf 5 JJ x"), "ab", context()));
    EXPECT_FALSE(lexicalTestHolds(parsed("ab deletesuf 5 JJ x"), "ab", context()));
}

TEST_F(LexicalRulesTest, CharactersAndBigrams) {
    EXPECT_EQ(guessTag({parsed("0123456789 char CD x")}, "4th", context()), "CD");
    EXPECT_EQ(guessTag({parsed("NNP @ fchar NN x")}, "Bob@x.com", context()), "NN");
    EXPECT_EQ(guessTag({parsed("the goodright JJ x")}, "zorp", context()), "JJ");
    EXPECT_EQ(guessTag({parsed("of goodleft JJ x")}, "zorp", context()), "JJ");
    EXPECT_EQ(guessTag({parsed("of goodleft JJ x")}, "blip", context()), "NN");
}

TEST_F(LexicalRulesTest, LaterRulesWinAndUnknownNamesDoNothing) {
    const std::vector<LexicalRule> rules{parsed("s hassuf 1 NNS x"), parsed("ss hassuf 2 NN x")};
    EXPECT_EQ(guessTag(rules, "boss", context()), "NN");
    EXPECT_EQ(guessTag(rules, "bosses", context()), "NNS");
    LexicalRule r;
    EXPECT_FALSE(parseLexicalRule("s hasfoo 1 NNS x", r));
    EXPECT_FALSE(parseLexicalRule("s hassuf x", r));                     // too few fields
    EXPECT_FALSE(parseLexicalRule("NN s hassuf 1 NNS x", r) && r.from);  // hassuf is not an f- name
}

TEST_F(LexicalRulesTest, TextRoundTrip) {
    for (const char* line :
         {"NN s fhassuf 1 NNS x", "ly hassuf 2 RB x", "- char JJ x", "the goodright NN x", "NNP ing faddsuf 3 VBG x"}) {
        EXPECT_EQ(formatLexicalRule(parsed(line)), line);
    }
}

TEST(LexicalRules, TheEngineKeepsBigramsOfRegisteredWordsOnly) {
    LexicalRule r;
    ASSERT_TRUE(parseLexicalRule("the goodright NN x", r));
    const auto kept = keptBigrams({{"a", "b"}, {"the", "cat"}, {"the", "dog"}}, {r});
    EXPECT_EQ(kept, (std::map<std::string, std::string>{{"the", "cat"}}));
}

// Unknown words ending in "ing" are VBG, words with digits are CD, the rest
// NN: the learner must find rules that fix both planted patterns, and its
// reported result must match applying its rules afresh.
TEST(LexicalLearner, FindsThePlantedSuffixAndCharacterRules) {
    LexicalLearnerInput input;
    for (const char* w : {"zapping", "blorting", "frumming", "quaxing", "sneeping"})
        input.items.push_back({w, 0, {{"VBG", 3}}});
    for (const char* w : {"12", "1999", "3.5", "40,000"}) input.items.push_back({w, 0, {{"CD", 2}}});
    for (const char* w : {"zorp", "blat", "king"}) input.items.push_back({w, 0, {{"NN", 2}}});
    input.items.push_back({"ping", 0, {{"NN", 1}, {"VBG", 1}}});
    input.known = [](const std::string&, int) { return false; };
    const LexicalLearnerResult r = learnLexicalRules(input, LexicalLearnerOptions{});
    ASSERT_GE(r.rules.size(), 2u);
    LexicalContext none;
    none.known = [](const std::string&) { return false; };
    long correct = 0;
    for (const LexicalItem& item : input.items) {
        const std::string tag = guessTag(r.rules, item.word, none);
        if (item.word == std::string("zapping")) {
            EXPECT_EQ(tag, "VBG");
        }
        if (item.word == std::string("1999")) {
            EXPECT_EQ(tag, "CD");
        }
        if (item.word == std::string("king")) {
            EXPECT_EQ(tag, "NN");
        }
        auto it = item.gold.find(tag);
        if (it != item.gold.end()) correct += it->second;
    }
    EXPECT_EQ(correct, r.correctAfter);
    EXPECT_EQ(r.correctAfter, r.tokens - 1);  // "ping" is half NN, half VBG
}

// Add-suffix tests are looked up in the lexicon of the item's own fold.
TEST(LexicalLearner, AddSuffixCandidatesComeFromTheFoldLexicon) {
    LexicalLearnerInput input;
    for (const char* w : {"flib", "grop", "snarf"}) input.items.push_back({w, 1, {{"VB", 2}}});
    input.items.push_back({"blip", 0, {{"NN", 2}}});
    input.vocabulary = {"flibed", "groped", "snarfed", "bliped"};
    // The "-ed" forms are known in fold 1's setting only.
    input.known = [](const std::string& w, int fold) { return fold == 1 && w.size() > 5; };
    const LexicalLearnerResult r = learnLexicalRules(input, LexicalLearnerOptions{});
    ASSERT_FALSE(r.rules.empty());
    EXPECT_EQ(formatLexicalRule(r.rules[0]), "ed addsuf 2 VB x");
    EXPECT_EQ(r.gains[0], 6);
    EXPECT_EQ(r.correctAfter, r.tokens);
}

}  // namespace
}  // namespace langdata
