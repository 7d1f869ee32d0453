#include "engine/service/socket_server.h"

#include <arpa/inet.h>
#include <netdb.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <cstring>
#include <string>

namespace zintra {

namespace {

// The first IPv4 address of "localhost", or the loopback address.
in_addr localhostAddress() {
    in_addr address{};
    address.s_addr = htonl(INADDR_LOOPBACK);
    addrinfo hints{};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* found = nullptr;
    if (getaddrinfo("localhost", nullptr, &hints, &found) == 0 && found) {
        address = reinterpret_cast<sockaddr_in*>(found->ai_addr)->sin_addr;
        freeaddrinfo(found);
    }
    return address;
}

// Reads until a line feed arrives, within the time limit. The request is the
// text before the first line feed; false when none came in time or it was too long.
bool readRequest(int connection, std::string& request) {
    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + std::chrono::milliseconds(SocketServer::kRequestTimeoutMs);
    std::string received;
    char chunk[8192];
    while (true) {
        size_t lineFeed = received.find('\n');
        if (lineFeed != std::string::npos) {
            request = received.substr(0, lineFeed);
            return true;
        }
        if (received.size() > SocketServer::kMaxRequest) return false;
        auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
        if (left <= 0) return false;
        pollfd wait{connection, POLLIN, 0};
        int ready = poll(&wait, 1, static_cast<int>(left));
        if (ready <= 0) continue;
        ssize_t n = recv(connection, chunk, sizeof chunk, 0);
        if (n <= 0) return false;  // error, or the client closed before its line feed
        received.append(chunk, static_cast<size_t>(n));
    }
}

void sendAll(int connection, const std::string& reply) {
    size_t sent = 0;
    while (sent < reply.size()) {
        ssize_t n = send(connection, reply.data() + sent, reply.size() - sent, MSG_DONTROUTE | MSG_NOSIGNAL);
        if (n <= 0) return;
        sent += static_cast<size_t>(n);
    }
}

}  // namespace

SocketServer::~SocketServer() {
    stopping_ = true;
    if (listener_ >= 0) shutdown(listener_, SHUT_RDWR);
    if (acceptThread_.joinable()) acceptThread_.join();
    if (listener_ >= 0) close(listener_);
    std::unique_lock<std::mutex> lock(workersMutex_);
    idle_.wait(lock, [this] { return active_ == 0; });
}

bool SocketServer::listen(uint16_t port) {
    int fd = socket(AF_INET, SOCK_STREAM, 0);
    if (fd < 0) return false;
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr = localhostAddress();
    address.sin_port = htons(port);
    if (bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 || ::listen(fd, 10) != 0) {
        close(fd);
        return false;
    }
    socklen_t length = sizeof address;
    getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length);
    port_ = ntohs(address.sin_port);
    listener_ = fd;
    acceptThread_ = std::thread([this] { acceptLoop(); });
    return true;
}

int SocketServer::busyCount() const {
    std::lock_guard<std::mutex> lock(busyMutex_);
    return busy_;
}

SocketServer::BusyMark::BusyMark(SocketServer& server) : server_(server) {
    std::lock_guard<std::mutex> lock(server_.busyMutex_);
    ++server_.busy_;
}

SocketServer::BusyMark::~BusyMark() {
    std::lock_guard<std::mutex> lock(server_.busyMutex_);
    --server_.busy_;
}

void SocketServer::runWhenIdle() {
    if (!handlers_.whenIdle) return;
    // The check and the work are one step: a request cannot start in between.
    std::lock_guard<std::mutex> lock(busyMutex_);
    if (busy_ == 0) handlers_.whenIdle();
}

void SocketServer::acceptLoop() {
    while (!stopping_) {
        int connection = accept(listener_, nullptr, nullptr);
        if (connection < 0) {
            if (stopping_) return;
            continue;
        }
        try {
            runWhenIdle();
        } catch (...) {
            // The idle work failed; the connection is still answered.
        }
        {
            std::lock_guard<std::mutex> lock(workersMutex_);
            ++active_;
        }
        // Each connection runs detached; the destructor waits until none is left.
        try {
            std::thread([this, connection] { serve(connection); }).detach();
        } catch (...) {
            // No thread for it: the connection is closed unanswered.
            close(connection);
            std::lock_guard<std::mutex> lock(workersMutex_);
            if (--active_ == 0) idle_.notify_all();
        }
    }
}

void SocketServer::serve(int connection) {
    try {
        answer(connection);
    } catch (...) {
        // A request that fails ends its own connection, never the host program.
    }
    std::lock_guard<std::mutex> lock(workersMutex_);
    if (--active_ == 0) idle_.notify_all();
}

void SocketServer::answer(int connection) {
    struct Closer {
        int fd;
        ~Closer() { close(fd); }
    } closer{connection};
    std::string request;
    if (!readRequest(connection, request)) return;
    std::string reply;
    {
        BusyMark busy(*this);
        reply = handlers_.answer(request);
    }
    sendAll(connection, reply);
}

}  // namespace zintra
