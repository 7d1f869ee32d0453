#include <gtest/gtest.h>

#include "engine/text/converter.h"

namespace zintra {
namespace {

TEST(PercentDecoding, BytesAndUtf16UnitsBecomeEngineText) {
    Converter utf8("UTF-8");
    std::string text = "%41%u3042";
    utf8.percentDecode(text);
    EXPECT_EQ(text, "A\xE3\x81\x82");

    Converter sjis("shift-jis");
    ASSERT_TRUE(sjis.isOpen()) << "the ambiguous-alias warning is not a failure";
    std::string sj = "%u3042%20b";
    sjis.percentDecode(sj);
    EXPECT_EQ(sj, "\x82\xA0 b");
}

TEST(PercentDecoding, BadDigitsStayAsTyped) {
    Converter c("UTF-8");
    std::string text = "%4G %u30zz 100% %";
    c.percentDecode(text);
    EXPECT_EQ(text, "%4G %u30zz 100% %");
    std::string lower = "%e3%81%82";
    c.percentDecode(lower);
    EXPECT_EQ(lower, "\xE3\x81\x82");
}

TEST(Reencoding, SameOrEmptyTargetLeavesTheReplyAlone) {
    Converter c("UTF-8");
    std::string reply = "a\xE3\x81\x82";
    EXPECT_EQ(c.reencode(reply, ""), reply);
    EXPECT_EQ(c.reencode(reply, "UTF-8"), reply);
}

TEST(Reencoding, InternetExplorerTargetUsesNumericReferences) {
    Converter c("UTF-8");
    EXPECT_EQ(c.reencode("x\xE3\x81\x82\xC3\xA9", "IE"), "x&#12354;\xE9");
}

TEST(Reencoding, OtherTargetsGoThroughTheirConverter) {
    Converter c("UTF-8");
    EXPECT_EQ(c.reencode("\xE3\x81\x82", "shift-jis"), "\x82\xA0");
    EXPECT_EQ(c.reencode("\xE3\x81\x82", "no-such-encoding"), "");
    // The JIS wave dash and the full-width tilde both reach Shift-JIS as 0x8160,
    // never as a substitution character.
    EXPECT_EQ(c.reencode("\xE3\x80\x9C", "shift-jis"), "\x81\x60");
    EXPECT_EQ(c.reencode("\xEF\xBD\x9E", "shift-jis"), "\x81\x60");
    EXPECT_EQ(c.reencode("a\xE2\x88\x92"
                         "b",
                         "shift-jis"),
              "a\x81\x7C"
              "b");
    // A target that writes the character itself keeps it.
    EXPECT_EQ(c.reencode("\xE3\x80\x9C", "UTF-16LE"), std::string("\x1C\x30", 2));
    Converter missing("no-such-encoding");
    EXPECT_FALSE(missing.isOpen());
    EXPECT_TRUE(U_FAILURE(missing.error()));
}

TEST(Utf16, RoundTripsThroughShiftJis) {
    Converter c("shift-jis");
    std::u16string units = c.toUtf16(
        "\x82\xA0"
        "abc");
    EXPECT_EQ(units, u"\u3042abc");
    EXPECT_EQ(c.fromUtf16(units),
              "\x82\xA0"
              "abc");
}

}  // namespace
}  // namespace zintra
