// Start-up of the engine on the default installation (data/engine).
//
// BM_Process*: whole processes, one per iteration, that load libzintra.so
// with dlopen and either stop there (LoadOnly, the baseline) or call
// zintraInit("zintra.ini") in the installation folder: InitFirst with no
// table image (removed before every process), Init with the image the
// first start left. Wall time per process, its CPU time and the resident
// memory the process reached (ru_maxrss); the cost of zintraInit is the
// difference to LoadOnly.
// BM_Step/N: each loading step alone, in this process, in the loading order.
// BM_PhraseGrammar/0: reading the phrase grammar and building its tables,
// the part of zintraInit that runs beside the language data on a thread of
// its own; /1 the same with the tables taken from their image.
//
//   ZINTRA_INSTALLATION  the installation folder (default: data/engine of the source tree)
//   ZINTRA_LIBRARY       the library to load (default: the one built beside this program),
//                        so that two builds can be compared in one run
// The table images go to a temporary folder of the run, removed at the end.
#include <benchmark/benchmark.h>

#include <dlfcn.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "engine/config/config.h"
#include "engine/grammar/grammar.h"
#include "engine/language/analyzer.h"
#include "engine/language/language_data.h"
#include "engine/phrase/phrase_grammar.h"

extern char** environ;

namespace {

std::string installation() {
    const char* env = std::getenv("ZINTRA_INSTALLATION");
    return env ? env : ZINTRA_DEFAULT_INSTALLATION;
}

std::string self;

// The child: load the library, initialise when asked, report by exit status.
int child(bool initialise) {
    if (chdir(installation().c_str()) != 0) return 3;
    const char* file = std::getenv("ZINTRA_LIBRARY");
    void* library = dlopen(file ? file : ZINTRA_LIBRARY, RTLD_NOW);
    if (!library) return 4;
    if (!initialise) return 0;
    using Init = int (*)(const char*);
    auto init = reinterpret_cast<Init>(dlsym(library, "zintraInit"));
    if (!init) return 5;
    return init("zintra.ini") == 1 ? 0 : 6;
}

std::string imageFolder;

void removeImages() { std::filesystem::remove_all(imageFolder); }

// One child process in mode; false when it could not start or failed.
bool runChild(const char* mode, struct rusage& usage) {
    char* argv[] = {self.data(), const_cast<char*>("--child"), const_cast<char*>(mode), nullptr};
    pid_t pid;
    if (posix_spawn(&pid, self.c_str(), nullptr, nullptr, argv, environ) != 0) return false;
    int status = 0;
    usage = {};
    wait4(pid, &status, 0, &usage);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

void runProcesses(benchmark::State& state, const char* mode, bool firstStart = false) {
    long rssSum = 0;
    double cpuSum = 0;
    for (auto _ : state) {
        if (firstStart) {
            state.PauseTiming();
            removeImages();
            state.ResumeTiming();
        }
        struct rusage usage {};
        if (!runChild(mode, usage)) {
            state.SkipWithError("the child failed");
            return;
        }
        rssSum += usage.ru_maxrss;
        cpuSum += static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1e3 +
                  static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e3;
    }
    // CPU time of the child: steadier than wall time on a busy machine.
    state.counters["cpu_ms"] = cpuSum / static_cast<double>(state.iterations());
    state.counters["maxrss_MB"] = static_cast<double>(rssSum) / 1024.0 / static_cast<double>(state.iterations());
}

void BM_ProcessLoadOnly(benchmark::State& state) { runProcesses(state, "load"); }
BENCHMARK(BM_ProcessLoadOnly)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(30);

void BM_ProcessInitFirst(benchmark::State& state) { runProcesses(state, "init", true); }
BENCHMARK(BM_ProcessInitFirst)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(30);

void BM_ProcessInit(benchmark::State& state) {
    // A first start, untimed, leaves the images.
    removeImages();
    struct rusage usage {};
    if (!runChild("init", usage)) {
        state.SkipWithError("the child failed");
        return;
    }
    runProcesses(state, "init");
}
BENCHMARK(BM_ProcessInit)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(30);

// The loading steps one at a time, each after the steps before it (as the
// language data set runs them), measured on fresh data sets.
// The dictionary is read through its image (present after the first run);
// step 7 reads it from the text alone.
const char* const kSteps[] = {"configuration",   "dictionary", "lexical rules",    "bigrams",
                              "user dictionary", "compounds",  "contextual rules", "dictionary, text only"};

bool runStep(int step, zintra::Config& config, zintra::LanguageData& data) {
    switch (step) {
        case 0: return zintra::readConfig("zintra.ini", config);
        case 1: data.configure(config); return data.mutableLexicon().loadMain(config.dictionaryFile, imageFolder);
        case 7: data.configure(config); return data.mutableLexicon().loadMain(config.dictionaryFile);
        case 2: return data.mutableLexicalRules().load(config.lexicalRuleFile, data.mutableBigrams());
        case 3: return data.mutableBigrams().load(config.bigrams);
        case 4: data.mutableLexicon().loadUser(config.myDictionaryFile); return true;
        case 5: return data.mutableCompounds().load(config.compoundFile);
        default: return data.mutableContextualRules().load(config.contextualRuleFile);
    }
}

void BM_Step(benchmark::State& state) {
    int step = static_cast<int>(state.range(0));
    state.SetLabel(kSteps[step]);
    if (chdir(installation().c_str()) != 0) {
        state.SkipWithError("no installation folder");
        return;
    }
    // One untimed run first, which leaves the dictionary's image.
    {
        zintra::Config config;
        zintra::LanguageData data;
        for (int s = 0; s <= 1; ++s) runStep(s, config, data);
    }
    for (auto _ : state) {
        state.PauseTiming();
        zintra::Config config;
        auto data = std::make_unique<zintra::LanguageData>();
        bool ok = true;
        for (int s = 0; s < (step == 7 ? 1 : step) && ok; ++s) ok = runStep(s, config, *data);
        state.ResumeTiming();
        if (!ok || !runStep(step, config, *data)) {
            state.SkipWithError("a loading step failed");
            return;
        }
        state.PauseTiming();
        data.reset();
        state.ResumeTiming();
    }
}
// A fixed count of runs: the untimed steps before each run cost far more
// than the cheap steps themselves.
BENCHMARK(BM_Step)->DenseRange(0, 7)->Unit(benchmark::kMillisecond)->Iterations(20);

void BM_PhraseGrammar(benchmark::State& state) {
    bool fromImage = state.range(0) == 1;
    state.SetLabel(fromImage ? "tables from the image" : "tables built");
    if (chdir(installation().c_str()) != 0) {
        state.SkipWithError("no installation folder");
        return;
    }
    auto analyzer = std::make_shared<zintra::Analyzer>();
    if (!analyzer->readConfiguration("zintra.ini")) {
        state.SkipWithError("no configuration");
        return;
    }
    // The image of the first load is the one the others read.
    setenv("ZINTRA_CACHE_DIR", fromImage ? imageFolder.c_str() : "", 1);
    removeImages();
    if (fromImage) zintra::PhraseGrammar::load(analyzer, [](std::string_view) {});
    for (auto _ : state) {
        auto grammar = zintra::PhraseGrammar::load(analyzer, [](std::string_view) {});
        if (!grammar || grammar->grammar().tablesFromImage() != fromImage) {
            state.SkipWithError("the grammar does not read");
            return;
        }
    }
    setenv("ZINTRA_CACHE_DIR", imageFolder.c_str(), 1);
}
BENCHMARK(BM_PhraseGrammar)->DenseRange(0, 1)->Unit(benchmark::kMillisecond)->Iterations(20);

}  // namespace

int main(int argc, char** argv) {
    // The path of this program, for the children (the steps change folder).
    char path[4096];
    ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
    self = n > 0 ? std::string(path, static_cast<size_t>(n)) : std::string(argv[0]);
    if (argc == 3 && std::strcmp(argv[1], "--child") == 0) return child(std::strcmp(argv[2], "init") == 0);
    char folder[] = "/tmp/zintra-startup-XXXXXX";
    if (!mkdtemp(folder)) return 1;
    imageFolder = folder;
    setenv("ZINTRA_CACHE_DIR", folder, 1);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    removeImages();
    return 0;
}
