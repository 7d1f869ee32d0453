// The template service: requests over TCP on the local host, one request and
// one reply per connection, each connection answered on a thread of its own.
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <utility>

namespace zintra {

class SocketServer {
public:
    // What the server serves.
    struct Handlers {
        // The reply to one request text.
        std::function<std::string(const std::string& request)> answer;
        // Runs when a connection arrives while no request is being answered,
        // before that connection's request starts (may be empty).
        std::function<void()> whenIdle;
    };

    static constexpr uint16_t kDefaultPort = 8888;
    // Longest request accepted (bytes before the line feed); a longer one is
    // refused by closing the connection without a reply.
    static constexpr size_t kMaxRequest = 103424;
    // How long a client may take to send its line feed.
    static constexpr int kRequestTimeoutMs = 2000;

    explicit SocketServer(Handlers handlers) : handlers_(std::move(handlers)) {}
    ~SocketServer();  // stops listening and waits for the threads
    SocketServer(const SocketServer&) = delete;
    SocketServer& operator=(const SocketServer&) = delete;

    // Binds to the loopback address of "localhost" and starts the listener
    // thread. False when the socket cannot be set up (port in use, ...).
    bool listen(uint16_t port = kDefaultPort);
    uint16_t port() const { return port_; }

    // Number of requests being answered.
    int busyCount() const;

private:
    // Marks one request as being answered for its lifetime.
    class BusyMark {
    public:
        explicit BusyMark(SocketServer& server);
        ~BusyMark();
        BusyMark(const BusyMark&) = delete;
        BusyMark& operator=(const BusyMark&) = delete;

    private:
        SocketServer& server_;
    };

    void acceptLoop();
    // Runs whenIdle when no request is being answered; no request starts meanwhile.
    void runWhenIdle();
    void serve(int connection);
    void answer(int connection);

    Handlers handlers_;
    int listener_ = -1;
    uint16_t port_ = 0;
    std::atomic<bool> stopping_{false};
    std::thread acceptThread_;
    std::mutex workersMutex_;
    std::condition_variable idle_;
    int active_ = 0;  // connection threads running, guarded by workersMutex_
    mutable std::mutex busyMutex_;
    int busy_ = 0;  // requests being answered, guarded by busyMutex_
};

}  // namespace zintra
