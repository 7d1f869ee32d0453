// The request handler on any bytes: XML requests (matches, samples, text
// files, parse names) and plain-text template queries, with the bundled
// installation's language data, templates and questions.
//
// Catalogue commands are left out: WriteTemplate writes the open document
// to the path the request names, so a fuzzed request could overwrite any
// file the user may write. An element name cannot be spelled by entities,
// so an input whose decoded text has no "DIV" reaches no catalogue command.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
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
    std::filesystem::current_path(zintra::fuzz::installationFolder());
    engine = new zintra::Engine();
    if (engine->initialise("zintra.ini") != 1) std::abort();
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
    std::string reply = engine->handleRequest(encoding, request.c_str());
    volatile size_t sink = reply.size();
    (void)sink;
    return 0;
}
