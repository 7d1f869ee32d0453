// The phrase grammar of one initialisation: the grammar file read with the
// phrase rules, and the word lists and lexicon the rules look words up in.
// It is built once, then only read, so any number of parses may share it.
#pragma once

#include <memory>
#include <string>

#include "engine/grammar/grammar.h"
#include "engine/phrase/phrase_rules.h"
#include "engine/text/arena.h"
#include "engine/text/string_pool.h"

namespace zintra {

class Analyzer;
class PhraseWordLists;

class PhraseGrammar final : public PhraseWords {
  public:
    ~PhraseGrammar() override;
    PhraseGrammar(const PhraseGrammar&) = delete;
    PhraseGrammar& operator=(const PhraseGrammar&) = delete;

    // Reads the analyser's GRAMMAR_FILE with the phrase rules and builds its
    // tables. Null when the file cannot be opened or does not read (its error
    // line goes to sink). The analyser is kept alive by the grammar.
    static std::unique_ptr<PhraseGrammar> load(std::shared_ptr<const Analyzer> analyzer, const MessageSink& sink);
    // The same from a grammar text already in memory (tests and benchmarks).
    static std::unique_ptr<PhraseGrammar> fromText(std::shared_ptr<const Analyzer> analyzer, const std::string& text,
                                                   const MessageSink& sink);

    const Grammar& grammar() const { return *grammar_; }
    const Analyzer& analyzer() const { return *analyzer_; }
    // The time the read and the table build took, in milliseconds.
    double buildMilliseconds() const { return buildMs_; }

    bool isClauseWord(std::string_view word) const override;
    bool isAdverbNoun(std::string_view word) const override;
    bool lexiconHas(std::string_view word, std::string_view tag) const override;

  private:
    explicit PhraseGrammar(std::shared_ptr<const Analyzer> analyzer);

    std::shared_ptr<const Analyzer> analyzer_;
    Arena arena_;
    StringPool pool_;
    std::unique_ptr<PhraseWordLists> lists_;
    std::unique_ptr<Grammar> grammar_;
    double buildMs_ = 0;
};

}  // namespace zintra
