#include "engine/api/engine.h"

#include <xercesc/util/PlatformUtils.hpp>

#include <future>
#include <iostream>
#include <string>
#include <vector>

#include "engine/phrase/parse_text.h"
#include "engine/request/request.h"
#include "engine/request/request_handler.h"
#include "engine/text/escaping.h"

namespace zintra {

Engine::Engine() : requestParsers_(std::make_unique<RequestParsers>()) {
    xercesc::XMLPlatformUtils::Initialize();
    state_.store(std::make_shared<const State>(
        State{std::make_shared<const Analyzer>(), std::make_shared<TemplateStore>(templateLoadMutex_), nullptr}));
}

Engine::~Engine() {
    std::vector<std::thread> threads;
    {
        std::lock_guard<std::mutex> lock(threadsMutex_);
        threads.swap(initThreads_);
    }
    for (std::thread& t : threads) t.join();
    // Edited documents belong to the XML library: release them before it stops.
    {
        auto lock = openDocuments_.lock();
        openDocuments_.closeAll();
    }
    state_.store(nullptr);
    requestParsers_->clear();
    xercesc::XMLPlatformUtils::Terminate();
}

int Engine::initialise(const char* configPath) {
    std::lock_guard<std::mutex> lock(initMutex_);
    {
        auto documents = openDocuments_.lock();
        openDocuments_.closeAll();
    }
    // A fresh analyser starts from the current values; it is published only
    // once complete, together with an empty template cache of its own, so
    // requests running meanwhile keep the old analyser and the old cache.
    std::shared_ptr<const State> previous = state();
    auto fresh = std::make_shared<Analyzer>(previous->analyzer->config());
    fresh->setDiagnostics(diagnostics_);
    bool ok = configPath != nullptr && fresh->readConfiguration(configPath);
    // The phrase grammar needs only the configuration, so its tables are
    // built on a thread of their own while the language data loads. Its
    // lines are held back and shown only when the data loaded, as if the
    // two had run one after the other; a grammar built for data that failed
    // is dropped.
    std::vector<std::string> grammarLines;
    std::future<std::unique_ptr<PhraseGrammar>> building;
    if (ok && !fresh->config().grammarFile.empty())
        building = std::async(std::launch::async, [fresh, &grammarLines] {
            return PhraseGrammar::load(fresh, [&grammarLines](std::string_view line) {
                if (line.rfind("rule: ", 0) != 0) grammarLines.emplace_back(line);
            });
        });
    ok = ok && fresh->loadData();
    std::unique_ptr<PhraseGrammar> built = building.valid() ? building.get() : nullptr;
    std::shared_ptr<const Analyzer> analyzer = std::move(fresh);
    std::shared_ptr<const PhraseGrammar> phrase;
    if (ok && !analyzer->config().grammarFile.empty()) {
        // A named grammar that does not read fails the initialisation; its
        // error line goes to standard error (standard output belongs to the
        // replies of the command-line tools). The table build's line is
        // not shown: every initialisation would repeat it.
        for (const std::string& line : grammarLines) std::cerr << line;
        phrase = std::move(built);
        ok = phrase != nullptr;
    }
    std::shared_ptr<TemplateStore> templates = previous->templates;
    if (ok) {
        templates = std::make_shared<TemplateStore>(templateLoadMutex_);
        templates->setUp(analyzer->config().templatesDir, analyzer->config().cache);
    }
    state_.store(std::make_shared<const State>(State{std::move(analyzer), std::move(templates), std::move(phrase)}),
                 std::memory_order_release);
    initialised_.store(ok, std::memory_order_release);
    return ok ? 1 : 0;
}

int Engine::initialiseAsync(const char* configPath) {
    std::string path = configPath ? configPath : "";
    bool hasPath = configPath != nullptr;
    std::lock_guard<std::mutex> lock(threadsMutex_);
    initThreads_.emplace_back([this, path, hasPath] { initialise(hasPath ? path.c_str() : nullptr); });
    return 0;
}

std::string Engine::handleRequest(const char* encoding, const char* request, PathScope scope) {
    if (!isInitialised()) return {};
    std::shared_ptr<const State> current = state();
    // A template file rewritten on disk is forgotten before the next request
    // that finds no other running, whichever way that request arrives.
    struct Running {
        std::atomic<int>& count;
        ~Running() { count.fetch_sub(1, std::memory_order_acq_rel); }
    };
    bool alone = running_.fetch_add(1, std::memory_order_acq_rel) == 0;
    Running running{running_};
    if (alone) current->templates->carryOutPendingDrop();
    RequestHandler handler(*current->templates, openDocuments_, *current->analyzer, current->phrase.get());
    handler.confineToTemplatesFolder(scope == PathScope::TemplatesFolder);
    handler.useParsers(requestParsers_.get());
    return handler.handle(encoding, request);
}

int Engine::match(const char* encoding, const char* request, char* reply, size_t capacity) {
    if (reply && capacity > 0) reply[0] = '\0';
    std::string text = handleRequest(encoding, request);
    std::string replyEncoding = encoding && *encoding ? std::string(encoding) : analyzer()->config().encode;
    return static_cast<int>(copyReply(text, reply, capacity, replyEncoding));
}

int Engine::parse(const char* sentence, int mode, char* output, size_t capacity) {
    if (output && capacity > 0) output[0] = '\0';
    if (!sentence) return 0;
    // The analyser and grammar of the latest initialisation stay alive for
    // the whole parse, even when another initialisation replaces them.
    std::shared_ptr<const State> current = state();
    std::string text = parseText(*current->analyzer, current->phrase.get(), sentence, mode);
    return static_cast<int>(copyReply(text, output, capacity));
}

}  // namespace zintra
