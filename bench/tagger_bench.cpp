// Tagging speed and the cost of loading the language data.
//
// The data set is generated here: a lexicon of at least 50,000 words (the
// word forms and tags of the English treebank when it is found, filled up
// with made-up words), 200 lexical rules, 300 contextual rules, bigrams and
// compounds. The text is the treebank's development sentences (or sentences
// made from the lexicon when the treebank is missing).
//
//   ZINTRA_TREEBANK   folder with en_ewt-ud-train.conllu and en_ewt-ud-dev.conllu
//                     (default: ../shared/data/treebank beside the source tree)
//   ZINTRA_TAGGER_CONFIG  an engine configuration whose language data is used
//                     instead of the generated one (file names relative to
//                     the current folder, as for the engine)
#include <benchmark/benchmark.h>

#include <malloc.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <random>
#include <sstream>
#include <string>
#include <unordered_map>
#include <vector>

#include "engine/config/config.h"
#include "engine/language/language_data.h"
#include "engine/language/tagger.h"
#include "engine/language/tokenizer.h"
#include "engine/text/arena.h"
#include "engine/text/token.h"

namespace fs = std::filesystem;
using namespace zintra;

namespace {

const char* const kTags[] = {"NN", "NNS", "NNP", "VB",  "VBD", "VBG", "VBN", "VBP", "VBZ", "JJ",   "JJR",
                             "RB", "IN",  "DT",  "PRP", "CD",  "MD",  "TO",  "CC",  "WDT", "PRP$", "RP"};
const char* const kSuffixes[] = {"s",   "es",  "ed",  "ing", "ly", "er",  "est", "ion", "ment", "ness", "able",
                                 "ful", "ous", "ive", "al",  "ic", "ity", "ize", "ist", "less", "ers",  "ies"};
const char* const kPrefixes[] = {"un", "re", "in", "dis", "over", "pre", "non", "mis", "out", "sub"};
// Rule names with their arguments: T a tag, W a word.
const std::pair<const char*, const char*> kContextNames[] = {
    {"NEXTTAG", "T"},       {"NEXT2TAG", "T"},      {"NEXT1OR2TAG", "T"}, {"NEXT1OR2OR3TAG", "T"},
    {"PREVTAG", "T"},       {"PREV2TAG", "T"},      {"PREV1OR2TAG", "T"}, {"PREV1OR2OR3TAG", "T"},
    {"NEXTWD", "W"},        {"CURWD", "W"},         {"NEXT2WD", "W"},     {"NEXT1OR2WD", "W"},
    {"NEXT1OR2OR3WD", "W"}, {"PREVWD", "W"},        {"PREV2WD", "W"},     {"PREV1OR2WD", "W"},
    {"PREV1OR2OR3WD", "W"}, {"SURROUNDTAG", "TT"},  {"PREVBIGRAM", "TT"}, {"NEXTBIGRAM", "TT"},
    {"LBIGRAM", "WW"},      {"WDPREVTAG", "TW"},    {"RBIGRAM", "WW"},    {"WDNEXTTAG", "WT"},
    {"WDAND2BFR", "WW"},    {"WDAND2TAGBFR", "TW"}, {"WDAND2AFT", "WW"},  {"WDAND2TAGAFT", "WT"}};
const char* const kCommonWords[] = {"the",  "a",  "of", "to", "in",  "is",   "that", "it", "for",  "on",   "was",
                                    "with", "he", "as", "I",  "his", "they", "be",   "at", "have", "this", "from"};

template <class T, size_t N>
const T& pick(const T (&items)[N], std::mt19937& random) {
    return items[random() % N];
}

struct DataSet {
    fs::path folder;
    Config config;
    std::vector<std::string> sentences;
    size_t lexiconEntries = 0;
};

// Word forms with their tags, most frequent tag first, and the dev sentences.
void readTreebank(const fs::path& folder, std::map<std::string, std::vector<std::string>>& lexicon,
                  std::vector<std::string>& sentences) {
    std::ifstream train(folder / "en_ewt-ud-train.conllu");
    std::map<std::string, std::map<std::string, int>> counts;
    std::string line;
    while (std::getline(train, line)) {
        if (line.empty() || line[0] == '#') continue;
        std::vector<std::string> columns;
        std::stringstream fields(line);
        for (std::string c; std::getline(fields, c, '\t');) columns.push_back(c);
        if (columns.size() < 5 || columns[0].find_first_of("-.") != std::string::npos) continue;
        if (columns[1].find_first_of(" \t") != std::string::npos || columns[4] == "_") continue;
        ++counts[columns[1]][columns[4]];
    }
    for (auto& [word, tags] : counts) {
        std::vector<std::pair<int, std::string>> order;
        for (auto& [tag, n] : tags) order.emplace_back(-n, tag);
        std::sort(order.begin(), order.end());
        for (auto& [n, tag] : order) lexicon[word].push_back(tag);
    }
    std::ifstream dev(folder / "en_ewt-ud-dev.conllu");
    while (std::getline(dev, line))
        if (line.rfind("# text = ", 0) == 0) sentences.push_back(line.substr(9));
}

DataSet& dataSet() {
    static DataSet set = [] {
        DataSet d;
        d.folder = fs::temp_directory_path() / ("zintra-tagger-bench-" + std::to_string(getpid()));
        fs::create_directories(d.folder);
        std::mt19937 random(12345);

        const char* env = std::getenv("ZINTRA_TREEBANK");
        fs::path treebank = env ? env : ZINTRA_DEFAULT_TREEBANK;
        std::map<std::string, std::vector<std::string>> lexicon;
        if (fs::exists(treebank / "en_ewt-ud-train.conllu")) readTreebank(treebank, lexicon, d.sentences);
        for (const char* w : kCommonWords) lexicon.emplace(w, std::vector<std::string>{"DT"});
        std::vector<std::string> generated;
        while (lexicon.size() < 50000) {
            std::string word;
            int length = 4 + static_cast<int>(random() % 6);
            for (int i = 0; i < length; ++i) word += static_cast<char>('a' + random() % 26);
            word += pick(kSuffixes, random);
            if (lexicon.emplace(word, std::vector<std::string>{pick(kTags, random), pick(kTags, random)}).second)
                generated.push_back(word);
        }
        d.lexiconEntries = lexicon.size();
        if (d.sentences.empty()) {
            // Sentences of common and made-up words when there is no treebank.
            for (int s = 0; s < 2000; ++s) {
                std::string sentence;
                int length = 8 + static_cast<int>(random() % 20);
                for (int i = 0; i < length; ++i) {
                    if (i) sentence += ' ';
                    sentence += i % 3 ? pick(kCommonWords, random) : generated[random() % generated.size()];
                }
                d.sentences.push_back(sentence + ".");
            }
        }

        std::ofstream lex(d.folder / "lexicon.txt");
        for (auto& [word, tags] : lexicon) {
            lex << word;
            for (auto& t : tags) lex << ' ' << t;
            lex << '\n';
        }
        std::ofstream lexical(d.folder / "lexical.txt");
        std::vector<std::string> words;
        for (auto& [word, tags] : lexicon) words.push_back(word);
        for (int i = 0; i < 200; ++i) {
            std::string suffix = pick(kSuffixes, random), prefix = pick(kPrefixes, random);
            std::string from = pick(kTags, random), to = pick(kTags, random);
            switch (i % 10) {
                case 0: lexical << suffix << " hassuf " << suffix.size() << ' ' << to << " x\n"; break;
                case 1: lexical << from << ' ' << suffix << " fhassuf " << suffix.size() << ' ' << to << " x\n"; break;
                case 2: lexical << suffix << " deletesuf " << suffix.size() << ' ' << to << " x\n"; break;
                case 3: lexical << from << ' ' << suffix << " faddsuf " << suffix.size() << ' ' << to << " x\n"; break;
                case 4: lexical << prefix << " deletepref " << prefix.size() << ' ' << to << " x\n"; break;
                case 5: lexical << prefix << " haspref " << prefix.size() << ' ' << to << " x\n"; break;
                case 6:
                    lexical << "-"
                            << " char " << to << " x\n";
                    break;
                case 7: lexical << pick(kCommonWords, random) << " goodright " << to << " x\n"; break;
                case 8: lexical << from << ' ' << pick(kCommonWords, random) << " fgoodleft " << to << " x\n"; break;
                default: lexical << prefix << " addpref " << prefix.size() << ' ' << to << " x\n"; break;
            }
        }
        std::ofstream bigrams(d.folder / "bigrams.txt");
        for (int i = 0; i < 20000; ++i)
            bigrams << words[random() % words.size()] << ' ' << words[random() % words.size()] << '\n';
        for (const char* w : kCommonWords) bigrams << w << ' ' << words[random() % words.size()] << '\n';
        std::ofstream compounds(d.folder / "compounds.txt");
        compounds << "ice cream/NN\na lot of/JJ\nin front of/IN\nas well as/CC\n";
        for (int i = 0; i < 500; ++i)
            compounds << words[random() % words.size()] << ' ' << words[random() % words.size()] << "/NN\n";
        std::ofstream contextual(d.folder / "contextual.txt");
        for (int i = 0; i < 300; ++i) {
            const auto& [name, arguments] = pick(kContextNames, random);
            contextual << pick(kTags, random) << ' ' << pick(kTags, random) << ' ' << name;
            for (const char* a = arguments; *a; ++a)
                contextual << ' ' << (*a == 'W' ? pick(kCommonWords, random) : pick(kTags, random));
            contextual << '\n';
        }
        lex.close();
        lexical.close();
        bigrams.close();
        compounds.close();
        contextual.close();

        for (const char* line : {"TN_SYMBOL ,;:!?\"()[]{}", "DEL_TAIL_SYMBOL .?!",
                                 "SPECIAL_TAIL \"n't\" \"'s\" \"'re\" \"'ve\" \"'ll\" \"'d\" \"'m\""})
            applyConfigLine(d.config, line);
        if (const char* installed = std::getenv("ZINTRA_TAGGER_CONFIG")) {
            d.config = Config{};
            if (!readConfig(installed, d.config)) std::abort();
            return d;
        }
        d.config.dictionaryFile = (d.folder / "lexicon.txt").string();
        d.config.lexicalRuleFile = (d.folder / "lexical.txt").string();
        d.config.bigrams = (d.folder / "bigrams.txt").string();
        d.config.compoundFile = (d.folder / "compounds.txt").string();
        d.config.contextualRuleFile = (d.folder / "contextual.txt").string();
        return d;
    }();
    return set;
}

// Bytes of heap memory in use (allocations of the process not yet freed).
size_t heapInUse() {
    struct mallinfo2 info = mallinfo2();
    return info.uordblks + info.hblkhd;
}

const LanguageData& loadedData() {
    static LanguageData* data = [] {
        auto* d = new LanguageData;
        if (!d->load(dataSet().config)) std::abort();
        return d;
    }();
    return *data;
}

size_t countTokens(const LanguageData& data, const std::vector<std::string>& sentences) {
    size_t n = 0;
    for (const std::string& s : sentences) {
        const char* pos = s.c_str();
        while (!data.splitter().nextToken(pos).empty()) ++n;
    }
    return n;
}

void BM_LoadLanguageData(benchmark::State& state) {
    const DataSet& d = dataSet();
    size_t held = 0;
    for (auto _ : state) {
        LanguageData data;
        if (!data.load(d.config)) state.SkipWithError("loading failed");
        held = data.bytesHeld();
        benchmark::DoNotOptimize(data);
    }
    // The heap memory one loaded data set keeps (arena blocks, rule arrays).
    size_t before = heapInUse();
    auto kept = std::make_unique<LanguageData>();
    kept->load(d.config);
    state.counters["heap_kB"] = static_cast<double>(heapInUse() - before) / 1024.0;
    state.counters["arena_kB"] = static_cast<double>(held) / 1024.0;
    state.counters["lexicon"] = static_cast<double>(kept->lexicon().size());
    state.counters["lexical_rules"] = static_cast<double>(kept->lexicalRules().rules().size());
    state.counters["contextual_rules"] = static_cast<double>(kept->contextualRules().rules().size());
}
BENCHMARK(BM_LoadLanguageData)->Unit(benchmark::kMillisecond);

// Tokens handled per second over all iterations of a benchmark.
void reportTokenRate(benchmark::State& state, size_t tokensPerIteration) {
    state.counters["tokens/s"] =
        benchmark::Counter(static_cast<double>(tokensPerIteration * state.iterations()), benchmark::Counter::kIsRate);
}

// Runs one sentence-level step over every sentence of the data set, a fresh
// arena per sentence; returns the token count of one pass.
template <class Step>
size_t runOverSentences(benchmark::State& state, Step step) {
    const LanguageData& data = loadedData();
    const auto& sentences = dataSet().sentences;
    size_t tokens = countTokens(data, sentences);
    Arena arena;
    for (auto _ : state) {
        for (const std::string& s : sentences) {
            arena.clear();
            benchmark::DoNotOptimize(step(data, s, arena));
        }
    }
    reportTokenRate(state, tokens);
    return tokens;
}

// Baseline: cutting the text into tokens with the splitter alone.
void BM_SplitOnly(benchmark::State& state) {
    const LanguageData& data = loadedData();
    const auto& sentences = dataSet().sentences;
    size_t tokens = countTokens(data, sentences);
    for (auto _ : state) {
        size_t n = 0;
        for (const std::string& s : sentences) {
            const char* pos = s.c_str();
            while (!data.splitter().nextToken(pos).empty()) ++n;
        }
        benchmark::DoNotOptimize(n);
    }
    reportTokenRate(state, tokens);
}
BENCHMARK(BM_SplitOnly)->Unit(benchmark::kMillisecond);

// The token list with initial tags (lexicon and unknown-word rules), no contextual rules.
void BM_TokenizeWithInitialTags(benchmark::State& state) {
    runOverSentences(state, [](const LanguageData& data, const std::string& s, Arena& arena) {
        return tokenizeSentence(data, s, arena);
    });
}
BENCHMARK(BM_TokenizeWithInitialTags)->Unit(benchmark::kMillisecond);

// Tag sentence: tokens, initial tags, compounds and the 300 contextual rules.
void BM_TagSentence(benchmark::State& state) {
    size_t tokens = runOverSentences(state, [](const LanguageData& data, const std::string& s, Arena& arena) {
        return tagSentence(data, s, arena);
    });
    state.counters["sentences"] = static_cast<double>(dataSet().sentences.size());
    state.counters["tokens"] = static_cast<double>(tokens);
}
BENCHMARK(BM_TagSentence)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::error_code ec;
    fs::remove_all(dataSet().folder, ec);
    return 0;
}
