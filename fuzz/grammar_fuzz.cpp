// The grammar-file reader on any bytes, with the phrase rules bound; a
// grammar that builds is then run over a tagged sentence.
#include <cstddef>
#include <cstdint>
#include <string>

#include "engine/grammar/grammar_reader.h"
#include "engine/language/analyzer.h"
#include "engine/language/tagger.h"
#include "engine/phrase/phrase_rules.h"
#include "engine/phrase/tree_printer.h"
#include "engine/text/arena.h"
#include "fuzz_support.h"

namespace {

class NoWords : public zintra::PhraseWords {
  public:
    bool isClauseWord(std::string_view w) const override { return w == "that"; }
    bool isAdverbNoun(std::string_view w) const override { return w == "today"; }
    bool lexiconHas(std::string_view, std::string_view) const override { return false; }
};

const NoWords words;

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    zintra::fuzz::bundledAnalyzer();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string_view text(reinterpret_cast<const char*>(data), size);
    zintra::StringLineSource lines(text);
    zintra::MessageSink quiet = [](std::string_view) {};
    std::unique_ptr<zintra::Grammar> grammar =
        zintra::readGrammar(lines, zintra::phraseRules(), quiet, static_cast<const zintra::PhraseWords*>(&words));
    if (!grammar || !grammar->built()) return 0;
    zintra::Arena arena;
    const zintra::Token* first =
        zintra::tagSentence(zintra::fuzz::bundledAnalyzer().data(), "He does not like ice cream today.", arena);
    std::string out;
    zintra::appendPhraseTree(out, grammar.get(), first, true, arena);
    volatile size_t sink = out.size();
    (void)sink;
    return 0;
}
