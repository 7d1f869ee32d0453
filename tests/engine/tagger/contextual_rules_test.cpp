#include <gtest/gtest.h>

#include <string>

#include "../language/language_fixture.h"
#include "engine/language/tokenizer.h"
#include "engine/tagger/contextual_rules.h"

namespace zintra {
namespace {

// Words tag themselves: "nn" is NN, "vb" VB, and so on, so a test sentence
// spells out its initial tags. "run" may be VB or NN; "go" is VB only.
test::LanguageText text(std::string rules) {
    test::LanguageText t;
    t.config = "DEL_TAIL_SYMBOL .\n";
    t.lexicon = "nn NN JJ VB\nvb VB NN\nvj VB JJ\ndt DT\nto TO\njj JJ NN\nrun VB NN\ngo VB\nthe DT\n. .\nin IN\n";
    t.contextualRules = std::move(rules);
    return t;
}

TEST(ContextualRulesTest, TheLexiconRestrictsTheNewTag) {
    test::LanguageFixture f(text("VB NN PREVTAG DT\n"));
    EXPECT_EQ(f.tag("the run"), "the/DT run/NN");
    EXPECT_EQ(f.tag("the go"), "the/DT go/VB");
    // An unknown word takes any tag.
    EXPECT_EQ(f.tag("the (VB blorp)"), "the/DT blorp/VB!");
    test::LanguageFixture unknown(text("NN VB PREVTAG DT\n"));
    EXPECT_EQ(unknown.tag("the blorp"), "the/DT blorp/VB");
}

TEST(ContextualRulesTest, TheSentenceStartIsTwoStaartTokens) {
    test::LanguageFixture f(text("NN VB PREVTAG STAART\nNN JJ PREV2TAG STAART\n"));
    EXPECT_EQ(f.tag("nn nn"), "nn/VB nn/JJ");
    EXPECT_EQ(f.tag("dt nn nn"), "dt/DT nn/JJ nn/NN");
    // The markers are gone afterwards.
    Token* first = tagSentence(f.data, "nn nn", f.arena);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->prev, nullptr);
    EXPECT_EQ(tokenCount(first), 2);
}

TEST(ContextualRulesTest, NothingFollowsTheLastToken) {
    test::LanguageFixture f(text("NN VB NEXTTAG .\n"));
    EXPECT_EQ(f.tag("nn nn."), "nn/NN nn/VB ./.");
    EXPECT_EQ(f.tag("nn nn"), "nn/NN nn/NN");
    test::LanguageFixture g(text("NN VB NEXT1OR2OR3TAG NN\n"));
    EXPECT_EQ(g.tag("nn nn nn"), "nn/VB nn/VB nn/NN");
    test::LanguageFixture h(text("JJ NN NEXT1OR2OR3TAG DT\n"));
    EXPECT_EQ(h.tag("jj nn nn dt"), "jj/NN nn/NN nn/NN dt/DT");
    EXPECT_EQ(h.tag("jj nn nn nn dt"), "jj/JJ nn/NN nn/NN nn/NN dt/DT");
}

TEST(ContextualRulesTest, FixedTokensAndCompoundsAreNeverChanged) {
    test::LanguageText t = text("NN VB PREVTAG DT\nNN VB CURWD \n");
    t.compounds = "nn nn/NN\n";
    test::LanguageFixture f(t);
    EXPECT_EQ(f.tag("dt (NN nn)"), "dt/DT nn/NN!");
    EXPECT_EQ(f.tag("dt nn nn"), "dt/DT (nn/NN nn/NN)/NN");
}

TEST(ContextualRulesTest, LaterRulesSeeEarlierChanges) {
    test::LanguageFixture f(text("NN VB PREVTAG TO\nNN JJ PREVTAG VB\n"));
    EXPECT_EQ(f.tag("to nn nn"), "to/TO nn/VB nn/JJ");
    test::LanguageFixture reversed(text("NN JJ PREVTAG VB\nNN VB PREVTAG TO\n"));
    EXPECT_EQ(reversed.tag("to nn nn"), "to/TO nn/VB nn/NN");
    test::LanguageFixture undo(text("VB NN PREVTAG TO\nNN VB PREVTAG TO\n"));
    EXPECT_EQ(undo.tag("to vb"), "to/TO vb/VB");
}

TEST(ContextualRulesTest, AChangeIsSeenFurtherRightInTheSamePass) {
    test::LanguageFixture f(text("NN JJ PREVTAG NN\n"));
    EXPECT_EQ(f.tag("nn nn nn"), "nn/NN nn/JJ nn/NN");
    EXPECT_EQ(f.tag("nn nn nn nn"), "nn/NN nn/JJ nn/NN nn/JJ");
}

// Every rule kind on one sentence "dt nn vb jj nn" (tags DT NN VB JJ NN):
// the rule changes the VB of "vb" (position 2) to NN when its condition holds.
struct KindCase {
    const char* rule;
    bool fires;
};

TEST(ContextualRulesTest, EveryRuleKindTestsItsNeighbours) {
    const KindCase cases[] = {
        {"NEXTTAG JJ", true},
        {"NEXTTAG NN", false},
        {"NEXT2TAG NN", true},
        {"NEXT2TAG JJ", false},
        {"NEXT1OR2TAG NN", true},
        {"NEXT1OR2TAG DT", false},
        {"NEXT1OR2OR3TAG DT", false},
        {"NEXT1OR2OR3TAG NN", true},
        {"PREVTAG NN", true},
        {"PREVTAG DT", false},
        {"PREV2TAG DT", true},
        {"PREV2TAG NN", false},
        {"PREV1OR2TAG DT", true},
        {"PREV1OR2TAG JJ", false},
        {"PREV1OR2OR3TAG STAART", true},
        {"PREV1OR2OR3TAG VB", false},
        {"NEXTWD jj", true},
        {"NEXTWD nn", false},
        {"CURWD vb", true},
        {"CURWD VB", false},
        {"NEXT2WD nn", true},
        {"NEXT2WD jj", false},
        {"NEXT1OR2WD nn", true},
        {"NEXT1OR2WD dt", false},
        {"NEXT1OR2OR3WD nn", true},
        {"NEXT1OR2OR3WD zz", false},
        {"PREVWD nn", true},
        {"PREVWD dt", false},
        {"PREV2WD dt", true},
        {"PREV2WD nn", false},
        {"PREV1OR2WD dt", true},
        {"PREV1OR2WD vb", false},
        {"PREV1OR2OR3WD STAART", true},
        {"PREV1OR2OR3WD jj", false},
        {"SURROUNDTAG NN JJ", true},
        {"SURROUNDTAG JJ NN", false},
        {"PREVBIGRAM DT NN", true},
        {"PREVBIGRAM NN DT", false},
        {"NEXTBIGRAM JJ NN", true},
        {"NEXTBIGRAM NN JJ", false},
        {"LBIGRAM nn vb", true},
        {"LBIGRAM vb nn", false},
        {"WDPREVTAG NN vb", true},
        {"WDPREVTAG DT vb", false},
        {"RBIGRAM vb jj", true},
        {"RBIGRAM jj vb", false},
        {"WDNEXTTAG vb JJ", true},
        {"WDNEXTTAG vb NN", false},
        {"WDAND2BFR dt vb", true},
        {"WDAND2BFR nn vb", false},
        {"WDAND2TAGBFR DT vb", true},
        {"WDAND2TAGBFR NN vb", false},
        {"WDAND2AFT vb nn", true},
        {"WDAND2AFT vb jj", false},
        {"WDAND2TAGAFT vb NN", true},
        {"WDAND2TAGAFT vb JJ", false},
    };
    for (const KindCase& c : cases) {
        test::LanguageFixture f(text(test::cat("VB NN ", c.rule, "\n")));
        std::string expected = c.fires ? "dt/DT nn/NN vb/NN jj/JJ nn/NN" : "dt/DT nn/NN vb/VB jj/JJ nn/NN";
        EXPECT_EQ(f.tag("dt nn vb jj nn"), expected) << c.rule;
    }
}

TEST(ContextualRulesTest, MalformedLinesCountButNeverApply) {
    test::LanguageFixture f(
        text("# comment\nVB NN NOSUCHRULE DT\nVB NN PREVTAG\nVB NN SURROUNDTAG DT\nVB\n"
             "VB NN prevtag DT\nVB JJ PREVTAG DT\n"));
    const auto& rules = f.data.contextualRules().rules();
    ASSERT_EQ(rules.size(), 6u);
    for (size_t i = 0; i + 1 < rules.size(); ++i) EXPECT_EQ(rules[i].test, ContextTest::None) << i;
    EXPECT_EQ(f.tag("the nn"), "the/DT nn/NN");
    EXPECT_EQ(f.tag("the vb"), "the/DT vb/VB");
    EXPECT_EQ(f.tag("the vj"), "the/DT vj/JJ");
}

TEST(ContextualRulesTest, LongSentencesUseEveryPosition) {
    test::LanguageFixture f(text("NN VB PREVTAG TO\n"));
    std::string sentence, expected;
    for (int i = 0; i < 100; ++i) {
        sentence += "to nn ";
        expected += i ? " to/TO nn/VB" : "to/TO nn/VB";
    }
    EXPECT_EQ(f.tag(sentence), expected);
}

TEST(SentenceWindowTest, RulesCanBeTestedAndAppliedOneAtATime) {
    test::LanguageFixture f(text(""));
    ContextualRules& rules = f.data.mutableContextualRules();
    ContextualRule rule;
    ASSERT_TRUE(rules.parseLine("NN VB PREVTAG TO", rule));
    rules.addLines("NN VB PREVTAG TO\n");  // makes the rule's tag tracked
    ASSERT_EQ(rules.rules().size(), 1u);
    rule = rules.rules()[0];
    Token* first = tokenizeSentence(f.data, "to nn nn", f.arena);
    SentenceWindow window(rules, first, f.arena);
    ASSERT_EQ(window.size(), 5);
    EXPECT_EQ(window.tag(0), rules.staart());
    EXPECT_TRUE(window.isCandidate(rule, 3));
    EXPECT_TRUE(window.holds(rule, 3));
    EXPECT_FALSE(window.holds(rule, 4));
    EXPECT_EQ(window.applyRule(rule), 1);
    EXPECT_STREQ(first->next->tag, "VB");
    window.setTag(3, f.data.pool().intern("TO"));
    EXPECT_EQ(window.applyRule(rule), 1);
    EXPECT_STREQ(first->next->next->tag, "VB");

    // A rule built by hand (no index of its FROM tag) or read after the
    // window was made applies all the same.
    ContextualRule byHand;
    byHand.from = f.data.pool().intern("VB");
    byHand.to = f.data.pool().intern("NN");
    byHand.a = f.data.pool().intern("TO");
    byHand.test = ContextTest::PrevTag;
    EXPECT_EQ(window.applyRule(byHand), 1);
    EXPECT_STREQ(first->next->next->tag, "NN");
    ContextualRule later;
    ASSERT_TRUE(rules.parseLine("NN JJ PREVWD to", later));
    ASSERT_GT(later.fromId, 0);
    EXPECT_EQ(window.applyRule(later), 0);
    window.setTag(3, f.data.pool().intern("NN"));
    EXPECT_EQ(window.applyRule(later), 1);
    EXPECT_STREQ(first->next->tag, "JJ");
    ContextualRule untracked;  // JJ had no mask when the window was made
    ASSERT_TRUE(rules.parseLine("JJ VB PREVWD to", untracked));
    EXPECT_EQ(window.applyRule(untracked), 1);
    EXPECT_STREQ(first->next->tag, "VB");
}

TEST(TagTokenListTest, RetagsAListBuiltElsewhere) {
    test::LanguageText t = text("VB NN PREVTAG DT\n");
    t.compounds = "the run/XX\n";
    test::LanguageFixture f(t);
    Arena arena;
    Token* tokens[3];
    const char* words[] = {"run", "the", "run"};
    for (int i = 0; i < 3; ++i) {
        tokens[i] = makeToken(arena);
        tokens[i]->word = words[i];
        tokens[i]->tag = "garbage";
        if (i) {
            tokens[i]->prev = tokens[i - 1];
            tokens[i - 1]->next = tokens[i];
        }
    }
    tokens[0]->fixed = 1;
    Token* first = tagTokenList(f.data, tokens[0], arena);
    EXPECT_EQ(test::LanguageFixture::slashForm(first), "run/garbage! (the/DT run/VB)/XX");
    tokens[0]->fixed = 0;
    first = tagTokenList(f.data, first, arena);
    EXPECT_EQ(test::LanguageFixture::slashForm(first), "run/VB (the/DT run/VB)/XX");
    EXPECT_EQ(tagTokenList(f.data, nullptr, arena), nullptr);
}

}  // namespace
}  // namespace zintra
