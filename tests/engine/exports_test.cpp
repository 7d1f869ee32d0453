// The exports as a caller of libzintra.so sees them.
#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <cstring>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "engine/api/zintra.h"
#include "test_support.h"

namespace {

using zintra::test::TempDir;
using zintra::test::writeMinimalInstallation;

// CTest runs each test in a process of its own, so each starts with a fresh engine.
TEST(Exports, AMatchBeforeAnyInitialisationIsEmpty) {
    char reply[16];
    std::memset(reply, 'x', sizeof reply);
    EXPECT_EQ(zintraMatch("shift-jis", "<H1>a</H1><P>I am a boy.</P>", reply), 0);
    EXPECT_EQ(reply[0], '\0');
    void* block[3] = {nullptr, const_cast<char*>("<P>x</P>"), reply};
    EXPECT_EQ(ZINTRAmatch(block), 0);
}

TEST(Exports, BadPathsFailEveryFormOfInitialisation) {
    EXPECT_EQ(zintraInit("/nonexistent/zintra.ini"), 0);
    EXPECT_EQ(zintraAsyncInit("/nonexistent/zintra.ini"), 0);
    EXPECT_EQ(zintraServerInit("/nonexistent/zintra.ini"), 1);
    char reply[16];
    EXPECT_EQ(zintraMatch("", "hello", reply), 0);
    EXPECT_EQ(zintraInit(nullptr), 0);
}

TEST(Exports, ArgumentBlocksHoldPointerSizedSlots) {
    TempDir dir;
    std::string config = writeMinimalInstallation(dir);
    void* init[2] = {reinterpret_cast<void*>(static_cast<uintptr_t>(0xDEADBEEFu)), config.data()};
    EXPECT_EQ(ZINTRAinit(init), 1);
    std::vector<char> reply(ZINTRA_REPLY_MAX);
    void* match[3] = {const_cast<char*>(""), const_cast<char*>("not xml"), reply.data()};
    EXPECT_EQ(ZINTRAmatch(match), 18);
    EXPECT_STREQ(reply.data(), "Can't understand!\n");
}

TEST(Exports, LongRepliesAreCutAtTheDocumentedMaximum) {
    TempDir dir;
    ASSERT_EQ(zintraInit(writeMinimalInstallation(dir).c_str()), 1);
    std::string big = "title\n";
    for (int i = 0; i < 30000; ++i) big += "line of forty bytes to fill the reply..\n";
    dir.write("templates/big.txt", big);

    const size_t guard = 4096;
    std::vector<char> buffer(ZINTRA_REPLY_MAX + guard, '#');
    int length = zintraMatch("", "<H2>big.txt</H2>", buffer.data());
    EXPECT_EQ(length, ZINTRA_REPLY_MAX - 1);
    EXPECT_EQ(buffer[ZINTRA_REPLY_MAX - 1], '\0');
    for (size_t i = ZINTRA_REPLY_MAX; i < buffer.size(); ++i) ASSERT_EQ(buffer[i], '#') << "written past the reply";
}

TEST(Exports, BatchExportsAnswerForAFolder) {
    TempDir dir;
    dir.write("b/Lesson1.xvt", "<a>\n</a>\n");
    dir.write("b/Lesson2.xvt", "<a>\n");
    std::string bad = dir.file("b/Lesson2.xvt");
    std::vector<char> out(4096, '#');
    EXPECT_EQ(zintraTestAllXML(dir.file("b").c_str(), out.data(), 0), static_cast<int>(bad.size()));
    EXPECT_STREQ(out.data(), bad.c_str());
    EXPECT_EQ(zintraCountLine(dir.file("b").c_str(), 1), 3);
    EXPECT_EQ(zintraGetAllSentences(dir.file("b").c_str(), dir.file("out").c_str(), 7), 7);
}

TEST(Exports, SampleExportsOnAnInitialisedEngine) {
    TempDir dir;
    ASSERT_EQ(zintraInit(writeMinimalInstallation(dir).c_str()), 1);
    dir.write("templates/Global.xvt", "<root><Template></Template></root>");
    std::string lesson = dir.write("templates/Lesson1.xvt",
                                   "<root><Template><template sub='0'><name>t</name><sample>I is a boy.</sample>"
                                   "<node><name>a</name><Next>b</Next><Group><name>I</name></Group></node>"
                                   "<node><name>b</name><Next>c</Next><Group><name>am</name></Group></node>"
                                   "<node><name>c</name><Group><name>a boy</name></Group></node>"
                                   "</template></Template></root>");
    // An empty path means the templates folder; the failing sample's output
    // ends with the path and name block and the tree part.
    std::vector<char> out(ZINTRA_REPLY_MAX, '#');
    int length = zintraTestAllTemplates("", out.data(), 0);
    ASSERT_GT(length, 0);
    std::string text(out.data(), static_cast<size_t>(length));
    EXPECT_EQ(out[static_cast<size_t>(length)], '\0');
    EXPECT_NE(text.find("<div><P>" + lesson + "</P><P>t</P></div><div></div>\n"), std::string::npos) << text;

    // The page is written, also without a reference file; 1 when it cannot be created.
    EXPECT_EQ(zintraGetAllSampleTree("", dir.file("none").c_str(), dir.file("page.html").c_str(), 0), 1);
    EXPECT_TRUE(std::filesystem::exists(dir.file("page.html")));
    EXPECT_EQ(zintraGetAllSampleTree("", "", dir.file("no/folder/page.html").c_str(), 0), 1);
    EXPECT_EQ(zintraGetAllSampleTree("", nullptr, nullptr, 0), 1);

    EXPECT_EQ(zintraGetAllSentences("", dir.file("out").c_str(), 0), 0);
    EXPECT_TRUE(std::filesystem::exists(dir.file("out/Lesson1/Lesson1.txt")));
    EXPECT_EQ(zintraGetAllSentences(nullptr, nullptr, 1), 1);
}

TEST(Exports, ServerInitWithAnOccupiedPortReturnsTwo) {
    int blocker = socket(AF_INET, SOCK_STREAM, 0);
    ASSERT_GE(blocker, 0);
    int yes = 1;
    setsockopt(blocker, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(8888);
    if (bind(blocker, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
        close(blocker);
        GTEST_SKIP() << "port 8888 is taken by another program";
    }
    listen(blocker, 1);
    TempDir dir;
    EXPECT_EQ(zintraServerInit(writeMinimalInstallation(dir).c_str()), 2);
    close(blocker);
}

}  // namespace
