// The batch checks for template authors: well-formedness, the samples, the
// sample-tree page, the sentence listing, the line count; and the template
// query of one sentence. Each initialises the engine from the configuration;
// a PATH that is left out means the configured templates folder.
#include <iostream>
#include <memory>
#include <string>

#include "engine/api/engine.h"
#include "engine/authoring/batch_checks.h"
#include "engine/authoring/file_set.h"
#include "engine/authoring/page_script.h"
#include "engine/authoring/sample_checks.h"
#include "engine/authoring/sample_trees.h"
#include "engine/authoring/sentence_listing.h"
#include "engine/cli/command.h"
#include "engine/config/config_files.h"
#include "engine/query/template_query.h"
#include "engine/templates/sentence_matcher.h"
#include "engine/templates/xml_parser.h"

namespace zintra::cli {

namespace {

// The engine of one command, initialised; null after a message when it cannot be.
std::unique_ptr<Engine> initialisedEngine(const Options& options) {
    auto engine = std::make_unique<Engine>();
    listenTo(*engine, options);
    if (engine->initialise(options.config.c_str()) != 1) {
        std::cerr << "zintra: cannot initialise the engine from " << options.config << "\n";
        return nullptr;
    }
    return engine;
}

// The one PATH argument, or the templates folder; false after a message when
// more than one is given.
bool batchPath(const Options& options, const Engine& engine, const char* command, std::string& path) {
    if (options.words.size() > 1) {
        std::cerr << "zintra: " << command << " takes one PATH\n";
        return false;
    }
    path = options.words.empty() ? std::string() : options.words[0];
    if (path.empty()) path = engine.analyzer()->config().templatesDir;
    return true;
}

void printXmlProblem(std::ostream& out, const std::string& file, const XmlDocument& doc) {
    out << file;
    if (doc.errorLine() > 0) out << ":" << doc.errorLine() << ":" << doc.errorColumn();
    out << ": not well-formed";
    if (!doc.error().empty()) out << ": " << doc.error();
    out << "\n";
}

// Puts parse.js beside the page and says what was done; false when the page
// is left without a script that could be put there.
bool placeScriptReported(const std::string& page, const std::string& source) {
    const std::string target = scriptBesidePage(page);
    switch (placePageScript(page, source)) {
        case ScriptPlacement::Copied: std::cout << "copied " << source << " to " << target << "\n"; return true;
        case ScriptPlacement::AlreadyThere: return true;
        case ScriptPlacement::KeptOwnCopy:
            std::cout << "note: kept " << target << ", which differs from " << source
                      << " (remove it to take the installation's)\n";
            return true;
        case ScriptPlacement::NoSource:
            std::cerr << "zintra: no " << source << " to put beside the page: it shows no drawing\n";
            return false;
        case ScriptPlacement::CopyFailed:
            std::cerr << "zintra: cannot write " << target << ": the page shows no drawing\n";
            return false;
    }
    return false;
}

}  // namespace

int runCheckXml(const Options& options) {
    auto engine = initialisedEngine(options);
    std::string path;
    if (!engine || !batchPath(options, *engine, "check-xml", path)) return engine ? 2 : 1;
    std::vector<std::string> files = collectFiles(path, options.depth);
    size_t bad = 0;
    for (const std::string& file : files) {
        std::unique_ptr<XmlDocument> doc = XmlDocument::fromFile(file);
        if (doc->ok()) continue;
        ++bad;
        printXmlProblem(std::cout, file, *doc);
    }
    std::cout << files.size() - bad << " of " << files.size() << " files well-formed\n";
    return bad ? 1 : 0;
}

int runCheckTemplates(const Options& options) {
    auto engine = initialisedEngine(options);
    std::string path;
    if (!engine || !batchPath(options, *engine, "check-templates", path)) return engine ? 2 : 1;
    std::shared_ptr<const Engine::State> state = engine->state();
    const Analyzer& analyzer = *state->analyzer;
    TemplateStore& store = *state->templates;
    SampleTrees trees(analyzer);
    if (!trees.hasGrammar()) std::cout << "note: no phrase grammar (GRAMMAR_FILE): every sample fails its tree\n";

    // Files the check passes over because they do not load are reported too.
    std::vector<std::string> files = collectFiles(path, options.depth);
    size_t unreadable = 0;
    for (const std::string& file : files) {
        if (store.get(file, store.baseFile(file, analyzer), analyzer) && store.globalFile(file, analyzer)) continue;
        ++unreadable;
        std::unique_ptr<XmlDocument> doc = XmlDocument::fromFile(file);
        if (!doc->ok()) {
            printXmlProblem(std::cout, file, *doc);
        } else {
            std::cout << file << ": skipped (it or its folder's " << TemplateStore::kGlobalFileName
                      << " cannot be read as a template file)\n";
        }
    }

    std::vector<SampleFailure> failures = failingSamples(path, options.depth, store, analyzer, trees.writer(), true);
    for (const SampleFailure& f : failures) {
        std::cout << "FAILED sample\n"
                  << "  file: " << f.path << "\n"
                  << "  template: \"" << f.templateName << "\"\n"
                  << "  sample: \"" << f.sample << "\"\n"
                  << "  phrase tree: " << (f.treeFailed ? "failed (no tree for the sample)" : "ok") << "\n"
                  << "  alignment: " << (f.errorsFound ? "has errors" : "free of errors") << "\n";
        if (f.treeFailed) {
            // The tree part is what follows the path and name block.
            std::string_view marker = "</P></div><div></div>\n";
            size_t at = f.output.find(marker);
            std::string_view tree;
            if (at != std::string::npos) tree = std::string_view(f.output).substr(at + marker.size());
            std::cout << "  tree output: " << tree.substr(0, tree.find('\n')) << "\n";
        }
        SentenceMatcher matcher(analyzer);
        if (matcher.match(f.sample, f.file.get(), f.global.get()) == 0) {
            matcher.report();  // sets the bits the report writer adds
            printExplanation(std::cout, f.path, *f.file, f.global.get(), matcher);
        }
        std::cout << "\n";
    }
    std::cout << files.size() << " files, " << failures.size() << " failing samples, " << unreadable
              << " files not read\n";
    return failures.empty() && unreadable == 0 ? 0 : 1;
}

int runSampleTree(const Options& options) {
    if (options.reference.empty() || options.output.empty()) {
        std::cerr << "zintra: sample-tree needs --reference FILE and --output FILE\n";
        return 2;
    }
    auto engine = initialisedEngine(options);
    std::string path;
    if (!engine || !batchPath(options, *engine, "sample-tree", path)) return engine ? 2 : 1;
    FileProblem reference = fileProblem(options.reference);
    if (reference != FileProblem::None)
        engine->diagnostics().report(describeFileProblem("--reference", options.reference, reference) +
                                     "; the trees are written without a comparison");
    std::shared_ptr<const Engine::State> state = engine->state();
    SampleTrees trees(*state->analyzer);
    if (!writeSampleTreePage(path, options.reference, options.output, options.depth, *state->templates,
                             *state->analyzer, trees.writer())) {
        std::cerr << "zintra: cannot write " << options.output << "\n";
        return 1;
    }
    std::cout << "wrote " << options.output << "\n";
    return placeScriptReported(options.output, installedScript(options.config)) ? 0 : 1;
}

int runSentences(const Options& options) {
    if (options.output.empty()) {
        std::cerr << "zintra: sentences needs --output DIR\n";
        return 2;
    }
    auto engine = initialisedEngine(options);
    std::string path;
    if (!engine || !batchPath(options, *engine, "sentences", path)) return engine ? 2 : 1;
    std::shared_ptr<const Engine::State> state = engine->state();
    SentenceListingResult r = listSentences(path, options.output, options.depth, *state->templates, *state->analyzer);
    std::cout << r.sentences << " sentences of " << r.files << " template files below " << options.output << "\n";
    if (r.cutFiles) std::cout << r.cutFiles << " files had more paths than listed\n";
    if (r.writeFailed) {
        std::cerr << "zintra: some listing files could not be written below " << options.output << "\n";
        return 1;
    }
    return 0;
}

int runCountLines(const Options& options) {
    auto engine = initialisedEngine(options);
    std::string path;
    if (!engine || !batchPath(options, *engine, "count-lines", path)) return engine ? 2 : 1;
    std::cout << countLines(path, options.depth) << "\n";
    return 0;
}

int runQuery(const Options& options) {
    if (options.words.empty()) {
        std::cerr << "zintra: query needs a SENTENCE\n";
        return 2;
    }
    std::string sentence;
    for (size_t i = 0; i < options.words.size(); ++i) {
        if (i) sentence += ' ';
        sentence += options.words[i];
    }
    auto engine = initialisedEngine(options);
    if (!engine) return 1;
    std::shared_ptr<const Engine::State> state = engine->state();
    std::string answer = answerTemplateQuery(sentence, *state->templates, *state->analyzer);
    if (answer.empty()) {
        std::cout << "Can't understand!\n";
        return 1;
    }
    std::cout << answer << "\n";
    return 0;
}

}  // namespace zintra::cli
