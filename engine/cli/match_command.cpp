// zintra match: one request through the engine, the reply printed as returned;
// with --explain, the alignment behind the reply in readable lines.
#include <iostream>
#include <iterator>
#include <sstream>
#include <string_view>

#include "engine/api/engine.h"
#include "engine/api/zintra.h"
#include "engine/cli/command.h"
#include "engine/request/request.h"
#include "engine/templates/match_graph.h"
#include "engine/templates/report_writer.h"
#include "engine/templates/sentence_matcher.h"
#include "engine/templates/template_reader.h"
#include "engine/text/converter.h"

namespace zintra::cli {

namespace {

struct FlagName {
    uint32_t bit;
    const char* name;
};

constexpr FlagName kFlagNames[] = {
    {kFlagCapital, "capital"},
    {kFlagUnknown, "unknown"},
    {kFlagSpelling, "spelling"},
    {kFlagMissing, "missing"},
    {kFlagExtra, "extra"},
    {kFlagWrong, "wrong"},
    {kFlagComments, "comments"},
    {kFlagPhraseOpen, "phrase-open"},
    {kFlagPhraseClose, "phrase-close"},
    {kFlagNodeOpen, "node-open"},
    {kFlagNodeClose, "node-close"},
    {kFlagWrongFiller, "wrong-filler"},
    {kFlagNodeDiffers, "node-differs"},
    {kFlagSwapFirst, "swap-first"},
    {kFlagSwapSecond, "swap-second"},
    {kFlagMisplaced, "misplaced"},
};

std::string quoted(std::string_view text) {
    std::string out = "\"";
    out += text;
    out += '"';
    return out;
}

std::string flagNames(uint32_t flags) {
    if (flags == 0) return "ok";
    std::string out;
    for (const FlagName& f : kFlagNames) {
        if (!(flags & f.bit)) continue;
        if (!out.empty()) out += ' ';
        out += f.name;
    }
    return out + " (" + std::to_string(flags) + ")";
}

std::string joined(const std::vector<std::string_view>& texts) {
    std::string out;
    for (std::string_view t : texts) {
        if (!out.empty()) out += ", ";
        out += quoted(t);
    }
    return out;
}

}  // namespace

void printExplanation(std::ostream& out, const std::string& path, const TemplateFile& file, const TemplateFile* global,
                      const SentenceMatcher& matcher) {
    out << "template file: " << path << "\n";
    const Template* chosen = matcher.chosenTemplate();
    if (!chosen) {
        out << "chosen template: none (no main template whose end can be reached)\n";
        return;
    }
    Score score = matcher.chosenScore();
    out << "chosen template: " << quoted(chosen->name) << " (" << matcher.chosenIndex() + 1 << " of "
        << file.mainTemplates.size() << ")\n";
    // The counters include the two sentinels that frame every alignment.
    out << "score: " << score.matched - 2 << " words matched (" << score.good - 2 << " of them outside wrong fillers), "
        << score.consumed - 2 << " expected words passed, " << score.wordless << " wordless wrong fillers passed\n";
    if (!matcher.finalSymbol().empty()) out << "sentence-final symbol: " << quoted(matcher.finalSymbol()) << "\n";

    const std::vector<ReportItem>& items = matcher.items();
    out << "items:\n";
    for (size_t i = 0; i < items.size(); ++i) {
        const ReportItem& item = items[i];
        std::ostringstream line;
        line << "  " << i + 1 << ". word " << quoted(item.word);
        if (item.comparison != item.word && !item.comparison.empty())
            line << " (compared as " << quoted(item.comparison) << ")";
        if (item.expected) {
            line << ", expected " << quoted(item.expected->word);
            if (item.expected->isWrong()) line << " of a wrong filler";
        } else {
            line << ", nothing expected";
        }
        line << ": " << flagNames(item.flags);
        std::vector<std::string_view> candidates;
        if (item.filler) {
            const ExpectedElement* source = item.filler;
            if (item.has(kFlagSwapFirst) && i + 1 < items.size())
                source = items[i + 1].filler;
            else if (item.has(kFlagSwapSecond) && i > 0)
                source = items[i - 1].filler;
            collectCandidates(source, candidates);
        } else if (item.node && item.has(kFlagNodeClose)) {
            candidates = item.node->candidates;
        }
        if (!candidates.empty()) line << "; candidates " << joined(candidates);
        std::vector<int32_t> comments;
        collectComments(item.filler ? item.filler : item.expected, file, global, comments);
        if (!comments.empty()) {
            line << "; comments";
            for (int32_t c : comments) line << ' ' << c;
        }
        out << line.str() << "\n";
    }
    out << (matcher.freeOfErrors() ? "no errors\n" : "errors reported\n");
}

namespace {

// --explain: the match of an XML request's sentence against its template
// file, as the request handler runs it.
int explain(Engine& engine, const std::string& request) {
    std::shared_ptr<const Analyzer> analyzer = engine.analyzer();
    Converter converter(analyzer->config().encode);
    std::string text = request;
    preprocessRequest(text, converter);
    std::unique_ptr<ParsedRequest> parsed = isXmlRequest(text) ? parseXmlRequest(text, converter) : nullptr;
    if (!parsed || parsed->fields.h1.empty() || parsed->fields.p.empty()) {
        std::cerr << "zintra: --explain needs a match request with a template name in H1 and a sentence in P\n";
        return 2;
    }
    const RequestFields& fields = parsed->fields;
    TemplateStore& store = engine.templateStore();
    std::string path;
    std::shared_ptr<const TemplateFile> file, global;
    if (fields.h1.front() == '*') {
        path = fields.h1;
        file = buildSingleFillerFile(std::string_view(fields.h1).substr(1), *analyzer);
        global = file;
    } else {
        path = store.fullPath(fields.h1);
        global = store.globalFile(path, *analyzer);
        file = store.get(path, store.baseFile(path, *analyzer), *analyzer);
    }
    if (!file || !global) {
        std::cerr << "zintra: cannot load " << (file ? "the global file of " : "") << path << "\n";
        return 1;
    }
    SentenceMatcher matcher(*analyzer);
    if (matcher.match(fields.p, file.get(), global.get()) != 0) {
        std::cerr << "zintra: the sentence could not be matched\n";
        return 1;
    }
    matcher.report();  // sets the bits the report writer adds
    printExplanation(std::cout, path, *file, global.get(), matcher);
    return 0;
}

}  // namespace

int runMatch(const Options& options) {
    std::string request;
    if (options.words.empty()) {
        request.assign(std::istreambuf_iterator<char>(std::cin), std::istreambuf_iterator<char>());
    } else {
        for (size_t i = 0; i < options.words.size(); ++i) request += (i ? " " : "") + options.words[i];
    }
    Engine engine;
    listenTo(engine, options);
    if (engine.initialise(options.config.c_str()) != 1) {
        std::cerr << "zintra: cannot initialise the engine from " << options.config << "\n";
        return 1;
    }
    // "IE" is the engine's own target (character references), not a converter.
    if (!options.encoding.empty() && options.encoding != "IE" && !Converter(options.encoding).isOpen())
        engine.diagnostics().report("--encoding " + options.encoding +
                                    " is not an encoding name this system knows; XML requests get an empty reply");
    if (options.explain) return explain(engine, request);
    std::string reply(ZINTRA_REPLY_MAX, '\0');
    int length = engine.match(options.encoding.c_str(), request.c_str(), reply.data(), reply.size());
    std::cout.write(reply.data(), length);
    std::cout.flush();
    return 0;
}

}  // namespace zintra::cli
