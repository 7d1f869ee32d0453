// The one engine instance of a process: the analyser and the template cache
// built with it, the initialisation sequence and the entry for requests.
#pragma once

#include <atomic>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "engine/language/analyzer.h"
#include "engine/phrase/phrase_grammar.h"
#include "engine/templates/open_documents.h"
#include "engine/templates/template_store.h"

namespace zintra {

class RequestParsers;

class Engine {
  public:
    Engine();   // starts the XML library
    ~Engine();  // waits for initialisation threads, stops the XML library
    Engine(const Engine&) = delete;
    Engine& operator=(const Engine&) = delete;

    // Runs the initialisation sequence; returns the new initialised flag (1 or 0).
    int initialise(const char* configPath);
    // Runs the initialisation on a thread of its own and returns 0 at once.
    int initialiseAsync(const char* configPath);

    bool isInitialised() const { return initialised_.load(std::memory_order_acquire); }

    // What one initialisation publishes: its analyser, the phrase grammar
    // read with it (null when GRAMMAR_FILE names none) and the template cache
    // filled with files read with that analyser. Both are replaced in one
    // step, so a request that still holds an older state reads its files into
    // the older cache, never into the one that goes with newer settings.
    struct State {
        std::shared_ptr<const Analyzer> analyzer;
        std::shared_ptr<TemplateStore> templates;
        std::shared_ptr<const PhraseGrammar> phrase;
    };

    // The state of the latest initialisation. A request holds the snapshot
    // for its whole run, so a concurrent initialisation never frees it.
    std::shared_ptr<const State> state() const { return state_.load(std::memory_order_acquire); }
    std::shared_ptr<const Analyzer> analyzer() const { return state()->analyzer; }

    // Where the files a request names may lie: anywhere the naming rule
    // leads (in-process callers, who can read their own files anyway), or
    // only inside the templates folder (requests from the socket).
    enum class PathScope { Anywhere, TemplatesFolder };

    // Handles one request: the whole reply (empty before initialisation).
    // A pending drop of the template cache is carried out first when no
    // other request is running.
    std::string handleRequest(const char* encoding, const char* request, PathScope scope = PathScope::Anywhere);
    // As handleRequest, written into a caller's buffer of capacity bytes; returns the length.
    int match(const char* encoding, const char* request, char* reply, size_t capacity);

    // The phrase tree of one sentence in bracket form (a parse request of the
    // given mode) written into a caller's buffer; returns the length.
    int parse(const char* sentence, int mode, char* output, size_t capacity);

    // The explanations of this instance (loading, requests); silent until
    // the host gives them a sink. Analysers made by later initialisations
    // report here too.
    Diagnostics& diagnostics() { return *diagnostics_; }

    // Serialises the loading of a template file into the template store.
    std::mutex& templateLoadMutex() { return templateLoadMutex_; }

    // The cache of loaded template files of the latest initialisation; the
    // reference holds until the next initialisation (hold state() to keep it).
    TemplateStore& templateStore() { return *state()->templates; }
    // Template files opened for editing by the catalogue commands.
    OpenDocuments& openDocuments() { return openDocuments_; }
    // The XML parsers kept for requests.
    RequestParsers& requestParsers() { return *requestParsers_; }

  private:
    std::shared_ptr<Diagnostics> diagnostics_ = std::make_shared<Diagnostics>();
    std::mutex templateLoadMutex_;
    OpenDocuments openDocuments_;
    std::unique_ptr<RequestParsers> requestParsers_;
    std::mutex initMutex_;  // one initialisation at a time
    std::atomic<std::shared_ptr<const State>> state_;
    std::atomic<bool> initialised_{false};
    std::atomic<int> running_{0};  // requests being handled
    std::mutex threadsMutex_;
    std::vector<std::thread> initThreads_;
};

}  // namespace zintra
