#include <gtest/gtest.h>

#include <random>
#include <string>

#include "engine/language/tokenizer.h"
#include "engine/text/lexicon.h"
#include "engine/text/token.h"
#include "language_fixture.h"

namespace zintra {
namespace {

test::LanguageText english() {
    test::LanguageText t;
    t.config = "TN_SYMBOL ,;:!?\"()\nDEL_TAIL_SYMBOL .?!\nSPECIAL_TAIL \"n't\"\n";
    t.lexicon =
        "I PRP\nam VBP\na DT\nboy NN\n. .\nis VBZ\nIt PRP\nit PRP\netc. FW\nMr. NNP\n"
        "cold JJ\nrun VB NN\nRun NN\nwalk NN VB\nWalk NNP\nthe DT\nThe DT\nfly NN\nFly VBP\n";
    return t;
}

// Words are looked up a batch at a time: sentences longer than a batch,
// with groups, known, unknown and sentence-initial words, get each token's
// tag and text as a lookup of that word alone gives them.
TEST(TokenizerTest, LongSentencesTagEveryWordAsItsOwnLookupDoes) {
    test::LanguageText t = english();
    t.lexicalRules = "ly hassuf 2 RB x\nNN s fhassuf 1 NNS x\n";
    test::LanguageFixture f(t);
    static const char* const kWords[] = {"walk", "Walk",   "fly", "Fly", "boy",   "quickly", "dogs",
                                         "zz",   "(NN x)", "run", "It",  "cold,", "the"};
    std::mt19937 random(3);
    for (int s = 0; s < 200; ++s) {
        std::string sentence;
        int length = 1 + static_cast<int>(random() % 120);
        for (int k = 0; k < length; ++k) sentence += test::cat(k ? " " : "", kWords[random() % std::size(kWords)]);
        f.arena.clear();
        int index = 0;
        for (const Token* tok = tokenizeSentence(f.data, sentence, f.arena); tok; tok = tok->next, ++index) {
            if (tok->fixed) continue;
            const LexiconEntry* entry = nullptr;
            const char* expected = initialTag(f.data, tok->word, index, &entry);
            ASSERT_STREQ(tok->tag, expected) << sentence << " at " << index;
            if (entry) {
                EXPECT_EQ(tok->word, entry->word()) << "a known word shares the lexicon's text";
            }
        }
    }
}

TEST(TokenizerTest, SentenceFinalPunctuationBecomesAFullStopToken) {
    test::LanguageFixture f(english());
    EXPECT_EQ(f.tag("I am a boy."), "I/PRP am/VBP a/DT boy/NN ./.");
    EXPECT_EQ(f.tag("I am a boy?"), "I/PRP am/VBP a/DT boy/NN ?/.");
    // A last word listed in the lexicon is not cut.
    EXPECT_EQ(f.tag("It is etc."), "It/PRP is/VBZ etc./FW");
    // Only the last word loses its ending; "Mr." inside the sentence is whole.
    EXPECT_EQ(f.words("Mr. boy is cold."), "Mr.|boy|is|cold|.");
    // A last word that is only its ending yields only the full stop token.
    EXPECT_EQ(f.tag("I am ?"), "I/PRP am/VBP ?/.");
    // Trailing whitespace: there is no last word to cut.
    EXPECT_EQ(f.words("I am a boy. "), "I|am|a|boy.");
    EXPECT_EQ(f.tag(""), "");
    EXPECT_EQ(f.tag("   "), "");
}

TEST(TokenizerTest, BracketGroupsBecomeFixedTokens) {
    test::LanguageFixture f(english());
    EXPECT_EQ(f.tag("(NN ice cream) is cold"), "ice cream/NN! is/VBZ cold/JJ");
    EXPECT_EQ(f.tag("a (JJ  very  cold ) boy"), "a/DT very  cold/JJ! boy/NN");
    // The tag is taken as written; groups nest inside the word.
    EXPECT_EQ(f.tag("(NP (DT a) boy)"), "(DT a) boy/NP!");
    // A group of one word is an ordinary word; "(" ends the word before it.
    EXPECT_EQ(f.tag("a(boy)"), "a/DT boy/NN");
    // A group that never closes is plain text up to the end.
    EXPECT_EQ(f.words("(NN ice cream is cold"), "(|NN|ice|cream|is|cold");
}

TEST(TokenizerTest, SentenceInitialWordIsTaggedInBothCases) {
    test::LanguageText t = english();
    t.lexicalRules = "NN z fchar VB x\n";  // words with a z become verbs
    test::LanguageFixture f(t);
    // The lowered form of an unknown capitalised word is tagged too; it wins
    // only with a verb tag.
    EXPECT_EQ(f.tag("Run"), "Run/NN");
    EXPECT_EQ(f.tag("Qqq it"), "Qqq/NNP it/PRP");
    EXPECT_EQ(f.tag("Buzz it"), "Buzz/VB it/PRP");
    // A lower-case first word: the capitalised form is tagged as well.
    EXPECT_EQ(f.tag("walk it"), "walk/NN it/PRP");
    EXPECT_EQ(f.tag("fly it"), "fly/VBP it/PRP");
    EXPECT_EQ(f.tag("it fly"), "it/PRP fly/NN");
    // Only the first piece of the first word gets the second form.
    EXPECT_EQ(f.tag("it buzz"), "it/PRP buzz/VB");
    EXPECT_EQ(f.tag("it Buzz"), "it/PRP Buzz/NNP");
}

TEST(TokenizerTest, InitialTagOfALongFirstWordIsTheTypedOne) {
    test::LanguageFixture f(english());
    std::string word = test::cat("Walk", std::string(5000, 'x'));
    EXPECT_STREQ(initialTag(f.data, word, 0, nullptr), "NNP");
    EXPECT_EQ(f.words(test::cat(word, " ", word, ".")), test::cat(word, "|", word, "|."));
}

TEST(TokenizerTest, WordsMayShareTheLexiconsCopyButAreIndependentOfTheInput) {
    test::LanguageFixture f(english());
    std::string text = "boy zebra";
    Token* first = tagSentence(f.data, text, f.arena);
    text.assign(text.size(), '#');
    ASSERT_NE(first, nullptr);
    EXPECT_STREQ(first->word, "boy");
    ASSERT_NE(first->next, nullptr);
    EXPECT_STREQ(first->next->word, "zebra");
    EXPECT_EQ(first->prev, nullptr);
}

}  // namespace
}  // namespace zintra
