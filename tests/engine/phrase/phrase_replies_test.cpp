// The phrase tree in whole requests: match replies end with the tree of the
// matched sentence and its corrections, parse requests with the tree of
// their sentence; a phrase grammar that does not read fails the initialisation.
#include <gtest/gtest.h>

#include <string>

#include "request/request_fixture.h"

namespace zintra::test {
namespace {

constexpr const char* kSmallGrammar =
    "%%\n"
    "S : NP VP ;\n"
    "NP : PRP | DT NN ;\n"
    "VP : VBP NP | VBZ NP ;\n";

constexpr const char* kBoyTree = "(S (NP (PRP I)) (VP (VBP am) (NP (DT a) (NN boy))))";

class GrammarRequests : public RequestFixture {
  protected:
    std::string extraConfig() const override {
        return "GRAMMAR_FILE " + dir.write("grammar.txt", kSmallGrammar) + "\n";
    }
};

TEST_F(GrammarRequests, MatchRepliesEndWithTheTreeOfTheSentence) {
    std::string reply = ask("<H1>lesson1</H1><P>I am a boy.</P>");
    std::string tail = std::string("</P></div>\n<!-- ") + kBoyTree + " -->\n<div><span>S</span><div><span>NP</span>";
    ASSERT_NE(reply.find(tail), std::string::npos) << reply;
    EXPECT_EQ(reply.substr(reply.size() - 7), "</div>\n");
    EXPECT_NE(reply.find("<div><span>NN</span><P><B>boy</B></P></div>\n"), std::string::npos);
}

TEST_F(GrammarRequests, CorrectedWordsCarryTheirReplacementInTheTree) {
    // "is" is a wrong filler of "am": the tree shows it with the word it should be.
    std::string reply = ask("<H1>lesson1</H1><P>I is a boy.</P>");
    EXPECT_NE(reply.find("<P><B>is</B><FONT>am</FONT></P>"), std::string::npos) << reply;
    // Correct words have no markup.
    EXPECT_NE(reply.find("<P><B>boy</B></P>"), std::string::npos);
}

TEST_F(GrammarRequests, ParseRequestsTakeGivenTagsOrStripThem) {
    std::string head = "<div></div><div></div><div></div>\n";
    std::string given = ask("<H1>0-0-0.xvt</H1><P>I am a/DT boy/NN.</P>");
    EXPECT_EQ(given.rfind(head + "<!-- " + kBoyTree + " -->\n", 0), 0u) << given;
    // Stripped, "boy/VB" is the plain word again; kept, VB makes no sentence.
    std::string stripped = ask("<H1>0-0-1.xvt</H1><P>I am a boy/VB.</P>");
    EXPECT_EQ(stripped.rfind(head + "<!-- " + kBoyTree + " -->\n", 0), 0u) << stripped;
    std::string kept = ask("<H1>0-0-0.xvt</H1><P>I am a boy/VB.</P>");
    EXPECT_EQ(kept.rfind(head + "<div><span>S</span>", 0), 0u) << kept;
}

TEST_F(GrammarRequests, TheParseEntryPrintsTheBracketTree) {
    char buffer[512];
    int length = engine.parse("I am a boy.", 0, buffer, sizeof buffer);
    EXPECT_EQ(std::string(buffer, static_cast<size_t>(length)), kBoyTree);
    EXPECT_EQ(engine.parse("", 0, buffer, sizeof buffer), 0);
    EXPECT_EQ(engine.parse(nullptr, 0, buffer, sizeof buffer), 0);
}

TEST(GrammarInitialisation, AGrammarThatDoesNotReadFailsIt) {
    TempDir dir;
    Engine engine;
    std::string missing = "GRAMMAR_FILE " + dir.file("none.txt") + "\n";
    EXPECT_EQ(engine.initialise(writeMinimalInstallation(dir, missing).c_str()), 0);
    std::string broken = "GRAMMAR_FILE " + dir.write("broken.txt", "S : NP VP ;\n") + "\n";
    EXPECT_EQ(engine.initialise(writeMinimalInstallation(dir, broken).c_str()), 0);
    EXPECT_EQ(engine.handleRequest(nullptr, "<H1>x</H1><P>I am a boy.</P>"), "");
    std::string good = "GRAMMAR_FILE " + dir.write("good.txt", kSmallGrammar) + "\n";
    EXPECT_EQ(engine.initialise(writeMinimalInstallation(dir, good).c_str()), 1);
    // Without a grammar named, the engine runs and its trees stay empty.
    Engine plain;
    EXPECT_EQ(plain.initialise(writeMinimalInstallation(dir).c_str()), 1);
    char buffer[64];
    int length = plain.parse("I am a boy.", 0, buffer, sizeof buffer);
    EXPECT_EQ(std::string(buffer, static_cast<size_t>(length)), "<div></div>\n");
}

}  // namespace
}  // namespace zintra::test
