// The socket server in a process that may not start many threads: idle
// clients that use up the threads it may start must not end the server.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <memory>
#include <thread>
#include <vector>

#include "engine/service/socket_server.h"
#include "socket_client.h"

namespace zintra {
namespace {

using test::Connection;
using test::roundTrip;

// Runs a server in a child process limited to a few threads and hands its
// port back through a pipe. The child ends when its parent kills it.
pid_t startLimitedServer(uint16_t& port) {
    int channel[2];
    if (pipe(channel) != 0) return -1;
    pid_t child = fork();
    if (child == 0) {
        close(channel[0]);
        // The limit counts the processes and threads of the user; root is
        // exempt from it, so the child becomes an unprivileged user first.
        if (getuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0)) _exit(3);
        rlimit limit{24, 24};
        if (setrlimit(RLIMIT_NPROC, &limit) != 0) _exit(4);
        SocketServer::Handlers handlers;
        handlers.answer = [](const std::string& request) { return "reply to " + request; };
        SocketServer server(std::move(handlers));
        if (!server.listen(0)) _exit(5);
        uint16_t listening = server.port();
        if (write(channel[1], &listening, sizeof listening) != sizeof listening) _exit(6);
        close(channel[1]);
        while (true) pause();
    }
    close(channel[1]);
    ssize_t got = child > 0 ? read(channel[0], &port, sizeof port) : -1;
    close(channel[0]);
    if (got != sizeof port) {
        if (child > 0) {
            kill(child, SIGKILL);
            waitpid(child, nullptr, 0);
        }
        return -1;
    }
    return child;
}

TEST(SocketServerLimits, AThreadLimitedServerSurvivesManyIdleClients) {
    uint16_t port = 0;
    pid_t server = startLimitedServer(port);
    ASSERT_GT(server, 0) << "the limited server did not start";

    // More idle clients than the process may have threads.
    std::vector<std::unique_ptr<Connection>> idle;
    for (int i = 0; i < 120; ++i) {
        idle.push_back(std::make_unique<Connection>(port));
        std::this_thread::sleep_for(std::chrono::milliseconds(3));
    }
    // While the idle ones hold every thread, a request may be turned away;
    // once they time out it must be answered.
    bool answered = false;
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(test::kSanitized ? 40 : 20);
    while (!answered && std::chrono::steady_clock::now() < deadline) {
        answered = roundTrip(port, "hello") == "reply to hello";
        if (!answered) std::this_thread::sleep_for(std::chrono::milliseconds(200));
    }
    int status = 0;
    EXPECT_EQ(waitpid(server, &status, WNOHANG), 0) << "the server process is still running";
    EXPECT_TRUE(answered);
    idle.clear();
    EXPECT_EQ(roundTrip(port, "again"), "reply to again");

    kill(server, SIGKILL);
    waitpid(server, nullptr, 0);
}

}  // namespace
}  // namespace zintra
