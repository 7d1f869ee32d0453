// The language data set of one analyser: everything the analysis reads from
// files at initialisation, loaded in a fixed order and read-only afterwards.
#pragma once

#include <memory>
#include <string>

#include "engine/config/config.h"
#include "engine/tagger/contextual_rules.h"
#include "engine/tagger/lexical_rules.h"
#include "engine/text/arena.h"
#include "engine/text/bigrams.h"
#include "engine/text/compounds.h"
#include "engine/text/lexicon.h"
#include "engine/text/splitter.h"
#include "engine/text/string_pool.h"
#include "engine/text/string_table.h"

namespace zintra {

class Diagnostics;

class LanguageData {
  public:
    LanguageData();
    LanguageData(const LanguageData&) = delete;
    LanguageData& operator=(const LanguageData&) = delete;

    // Builds the symbol tables from config, then loads, stopping at the first
    // failure: DICTIONARY_FILE, LEXICALRULEFILE, BIGRAMS (each must be named
    // and open); MYDICTIONARY_FILE (may be missing); then, unless PARSE is 0,
    // COMPOUND_FILE (at least one data line) and CONTEXTUALRULEFILE (at least
    // one rule line). False on failure and whenever PARSE is 0. The phrase
    // grammar is not part of this data set. With diagnostics, the step that
    // failed is explained, naming its key (configPath names the configuration
    // in those lines).
    bool load(const Config& config, const Diagnostics* diagnostics = nullptr, const std::string& configPath = {});

    // Whether sentences are analysed (PARSE was not 0 and loading got that far).
    bool parsing() const { return parsing_; }

    StringPool& pool() { return pool_; }
    const StringPool& pool() const { return pool_; }
    const Lexicon& lexicon() const { return lexicon_; }
    const Splitter& splitter() const { return splitter_; }
    const LexicalRules& lexicalRules() const { return lexicalRules_; }
    const Bigrams& bigrams() const { return bigrams_; }
    const CompoundList& compounds() const { return compounds_; }
    const ContextualRules& contextualRules() const { return contextualRules_; }

    // Frequently used interned tags.
    const char* periodTag() const { return period_; }

    // Bytes of memory the data set's arena holds.
    size_t bytesHeld() const { return arena_.bytesHeld(); }

    // Direct access for builders and tests that fill the tables from text.
    Lexicon& mutableLexicon() { return lexicon_; }
    LexicalRules& mutableLexicalRules() { return lexicalRules_; }
    Bigrams& mutableBigrams() { return bigrams_; }
    CompoundList& mutableCompounds() { return compounds_; }
    ContextualRules& mutableContextualRules() { return contextualRules_; }
    // Builds only the symbol tables from config (load() does this first).
    void configure(const Config& config);
    void setParsing(bool on) { parsing_ = on; }

  private:
    Arena arena_;
    StringPool pool_;
    Lexicon lexicon_;
    Bigrams bigrams_;
    LexicalRules lexicalRules_;
    CompoundList compounds_;
    ContextualRules contextualRules_;
    Splitter splitter_;
    const char* period_;
    bool parsing_ = false;
};

}  // namespace zintra
