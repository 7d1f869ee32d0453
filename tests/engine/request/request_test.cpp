#include <gtest/gtest.h>

#include "engine/api/engine.h"
#include "engine/request/replies.h"
#include "engine/request/request.h"
#include "engine/text/converter.h"
#include "engine/text/escaping.h"

#include <cstring>
#include "test_support.h"

namespace zintra {
namespace {

class RequestTest : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_EQ(engine.initialise(test::writeMinimalInstallation(dir).c_str()), 1); }
    std::string ask(const std::string& request, const char* encoding = "") {
        return engine.handleRequest(encoding, request.c_str());
    }
    test::TempDir dir;
    Engine engine;
};

TEST_F(RequestTest, QueriesWithoutQueryTemplateCannotBeUnderstood) {
    std::string reply = ask("what is this");
    EXPECT_EQ(reply, "Can't understand!\n");
    EXPECT_EQ(reply.size(), 18u);
}

TEST_F(RequestTest, MalformedXmlGetsTheCantOpenReply) {
    EXPECT_EQ(ask("<H1>lesson<P>I am a boy.</P>"), kReplyCantOpen);
    EXPECT_EQ(ask("<H1>a</H1><P>x & y</P>"), kReplyCantOpen);
}

TEST_F(RequestTest, WorkThatProducesNothingClearsTheCache) {
    EXPECT_EQ(ask("<H1>0-0-0.xvt</H1><P></P>"), kReplyCacheCleared);
    EXPECT_EQ(ask("  \n\t<H1>lesson1</H1><P>I am a boy.</P>"), kReplyCacheCleared)
        << "leading blanks still make an XML request; no template file can be matched";
    EXPECT_EQ(ask(""), kReplyCacheCleared);
}

TEST_F(RequestTest, CatalogueCommandsThatProduceNothingGetTheCantOpenReply) {
    EXPECT_EQ(ask("<DIV><B>NoSuchCommand</B></DIV>"), kReplyCantOpen);
    EXPECT_EQ(ask("<H1>a</H1><DIV><B>ShowTemplate</B><NAME>none</NAME></DIV>"), kReplyCantOpen);
    EXPECT_EQ(ask("<H1>a</H1><H2>b</H2><DIV><B>ListTemplates</B></DIV>"), kReplyCantOpen);
}

TEST_F(RequestTest, ParseNamesWithASentenceAnswerWithEmptyDivisions) {
    EXPECT_EQ(ask("<H1>0-0-1.xvt</H1><P>I am a boy.</P>"),
              "<div></div><div></div><div></div>\n<div></div>\n");  // no grammar: an empty tree
}

TEST_F(RequestTest, TextFileDisplayShowsTitleAndEscapedLines) {
    dir.write("templates/notes.txt", "  \"Lesson & notes\" more\nfirst <line>\nsecond\n");
    EXPECT_EQ(ask("<H2>notes.txt</H2>"), "<div><B>Lesson &amp; notes</B><P>first &lt;line>\n</P><P>second\n</P></div>");
    dir.write("templates/plain.txt", "Title words\n");
    EXPECT_EQ(ask("<H2>plain.txt</H2>"), "<div><B>Title</B></div>");
    std::string missing = (dir.path() / "templates" / "none.txt").string();
    EXPECT_EQ(ask("<H2>none.txt</H2>"), "<div><P>Can't open \"" + missing + "\" file!</P></div>\n");
}

TEST_F(RequestTest, RepliesAreReencodedIntoTheNamedEncoding) {
    dir.write("templates/jp.txt", "T\n\xE3\x81\x82\n");  // U+3042 in UTF-8
    EXPECT_EQ(ask("<H2>jp.txt</H2>", "shift-jis"), "<div><B>T</B><P>\x82\xA0\n</P></div>");
    EXPECT_EQ(ask("<H2>jp.txt</H2>", "IE"), "<div><B>T</B><P>&#12354;\n</P></div>");
    EXPECT_EQ(ask("<H2>jp.txt</H2>", "UTF-8"), "<div><B>T</B><P>\xE3\x81\x82\n</P></div>");
}

