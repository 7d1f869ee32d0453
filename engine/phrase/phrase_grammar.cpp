#include "engine/phrase/phrase_grammar.h"

#include <chrono>

#include "engine/grammar/grammar_reader.h"
#include "engine/language/analyzer.h"
#include "engine/phrase/phrase_word_lists.h"
#include "engine/text/image_file.h"
#include "engine/text/string_table.h"

namespace zintra {

PhraseGrammar::PhraseGrammar(std::shared_ptr<const Analyzer> analyzer)
    : analyzer_(std::move(analyzer)),
      pool_(arena_),
      lists_(std::make_unique<PhraseWordLists>(analyzer_->config(), arena_, pool_)) {}

PhraseGrammar::~PhraseGrammar() = default;

namespace {

using Clock = std::chrono::steady_clock;

double millisecondsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

}  // namespace

std::unique_ptr<PhraseGrammar> PhraseGrammar::load(std::shared_ptr<const Analyzer> analyzer, const MessageSink& sink) {
    if (!analyzer || analyzer->config().grammarFile.empty()) return nullptr;
    std::string path = analyzer->config().grammarFile;
    std::unique_ptr<PhraseGrammar> phrase(new PhraseGrammar(std::move(analyzer)));
    Clock::time_point start = Clock::now();
    // The rules receive the word look-ups as the grammar's owner.
    // The built tables are kept in an image between processes.
    phrase->grammar_ =
        readGrammarFile(path, phraseRules(), sink, static_cast<const PhraseWords*>(phrase.get()), imageFolder());
    phrase->buildMs_ = millisecondsSince(start);
    if (!phrase->grammar_ || !phrase->grammar_->built()) return nullptr;
    return phrase;
}

std::unique_ptr<PhraseGrammar> PhraseGrammar::fromText(std::shared_ptr<const Analyzer> analyzer,
                                                       const std::string& text, const MessageSink& sink) {
    if (!analyzer) return nullptr;
    std::unique_ptr<PhraseGrammar> phrase(new PhraseGrammar(std::move(analyzer)));
    Clock::time_point start = Clock::now();
    StringLineSource lines(text);
    phrase->grammar_ = readGrammar(lines, phraseRules(), sink, static_cast<const PhraseWords*>(phrase.get()));
    phrase->buildMs_ = millisecondsSince(start);
    if (!phrase->grammar_ || !phrase->grammar_->built()) return nullptr;
    return phrase;
}

bool PhraseGrammar::isClauseWord(std::string_view word) const { return lists_->inWdtWords().contains(word); }

bool PhraseGrammar::isAdverbNoun(std::string_view word) const { return lists_->rbNpl().contains(word); }

bool PhraseGrammar::lexiconHas(std::string_view word, std::string_view tag) const {
    return analyzer_->lexicon().hasTag(word, tag);
}

}  // namespace zintra
