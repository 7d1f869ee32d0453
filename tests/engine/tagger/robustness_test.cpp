#include <gtest/gtest.h>

#include <random>
#include <string>

#include "../text/language_fixture.h"
#include "engine/text/annotations.h"
#include "engine/text/token_spans.h"

namespace zintra {
namespace {

// Random text over the bytes that steer the splitter and the tokenizer.
std::string randomText(std::mt19937& random, size_t maxLength) {
    static const char kBytes[] = "aZ.,:-&#x;0 9()\"'/\t\xE3\x81\x82\x80\xFFnts";
    std::string text;
    size_t length = random() % maxLength;
    for (size_t i = 0; i < length; ++i) text += kBytes[random() % (sizeof kBytes - 1)];
    return text;
}

// Every token list is well linked: prev mirrors next, compounds hold at
// least two members, and a text without blanks inside words yields words.
void checkLinks(const Token* first) {
    const Token* prev = nullptr;
    for (const Token* t = first; t; prev = t, t = t->next) {
        ASSERT_EQ(t->prev, prev);
        ASSERT_NE(t->tag, nullptr);
        if (t->children) {
            ASSERT_EQ(t->children->prev, t);
            ASSERT_NE(t->children->next, nullptr);
        } else if (!t->fixed) {
            ASSERT_NE(t->word[0], '\0');
        }
    }
}

TEST(RobustnessTest, RandomTextIsTokenisedTaggedAndRewrittenSafely) {
    test::LanguageText t;
    t.config =
        "TN_SYMBOL ,;:\"()\nTN_TWO_SYMBOL \"--\" \"x\"\nSPECIAL_HEAD \"&#\" \"\"\nSPECIAL_TAIL \"s\" \"\" \"n't\"\n"
        "DEL_TAIL_STRING \"..\" \"\"\nDEL_TAIL_SYMBOL .\n";
    t.lexicon = "a DT\nZ NN\n. .\nas IN\nn't RB\n";
    t.lexicalRules = "s hassuf 1 NNS x\nNN a fchar JJ x\nx deletesuf 9 VB x\n";
    t.compounds = "a a/NN\na Z a/JJ\n";
    t.contextualRules = "NN VB PREVTAG STAART\nJJ NN NEXT1OR2OR3WD a\nNNS DT WDAND2TAGAFT s NN\n";
    test::LanguageFixture f(t);
    std::mt19937 random(7);
    for (int i = 0; i < 3000; ++i) {
        std::string text = randomText(random, 60);
        f.arena.clear();
        const Token* first = tagSentence(f.data, text, f.arena);
        checkLinks(first);
        TokenSpans spans(f.data.splitter(), text);
        ASSERT_LE(spans.count(), TokenSpans::kMaxSpans);
        for (int k = 0; k < spans.count(); ++k) ASSERT_FALSE(spans.copy(k).empty());
        std::string rewritten = rewriteAnnotations(f.data.splitter(), text);
        f.arena.clear();
        checkLinks(tagSentence(f.data, rewritten, f.arena));
        std::string stripped = text;
        stripAnnotations(stripped);
        ASSERT_EQ(stripped.size(), text.size());
    }
}

TEST(RobustnessTest, RandomRuleAndDictionaryLinesAreReadSafely) {
    std::mt19937 random(11);
    static const char* const kFields[] = {"NN", "VB", "x", "s", "hassuf", "fhassuf", "deletepref", "addsuf",
                                          "goodleft", "fgoodright", "char", "PREVTAG", "NEXTBIGRAM", "CURWD",
                                          "WDAND2TAGAFT", "-3", "99999999999", "/", "//", "#", "STAART"};
    std::string lines;
    for (int i = 0; i < 2000; ++i) {
        int n = static_cast<int>(random() % 7);
        for (int k = 0; k < n; ++k) lines += std::string(k ? " " : "") + kFields[random() % std::size(kFields)];
        lines += '\n';
    }
    test::LanguageText t;
    t.lexicon = lines;
    t.lexicalRules = lines;
    t.bigrams = lines;
    t.compounds = lines;
    t.contextualRules = lines;
    test::LanguageFixture f(t);
    for (int i = 0; i < 500; ++i) {
        std::string sentence;
        for (int k = 0; k < 8; ++k) sentence += std::string(k ? " " : "") + kFields[random() % std::size(kFields)];
        f.arena.clear();
        checkLinks(tagSentence(f.data, sentence, f.arena));
    }
}

}  // namespace
}  // namespace zintra
