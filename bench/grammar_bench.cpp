// Building canonical LR(1) tables and parsing tag sequences with them.
//
// Grammars: the bundled English phrase grammar (data/engine/grammar.txt), and
// a larger one made from it by agreement classes: every non-terminal of the
// English grammar is copied once per class (NP_0, NP_1, ...), as a grammar
// that keeps singular and plural or person apart would be, under one start
// rule. Three classes give a grammar of a few hundred rules.
//
// Parses: the tag sequences of the English treebank's development sentences
// (gold tags, up to the first "." tag, at most 30 tokens), without rule
// actions and with the phrase rules (word lists of a few words, no lexicon).
// The report gives the share that parse and the per-sentence times.
//
// The bundled installation (data/engine, read from its own folder): loading
// its phrase grammar as the initialisation does, and the development
// sentences as a learner's text would come (tokens joined by blanks, tagged
// by our tagger) parsed and printed as trees.
//
//   ZINTRA_TREEBANK   folder with en_ewt-ud-dev.conllu (default: beside the source tree)
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "engine/grammar/grammar.h"
#include "engine/grammar/grammar_reader.h"
#include "engine/grammar/parser.h"
#include "engine/language/analyzer.h"
#include "engine/language/tagger.h"
#include "engine/phrase/phrase_grammar.h"
#include "engine/phrase/phrase_rules.h"
#include "engine/phrase/tree_printer.h"
#include "engine/text/arena.h"
#include "engine/text/token.h"

