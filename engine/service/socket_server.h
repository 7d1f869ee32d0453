// The template service: requests over TCP on the loopback address, one
// request and one reply per connection, each connection answered on a thread
// of its own. At most kMaxConnections connections are served at once; a
// client beyond them waits in the listen queue (backlog SOMAXCONN) until a
// connection ends, then is served as usual.
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
    // Connection threads at once.
    static constexpr int kMaxConnections = 64;
    // Pause after an accept that failed for want of resources.
    static constexpr int kAcceptBackoffMs = 100;

    explicit SocketServer(Handlers handlers) : handlers_(std::move(handlers)) {}
    ~SocketServer();  // stops listening and waits for the threads
    SocketServer(const SocketServer&) = delete;
    SocketServer& operator=(const SocketServer&) = delete;

    // Binds to 127.0.0.1 (port 0: any free port) with SO_REUSEADDR and starts
    // the listener thread. False when the socket cannot be set up (port in use, ...).
    bool listen(uint16_t port = kDefaultPort);
    uint16_t port() const { return port_; }

    // Number of requests being answered.
    int busyCount() const;
    // Connections accepted so far, and connection threads running now.
    uint64_t acceptedCount() const { return accepted_.load(std::memory_order_relaxed); }
    int connectionThreads() const;

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
    std::atomic<bool> stopping_{false};  // set under workersMutex_, which the listener waits on
    std::thread acceptThread_;
    mutable std::mutex workersMutex_;
    std::condition_variable idle_;
    int active_ = 0;  // connection threads running, guarded by workersMutex_
    std::atomic<uint64_t> accepted_{0};
    mutable std::mutex busyMutex_;
    int busy_ = 0;  // requests being answered, guarded by busyMutex_
};

}  // namespace zintra
