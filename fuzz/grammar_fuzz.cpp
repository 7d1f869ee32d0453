// The grammar-file reader on any bytes, with the phrase rules bound; a
// grammar that builds is then run over a tagged sentence. The engine reads
// its grammar file through one line source (lines end at line feeds) and
// takes grammar text from memory through another (lines also end at
// carriage returns, and are trimmed): an input of even length goes through
// the file reader (an in-memory file, memfd), one of odd length through the
// text reader.
//
// Building canonical LR(1) tables grows much faster than the grammar: the
// bundled phrase grammar (about 170 productions) takes about a second under
// the sanitizers, while a grammar of 40 productions takes milliseconds. The
// harness therefore takes only small grammars: inputs of at most
// kMaxGrammarBytes bytes with at most kMaxProductions ':' and '|' bytes
// (every production starts with one; counting them in comments and quotes
// as well only makes the bound stricter). Larger inputs are refused and
// kept out of the corpus, so the fuzzer spends its time on the reader and
// the builder rather than on a few huge tables.
#include <sys/mman.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "engine/grammar/grammar_reader.h"
#include "engine/language/analyzer.h"
#include "engine/language/tagger.h"
#include "engine/phrase/phrase_rules.h"
#include "engine/phrase/tree_printer.h"
#include "engine/text/arena.h"
#include "fuzz_support.h"

namespace {

constexpr size_t kMaxGrammarBytes = 4096;
constexpr size_t kMaxProductions = 40;

class NoWords : public zintra::PhraseWords {
  public:
    bool isClauseWord(std::string_view w) const override { return w == "that"; }
    bool isAdverbNoun(std::string_view w) const override { return w == "today"; }
    bool lexiconHas(std::string_view, std::string_view) const override { return false; }
};

const NoWords words;

// The sentence each grammar that builds is run over, tagged once: tagging is
// not what this target tests, and its tokens are only read.
zintra::Arena sentenceArena;
const zintra::Token* sentence = nullptr;

int memoryFile = -1;
std::string memoryPath;

bool smallEnough(std::string_view text) {
    if (text.size() > kMaxGrammarBytes) return false;
    size_t productions = 0;
    for (char c : text) productions += c == ':' || c == '|';
    return productions <= kMaxProductions;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    memoryFile = memfd_create("zintra-grammar", 0);
    if (memoryFile < 0) std::abort();
    memoryPath = "/proc/self/fd/" + std::to_string(memoryFile);
    sentence =
        zintra::tagSentence(zintra::fuzz::bundledAnalyzer().data(), "He does not like ice cream today.", sentenceArena);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string_view text(reinterpret_cast<const char*>(data), size);
    if (!smallEnough(text)) return -1;  // not added to the corpus
    zintra::MessageSink quiet = [](std::string_view) {};
    const auto* owner = static_cast<const zintra::PhraseWords*>(&words);
    std::unique_ptr<zintra::Grammar> grammar;
    if (size % 2 == 0) {
        if (!zintra::fuzz::replaceFileContent(memoryFile, data, size)) std::abort();
        grammar = zintra::readGrammarFile(memoryPath, zintra::phraseRules(), quiet, owner);
    } else {
        zintra::StringLineSource lines(text);
        grammar = zintra::readGrammar(lines, zintra::phraseRules(), quiet, owner);
    }
    if (!grammar || !grammar->built()) return 0;
    zintra::Arena arena;
    std::string out;
    zintra::appendPhraseTree(out, grammar.get(), sentence, true, arena);
    volatile size_t sink = out.size();
    (void)sink;
    return 0;
}
