#include <gtest/gtest.h>

#include <string>

#include "../language/language_fixture.h"
#include "engine/text/splitter.h"
#include "engine/text/token_spans.h"

namespace zintra {
namespace {

constexpr const char* kConfig =
    "TN_SYMBOL ,;:!?\"()\n"
    "SPECIAL_TAIL \"n't\" \"'s\"\n"
    "SPECIAL_HEAD \"$\"\n"
    "TN_TWO_SYMBOL \"--\"\n"
    "TN_TWO1_SYMBOL \"'(\"\n"
    "DEL_TAIL_SYMBOL .?!\n"
    "DEL_TAIL_STRING \"...\" \"?!\"\n";

// The tokens the splitter cuts from text, separated by "|".
std::string cut(const Splitter& splitter, const std::string& text) {
    std::string out;
    const char* pos = text.c_str();
    for (std::string_view t = splitter.nextToken(pos); !t.empty(); t = splitter.nextToken(pos)) {
        if (!out.empty()) out += '|';
        out += t;
    }
    return out;
}

class SplitterTest : public ::testing::Test {
  protected:
    explicit SplitterTest(std::string extra = "") : fixture({test::cat(kConfig, extra), "is VBZ\nit PRP\n"}) {}
    const Splitter& splitter() { return fixture.data.splitter(); }
    test::LanguageFixture fixture;
};

TEST_F(SplitterTest, AbbreviationsNumbersAndEllipsesStayWhole) {
    EXPECT_EQ(cut(splitter(), "U.S.A. is big"), "U.S.A.|is|big");
    EXPECT_EQ(cut(splitter(), "pi is 3.14, 1,000 at 10:30 or 1-2"), "pi|is|3.14|,|1,000|at|10:30|or|1-2");
    EXPECT_EQ(cut(splitter(), "wait... Mr. Smith"), "wait...|Mr.|Smith");
    EXPECT_EQ(cut(splitter(), "e.g.,x"), "e.g.|,|x");
    // A full stop between words that is not an abbreviation ends nothing by itself.
    EXPECT_EQ(cut(splitter(), "end.Next"), "end.Next");
}

TEST_F(SplitterTest, SeparatorsOfOneAndTwoCharacters) {
    EXPECT_EQ(cut(splitter(), "yes,no;(maybe)"), "yes|,|no|;|(|maybe|)");
    EXPECT_EQ(cut(splitter(), "a--b"), "a|--|b");
    // TN_TWO1: the pair yields its first character alone.
    EXPECT_EQ(cut(splitter(), "x'(y"), "x|'|(|y");
    EXPECT_EQ(cut(splitter(), "  \t lead"), "lead");
    EXPECT_EQ(cut(splitter(), "   "), "");
}

TEST_F(SplitterTest, SpecialHeadsAndTails) {
    EXPECT_EQ(cut(splitter(), "$100 isn't it's"), "$|100|is|n't|it|'s");
    // A word equal to the tail is not split.
    EXPECT_EQ(cut(splitter(), "n't 's"), "n't|'s");
}

class SplitterNoTailTest : public SplitterTest {
  protected:
    SplitterNoTailTest() : SplitterTest("SPERATE_FLAG 0\n") {}
};

TEST_F(SplitterNoTailTest, TailsStayOnTheirWordsWhenSeparationIsOff) {
    EXPECT_EQ(cut(splitter(), "isn't it's"), "isn't|it's");
    // The lexicon check of a tail does not depend on the flag.
    EXPECT_TRUE(splitter().specialTailWithLexicon("isn't"));
    EXPECT_TRUE(splitter().specialTailWithLexicon("it"));
    EXPECT_FALSE(splitter().specialTailWithLexicon("wasn't"));
    EXPECT_FALSE(splitter().specialTailWithLexicon("n't"));
}

TEST_F(SplitterTest, MultiByteCharactersAreTokensOfTheEncodingsWidth) {
    EXPECT_EQ(cut(splitter(),
                  "I\xE3\x81\x82"
                  "am"),
              "I|\xE3\x81\x82|am");
    // A character cut short by the end of the text never reads past it.
    EXPECT_EQ(cut(splitter(), "a \xE3\x81"), "a|\xE3\x81");
    test::LanguageFixture sjis({"ENCODE Shift_JIS\n"});
    EXPECT_EQ(cut(sjis.data.splitter(), "I\x82\xA0\x82\xA2"), "I|\x82\xA0|\x82\xA2");
}

TEST_F(SplitterTest, AmpersandRunsAndNumericReferences) {
    EXPECT_EQ(cut(splitter(), "&#12354;x"), "&#12354;|x");
    EXPECT_EQ(cut(splitter(), "&#x3042; &&#65;"), "&#x3042;|&|&#65;");
    EXPECT_EQ(cut(splitter(), "AT&T &amp; &#;"), "AT&T|&amp|;|&#|;");
}

TEST_F(SplitterTest, SentenceFinalTails) {
    EXPECT_EQ(splitter().splitTail("boy."), 1u);
    EXPECT_EQ(splitter().splitTail("wait..."), 3u);
    EXPECT_EQ(splitter().splitTail("what?!"), 2u);
    EXPECT_EQ(splitter().splitTail("..."), 3u);
    EXPECT_EQ(splitter().splitTail(".."), 1u);
    EXPECT_EQ(splitter().splitTail("boy"), 0u);
    EXPECT_EQ(splitter().splitTail(""), 0u);
}

TEST_F(SplitterTest, SpansStopAtThirty) {
    std::string text;
    for (int i = 0; i < 100; ++i) text += test::cat("w", std::to_string(i), " ");
    TokenSpans spans(splitter(), text);
    EXPECT_EQ(spans.count(), TokenSpans::kMaxSpans);
    EXPECT_EQ(spans.span(29), "w29");
    EXPECT_EQ(spans.span(30), "");
    TokenSpans few(splitter(), "I am, ok");
    EXPECT_EQ(few.count(), 4);
    EXPECT_EQ(few.copy(2), ",");
}

TEST(TokenSpansTest, QuotedSpansAreNormalised) {
    test::LanguageFixture f({"TN_SYMBOL ,\n"});
    TokenSpans spans(f.data.splitter(), "\"hello\"\" say");
    ASSERT_EQ(spans.count(), 2);
    EXPECT_EQ(spans.span(0), "\"hello\"\"");
    EXPECT_EQ(spans.copy(0), "\"hello\"");
    EXPECT_EQ(spans.copy(1), "say");
    EXPECT_EQ(TokenSpans::normaliseQuoted("\"  a \t\n b  \" \""), "\"a b\"");
    EXPECT_EQ(TokenSpans::normaliseQuoted("\""), "\"");
}

}  // namespace
}  // namespace zintra
