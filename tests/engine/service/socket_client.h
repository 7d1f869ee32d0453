// A client of the template service over the loopback address, for tests.
#pragma once

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <string>

namespace zintra::test {

// Sanitizer builds run several times slower and keep freed memory in
// quarantine, so time limits are widened there and resident size says little.
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
inline constexpr bool kSanitized = true;
#else
inline constexpr bool kSanitized = false;
#endif

// A connected socket (or -1), closed with the object.
class Connection {
  public:
    explicit Connection(uint16_t port) {
        fd_ = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        address.sin_port = htons(port);
        if (fd_ >= 0 && connect(fd_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
            close(fd_);
            fd_ = -1;
        }
    }
    ~Connection() {
        if (fd_ >= 0) close(fd_);
    }
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    bool ok() const { return fd_ >= 0; }
    bool send(const std::string& bytes) const {
        return ::send(fd_, bytes.data(), bytes.size(), MSG_NOSIGNAL) == static_cast<ssize_t>(bytes.size());
    }
    // Everything until the server closes, or until the time limit.
    std::string readAll(int timeoutMs = 10000) const {
        std::string reply;
        auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
        char buffer[4096];
        while (true) {
            auto left =
                std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
            if (left.count() <= 0) return reply + "(timed out)";
            pollfd wait{fd_, POLLIN, 0};
            if (poll(&wait, 1, static_cast<int>(left.count())) <= 0) continue;
            ssize_t got = recv(fd_, buffer, sizeof buffer, 0);
            if (got <= 0) return reply;
            reply.append(buffer, static_cast<size_t>(got));
        }
    }

  private:
    int fd_ = -1;
};

// One exchange: the request, a line feed, the reply until the server closes.
inline std::string roundTrip(uint16_t port, const std::string& request) {
    Connection c(port);
    if (!c.ok()) return "(no connection)";
    c.send(request + "\n");
    return c.readAll();
}

// A line of /proc/self/status ("Threads", "VmRSS") as a number.
inline long processStatus(const std::string& key) {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind(key + ":", 0) == 0) return std::stol(line.substr(key.size() + 1));
    }
    return -1;
}

}  // namespace zintra::test
