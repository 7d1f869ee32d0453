// The bundled English phrase grammar with the phrase rules: beginners'
// sentences get trees, and the rules steer them to the English reading.
#include <gtest/gtest.h>

#include <random>

#include "beginner_sentences.h"
#include "engine/phrase/phrase_rules.h"
#include "engine/phrase/tree_printer.h"

namespace zintra::test {
namespace {

// Word lists as a configuration might give them; no lexicon.
class Words : public PhraseWords {
  public:
    bool isClauseWord(std::string_view w) const override {
        return w == "that" || w == "if" || w == "because" || w == "when" || w == "When" || w == "If";
    }
    bool isAdverbNoun(std::string_view w) const override { return w == "now" || w == "today" || w == "here"; }
    bool lexiconHas(std::string_view, std::string_view) const override { return false; }
};

class EnglishPhrases : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        Messages m;
        grammar_ = readGrammarFile(kGrammarFile, phraseRules(), m.sink(), &words_).release();
        ASSERT_TRUE(grammar_) << m.all();
    }
    static void TearDownTestSuite() {
        delete grammar_;
        grammar_ = nullptr;
    }
    static std::string tree(const char* sentence) {
        Arena arena;
        std::string out;
        appendPhraseTree(out, grammar_, taggedTokens(sentence, arena), false, arena);
        return out;
    }
    static inline Words words_;
    static inline Grammar* grammar_ = nullptr;
};

TEST_F(EnglishPhrases, EveryBeginnersSentenceGetsATree) {
    for (const char* sentence : kSentences) EXPECT_EQ(tree(sentence).rfind("( S ", 0), std::string::npos) << sentence;
}

TEST_F(EnglishPhrases, TheRulesChooseTheEnglishReading) {
    // "does" takes the base form; the negation stays with the verb it negates.
    EXPECT_EQ(tree("She/PRP does/VBZ n't/RB like/VB ice_cream/NN"),
              "(S (SS (DECL (NP (NPL (PRP She))) (VP (VBZ does) (VP (RB n't) (VB like) (NP (NPL (NN ice_cream))))))))");
    // A progressive, not a gerund object.
    EXPECT_EQ(tree("I/PRP am/VBP studying/VBG English/NNP now/RB"),
              "(S (SS (DECL (NP (NPL (PRP I))) (VP (VBP am) (VP (VBG studying) (NP (NPL (NNP English))) (RB now))))))");
    // A perfect with its prepositional phrases.
    EXPECT_EQ(tree("He/PRP has/VBZ lived/VBN in/IN Tokyo/NNP for/IN ten/CD years/NNS"),
              "(S (SS (DECL (NP (NPL (PRP He))) (VP (VBZ has) (VP (VBN lived) (PP (IN in) (NP (NP (NPL (NNP "
              "Tokyo))) (PP (IN for) (NP (NPL (CD ten) (NNS years)))))))))))");
    // A gerund subject.
    EXPECT_EQ(tree("Playing/VBG tennis/NN is/VBZ fun/JJ"),
              "(S (SS (DECL (VP (VBG Playing) (NP (NPL (NN tennis)))) (VP (VBZ is) (JJ fun)))))");
    // Coordinated names, the "@" node lifted away.
    EXPECT_EQ(tree("Ken/NNP and/CC Mary/NNP are/VBP good/JJ friends/NNS"),
              "(S (SS (DECL (NP (NP (NPL (NNP Ken))) (CC and) (NP (NPL (NNP Mary)))) (VP (VBP are) (NP (NPL (JJ good) "
              "(NNS friends)))))))");
    // An imperative needs a base verb: a participle alone is no sentence.
    EXPECT_EQ(tree("Be/VB quiet/JJ"), "(S (SS (VP (VB Be) (JJ quiet))))");
    EXPECT_EQ(tree("Being/VBG quiet/JJ"), "( S (VBG Being) (JJ quiet))");
}

