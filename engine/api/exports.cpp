// The exported C functions: a thin shell over the process's one Engine. No
// exception leaves an export.
#include "engine/api/zintra.h"

#include <cstring>
#include <string>

#include "engine/api/engine.h"
#include "engine/api/engine_server.h"
#include "engine/authoring/batch_checks.h"
#include "engine/authoring/sample_checks.h"
#include "engine/authoring/sample_trees.h"
#include "engine/authoring/sentence_listing.h"
#include "engine/request/replies.h"
#include "engine/text/escaping.h"

static_assert(zintra::kReplyLimit == ZINTRA_REPLY_MAX, "the text-file display stops at the reply buffer's size");

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

ZINTRA_API int ZINTRA_CALL zintraTestAllTemplates(const char* path, char* output, int depth) {
    return guarded(0, [&] {
        if (output) output[0] = '\0';
        std::shared_ptr<const zintra::Engine::State> state = engine().state();
        const zintra::Analyzer& analyzer = *state->analyzer;
        zintra::SampleTrees trees(analyzer);
        auto failures =
            zintra::failingSamples(batchPath(path), depth, *state->templates, analyzer, trees.writer(), false);
        if (failures.empty()) return 0;
        // The caller's buffer is taken to hold a reply of the match export.
        if (!output) return static_cast<int>(failures.front().output.size());
        return static_cast<int>(zintra::copyReply(failures.front().output, output, ZINTRA_REPLY_MAX));
    });
}

ZINTRA_API int ZINTRA_CALL zintraTestAllXML(const char* path, char* output, int depth) {
    return guarded(0, [&] {
        std::string bad = zintra::firstMalformedXml(batchPath(path), depth);
        if (bad.empty()) return 0;
        if (output) std::memcpy(output, bad.c_str(), bad.size() + 1);
        return static_cast<int>(bad.size());
    });
}

ZINTRA_API int ZINTRA_CALL zintraGetAllSampleTree(const char* path, const char* referenceFile, const char* outputFile,
                                                  int depth) {
    return guarded(1, [&] {
        if (!outputFile || !*outputFile) return 1;
        std::shared_ptr<const zintra::Engine::State> state = engine().state();
        const zintra::Analyzer& analyzer = *state->analyzer;
        zintra::SampleTrees trees(analyzer);
        zintra::writeSampleTreePage(batchPath(path), referenceFile ? referenceFile : "", outputFile, depth,
                                    *state->templates, analyzer, trees.writer());
        return 1;
    });
}

ZINTRA_API int ZINTRA_CALL zintraGetAllSentences(const char* path, const char* outputFolder, int depth) {
    return guarded(depth, [&] {
        if (!outputFolder || !*outputFolder) return depth;
        std::shared_ptr<const zintra::Engine::State> state = engine().state();
        zintra::listSentences(batchPath(path), outputFolder, depth, *state->templates, *state->analyzer);
        return depth;
    });
}

ZINTRA_API int ZINTRA_CALL zintraCountLine(const char* path, int depth) {
    return guarded(0, [&] { return static_cast<int>(zintra::countLines(batchPath(path), depth)); });
}

}  // extern "C"
