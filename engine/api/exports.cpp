// The exported C functions: a thin shell over the process's one Engine. No
// exception leaves an export.
#include "engine/api/zintra.h"

#include <cstring>
#include <string>

#include "engine/api/engine.h"
#include "engine/api/engine_server.h"
#include "engine/authoring/batch_checks.h"

namespace {

zintra::Engine& engine() {
    // Built at library load (first use from the load-time initialiser below)
    // and destroyed at unload.
    static zintra::Engine instance;
    return instance;
}

// Makes sure the engine exists from load to unload, not just from first call.
const bool kEngineBuiltAtLoad = (engine(), true);

// An empty batch path means the configured templates folder.
std::string batchPath(const char* path) {
    if (path && *path) return path;
    return engine().analyzer()->config().templatesDir;
}

template <class Work>
int guarded(int onFailure, Work work) {
    try {
        return work();
    } catch (...) {
        return onFailure;
    }
}

}  // namespace

extern "C" {

ZINTRA_API int ZINTRA_CALL zintraInit(const char* configPath) {
    return guarded(0, [&] { return engine().initialise(configPath); });
}

ZINTRA_API int ZINTRA_CALL zintraMatch(const char* encoding, const char* request, char* reply) {
    return guarded(0, [&] {
        if (reply) reply[0] = '\0';
        return engine().match(encoding, request, reply, ZINTRA_REPLY_MAX);
    });
}

ZINTRA_API int ZINTRA_CALL ZINTRAinit(void** block) {
    if (!block) return 0;
    return zintraInit(static_cast<const char*>(block[1]));
}

ZINTRA_API int ZINTRA_CALL ZINTRAmatch(void** block) {
    if (!block) return 0;
    return zintraMatch(static_cast<const char*>(block[0]), static_cast<const char*>(block[1]),
                       static_cast<char*>(block[2]));
}

ZINTRA_API int ZINTRA_CALL zintraParse(const char* sentence, char* output, int mode) {
    return guarded(0, [&] {
        if (output) output[0] = '\0';
        return engine().parse(sentence, mode, output, ZINTRA_REPLY_MAX);
    });
}

ZINTRA_API int ZINTRA_CALL zintraServerInit(const char* configPath) {
    return guarded(1, [&] {
        if (engine().initialise(configPath) != 1) return 1;
        return zintra::startEngineServer(engine()) ? 0 : 2;
    });
}

ZINTRA_API int ZINTRA_CALL zintraAsyncInit(const char* configPath) {
    return guarded(0, [&] { return engine().initialiseAsync(configPath); });
}

ZINTRA_API int ZINTRA_CALL zintraTestAllTemplates(const char* /*path*/, char* output, int /*depth*/) {
    // A sample passes only with a phrase tree, which the engine cannot draw
    // without a phrase grammar; until it can, no sample is reported.
    if (output) output[0] = '\0';
    return 0;
}

ZINTRA_API int ZINTRA_CALL zintraTestAllXML(const char* path, char* output, int depth) {
    return guarded(0, [&] {
        std::string bad = zintra::firstMalformedXml(batchPath(path), depth);
        if (bad.empty()) return 0;
        if (output) std::memcpy(output, bad.c_str(), bad.size() + 1);
        return static_cast<int>(bad.size());
    });
}

ZINTRA_API int ZINTRA_CALL zintraGetAllSampleTree(const char* /*path*/, const char* /*referenceFile*/,
                                                  const char* /*outputFile*/, int /*depth*/) {
    // The page shows phrase trees, which need the phrase grammar: nothing is written yet.
    return 1;
}

ZINTRA_API int ZINTRA_CALL zintraGetAllSentences(const char* /*path*/, const char* /*outputFolder*/, int depth) {
    // The sentence listing walks the word graphs; it is not written yet.
    return depth;
}

ZINTRA_API int ZINTRA_CALL zintraCountLine(const char* path, int depth) {
    return guarded(0, [&] { return static_cast<int>(zintra::countLines(batchPath(path), depth)); });
}

}  // extern "C"