TEST_F(EnglishPhrases, UnderivableSentencesFailOnceTheRecogniserIsAsked) {
    // Thirty nouns with two determiners inside: no derivation at all, yet
    // the run of nouns splits into noun phrases in exponentially many ways.
    std::string nouns;
    for (int i = 0; i < 30; ++i) nouns += i == 10 || i == 24 ? "DT/the " : "NN/apple ";
    Arena arena;
    ParseResult r = analysePhrases(*grammar_, tokensOf(nouns, arena), arena);
    EXPECT_EQ(r.status, ParseStatus::kRejected);
    EXPECT_TRUE(r.recognised);
    EXPECT_LE(r.steps, ParseLimits{}.recogniseAfter + 1);
    // Without the recogniser the search runs out of budget instead.
    ParseLimits blind;
    blind.budget = kPhraseBudget;
    blind.recogniseAfter = -1;
    PhraseParse record;
    ParseResult slow = parseTokens(*grammar_, tokensOf(nouns, arena), nullptr, arena, blind, &record);
    EXPECT_EQ(slow.status, ParseStatus::kBudgetExhausted);

    // A derivable sentence whose search is long still gets its tree when the
    // recogniser is asked at once, the same tree as without it.
    const char* sentence =
        "I/PRP think/VBP that/IN the/DT boy/NN who/WP lives/VBZ near/IN the/DT station/NN ,/, "
        "my/PRP$ friend/NN ,/, gave/VBD me/PRP a/DT book/NN";
    ParseLimits early;
    early.budget = kPhraseBudget;
    early.recogniseAfter = 0;
    PhraseParse r1, r2;
    ParseResult withChart = parseTokens(*grammar_, taggedTokens(sentence, arena), nullptr, arena, early, &r1);
    early.recogniseAfter = -1;
    ParseResult without = parseTokens(*grammar_, taggedTokens(sentence, arena), nullptr, arena, early, &r2);
    ASSERT_TRUE(withChart.accepted());
    ASSERT_TRUE(without.accepted());
    EXPECT_LE(withChart.steps, without.steps);
    std::string a, b;
    appendTreeBracket(a, withChart.tree);
    appendTreeBracket(b, without.tree);
    EXPECT_EQ(a, b);
}

TEST_F(EnglishPhrases, RandomSentencesEndWithinTheBudget) {
    // Odd tag and word sequences reach the checks with trees of every shape;
    // words include the ones the checks compare.
    const char* tags[] = {"NN", "NNS", "NNP", "PRP", "PRP$", "DT",  "JJ", "JJR", "RB",
                          "VB", "VBD", "VBG", "VBN", "VBP",  "VBZ", "MD", "TO",  "IN",
                          "CC", "WP",  "WRB", "CD",  ",",    "EX",  "UH", "RP",  "PDT"};
    const char* words[] = {"so",   "on",   "and", "not", "n't", "has", "is",  "does", "the",
                           "both", "that", "of",  "one", "ago", "old", "now", "very", "x"};
    std::mt19937 random(9);
    int trees = 0;
    for (int round = 0; round < 1500; ++round) {
        std::string text;
        int n = 1 + static_cast<int>(random() % 25);
        for (int i = 0; i < n; ++i)
            text.append(tags[random() % (sizeof tags / sizeof tags[0])])
                .append("/")
                .append(words[random() % (sizeof words / sizeof words[0])])
                .append(" ");
        Arena arena;
        Token* first = tokensOf(text, arena);
        PhraseParse record;
        ParseResult r = parseTokens(*grammar_, first, nullptr, arena, {}, &record);
        EXPECT_LE(r.steps, ParseLimits::kDefaultBudget);
        EXPECT_LE(record.record.count, CommaRecord::kCapacity);
        trees += r.accepted();
    }
    EXPECT_GT(trees, 20);
}

}  // namespace
}  // namespace zintra::test
