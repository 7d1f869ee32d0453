#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
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
    EXPECT_EQ(engine.initialise(
                  test::writeMinimalInstallation(dir, "CONTEXTUALRULEFILE " + dir.file("comments-only.txt") + "\n")
                      .c_str()),
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
    for (int i = 0; i < 500 && !engine.isInitialised(); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
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

}  // namespace
}  // namespace zintra
