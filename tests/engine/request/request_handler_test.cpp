#include <gtest/gtest.h>

#include <thread>
#include <vector>

#include "engine/request/replies.h"
#include "request_fixture.h"

namespace zintra {
namespace {

using test::RequestFixture;

class RequestHandling : public RequestFixture {};

const std::string kListing = "<DIV><P>I am a boy.</P>\n<P>Tom &amp;amp; I &amp;lt;3</P>\n<P></P>\n</DIV>\n";

TEST_F(RequestHandling, ABareNameWithASentenceMatchesTheFileOfThatName) {
    std::string reply = ask("<H1>lesson1</H1><P>I am a boy.</P>");
    std::string tail = "<div><P>" + templatePath("lesson1.xvt") + "</P><P>I am a boy</P></div>\n<div></div>\n";
    ASSERT_GT(reply.size(), tail.size()) << reply;
    EXPECT_EQ(reply.substr(reply.size() - tail.size()), tail);
    EXPECT_EQ(reply.rfind("<div>", 0), 0u) << "the match report comes first: " << reply;
    EXPECT_EQ(engine.templateStore().cachedCount(), 3u) << "the file, its global file and its base file";
}

TEST_F(RequestHandling, AMatchNeedsTheGlobalFile) {
    std::filesystem::remove(templatePath("Global.xvt"));
    EXPECT_EQ(ask("<H1>lesson1</H1><P>I am a boy.</P>"), kReplyCacheCleared);
    EXPECT_EQ(ask("<H1>missing</H1><P>I am a boy.</P>"), kReplyCacheCleared);
}

TEST_F(RequestHandling, AStarNameMatchesTheSentenceWithThatOneFiller) {
    std::string reply = ask("<H1>*rock &amp; roll</H1><P>rock &amp; roll</P>");
    std::string tail = "<div><P></P><P>rock &amp; roll</P></div>\n<div></div>\n";
    ASSERT_GT(reply.size(), tail.size()) << reply;
    EXPECT_EQ(reply.substr(reply.size() - tail.size()), tail);
    EXPECT_EQ(ask("<H1>*rock</H1><P></P>"), kReplyCacheCleared) << "no sentence, no match";
}

TEST_F(RequestHandling, EscapedQuotesReachTheMatcherPlain) {
    std::string reply = ask("<H1>*say \\\"hi\\\"</H1><P>say \\\"hi\\\"</P>");
    EXPECT_NE(reply.find("<P>say \"hi\"</P></div>"), std::string::npos) << reply;
    EXPECT_EQ(reply.find('\\'), std::string::npos) << reply;
}

TEST_F(RequestHandling, AnEmptySentenceListsTheMainTemplatesSamples) {
    EXPECT_EQ(ask("<H1>lesson1</H1>"), kListing);
    EXPECT_EQ(ask("<H1>lesson1</H1><P>  </P>"), kListing);
    EXPECT_EQ(ask("<H1>missing</H1><P></P>"), kReplyCacheCleared);
}

TEST_F(RequestHandling, ParseNamesWithoutASentenceClearTheCache) {
    ASSERT_EQ(ask("<H1>lesson1</H1>"), kListing);
    ASSERT_GT(engine.templateStore().cachedCount(), 0u);
    EXPECT_EQ(ask("<H1>0-0-0.xvt</H1><P></P>"), kReplyCacheCleared);
    EXPECT_EQ(engine.templateStore().cachedCount(), 0u);
    EXPECT_EQ(ask("<H1>sub/0-0-1.xvt</H1><P>I am a boy.</P>"), "<div></div><div></div><div></div>\n<div></div>\n");
}

TEST_F(RequestHandling, FilesStayCachedWhileCacheIsOne) {
    ASSERT_EQ(ask("<H1>lesson1</H1>", "UTF-8"), kListing);
    dir.write("templates/lesson1.xvt",
              "<root><Template><template sub='0'><sample>new</sample></template></Template></root>");
    EXPECT_EQ(ask("<H1>lesson1</H1>", "UTF-8"), kListing);
}

class UncachedRequests : public RequestFixture {
    std::string extraConfig() const override { return "CACHE 0\n"; }
};

TEST_F(UncachedRequests, RequestsNamingAnEncodingReloadTheFiles) {
    ASSERT_EQ(ask("<H1>lesson1</H1>", "UTF-8"), kListing);
    EXPECT_EQ(engine.templateStore().cachedCount(), 0u);
    dir.write("templates/lesson1.xvt",
              "<root><Template><template sub='0'><sample>new</sample></template></Template></root>");
    EXPECT_EQ(ask("<H1>lesson1</H1>", "UTF-8"), "<DIV><P>new</P>\n</DIV>\n");
}

TEST_F(UncachedRequests, SocketRequestsKeepTheCache) {
    ASSERT_EQ(ask("<H1>lesson1</H1>"), kListing);
    dir.write("templates/lesson1.xvt",
              "<root><Template><template sub='0'><sample>new</sample></template></Template></root>");
    EXPECT_EQ(ask("<H1>lesson1</H1>"), kListing) << "no reply encoding: no drop";
    EXPECT_EQ(ask("<H1>lesson1</H1>", ""), kListing) << "an empty encoding name is no encoding";
}

TEST_F(RequestHandling, OversizedRequestsAndFieldsAreHeldWhole) {
    // Longer than the request buffer, with fields far beyond their area.
    std::string name(3000, 'n');
    std::string sentence;
    while (sentence.size() < 200000) sentence += "I am a boy ";
    EXPECT_EQ(ask("<H1>" + name + "</H1><P>" + sentence + "</P>"), kReplyCacheCleared);
    std::string reply = ask("<H1>lesson1</H1><P>" + sentence + "</P>");
    EXPECT_NE(reply.find("<P>I am a boy</P></div>"), std::string::npos);
    std::string text(5000, 'x');
    reply = ask("<H1>lesson1</H1><DIV><B>ModifySentence</B><ID>9</ID><TEXT>" + text + "</TEXT></DIV>");
    EXPECT_EQ(reply, "<B>ModifySentence</B><P>9 " + text + "</P>\n");
}

TEST_F(RequestHandling, DeeplyNestedRequestsAreAnsweredSafely) {
    std::string deep = "<H1>lesson1</H1><DIV><B>AddTemplate</B><template><name>deep</name>";
    for (int i = 0; i < 50000; ++i) deep += "<x>";
    for (int i = 0; i < 50000; ++i) deep += "</x>";
    deep += "</template></DIV>";
    EXPECT_EQ(ask(deep), kReplyCantOpen) << "too deep to copy into the document";
    EXPECT_EQ(ask("<H1>lesson1</H1><DIV><B>ShowTemplate</B><NAME>deep</NAME></DIV>"), kReplyCantOpen);
}

TEST_F(RequestHandling, ConcurrentMatchesSurviveCacheClears) {
    const std::string request = "<H1>lesson1</H1><P>me is a boy.</P>";
    const std::string expected = ask(request);
    ASSERT_NE(expected, kReplyCacheCleared);
    std::atomic<int> wrong{0};
    std::vector<std::thread> threads;
    for (int t = 0; t < 3; ++t) {
        threads.emplace_back([&] {
            for (int i = 0; i < 40; ++i) {
                if (ask(request) != expected) ++wrong;
            }
        });
    }
    threads.emplace_back([&] {
        for (int i = 0; i < 40; ++i) {
            if (ask("<H1>0-0-0.xvt</H1>") != kReplyCacheCleared) ++wrong;
        }
    });
    for (auto& t : threads) t.join();
    EXPECT_EQ(wrong.load(), 0);
}

}  // namespace
}  // namespace zintra
