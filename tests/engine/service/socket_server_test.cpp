// The socket server on its own: what it serves with is given by the test.
#include <gtest/gtest.h>

#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <future>
#include <stdexcept>
#include <string>

#include "engine/service/socket_server.h"

namespace zintra {
namespace {

// Sends one request line and reads the reply until the server closes.
std::string exchange(uint16_t port, const std::string& request) {
    int client = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(port);
    if (connect(client, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
        close(client);
        return "(no connection)";
    }
    std::string line = request + "\n";
    send(client, line.data(), line.size(), MSG_NOSIGNAL);
    std::string reply;
    char buffer[256];
    ssize_t got;
    while ((got = recv(client, buffer, sizeof buffer, 0)) > 0) reply.append(buffer, static_cast<size_t>(got));
    close(client);
    return reply;
}

TEST(SocketServer, AFailingRequestEndsOnlyItsConnection) {
    SocketServer::Handlers handlers;
    handlers.answer = [](const std::string& request) -> std::string {
        if (request == "throw") throw std::runtime_error("request failed");
        if (request == "throw other") throw 42;
        return "reply to " + request;
    };
    SocketServer server(std::move(handlers));
    ASSERT_TRUE(server.listen(0));
    EXPECT_EQ(exchange(server.port(), "throw"), "") << "closed without a reply";
    EXPECT_EQ(exchange(server.port(), "throw other"), "");
    EXPECT_EQ(server.busyCount(), 0) << "the busy mark goes with the failed request";
    EXPECT_EQ(exchange(server.port(), "hello"), "reply to hello") << "the server still answers";
    EXPECT_EQ(server.busyCount(), 0);
}

TEST(SocketServer, IdleWorkWaitsUntilNoRequestIsBeingAnswered) {
    std::promise<void> slowStarted;
    std::promise<void> releaseSlow;
    std::shared_future<void> released = releaseSlow.get_future().share();
    std::atomic<int> idleRuns{0};

    SocketServer::Handlers handlers;
    handlers.answer = [&](const std::string& request) {
        if (request == "slow") {
            slowStarted.set_value();
            released.wait();
        }
        return request;
    };
    handlers.whenIdle = [&] { ++idleRuns; };
    SocketServer server(std::move(handlers));
    ASSERT_TRUE(server.listen(0));

    auto slow = std::async(std::launch::async, [&] { return exchange(server.port(), "slow"); });
    slowStarted.get_future().wait();
    int runsBefore = idleRuns;  // the slow connection's own arrival found the server idle
    EXPECT_EQ(runsBefore, 1);
    EXPECT_EQ(server.busyCount(), 1);
    EXPECT_EQ(exchange(server.port(), "fast"), "fast");
    EXPECT_EQ(idleRuns, runsBefore) << "no idle work while the slow request runs";

    releaseSlow.set_value();
    EXPECT_EQ(slow.get(), "slow");
    // The slow request has sent its reply; its busy mark is gone before that.
    EXPECT_EQ(exchange(server.port(), "next"), "next");
    EXPECT_EQ(idleRuns, runsBefore + 1);
}

TEST(SocketServer, AFailingIdleWorkDoesNotStopTheServer) {
    SocketServer::Handlers handlers;
    handlers.answer = [](const std::string& request) { return request; };
    handlers.whenIdle = [] { throw std::runtime_error("drop failed"); };
    SocketServer server(std::move(handlers));
    ASSERT_TRUE(server.listen(0));
    EXPECT_EQ(exchange(server.port(), "one"), "one");
    EXPECT_EQ(exchange(server.port(), "two"), "two");
}

}  // namespace
}  // namespace zintra
