#include "engine/authoring/sample_trees.h"

#include "engine/grammar/grammar_reader.h"
#include "engine/language/analyzer.h"
#include "engine/language/tagger.h"
#include "engine/phrase/phrase_rules.h"
#include "engine/phrase/phrase_word_lists.h"
#include "engine/phrase/tree_printer.h"
#include "engine/text/arena.h"
#include "engine/text/string_pool.h"
#include "engine/text/string_table.h"

namespace zintra {

namespace {

class ConfiguredWords : public PhraseWords {
  public:
    explicit ConfiguredWords(const Analyzer& analyzer)
        : analyzer_(analyzer), pool_(arena_), lists_(analyzer.config(), arena_, pool_) {}
    bool isClauseWord(std::string_view word) const override { return lists_.inWdtWords().contains(word); }
    bool isAdverbNoun(std::string_view word) const override { return lists_.rbNpl().contains(word); }
    bool lexiconHas(std::string_view word, std::string_view tag) const override {
        return analyzer_.lexicon().hasTag(word, tag);
    }

  private:
    const Analyzer& analyzer_;
    Arena arena_;
    StringPool pool_;
    PhraseWordLists lists_;
};

}  // namespace

struct SampleTrees::Parts {
    explicit Parts(const Analyzer& analyzer) : words(analyzer) {}
    ConfiguredWords words;
    std::unique_ptr<Grammar> grammar;
};

SampleTrees::SampleTrees(const Analyzer& analyzer) : analyzer_(analyzer), parts_(std::make_unique<Parts>(analyzer)) {
    const std::string& file = analyzer.config().grammarFile;
    if (file.empty()) return;
    // Messages of a faulty grammar file are not part of a check's output.
    MessageSink quiet = [](std::string_view) {};
    parts_->grammar = readGrammarFile(file, phraseRules(), quiet, static_cast<const PhraseWords*>(&parts_->words));
}

SampleTrees::~SampleTrees() = default;

bool SampleTrees::hasGrammar() const { return parts_->grammar && parts_->grammar->built(); }

void SampleTrees::write(std::string& out, std::string_view sentence) const {
    Arena arena;
    const Token* first = tagSentence(analyzer_.data(), sentence, arena);
    appendPhraseTree(out, parts_->grammar.get(), first, true, arena);
}

}  // namespace zintra
