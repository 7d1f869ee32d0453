// Speed of a full match request: a template file of 20 main templates with
// branching nodes, multi-word and wrong fillers and Phrase fillers, and a
// sentence of 30 words, request text in and reply out through Engine::match.
// The baseline is the same request against a file without main templates
// (everything but the alignment). A third benchmark runs the matcher alone
// and counts the heap allocations per match. Replies end with the phrase
// tree of the sentence, drawn with the bundled English grammar. A last
// benchmark sends a lesson's sentence to the bundled installation itself.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <new>
#include <string>
#include <utility>
#include <vector>

#include <unistd.h>

#include "engine/api/engine.h"
#include "engine/templates/match_graph.h"
#include "engine/templates/sentence_matcher.h"
#include "engine/templates/template_reader.h"

namespace {

// Heap allocations counted while `counting` is set.
std::atomic<bool> counting{false};
std::atomic<long> allocations{0};

}  // namespace

// The replacement pair below is malloc and free on purpose.
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"

void* operator new(std::size_t size) {
    if (counting.load(std::memory_order_relaxed)) allocations.fetch_add(1, std::memory_order_relaxed);
    if (void* p = std::malloc(size ? size : 1)) return p;
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }

namespace {

namespace fs = std::filesystem;

std::string word(int n) {
    static const char* const kWords[] = {
        "the",    "boy",     "girl",   "went",  "to",      "school",  "park",   "with",  "his",     "her",
        "friend", "mother",  "father", "in",    "morning", "evening", "after",  "lunch", "before",  "dinner",
        "played", "tennis",  "soccer", "read",  "a",       "book",    "letter", "wrote", "long",    "short",
        "very",   "quickly", "slowly", "happy", "sad",     "because", "it",     "was",   "raining", "sunny",
        "and",    "then",    "came",   "home",  "late",    "early",   "ate",    "some",  "apples",  "bread"};
    return kWords[n % (sizeof kWords / sizeof kWords[0])];
}

// Joins its arguments (written with += throughout: GCC 12 warns falsely
// about "literal" + std::string at -O3).
template <class... T>
std::string cat(const T&... parts) {
    std::string out;
    (out += ... += parts);
    return out;
}

std::string number(int n) { return std::to_string(n); }

// One filler element.
std::string group(const std::string& text, const char* type = "correct", const std::string& comment = "") {
    std::string out = cat("<Group type='", type, "'><name>", text, "</name>");
    if (!comment.empty()) out += cat("<commentID>", comment, "</commentID>");
    out += "</Group>";
    return out;
}

std::string node(const std::string& name, const std::string& fillers, const std::vector<std::string>& next) {
    std::string out = cat("<node><name>", name, "</name>", fillers);
    for (const std::string& n : next) out += cat("<Next>", n, "</Next>");
    out += "</node>";
    return out;
}

// Template t: 14 slots in line, with a branch over slots 4 and 5 that joins
// again at slot 6, a Phrase filler at slot 8, multi-word and wrong fillers.
std::string mainTemplate(int t) {
    std::string out = cat("<template sub='0'><name>t", number(t), "</name><sample>s</sample>");
    for (int s = 0; s < 14; ++s) {
        int w = t * 3 + s * 7;
        std::string fillers = cat(group(word(w)), group(cat(word(w + 1), " ", word(w + 2))),
                                  group(word(w + 3), "wrong", "C1"), group(word(w + 4), "normal"));
        if (s == 8) fillers += cat("<Phrase>sub", number(t % 3), "</Phrase>");
        std::vector<std::string> next;
        if (s == 3)
            next = {"n4", "b4"};
        else if (s < 13)
            next = {cat("n", number(s + 1))};
        out += node(cat("n", number(s)), fillers, next);
        if (s == 4) out += node("b4", cat(group(cat(word(w + 5), " ", word(w + 6))), group(word(w + 8))), {"n6"});
    }
    out += "</template>";
    return out;
}

std::string subTemplate(int k) {
    std::string out = cat("<template sub='1'><name>sub", number(k), "</name>");
    out += node("p0", cat(group(word(k + 20)), group(cat(word(k + 21), " ", word(k + 22)))), {"p1"});
    out += node("p1", cat(group(word(k + 23)), group(word(k + 24), "wrong", "C1")), {});
    out += "</template>";
    return out;
}

std::string templateFile(int mains) {
    std::string out =
        "<?xml version='1.0'?>\n<root><SAMP><P ID='1'>A sample.</P></SAMP><category><name>c</name>"
        "<comment ID='1'><name>c1</name><sentenceID>1</sentenceID><econtent>A comment.</econtent>"
        "<jcontent>j</jcontent></comment></category><Template>";
    for (int t = 0; t < mains; ++t) out += mainTemplate(t);
    for (int k = 0; k < 3; ++k) out += subTemplate(k);
    out += "</Template></root>";
    return out;
}

// The sentence: template 7 along its two-word fillers, with a misspelt
// word, a wrong filler and two superfluous words: 30 words and a full stop.
std::string sentence() {
    std::string out;
    for (int s = 0; s < 14; ++s) {
        int w = 7 * 3 + s * 7;
        if (s == 5)
            out += cat("lettr ", word(w + 2));  // misspelt ("letter" or another close word)
        else if (s == 9)
            out += word(w + 3);  // a wrong filler
        else
            out += cat(word(w + 1), " ", word(w + 2));
        out += ' ';
        if (s == 2) out += "quickly very ";  // superfluous words
    }
    out += "apples.";
    return out;
}

struct Installation {
    // phrases: whether replies end with a phrase tree (GRAMMAR_FILE given).
    explicit Installation(bool phrases = true) {
        dir = fs::temp_directory_path() / cat("zintra-match-bench-", number(getpid()), phrases ? "" : "-np");
        fs::create_directories(dir / "templates");
        write("lexicon.txt", "the DT\nboy NN\ngirl NN\nwent VBD\nto TO\nschool NN\nbook NN\n. .\n");
        write("lexical.txt", "NN s fhassuf 1 NNS x\n");
        write("bigrams.txt", "the boy\n");
        write("compounds.txt", "ice cream/NN\n");
        write("contextual.txt", "VB NN PREVTAG DT\n");
        write("templates/Global.xvt", "<?xml version='1.0'?>\n<root><Template></Template></root>");
        write("templates/lesson.xvt", templateFile(20));
        write("templates/empty.xvt", templateFile(0));
        std::string d = cat(dir.string(), "/");
        write("zintra.ini", cat("DICTIONARY_FILE ", d, "lexicon.txt\nLEXICALRULEFILE ", d, "lexical.txt\nBIGRAMS ", d,
                                "bigrams.txt\nCOMPOUND_FILE ", d, "compounds.txt\nCONTEXTUALRULEFILE ", d,
                                "contextual.txt\nTEMPLATES_DIR ", d, "templates\nTN_SYMBOL ,;:!?\"()\n",
                                "DEL_TAIL_SYMBOL .?!\nCACHE 1\n",
                                phrases ? "GRAMMAR_FILE " ZINTRA_SOURCE_DIR "/data/engine/grammar.txt\n" : ""));
        if (engine.initialise((dir / "zintra.ini").c_str()) != 1) std::abort();
    }
    ~Installation() {
        std::error_code ec;
        fs::remove_all(dir, ec);
    }
    void write(const std::string& name, const std::string& text) const { std::ofstream(dir / name) << text; }

