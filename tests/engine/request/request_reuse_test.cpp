// The request parsers kept for reuse: a parser used again parses as a new
// one would, whatever the request before it was, and concurrent requests
// each have their own.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

#include "engine/request/replies.h"
#include "engine/request/request.h"
#include "engine/text/converter.h"
#include "request_fixture.h"

namespace zintra {
namespace {

using test::RequestFixture;

class ParserReuse : public RequestFixture {};

// Requests that do not parse, each failing in its own way.
const char* const kMalformed[] = {
    "<H1>lesson1</H1><P>unclosed",
    "<H1>lesson1</H1><P>&undefined;</P>",
    "<!DOCTYPE r [<!ENTITY a \"aaaaaaaaaa\">]><P>&a;</P>",
    "<H1>lesson1</H1></P>",
    "<H1>lesson1</H1><P a='1' a='2'>I am a boy.</P>",
};

TEST_F(ParserReuse, RepliesAfterMalformedRequestsAreAsFromAFreshEngine) {
    const std::string match = "<H1>lesson1</H1><P>me is a boy.</P>";
    const std::string listing = "<H1>lesson1</H1>";
    const std::string expectedMatch = ask(match);
    const std::string expectedListing = ask(listing);
    ASSERT_NE(expectedMatch, kReplyCacheCleared);
    for (const char* bad : kMalformed) {
        EXPECT_EQ(ask(bad), kReplyCantOpen) << bad;
        EXPECT_EQ(ask(match), expectedMatch) << "after " << bad;
        EXPECT_EQ(ask(bad), kReplyCantOpen) << bad;
        EXPECT_EQ(ask(listing), expectedListing) << "after " << bad;
    }
    // One request at a time: one parser, taken and given back each time.
    EXPECT_EQ(engine.requestParsers().idleCount(), 1u);

    test::TempDir otherDir;
    otherDir.write("templates/Global.xvt", test::kGlobalXvt);
    otherDir.write("templates/Gtemplate.xvt", test::kBaseXvt);
    otherDir.write("templates/lesson1.xvt", test::kLessonXvt);
    Engine fresh;
    ASSERT_EQ(fresh.initialise(writeMinimalInstallation(otherDir, extraConfig()).c_str()), 1);
    std::string freshListing = fresh.handleRequest(nullptr, listing.c_str());
    EXPECT_EQ(freshListing, expectedListing);
}

TEST_F(ParserReuse, AParserUsedAgainStartsClean) {
    ReusableXmlParser parser;
    // A noted error is not carried into the next parse.
    EXPECT_FALSE(parser.parse("<root><a></root>", "t"));
    EXPECT_TRUE(parser.parse("<root><a/></root>", "t"));
    ASSERT_NE(parser.document(), nullptr);
    EXPECT_EQ(xmlToUtf8(parser.document()->getDocumentElement()->getTagName()), "root");
    // The entity budget is per document: two documents each just within it.
    std::string big(20000, 'x');
    // (The document declares its element: with a DTD the parse validates.)
    std::string doc = "<!DOCTYPE r [<!ELEMENT r (#PCDATA)><!ENTITY a \"" + big + "\">]><r>";
    for (int i = 0; i < 40; ++i) doc += "&a;";  // 800,000 units of the 1,000,000
    doc += "</r>";
    ASSERT_TRUE(XmlDocument::fromMemory(doc, "t")->ok()) << XmlDocument::fromMemory(doc, "t")->error();
    EXPECT_TRUE(parser.parse(doc, "t"));
    EXPECT_TRUE(parser.parse(doc, "t"));
    std::string over = doc;
    over.insert(over.size() - 4, "&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;");
    EXPECT_FALSE(parser.parse(over, "t"));
    EXPECT_TRUE(parser.parse(doc, "t"));
    parser.release();
    EXPECT_EQ(parser.document(), nullptr);
}

TEST_F(ParserReuse, APoolKeepsAFewIdleParsers) {
    RequestParsers pool;
    std::vector<std::unique_ptr<ReusableXmlParser>> taken;
    for (size_t i = 0; i < RequestParsers::kMaxIdle + 3; ++i) taken.push_back(pool.take());
    for (auto& p : taken) pool.giveBack(std::move(p));
    EXPECT_EQ(pool.idleCount(), RequestParsers::kMaxIdle);
    std::unique_ptr<ReusableXmlParser> again = pool.take();
    EXPECT_NE(again, nullptr);
    EXPECT_EQ(pool.idleCount(), RequestParsers::kMaxIdle - 1);
    pool.giveBack(std::move(again));
    pool.clear();
    EXPECT_EQ(pool.idleCount(), 0u);

    // A parsed request gives its parser back when it ends.
    Converter converter("UTF-8");
    {
        auto parsed = parseXmlRequest("<H1>a</H1><DIV><B>c</B></DIV>", converter, &pool);
        ASSERT_NE(parsed, nullptr);
        EXPECT_NE(parsed->fields.div, nullptr);
        EXPECT_EQ(pool.idleCount(), 0u) << "in use while the request lives";
    }
    EXPECT_EQ(pool.idleCount(), 1u);
    EXPECT_EQ(parseXmlRequest("<P>", converter, &pool), nullptr);
    EXPECT_EQ(pool.idleCount(), 1u) << "a failed parse gives its parser back too";
}

TEST_F(ParserReuse, ConcurrentRequestsEachParseWithTheirOwnParser) {
    const std::string match = "<H1>lesson1</H1><P>me is a boy.</P>";
    const std::string other = "<H1>lesson1</H1><P>I am a boy.</P>";
    const std::string expectedMatch = ask(match);
    const std::string expectedOther = ask(other);
    std::atomic<int> wrong{0};
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([&, t] {
            for (int i = 0; i < 30; ++i) {
                if (ask(kMalformed[(i + t) % std::size(kMalformed)]) != kReplyCantOpen) ++wrong;
                if (ask((i + t) % 2 ? match : other) != ((i + t) % 2 ? expectedMatch : expectedOther)) ++wrong;
            }
        });
    }
    for (auto& t : threads) t.join();
    EXPECT_EQ(wrong.load(), 0);
    EXPECT_GE(engine.requestParsers().idleCount(), 1u);
    EXPECT_LE(engine.requestParsers().idleCount(), 5u);
}

}  // namespace
}  // namespace zintra
