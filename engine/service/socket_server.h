// The template service: requests over TCP on the local host, one request and
// one reply per connection, each connection answered on a thread of its own.
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <thread>

namespace zintra {

class Engine;

class SocketServer {
public:
    static constexpr uint16_t kDefaultPort = 8888;
    // Longest request accepted (bytes before the line feed); a longer one is
    // refused by closing the connection without a reply.
    static constexpr size_t kMaxRequest = 103424;
    // How long a client may take to send its line feed.
    static constexpr int kRequestTimeoutMs = 2000;

    explicit SocketServer(Engine& engine) : engine_(engine) {}
    ~SocketServer();  // stops listening and waits for the threads
    SocketServer(const SocketServer&) = delete;
    SocketServer& operator=(const SocketServer&) = delete;

    // Binds to the loopback address of "localhost" and starts the listener
    // thread. False when the socket cannot be set up (port in use, ...).
    bool listen(uint16_t port = kDefaultPort);
    uint16_t port() const { return port_; }

    // Starts the process's one server on the default port; it runs until the
    // process ends. False when its socket cannot be set up.
    static bool start(Engine& engine);

private:
    void acceptLoop();
    void answer(int connection);

    Engine& engine_;
    int listener_ = -1;
    uint16_t port_ = 0;
    std::atomic<bool> stopping_{false};
    std::thread acceptThread_;
    std::mutex workersMutex_;
    std::condition_variable idle_;
    int active_ = 0;  // connections being answered, guarded by workersMutex_
};

}  // namespace zintra