namespace {

using namespace zintra;
namespace fs = std::filesystem;

std::string readText(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

const std::string& englishGrammar() {
    static const std::string text = readText(fs::path(ZINTRA_SOURCE_DIR) / "data/engine/grammar.txt");
    return text;
}

// The English grammar with every non-terminal copied for `classes` classes.
std::string classGrammar(int classes) {
    const std::string& text = englishGrammar();
    size_t rules = text.find("\n%%");
    std::string head = text.substr(0, rules + 3);
    std::string body = text.substr(rules + 3);
    // Left sides: the first word of lines that are followed by ':'.
    std::set<std::string> nonterminals;
    std::istringstream lines(body);
    std::string line;
    while (std::getline(lines, line)) {
        std::istringstream words(line);
        std::string first, second;
        if (words >> first >> second && second == ":") nonterminals.insert(first);
    }
    std::string out = head + "\nTOP :";
    for (int k = 0; k < classes; ++k) out.append(k ? " | S_" : " S_").append(std::to_string(k));
    out += " ;\n";
    for (int k = 0; k < classes; ++k) {
        std::istringstream copy(body);
        while (std::getline(copy, line)) {
            if (line.find('#') != std::string::npos && line.find_first_not_of(' ') == line.find('#')) continue;
            std::istringstream words(line);
            std::string word, renamed;
            while (words >> word) {
                if (nonterminals.count(word)) word.append("_").append(std::to_string(k));
                renamed.append(word).append(" ");
            }
            out.append(renamed).append("\n");
        }
    }
    return out;
}

std::unique_ptr<Grammar> build(const std::string& text) {
    StringLineSource source(text);
    return readGrammar(source, {}, [](std::string_view) {});
}

class BenchWords : public PhraseWords {
  public:
    bool isClauseWord(std::string_view w) const override { return w == "that" || w == "if" || w == "when"; }
    bool isAdverbNoun(std::string_view w) const override { return w == "now" || w == "today" || w == "here"; }
    bool lexiconHas(std::string_view, std::string_view) const override { return false; }
};
const BenchWords kBenchWords;

std::unique_ptr<Grammar> buildWithRules(const std::string& text) {
    StringLineSource source(text);
    return readGrammar(
        source, phraseRules(), [](std::string_view) {}, &kBenchWords);
}

void buildBenchmark(benchmark::State& state, const std::string& text) {
    std::unique_ptr<Grammar> g;
    for (auto _ : state) {
        g = build(text);
        benchmark::DoNotOptimize(g.get());
    }
    if (!g) {
        state.SkipWithError("grammar does not build");
        return;
    }
    state.counters["rules"] = g->ruleCount();
    state.counters["states"] = g->stateCount();
    state.counters["actions"] = static_cast<double>(g->actionEntryCount());
}

void BM_BuildEnglishGrammar(benchmark::State& state) { buildBenchmark(state, englishGrammar()); }
BENCHMARK(BM_BuildEnglishGrammar)->Unit(benchmark::kMillisecond);

void BM_BuildClassGrammar(benchmark::State& state) {
    buildBenchmark(state, classGrammar(static_cast<int>(state.range(0))));
}
BENCHMARK(BM_BuildClassGrammar)->Arg(3)->Arg(6)->Unit(benchmark::kMillisecond);

void BM_BuildMetaGrammar(benchmark::State& state) {
    for (auto _ : state) {
        ArrayLineSource lines(kMetaGrammarLines, kMetaGrammarLineCount);
        auto g = grammarFromLines(lines, [](std::string_view) {});
        benchmark::DoNotOptimize(g.get());
    }
}
BENCHMARK(BM_BuildMetaGrammar)->Unit(benchmark::kMicrosecond);

// ---- parsing

struct TagSentence {
    std::vector<std::string> tags, words;
};

const std::vector<TagSentence>& devSentences() {
    static const std::vector<TagSentence> sentences = [] {
        std::vector<TagSentence> out;
        const char* env = std::getenv("ZINTRA_TREEBANK");
        fs::path folder = env ? env : ZINTRA_DEFAULT_TREEBANK;
        std::ifstream dev(folder / "en_ewt-ud-dev.conllu");
        std::string line;
        TagSentence current;
        bool stopped = false;
        auto flush = [&] {
            if (!current.tags.empty() && current.tags.size() <= 30) out.push_back(current);
            current = {};
            stopped = false;
        };
        while (std::getline(dev, line)) {
            if (line.empty()) {
                flush();
                continue;
            }
            if (line[0] == '#') continue;
            std::vector<std::string> cols;
            std::istringstream fields(line);
            std::string f;
            while (std::getline(fields, f, '\t')) cols.push_back(f);
            if (cols.size() < 5 || cols[0].find_first_of("-.") != std::string::npos) continue;
            if (stopped) continue;
            if (cols[4] == ".") {
                stopped = true;
                continue;
            }
            current.words.push_back(cols[1]);
            current.tags.push_back(cols[4]);
        }
        flush();
        return out;
    }();
    return sentences;
}

Token* tokensOf(const TagSentence& s, Arena& arena) {
    Token* first = nullptr;
    Token* last = nullptr;
    for (size_t i = 0; i < s.tags.size(); ++i) {
        Token* t = makeToken(arena);
        t->tag = arena.copy(s.tags[i]);
        t->word = arena.copy(s.words[i]);
        if (last)
            last->next = t;
        else
            first = t;
        last = t;
    }
    return first;
}

void parseBenchmark(benchmark::State& state, bool rules) {
    auto g = rules ? buildWithRules(englishGrammar()) : build(englishGrammar());
    const std::vector<TagSentence>& all = devSentences();
    std::vector<const TagSentence*> chosen;
    size_t low = static_cast<size_t>(state.range(0)), high = static_cast<size_t>(state.range(1));
    for (const TagSentence& s : all)
        if (s.tags.size() >= low && s.tags.size() <= high) chosen.push_back(&s);
    if (!g || chosen.empty()) {
        state.SkipWithError("no grammar or no treebank sentences");
        return;
    }
    // Per-sentence times, once over the set, for the percentiles.
    std::vector<double> micros;
    long accepted = 0, exhausted = 0;
    Arena arena;
    for (const TagSentence* s : chosen) {
        arena.clear();
        Token* first = tokensOf(*s, arena);
        auto start = std::chrono::steady_clock::now();
        PhraseParse record;
        ParseResult r = parseTokens(*g, first, nullptr, arena, {}, &record);
        auto end = std::chrono::steady_clock::now();
        micros.push_back(std::chrono::duration<double, std::micro>(end - start).count());
        accepted += r.accepted();
        exhausted += r.status == ParseStatus::kBudgetExhausted;
    }
    std::sort(micros.begin(), micros.end());
    size_t i = 0;
    for (auto _ : state) {
        const TagSentence* s = chosen[i++ % chosen.size()];
        arena.clear();
        PhraseParse record;
        ParseResult r = parseTokens(*g, tokensOf(*s, arena), nullptr, arena, {}, &record);
        benchmark::DoNotOptimize(r.tree);
    }
    state.SetItemsProcessed(state.iterations());
    state.counters["sentences"] = static_cast<double>(chosen.size());
    state.counters["parsed%"] = 100.0 * static_cast<double>(accepted) / static_cast<double>(chosen.size());
    state.counters["budget_out"] = static_cast<double>(exhausted);
    state.counters["median_us"] = micros[micros.size() / 2];
    state.counters["p99_us"] = micros[micros.size() * 99 / 100];
    state.counters["worst_us"] = micros.back();
}
void BM_ParseDevSentences(benchmark::State& state) { parseBenchmark(state, false); }
BENCHMARK(BM_ParseDevSentences)->Args({5, 15})->Args({3, 12})->Args({1, 30})->Unit(benchmark::kMicrosecond);

void BM_ParseDevSentencesWithRules(benchmark::State& state) { parseBenchmark(state, true); }
BENCHMARK(BM_ParseDevSentencesWithRules)->Args({5, 15})->Args({3, 12})->Args({1, 30})->Unit(benchmark::kMicrosecond);

// ---- the bundled installation

std::shared_ptr<const Analyzer> bundledAnalyzer() {
    static const std::shared_ptr<const Analyzer> analyzer = [] {
        fs::current_path(fs::path(ZINTRA_SOURCE_DIR) / "data/engine");
        auto a = std::make_shared<Analyzer>();
        if (!a->load("zintra.ini")) a.reset();
        return std::shared_ptr<const Analyzer>(a);
    }();
    return analyzer;
}

void BM_LoadBundledGrammar(benchmark::State& state) {
    auto analyzer = bundledAnalyzer();
    std::unique_ptr<PhraseGrammar> g;
    double slowest = 0;
    for (auto _ : state) {
        g = analyzer ? PhraseGrammar::load(analyzer, [](std::string_view) {}) : nullptr;
        if (!g) break;
        slowest = std::max(slowest, g->buildMilliseconds());
    }
    if (!g) {
        state.SkipWithError("the bundled grammar does not load");
        return;
    }
    state.counters["rules"] = g->grammar().ruleCount();
    state.counters["states"] = g->grammar().stateCount();
    state.counters["actions"] = static_cast<double>(g->grammar().actionEntryCount());
    state.counters["slowest_ms"] = slowest;
}
BENCHMARK(BM_LoadBundledGrammar)->Unit(benchmark::kMillisecond);

// Development sentences: all their tokens joined by blanks.
const std::vector<std::pair<int, std::string>>& devTexts() {
    static const std::vector<std::pair<int, std::string>> texts = [] {
        std::vector<std::pair<int, std::string>> out;
        const char* env = std::getenv("ZINTRA_TREEBANK");
        fs::path folder = env ? env : ZINTRA_DEFAULT_TREEBANK;
        std::ifstream dev(folder / "en_ewt-ud-dev.conllu");
        std::string line, text;
        int count = 0;
        while (std::getline(dev, line)) {
            if (line.empty()) {
                if (count) out.emplace_back(count, text);
                text.clear();
                count = 0;
                continue;
            }
            if (line[0] == '#') continue;
            size_t tab = line.find('\t');
            std::string id = line.substr(0, tab);
            if (id.find_first_of("-.") != std::string::npos) continue;
            size_t next = line.find('\t', tab + 1);
            if (!text.empty()) text += ' ';
            text += line.substr(tab + 1, next - tab - 1);
            ++count;
        }
        return out;
    }();
    return texts;
}

void BM_ParseTaggedDevSentences(benchmark::State& state) {
    auto analyzer = bundledAnalyzer();
    auto g = analyzer ? PhraseGrammar::load(analyzer, [](std::string_view) {}) : nullptr;
    std::vector<const std::string*> chosen;
    for (const auto& [count, text] : devTexts())
        if (count >= state.range(0) && count <= state.range(1)) chosen.push_back(&text);
    if (!g || chosen.empty()) {
        state.SkipWithError("no grammar or no treebank sentences");
        return;
    }
    // Tagged once; the parse alone is timed, per sentence, for the percentiles.
    std::vector<double> micros;
    long trees = 0, exhausted = 0, recognised = 0, screenedOut = 0;
    double steps = 0, failedSteps = 0, failedMicros = 0;
    Arena arena;
    std::vector<std::pair<Arena, const Token*>> tagged;
    for (const std::string* text : chosen) {
        Arena own;
        const Token* first = tagSentence(analyzer->data(), *text, own);
        tagged.emplace_back(std::move(own), first);
    }
    for (auto& [own, first] : tagged) {
        arena.clear();
        auto start = std::chrono::steady_clock::now();
        ParseResult r = analysePhrases(g->grammar(), first, arena);
        auto end = std::chrono::steady_clock::now();
        micros.push_back(std::chrono::duration<double, std::micro>(end - start).count());
        trees += r.accepted();
        exhausted += r.status == ParseStatus::kBudgetExhausted;
        recognised += r.recognised;
        screenedOut += r.screened && r.status == ParseStatus::kRejected && r.steps <= ParseLimits{}.screenAfter;
        steps += static_cast<double>(r.steps);
        if (!r.accepted()) {
            failedSteps += static_cast<double>(r.steps);
            failedMicros += micros.back();
        }
    }
    double failures = static_cast<double>(static_cast<long>(chosen.size()) - trees);
    std::sort(micros.begin(), micros.end());
    size_t i = 0;
    for (auto _ : state) {
        const Token* first = tagged[i++ % tagged.size()].second;
        arena.clear();
        ParseResult r = analysePhrases(g->grammar(), first, arena);
        benchmark::DoNotOptimize(r.tree);
    }
    state.SetItemsProcessed(state.iterations());
    state.counters["sentences"] = static_cast<double>(chosen.size());
    state.counters["tree%"] = 100.0 * static_cast<double>(trees) / static_cast<double>(chosen.size());
    state.counters["budget_out"] = static_cast<double>(exhausted);
    state.counters["recognised"] = static_cast<double>(recognised);
    state.counters["screened_out"] = static_cast<double>(screenedOut);
    state.counters["steps_mean"] = steps / static_cast<double>(chosen.size());
    state.counters["fail_steps_mean"] = failures > 0 ? failedSteps / failures : 0;
    state.counters["fail_us_mean"] = failures > 0 ? failedMicros / failures : 0;
    state.counters["median_us"] = micros[micros.size() / 2];
    state.counters["p99_us"] = micros[micros.size() * 99 / 100];
    state.counters["worst_us"] = micros.back();
}
BENCHMARK(BM_ParseTaggedDevSentences)->Args({5, 15})->Args({3, 12})->Args({1, 30})->Unit(benchmark::kMicrosecond);

// A sentence that never parses: the tags bench/match_bench's request
// sentence gets (thirty nouns with two determiners inside), through the
// bundled phrase grammar with its rules. Arguments: the step budget, and
// how the parse may end early: 0 the search runs blind, 1 the chart is
// asked after 256 steps, 2 the stack recogniser screens the input after 64
// steps (the default), so one run shows all three.
void BM_ParseFailingNounRun(benchmark::State& state) {
    auto analyzer = bundledAnalyzer();
    auto g = analyzer ? PhraseGrammar::load(analyzer, [](std::string_view) {}) : nullptr;
    if (!g) {
        state.SkipWithError("the bundled grammar does not load");
        return;
    }
    TagSentence s;
    const char* tags[] = {"NN", "NN",  "NN", "NN", "NN", "NNS", "NN", "NN", "NN", "NN", "DT", "NN", "NN", "NNS", "NN",
                          "NN", "NNS", "NN", "NN", "NN", "NNS", "NN", "NN", "NN", "DT", "NN", "NN", "NN", "NN",  "NNS"};
    for (const char* t : tags) {
        s.tags.push_back(t);
        s.words.push_back("apple");
    }
    ParseLimits limits;
    limits.budget = state.range(0);
    if (state.range(1) == 0) limits.recogniseAfter = -1;
    limits.screen = state.range(1) == 2;
    Arena arena;
    ParseResult r;
    for (auto _ : state) {
        arena.clear();
        PhraseParse record;
        r = parseTokens(g->grammar(), tokensOf(s, arena), nullptr, arena, limits, &record);
        benchmark::DoNotOptimize(r.tree);
    }
    state.SetItemsProcessed(state.iterations());
    state.counters["steps"] = static_cast<double>(r.steps);
    state.counters["rejected"] = r.status == ParseStatus::kRejected;
}
BENCHMARK(BM_ParseFailingNounRun)
    ->Args({1200, 0})
    ->Args({kPhraseBudget, 0})
    ->Args({kPhraseBudget, 1})
    ->Args({kPhraseBudget, 2})
    ->Unit(benchmark::kMicrosecond);

// Tagging, parsing and printing the HTML tree, as a reply does.
void BM_TagParseAndPrint(benchmark::State& state) {
    auto analyzer = bundledAnalyzer();
    auto g = analyzer ? PhraseGrammar::load(analyzer, [](std::string_view) {}) : nullptr;
    std::vector<const std::string*> chosen;
    for (const auto& [count, text] : devTexts())
        if (count >= 5 && count <= 15) chosen.push_back(&text);
    if (!g || chosen.empty()) {
        state.SkipWithError("no grammar or no treebank sentences");
        return;
    }
    Arena arena;
    std::string out;
    size_t i = 0;
    for (auto _ : state) {
        arena.clear();
        out.clear();
        const Token* first = tagSentence(analyzer->data(), *chosen[i++ % chosen.size()], arena);
        appendPhraseTree(out, &g->grammar(), first, true, arena);
        benchmark::DoNotOptimize(out.data());
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_TagParseAndPrint)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
