// The engine served over a real loopback socket: the edge cases of the wire
// protocol, hostile paths, and load that must leave the server as it was.
#include <gtest/gtest.h>

#include <sys/resource.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <iostream>
#include <memory>
#include <thread>
#include <vector>

#include "../request/request_fixture.h"
#include "../service/socket_client.h"
#include "engine/api/engine_server.h"
#include "engine/request/replies.h"

namespace zintra {
namespace {

using Clock = std::chrono::steady_clock;
using test::Connection;
using test::processStatus;
using test::roundTrip;
namespace fs = std::filesystem;

const std::string kListing = "<DIV><P>I am a boy.</P>\n<P>Tom &amp;amp; I &amp;lt;3</P>\n<P></P>\n</DIV>\n";

class EngineSocket : public test::RequestFixture {
  protected:
    void SetUp() override {
        RequestFixture::SetUp();
        server = std::make_unique<SocketServer>(engineServerHandlers(engine));
        ASSERT_TRUE(server->listen(0));
        port = server->port();
    }
    void TearDown() override { server.reset(); }

    // Waits up to a time limit for a condition that another thread brings about.
    template <class Condition>
    static bool eventually(Condition condition, int timeoutMs = 3000) {
        auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
        while (!condition()) {
            if (Clock::now() > deadline) return false;
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        return true;
    }

    static double cpuSeconds() {
        rusage usage{};
        getrusage(RUSAGE_SELF, &usage);
        return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
               static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
    }

    std::unique_ptr<SocketServer> server;
    uint16_t port = 0;
};

TEST_F(EngineSocket, TraversalAndWritesOutsideTheFolderAreRefused) {
    std::string secret = dir.write("secret.txt", "secret\n");
    const std::string requests[] = {
        "<H2>../../../../../../etc/passwd</H2>",
        "<H2>/etc/./passwd</H2>",
        "<H2>/proc/self/./environ</H2>",
        "<H2>../secret.txt</H2>",
        "<H1>" + dir.file("made.xvt") + "</H1><DIV><B>WriteTemplate</B></DIV>",
        "<H1>../made</H1><DIV><B>WriteTemplate</B></DIV>",
    };
    for (const std::string& request : requests) EXPECT_EQ(roundTrip(port, request), kReplyCantOpen) << request;
    EXPECT_FALSE(fs::exists(dir.file("made.xvt")));
    EXPECT_EQ(roundTrip(port, "<H1>lesson1</H1>"), kListing);
}

TEST_F(EngineSocket, ARequestInSeveralPacketsIsAnsweredAtItsLineFeed) {
    Connection c(port);
    ASSERT_TRUE(c.ok());
    ASSERT_TRUE(c.send("<H1>les"));
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    ASSERT_TRUE(c.send("son1</H1>"));
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    ASSERT_TRUE(c.send("\n"));
    EXPECT_EQ(c.readAll(), kListing);
}

TEST_F(EngineSocket, BytesAfterTheLineFeedAreIgnored) {
    EXPECT_EQ(roundTrip(port, "<H1>lesson1</H1>\n<H1>0-0-0.xvt</H1>"), kListing);
    EXPECT_EQ(roundTrip(port, "<H1>lesson1</H1>\r"), kListing) << "a carriage return is a blank before the line feed";
}

TEST_F(EngineSocket, AZeroByteInARequestGetsNoReply) {
    EXPECT_EQ(roundTrip(port, std::string("<H1>lesson1</H1>\0<P>I am a boy.</P>", 34)), "");
    EXPECT_EQ(roundTrip(port, "<H1>lesson1</H1>"), kListing);
}

TEST_F(EngineSocket, MoreConnectionsThanSlotsAtOnceEachGetTheirOwnReply) {
    const int clients = 25;  // more than twice round the ten slots of the original design
    for (int i = 0; i < clients; ++i)
        dir.write("templates/t" + std::to_string(i) + ".txt", "Title" + std::to_string(i) + "\n");
    std::vector<std::unique_ptr<Connection>> open;
    for (int i = 0; i < clients; ++i) {
        open.push_back(std::make_unique<Connection>(port));
        ASSERT_TRUE(open.back()->ok());
    }
    // Sent in reverse, so that the later connections are answered first.
    for (int i = clients - 1; i >= 0; --i)
        ASSERT_TRUE(open[static_cast<size_t>(i)]->send("<H2>t" + std::to_string(i) + ".txt</H2>\n"));
    for (int i = 0; i < clients; ++i) {
        EXPECT_EQ(open[static_cast<size_t>(i)]->readAll(), "<div><B>Title" + std::to_string(i) + "</B></div>");
    }
}

TEST_F(EngineSocket, ASilentClientIsDroppedAfterTwoSecondsAtNoCost) {
    Connection c(port);
    ASSERT_TRUE(c.ok());
    double cpuBefore = cpuSeconds();
    auto started = Clock::now();
    EXPECT_EQ(c.readAll(5000), "") << "closed without a reply";
    auto waited = Clock::now() - started;
    double cpu = cpuSeconds() - cpuBefore;
    EXPECT_GT(waited, std::chrono::milliseconds(1800));
    EXPECT_LT(waited, std::chrono::milliseconds(3000));
    EXPECT_LT(cpu, 0.2) << "the waiting server must sleep, not poll";
    std::cout << "silent client: closed after " << std::chrono::duration_cast<std::chrono::milliseconds>(waited).count()
              << " ms, " << cpu << " CPU seconds in the process meanwhile\n";
}

TEST_F(EngineSocket, ThePendingDropRunsAtTheNextAcceptWhileNothingRuns) {
    ASSERT_EQ(roundTrip(port, "<H1>lesson1</H1>"), kListing);
    ASSERT_EQ(roundTrip(port, "<H1>lesson1</H1><DIV><B>WriteTemplate</B></DIV>"),
              "<B>WriteTemplate</B><P>" + templatePath("lesson1.xvt") + "</P>\n");
    ASSERT_TRUE(engine.templateStore().dropPending());
    ASSERT_GT(engine.templateStore().cachedCount(), 0u);
    // A client that sends nothing: only the accept can carry the drop out.
    Connection silent(port);
    ASSERT_TRUE(silent.ok());
    EXPECT_TRUE(eventually([&] { return !engine.templateStore().dropPending(); }));
    EXPECT_EQ(engine.templateStore().cachedCount(), 0u);
}

// The thread count of the process once the server's connection threads have ended.
long settledThreads(const SocketServer& server) {
    for (int i = 0; i < 300 && server.connectionThreads() > 0; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    std::this_thread::sleep_for(std::chrono::milliseconds(50));  // detached threads finish after their count
    return processStatus("Threads");
}

TEST_F(EngineSocket, LoadLeavesTheServerAnsweringWithoutGrowth) {
    ASSERT_EQ(roundTrip(port, "<H1>lesson1</H1>"), kListing);
    for (int i = 0; i < 500; ++i) ASSERT_EQ(roundTrip(port, "<H1>lesson1</H1>"), kListing);  // warm up
    long threadsBefore = settledThreads(*server);
    long memoryBefore = processStatus("VmRSS");

    auto started = Clock::now();
    int sequentialFailures = 0;
    for (int i = 0; i < 10000; ++i) sequentialFailures += roundTrip(port, "<H1>lesson1</H1>") != kListing;
    double seconds = std::chrono::duration<double>(Clock::now() - started).count();
    EXPECT_EQ(sequentialFailures, 0);
    std::cout << "10,000 sequential requests: " << seconds << " s (" << 10000 / seconds << " per second)\n";

    std::atomic<int> concurrentFailures{0};
    {
        std::vector<std::thread> clients;
        for (int i = 0; i < 200; ++i) {
            clients.emplace_back([&] {
                if (roundTrip(port, "<H1>lesson1</H1><P>I am a boy.</P>").find("<P>I am a boy</P>") ==
                    std::string::npos)
                    ++concurrentFailures;
            });
        }
        for (std::thread& t : clients) t.join();
    }
    EXPECT_EQ(concurrentFailures, 0) << "of 200 concurrent clients";

    {
        std::vector<std::unique_ptr<Connection>> silent;
        for (int i = 0; i < 50; ++i) silent.push_back(std::make_unique<Connection>(port));
        EXPECT_EQ(roundTrip(port, "<H1>lesson1</H1>"), kListing) << "answered beside 50 silent clients";
        for (auto& c : silent) EXPECT_EQ(c->readAll(5000), "");
    }

    EXPECT_EQ(roundTrip(port, "<H1>lesson1</H1>"), kListing);
    long threadsAfter = settledThreads(*server);
    long memoryAfter = processStatus("VmRSS");
    EXPECT_EQ(server->connectionThreads(), 0);
    EXPECT_LE(threadsAfter, threadsBefore);
    if (!test::kSanitized) {
        EXPECT_LT(memoryAfter - memoryBefore, 16 * 1024) << "kB";
    }
    std::cout << "threads " << threadsBefore << " -> " << threadsAfter << ", resident " << memoryBefore << " kB -> "
              << memoryAfter << " kB\n";
}

TEST_F(EngineSocket, ClientsBeyondTheBoundWaitAndThreadsStayBounded) {
    const int clients = SocketServer::kMaxConnections + 36;
    std::atomic<bool> done{false};
    std::atomic<int> most{0};
    std::thread watcher([&] {
        while (!done) {
            int now = server->connectionThreads();
            if (now > most) most = now;
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
    });
    std::vector<std::unique_ptr<Connection>> silent;
    for (int i = 0; i < clients; ++i) {
        silent.push_back(std::make_unique<Connection>(port));
        ASSERT_TRUE(silent.back()->ok()) << "the listen queue takes them all";
    }
    // The last ones are accepted only once earlier ones time out; each is
    // closed without a reply in the end.
    for (auto& c : silent) EXPECT_EQ(c->readAll(8000), "");
    EXPECT_EQ(roundTrip(port, "<H1>lesson1</H1>"), kListing);
    done = true;
    watcher.join();
    EXPECT_LE(most, SocketServer::kMaxConnections);
    EXPECT_GE(most, SocketServer::kMaxConnections / 2) << "the bound, not something lower, held them back";
    EXPECT_GE(server->acceptedCount(), static_cast<uint64_t>(clients) + 1);
}

}  // namespace
}  // namespace zintra
