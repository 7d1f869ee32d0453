// zintra serve: the template service on the local host until SIGINT or
// SIGTERM. zintra send: one request to a running service, its reply printed.
#include <arpa/inet.h>
#include <netdb.h>
#include <netinet/in.h>
#include <signal.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <iostream>
#include <iterator>
#include <string>

#include "engine/api/engine.h"
#include "engine/api/engine_server.h"
#include "engine/cli/command.h"

namespace zintra::cli {

namespace {

// Closes a socket descriptor when it goes.
struct Descriptor {
    int fd = -1;
    ~Descriptor() {
        if (fd >= 0) ::close(fd);
    }
};

bool sendAll(int fd, const char* data, size_t size) {
    while (size > 0) {
        ssize_t n = ::send(fd, data, size, MSG_NOSIGNAL);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        data += n;
        size -= static_cast<size_t>(n);
    }
    return true;
}

}  // namespace

int runServe(const Options& options) {
    if (!options.words.empty()) {
        std::cerr << "zintra: serve takes no arguments\n";
        return 2;
    }
    // The signals are taken by sigwait below; blocked before any thread
    // starts, so every thread inherits the mask and none is interrupted.
    sigset_t stop;
    sigemptyset(&stop);
    sigaddset(&stop, SIGINT);
    sigaddset(&stop, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &stop, nullptr);

    Engine engine;
    listenTo(engine, options);
    if (engine.initialise(options.config.c_str()) != 1) {
        std::cerr << "zintra: cannot initialise the engine from " << options.config << "\n";
        return 1;
    }
    SocketServer server(engineServerHandlers(engine));
    if (!server.listen(static_cast<uint16_t>(options.port))) {
        std::cerr << "zintra: cannot listen on 127.0.0.1:" << options.port << "\n";
        return 1;
    }
    std::cout << "zintra: serving on 127.0.0.1:" << server.port() << " (SIGINT or SIGTERM stops)" << std::endl;
    int signal = 0;
    while (sigwait(&stop, &signal) != 0) {}
    std::cout << "zintra: stopped by signal " << signal << std::endl;
    return 0;
}

int runSend(const Options& options) {
    std::string request;
    if (options.words.empty()) {
        request.assign(std::istreambuf_iterator<char>(std::cin), std::istreambuf_iterator<char>());
        while (!request.empty() && (request.back() == '\n' || request.back() == '\r')) request.pop_back();
    } else {
        for (size_t i = 0; i < options.words.size(); ++i) request += (i ? " " : "") + options.words[i];
    }
    if (request.find('\n') != std::string::npos) {
        std::cerr << "zintra: a request is one line; the service reads up to the first line feed\n";
        return 2;
    }
    Descriptor socket;
    socket.fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<uint16_t>(options.port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (socket.fd < 0 || ::connect(socket.fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
        std::cerr << "zintra: no service on 127.0.0.1:" << options.port << ": " << std::strerror(errno) << "\n";
        return 1;
    }
    request += '\n';
    if (!sendAll(socket.fd, request.data(), request.size())) {
        std::cerr << "zintra: the request could not be sent\n";
        return 1;
    }
    char buffer[65536];
    for (;;) {
        ssize_t n = ::recv(socket.fd, buffer, sizeof buffer, 0);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            std::cerr << "zintra: the reply broke off: " << std::strerror(errno) << "\n";
            return 1;
        }
        if (n == 0) break;
        std::cout.write(buffer, n);
    }
    std::cout.flush();
    return 0;
}

}  // namespace zintra::cli