    fs::path dir;
    zintra::Engine engine;
};

Installation& installation(bool phrases = true) {
    static Installation withPhrases(true);
    if (phrases) return withPhrases;
    static Installation withoutPhrases(false);
    return withoutPhrases;
}

void runRequests(benchmark::State& state, const std::string& name, bool phrases = true) {
    Installation& inst = installation(phrases);
    const std::string request = cat("<H1>", name, "</H1><P>", sentence(), "</P>");
    std::vector<char> reply(1000000);
    int length = inst.engine.match("", request.c_str(), reply.data(), reply.size());
    std::string_view text(reply.data(), static_cast<size_t>(std::max(length, 0)));
    if (text.find("<P>") == std::string_view::npos) state.SkipWithError("the request did not match");
    // ZINTRA_BENCH_SHOW=1 prints the request and its reply once.
    static bool shown = false;
    if (const char* show = std::getenv("ZINTRA_BENCH_SHOW"); show && *show == '1' && !std::exchange(shown, true))
        std::fprintf(stderr, "%s\n%.*s\n", request.c_str(), length, reply.data());
    for (auto _ : state) {
        length = inst.engine.match("", request.c_str(), reply.data(), reply.size());
        benchmark::DoNotOptimize(length);
    }
    state.SetItemsProcessed(state.iterations());
    state.counters["reply_bytes"] = length;
}

void BM_MatchRequest(benchmark::State& state) { runRequests(state, "lesson"); }
BENCHMARK(BM_MatchRequest);

void BM_MatchRequestBaselineNoTemplates(benchmark::State& state) { runRequests(state, "empty"); }
BENCHMARK(BM_MatchRequestBaselineNoTemplates);

// The same two without the phrase tree (an installation without GRAMMAR_FILE):
// the request path's own work.
void BM_MatchRequestNoPhrase(benchmark::State& state) { runRequests(state, "lesson", false); }
BENCHMARK(BM_MatchRequestNoPhrase);

void BM_MatchRequestNoPhraseBaselineNoTemplates(benchmark::State& state) { runRequests(state, "empty", false); }
BENCHMARK(BM_MatchRequestNoPhraseBaselineNoTemplates);

// The matcher alone: sentence items, 20 alignments, path, items and report.
void runMatcher(benchmark::State& state, const std::string& text) {
    Installation& inst = installation();
    std::shared_ptr<const zintra::Analyzer> analyzer = inst.engine.analyzer();
    std::string folder = cat((inst.dir / "templates").string(), "/");
    auto global = zintra::readTemplateFile(cat(folder, "Global.xvt"), nullptr, *analyzer);
    auto file = zintra::readTemplateFile(cat(folder, "lesson.xvt"), nullptr, *analyzer);
    if (!global || !file) {
        state.SkipWithError("cannot read the template files");
        return;
    }
    std::string report;
    report.reserve(1 << 16);
    {
        zintra::SentenceMatcher warm(*analyzer);
        warm.match(text, file.get(), global.get());
        warm.appendReport(report);
    }
    long allocationsBefore = allocations.load();
    long rounds = 0;
    for (auto _ : state) {
        counting = true;
        zintra::SentenceMatcher matcher(*analyzer);
        int result = matcher.match(text, file.get(), global.get());
        report.clear();
        matcher.appendReport(report);
        counting = false;
        benchmark::DoNotOptimize(result);
        ++rounds;
    }
    state.SetItemsProcessed(state.iterations());
    state.counters["allocs_per_match"] =
        rounds ? static_cast<double>(allocations.load() - allocationsBefore) / static_cast<double>(rounds) : 0;
    state.counters["positions_max"] = zintra::matchGraphsOf(*file).maxPositions();
}

void BM_MatcherOnly(benchmark::State& state) { runMatcher(state, sentence()); }
BENCHMARK(BM_MatcherOnly);

// A sentence of 30 words no template expects: every template can match as
// many words as every other, so none is passed over and all 20 are aligned.
void BM_MatcherOnlyNoTemplateAhead(benchmark::State& state) {
    std::string text;
    for (int i = 0; i < 30; ++i) text += cat("zz", number(i), " ");
    text += "qq.";
    runMatcher(state, text);
}
BENCHMARK(BM_MatcherOnlyNoTemplateAhead);

// The bundled installation, read from its own folder: a lesson's sentence
// with a wrong word, reply and phrase tree.
void BM_MatchLessonRequest(benchmark::State& state) {
    static zintra::Engine* bundled = [] {
        fs::current_path(fs::path(ZINTRA_SOURCE_DIR) / "data/engine");
        auto* e = new zintra::Engine;
        if (e->initialise("zintra.ini") != 1) std::abort();
        return e;
    }();
    const std::string request = "<H1>Lesson01-01</H1><P>I is a student.</P>";
    std::vector<char> reply(1000000);
    int length = 0;
    for (auto _ : state) {
        length = bundled->match("", request.c_str(), reply.data(), reply.size());
        benchmark::DoNotOptimize(length);
    }
    if (std::string_view(reply.data(), static_cast<size_t>(std::max(length, 0))).find("<!-- (S ") ==
        std::string_view::npos)
        state.SkipWithError("the reply has no tree");
    state.SetItemsProcessed(state.iterations());
    state.counters["reply_bytes"] = length;
}
BENCHMARK(BM_MatchLessonRequest);

}  // namespace

BENCHMARK_MAIN();
