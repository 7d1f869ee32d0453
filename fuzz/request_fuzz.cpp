// The request handler on any bytes: XML requests (matches, samples, text
// files, parse names) and plain-text template queries, with the bundled
// installation's language data and questions; one input in four has its
// reply copied into a small buffer as the exported match call does.
//
// The templates are the course's, with a global file that holds only the
// comments of a few lessons (fuzz/templates/Global.xvt; the build copies the
// rest): every request that gets no answer clears the template cache, so the
// next match reads the folder's global file again, and reading the course's
// whole global file (55 KB) took most of each execution. The code that reads
// and matches is the same; only the fixed file it reads over and over is
// smaller (a lesson's citation of a comment it lacks stays a number).
//
// Catalogue commands are left out: WriteTemplate writes the open document
// to the path the request names, so a fuzzed request could overwrite any
// file the user may write. An element name cannot be spelled by entities,
// so an input whose decoded text has no "DIV" reaches no catalogue command.
#include <sys/mman.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>

#include "engine/api/engine.h"
#include "engine/request/request.h"
#include "engine/text/converter.h"
#include "fuzz_support.h"

namespace {

zintra::Engine* engine = nullptr;
// For the harness's own look at the decoded request (the engine decodes with
// a converter of its own).
zintra::Converter* converter = nullptr;

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    // No start-up images: every run reads the text files, whatever the
    // machine's cache holds, and writes nothing outside the build.
    setenv("ZINTRA_CACHE_DIR", "", 1);
    std::filesystem::current_path(zintra::fuzz::installationFolder());
    // The installation's configuration with the templates folder replaced.
    std::ifstream in("zintra.ini", std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    std::string config;
    std::istringstream lines(text.str());
    for (std::string line; std::getline(lines, line);)
        if (line.rfind("TEMPLATES_DIR", 0) != 0) config += line + "\n";
    config += "TEMPLATES_DIR " ZINTRA_FUZZ_TEMPLATES "\n";
    int file = memfd_create("zintra-request-config", 0);
    if (!in || file < 0 ||
        !zintra::fuzz::replaceFileContent(file, reinterpret_cast<const uint8_t*>(config.data()), config.size())) {
        std::abort();
    }
    engine = new zintra::Engine();
    if (engine->initialise(("/proc/self/fd/" + std::to_string(file)).c_str()) != 1) std::abort();
    converter = new zintra::Converter(engine->analyzer()->config().encode);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string request(reinterpret_cast<const char*>(data), size);
    // The engine takes a C string: the request ends at its first zero byte.
    request.resize(request.find('\0') == std::string::npos ? request.size() : request.find('\0'));
    std::string decoded = request;
    zintra::preprocessRequest(decoded, *converter);
    if (decoded.find("DIV") != std::string::npos) return -1;  // not added to the corpus
    const char* encoding = size % 3 == 0 ? "shift-jis" : nullptr;
    if (size % 4 != 0 || size == 0) {
        std::string reply = engine->handleRequest(encoding, request.c_str());
        volatile size_t sink = reply.size();
        (void)sink;
        return 0;
    }
    // The caller's buffer as the exported call fills it: a small one, so the
    // reply is cut to whole characters of its encoding (the buffer is exactly
    // as long as said, so a write past it is caught).
    size_t capacity = 1 + data[0] % 64;
    std::unique_ptr<char[]> reply(new char[capacity]);
    int length = engine->match(encoding, request.c_str(), reply.get(), capacity);
    if (length < 0 || static_cast<size_t>(length) >= capacity || reply[static_cast<size_t>(length)] != '\0')
        std::abort();
    return 0;
}
