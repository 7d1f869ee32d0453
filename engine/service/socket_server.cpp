#include "engine/service/socket_server.h"

#include <arpa/inet.h>
#include <netdb.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <string>

namespace zintra {

namespace {

// Reads until a line feed arrives, within the time limit. The request is the
// text before the first line feed; false when none came in time, it was too
// long or it holds a zero byte. Waiting costs no processor time: the thread
// sleeps in poll until data or the deadline arrives.
bool readRequest(int connection, std::string& request) {
    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + std::chrono::milliseconds(SocketServer::kRequestTimeoutMs);
    std::string received;
    char chunk[8192];
    while (true) {
        size_t lineFeed = received.find('\n');
        if (lineFeed != std::string::npos) {
            request = received.substr(0, lineFeed);
            // A zero byte would end the request text early without anyone
            // knowing: such a request is refused.
            return request.find('\0') == std::string::npos;
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
    {
        std::lock_guard<std::mutex> lock(workersMutex_);
        stopping_ = true;
    }
    idle_.notify_all();
    if (listener_ >= 0) shutdown(listener_, SHUT_RDWR);
    if (acceptThread_.joinable()) acceptThread_.join();
    if (listener_ >= 0) close(listener_);
    std::unique_lock<std::mutex> lock(workersMutex_);
    idle_.wait(lock, [this] { return active_ == 0; });
}

bool SocketServer::listen(uint16_t port) {
    int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) return false;
    // A restarted service binds at once, without waiting for the old
    // connections' TIME_WAIT to pass.
    int on = 1;
    setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    // The loopback address itself, whatever "localhost" resolves to.
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(port);
    if (bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 || ::listen(fd, SOMAXCONN) != 0) {
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

int SocketServer::connectionThreads() const {
    std::lock_guard<std::mutex> lock(workersMutex_);
    return active_;
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
        {
            // At most kMaxConnections threads: further clients wait in the
            // listen queue until one ends.
            std::unique_lock<std::mutex> lock(workersMutex_);
            idle_.wait(lock, [this] { return stopping_ || active_ < kMaxConnections; });
            if (stopping_) return;
        }
        int connection = accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC);
        if (connection < 0) {
            if (stopping_) return;
            // Out of descriptors, memory or buffers: retrying at once would
            // only spin. A client that gave up before the accept is no reason to wait.
            if (errno != EINTR && errno != ECONNABORTED)
                std::this_thread::sleep_for(std::chrono::milliseconds(kAcceptBackoffMs));
            continue;
        }
        accepted_.fetch_add(1, std::memory_order_relaxed);
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
            // No thread for it (the system's limit): the connection is closed
            // unanswered and the listener waits a little before the next.
            close(connection);
            {
                std::lock_guard<std::mutex> lock(workersMutex_);
                --active_;
                idle_.notify_all();
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(kAcceptBackoffMs));
        }
    }
}

void SocketServer::serve(int connection) {
    try {
        answer(connection);
    } catch (...) {
        // A request that fails ends its own connection, never the host program.
    }
    // Notified under the lock: once the destructor sees no thread left it
    // frees the server, so nothing of it may be touched after the unlock.
    std::lock_guard<std::mutex> lock(workersMutex_);
    --active_;
    idle_.notify_all();
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