TEST(RequestText, BackslashesBeforeQuotesAndBackslashesAreRemoved) {
    std::string text = R"(say \"hi\", it\'s a \\ and \n)";
    removeEscapingBackslashes(text);
    EXPECT_EQ(text, R"(say "hi", it's a \ and \n)");
    std::string trailing = "end\\";
    removeEscapingBackslashes(trailing);
    EXPECT_EQ(trailing, "end\\");
}

TEST(RequestText, XmlRequestsStartWithAnAngleBracketAfterBlanks) {
    EXPECT_TRUE(isXmlRequest(""));
    EXPECT_TRUE(isXmlRequest(" \r\n\t<H1>"));
    EXPECT_FALSE(isXmlRequest("I am a boy."));
}

TEST(RequestText, FieldsTakeTheLastOccurrenceTrimmed) {
    Engine engine;  // starts the XML library
    Converter converter("UTF-8");
    auto parsed =
        parseXmlRequest("<H1>first</H1><P>  one  </P><P>\n two </P><X>ignored</X><DIV><B>c</B></DIV>", converter);
    ASSERT_NE(parsed, nullptr);
    EXPECT_EQ(parsed->fields.h1, "first");
    EXPECT_EQ(parsed->fields.p, "two");
    EXPECT_TRUE(parsed->fields.h2.empty());
    EXPECT_NE(parsed->fields.div, nullptr);
}

TEST(RequestText, HostileDocumentsAreRefusedQuickly) {
    Engine engine;
    Converter converter("UTF-8");
    // Entity declarations are not allowed inside the request's root; a DOCTYPE
    // placed there makes the request malformed.
    std::string bomb =
        "<!DOCTYPE r [<!ENTITY a \"aaaaaaaaaa\"><!ENTITY b \"&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;\">]><P>&b;</P>";
    EXPECT_EQ(parseXmlRequest(bomb, converter), nullptr);
    std::string deep;
    for (int i = 0; i < 20000; ++i) deep += "<a>";
    EXPECT_EQ(parseXmlRequest(deep, converter), nullptr);
}

TEST(Replies, EscapingTouchesOnlyAmpersandAndLessThan) {
    EXPECT_EQ(escaped("a & b < c > d \" '"), "a &amp; b &lt; c > d \" '");
}

TEST(Replies, CopyingCutsLongRepliesWithoutOverrun) {
    char buffer[8];
    std::memset(buffer, '#', sizeof buffer);
    EXPECT_EQ(copyReply("abcdefghij", buffer, 6), 5u);
    EXPECT_STREQ(buffer, "abcde");
    EXPECT_EQ(buffer[6], '#');
    // A cut that would end inside a three-byte character drops the whole character.
    EXPECT_EQ(copyReply("ab\xE3\x81\x82z", buffer, 5), 2u);
    EXPECT_STREQ(buffer, "ab");
    EXPECT_EQ(copyReply("ok", buffer, sizeof buffer), 2u);
}

TEST(Replies, ACutEndsOnAWholeCharacterOfTheReplysEncoding) {
    char buffer[8];
    // Shift-JIS: a trail byte may look like anything; the walk from the start knows.
    EXPECT_EQ(copyReply("a\xE0\x41", buffer, 3, "Shift_JIS"), 1u) << "not the lead byte alone";
    EXPECT_EQ(copyReply("\xB1\xB1\xB1", buffer, 3, "Shift_JIS"), 2u) << "half-width kana are one byte each";
    EXPECT_EQ(copyReply("\x82\xA0\x93\x82z", buffer, 4, "Shift_JIS"), 2u);
    EXPECT_EQ(copyReply("\x82\xA0\x93\x82z", buffer, 5, "Shift_JIS"), 4u);
    // EUC-JP: three-byte characters after 0x8F.
    EXPECT_EQ(copyReply("a\x8F\xA1\xA1"
                        "b",
                        buffer, 4, "EUC-JP"),
              1u);
    EXPECT_EQ(copyReply("a\x8F\xA1\xA1"
                        "b",
                        buffer, 5, "EUC-JP"),
              4u);
    EXPECT_EQ(copyReply("ab\xE3\x81\x82z", buffer, 5, "UTF-8"), 2u);
    // A single-byte encoding cuts anywhere.
    EXPECT_EQ(copyReply("\xE9\xE9\xE9", buffer, 3, "ISO-8859-1"), 2u);
}

}  // namespace
}  // namespace zintra
