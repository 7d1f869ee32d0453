#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstring>
#include <memory>
#include <string>
#include <thread>

#include "engine/api/engine.h"
#include "test_support.h"

namespace zintra {
namespace {

TEST(EngineInit, ResultFollowsTheConfigurationAndItsFiles) {
    test::TempDir dir;
    Engine engine;
    EXPECT_EQ(engine.initialise(dir.file("missing.ini").c_str()), 0);
    EXPECT_FALSE(engine.isInitialised());
    EXPECT_EQ(engine.initialise(test::writeMinimalInstallation(dir).c_str()), 1);
    EXPECT_TRUE(engine.isInitialised());
    EXPECT_EQ(engine.initialise(nullptr), 0);
    EXPECT_FALSE(engine.isInitialised()) << "every initialisation replaces the flag";
}

TEST(EngineInit, RequiredFilesAndParseZeroFailTheInitialisation) {
    test::TempDir dir;
    Engine engine;
    EXPECT_EQ(engine.initialise(test::writeMinimalInstallation(dir, "BIGRAMS nowhere.txt\n").c_str()), 0);
    dir.write("comments-only.txt", "# nothing\n\n   # still nothing\n");
    EXPECT_EQ(
        engine.initialise(
            test::writeMinimalInstallation(dir, "CONTEXTUALRULEFILE " + dir.file("comments-only.txt") + "\n").c_str()),
        0);
    EXPECT_EQ(engine.initialise(
                  test::writeMinimalInstallation(dir, "COMPOUND_FILE " + dir.file("comments-only.txt") + "\n").c_str()),
              0);
    EXPECT_EQ(engine.initialise(test::writeMinimalInstallation(dir, "MYDICTIONARY_FILE nowhere.txt\n").c_str()), 1)
        << "the user dictionary may be missing";
    EXPECT_EQ(engine.initialise(test::writeMinimalInstallation(dir, "PARSE 0\n").c_str()), 0);
    EXPECT_EQ(engine.initialise(test::writeMinimalInstallation(dir).c_str()), 0)
        << "a scalar key not given again keeps the value of the earlier reading";
    EXPECT_EQ(engine.initialise(test::writeMinimalInstallation(dir, "PARSE 1\n").c_str()), 1);
}

TEST(EngineRequests, BeforeInitialisationTheReplyIsEmpty) {
    Engine engine;
    char reply[64];
    std::memset(reply, 'x', sizeof reply);
    EXPECT_EQ(engine.match("", "<H1>a</H1><P>I am a boy.</P>", reply, sizeof reply), 0);
    EXPECT_EQ(reply[0], '\0');
    test::TempDir dir;
    engine.initialise(test::writeMinimalInstallation(dir, "PARSE 0\n").c_str());
    EXPECT_EQ(engine.handleRequest(nullptr, "hello"), "") << "PARSE 0 leaves the engine uninitialised";
}

TEST(EngineInit, AsynchronousInitialisationCopiesThePathAndPublishesTheResult) {
    test::TempDir dir;
    std::string path = test::writeMinimalInstallation(dir);
    Engine engine;
    {
        std::string temporary = path;
        EXPECT_EQ(engine.initialiseAsync(temporary.c_str()), 0);
        temporary.assign(temporary.size(), '?');  // the caller's copy changes at once
    }
    for (int i = 0; i < 500 && !engine.isInitialised(); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(10));
    EXPECT_TRUE(engine.isInitialised());

    Engine other;
    EXPECT_EQ(other.initialiseAsync(dir.file("missing.ini").c_str()), 0);
}

TEST(EngineInit, RequestsRacingReinitialisationNeverCrash) {
    test::TempDir dir;
    std::string path = test::writeMinimalInstallation(dir);
    Engine engine;
    ASSERT_EQ(engine.initialise(path.c_str()), 1);
    std::atomic<bool> stop{false};
    std::thread requester([&] {
        while (!stop) {
            std::string reply = engine.handleRequest("", "not xml");
            EXPECT_TRUE(reply.empty() || reply == "Can't understand!\n");
        }
    });
    for (int i = 0; i < 30; ++i) engine.initialise(path.c_str());
    stop = true;
    requester.join();
    EXPECT_TRUE(engine.isInitialised());
}

TEST(EngineInit, ARequestHoldingTheOldDataFillsOnlyTheOldCache) {
    test::TempDir dir;
    std::string path = test::writeMinimalInstallation(dir);
    dir.write("templates/lesson1.xvt",
              "<?xml version='1.0'?>\n<root><Template><template sub='0'><name>m</name><sample>one</sample>"
              "<node><name>n</name><Group><name>boy</name></Group></node></template></Template></root>");
    Engine engine;
    ASSERT_EQ(engine.initialise(path.c_str()), 1);
    // A request takes the state when it starts and keeps it to the end.
    std::shared_ptr<const Engine::State> inFlight = engine.state();
    ASSERT_EQ(engine.initialise(path.c_str()), 1);
    std::shared_ptr<const Engine::State> current = engine.state();
    EXPECT_NE(current->analyzer, inFlight->analyzer);
    EXPECT_NE(current->templates, inFlight->templates);

    // The request in flight now reads its template file with the old data.
    std::string file = inFlight->templates->fullPath("lesson1");
    auto old = inFlight->templates->get(file, nullptr, *inFlight->analyzer);
    ASSERT_NE(old, nullptr);
    EXPECT_EQ(current->templates->cachedCount(), 0u) << "the file read with the old data stays out of the new cache";

    EXPECT_EQ(engine.handleRequest(nullptr, "<H1>lesson1</H1>"), "<DIV><P>one</P>\n</DIV>\n");
    auto fresh = current->templates->get(file, nullptr, *current->analyzer);
    ASSERT_NE(fresh, nullptr);
    EXPECT_NE(fresh, old) << "a request after the initialisation reads the file again";
}

TEST(EngineInit, TemplateRequestsRacingReinitialisationGetWholeReplies) {
    test::TempDir dir;
    std::string path = test::writeMinimalInstallation(dir);
    dir.write("templates/lesson1.xvt",
              "<?xml version='1.0'?>\n<root><Template><template sub='0'><name>m</name><sample>one</sample>"
              "<node><name>n</name><Group><name>boy</name></Group></node></template></Template></root>");
    Engine engine;
    ASSERT_EQ(engine.initialise(path.c_str()), 1);
    std::atomic<bool> stop{false};
    std::atomic<int> wrong{0};
    std::thread requester([&] {
        while (!stop) {
            if (engine.handleRequest(nullptr, "<H1>lesson1</H1>") != "<DIV><P>one</P>\n</DIV>\n") ++wrong;
        }
    });
    for (int i = 0; i < 20; ++i) engine.initialise(path.c_str());
    stop = true;
    requester.join();
    EXPECT_EQ(wrong, 0);
}

}  // namespace
}  // namespace zintra
