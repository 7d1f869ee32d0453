// Requests per second through the template service's socket beside the same
// requests in-process: a template listing (little work, so the cost of the
// connection shows) and a short match. Each socket request is one connection
// to 127.0.0.1: connect, send the line, read until the server closes.
#include <benchmark/benchmark.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "engine/api/engine.h"
#include "engine/api/engine_server.h"

namespace {

namespace fs = std::filesystem;

const char* kLesson =
    "<?xml version='1.0'?>\n<root><SAMP><P ID='1'>The boy went to school.</P></SAMP>"
    "<category><name>c</name><comment ID='1'><econtent>Use went.</econtent></comment></category>"
    "<Template><template sub='0'><name>went</name><sample>The boy went to school.</sample>"
    "<node><name>a</name><Next>b</Next><Group><name>the boy</name></Group><Group><name>the girl</name></Group></node>"
    "<node><name>b</name><Next>c</Next><Group><name>went</name></Group>"
    "<Group type='wrong'><name>goed</name><commentID>C1</commentID></Group></node>"
    "<node><name>c</name><Group><name>to school</name></Group></node></template></Template></root>";

// A small installation in a temporary folder, an engine on it and its server.
struct Service {
    Service() {
        dir = fs::temp_directory_path() / ("zintra-socket-bench-" + std::to_string(getpid()));
        fs::create_directories(dir / "templates");
        write("lexicon.txt", "the DT\nboy NN\ngirl NN\nwent VBD\nto TO\nschool NN\n. .\n");
        write("lexical.txt", "NN s fhassuf 1 NNS x\n");
        write("bigrams.txt", "the boy\n");
        write("compounds.txt", "ice cream/NN\n");
        write("contextual.txt", "VB NN PREVTAG DT\n");
        write("templates/Global.xvt", "<?xml version='1.0'?>\n<root><Template></Template></root>");
        write("templates/lesson.xvt", kLesson);
        std::string d = dir.string() + "/";
        std::string config;
        for (const char* key :
             {"DICTIONARY_FILE lexicon.txt", "LEXICALRULEFILE lexical.txt", "BIGRAMS bigrams.txt",
              "COMPOUND_FILE compounds.txt", "CONTEXTUALRULEFILE contextual.txt", "TEMPLATES_DIR templates"}) {
            std::string entry = key;
            size_t space = entry.find(' ');
            config += entry.substr(0, space + 1);
            config += d;
            config += entry.substr(space + 1);
            config += '\n';
        }
        config += "TN_SYMBOL ,;:!?\"()\nDEL_TAIL_SYMBOL .?!\nCACHE 1\n";
        write("zintra.ini", config);
        if (engine.initialise((dir / "zintra.ini").c_str()) != 1) std::abort();
        server = std::make_unique<zintra::SocketServer>(zintra::engineServerHandlers(engine));
        if (!server->listen(0)) std::abort();
    }
    ~Service() {
        server.reset();
        std::error_code ec;
        fs::remove_all(dir, ec);
    }
    void write(const std::string& name, const std::string& text) const { std::ofstream(dir / name) << text; }

    fs::path dir;
    zintra::Engine engine;
    std::unique_ptr<zintra::SocketServer> server;
};

Service& service() {
    static Service instance;
    return instance;
}

std::string exchange(uint16_t port, const std::string& line) {
    int fd = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(port);
    std::string reply;
    if (connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
        send(fd, line.data(), line.size(), MSG_NOSIGNAL) == static_cast<ssize_t>(line.size())) {
        char buffer[4096];
        ssize_t got;
        while ((got = recv(fd, buffer, sizeof buffer, 0)) > 0) reply.append(buffer, static_cast<size_t>(got));
    }
    close(fd);
    return reply;
}

const char* kListing = "<H1>lesson</H1>";
const char* kMatch = "<H1>lesson</H1><P>The boy goed to school.</P>";

void inProcess(benchmark::State& state, const char* request) {
    Service& s = service();
    size_t bytes = 0;
    for (auto _ : state) {
        std::string reply = s.engine.handleRequest(nullptr, request);
        bytes += reply.size();
        benchmark::DoNotOptimize(reply);
    }
    if (bytes == 0) state.SkipWithError("empty replies");
    state.SetItemsProcessed(state.iterations());
}

void throughSocket(benchmark::State& state, const char* request) {
    Service& s = service();
    std::string line = std::string(request) + "\n";
    std::string expected = s.engine.handleRequest(nullptr, request);
    for (auto _ : state) {
        if (exchange(s.server->port(), line) != expected) {
            state.SkipWithError("a socket reply differs from the in-process one");
            break;
        }
    }
    state.SetItemsProcessed(state.iterations());
}

// The listing under a new spelling of the same path every time ("./", then
// 1 to 3,000 slashes): one cache entry serves them all.
void BM_SpellingsSocket(benchmark::State& state) {
    Service& s = service();
    std::string expected = s.engine.handleRequest(nullptr, kListing);
    size_t slashes = 0;
    for (auto _ : state) {
        slashes = slashes % 3000 + 1;
        std::string line = "<H1>./";
        line.append(slashes, '/');
        line += "lesson.xvt</H1>\n";
        if (exchange(s.server->port(), line) != expected) {
            state.SkipWithError("a spelling was answered differently");
            break;
        }
    }
    if (s.engine.templateStore().cachedCount() > 2) state.SkipWithError("a spelling was cached apart");
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_SpellingsSocket)->UseRealTime();

void BM_ListingInProcess(benchmark::State& state) { inProcess(state, kListing); }
void BM_ListingSocket(benchmark::State& state) { throughSocket(state, kListing); }
void BM_MatchInProcess(benchmark::State& state) { inProcess(state, kMatch); }
void BM_MatchSocket(benchmark::State& state) { throughSocket(state, kMatch); }

BENCHMARK(BM_ListingInProcess);
BENCHMARK(BM_ListingSocket)->UseRealTime();
BENCHMARK(BM_ListingSocket)->Threads(8)->UseRealTime();
BENCHMARK(BM_MatchInProcess);
BENCHMARK(BM_MatchSocket)->UseRealTime();
BENCHMARK(BM_MatchSocket)->Threads(8)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
