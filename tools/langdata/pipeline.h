// The whole build: read the treebank and the word lists, build the lexicon,
// learn the unknown-word rules, the compounds and the contextual rules,
// measure them on the development split, and write the data files.
#pragma once

#include <ostream>
#include <set>
#include <string>
#include <vector>

#include "tools/langdata/capital_forms.h"
#include "tools/langdata/compounds.h"
#include "tools/langdata/contextual_learner.h"
#include "tools/langdata/engine_config.h"
#include "tools/langdata/engine_corpus.h"
#include "tools/langdata/lexical_learner.h"
#include "tools/langdata/lexicon_builder.h"
#include "tools/langdata/tagging_corpus.h"

namespace langdata {

struct Settings {
    std::string train;
    std::string dev;  // optional: measured, never learned from
    WordListSources wordLists;
    std::string outDir;  // empty: write nothing
    bool writeConfig = true;
    int folds = 4;
    // The contextual rules learn on a train split tagged in the held-out
    // setting: each fold with the dictionary of the other folds (so that
    // unknown words and missing tags occur as they do in new text). 0 or 1:
    // the whole dictionary.
    int contextualFolds = 4;
    // Tag the contextual learner's text with the engine itself (its
    // tokenizer, initial tagging and compounds over the data written so
    // far) instead of the learner's own model of it.
    bool engineCorpus = true;
    // Treebank tags learned as they are written instead of mapped to the
    // classic set (--keep-tag HYPH: a hyphen inside a word is HYPH, not ":").
    std::vector<std::string> keptTags;
    LexiconOptions lexicon;
    bool capitalised = true;  // add capitalised forms of lower-case words
    // Put NNP first in the capitalised forms of the classes of lower-case
    // words whose unseen capitalised forms are names more often than not in
    // train (held out by fold), for classes of at least this many tokens
    // (0: NNP always last).
    long capitalNameMin = 0;
    CompoundOptions compounds;
    bool useCompounds = true;
    // A compound's members keep the tags the dictionary gives them (the
    // contextual rules never see them): a treebank compound is kept only
    // when that is right for at least this share of its members' tokens in
    // train. The built-in compounds are always kept.
    double compoundMemberAccuracy = 0.9;
    LexicalLearnerOptions lexical;
    ContextualLearnerOptions contextual;
    DataFileNames names;
    // Files of hand-written contextual rules, appended after the learned ones.
    std::vector<std::string> extraContextual;
};

struct Report {
    std::size_t trainSentences = 0, trainTokens = 0, devSentences = 0;
    LexiconReport lexicon;
    std::size_t lexiconEntries = 0;
    std::size_t capitalisedForms = 0;
    std::set<CapitalClass> nameFirstClasses;
    std::size_t compounds = 0;
    std::size_t compoundsDropped = 0;
    std::size_t bigramLines = 0;
    LexicalLearnerResult lexical;
    ContextualLearnerResult contextual;
    EngineCorpusStats engineCorpus;
    Accuracy devBaseline, devInitial, devFinal;
    Accuracy trainInitial, trainFinal;
    std::vector<std::vector<Word>> devPredicted;  // the learner's own tagging of dev
    double secondsLexical = 0, secondsContextual = 0, secondsTotal = 0;
};

// The learned data, in memory.
struct LanguageData {
    Lexicon lexicon;
    std::vector<LexicalRule> lexicalRules;
    std::vector<std::pair<std::string, std::string>> bigramLines;
    std::map<std::string, std::string> keptBigrams;
    std::vector<Compound> compounds;
    std::vector<std::string> contextualRules;  // rule lines, in order
};

// Runs everything; throws std::runtime_error on unreadable input.
LanguageData buildLanguageData(const Settings& settings, Report& report);
void writeLanguageData(const LanguageData& data, const Settings& settings);
void printReport(const Report& report, std::ostream& out);

// For each first word, its most frequent next word in the sentences (ties:
// the smaller word), sorted by first word.
std::vector<std::pair<std::string, std::string>> bestBigrams(const std::vector<TreebankSentence>& sentences);

}  // namespace langdata
