// Turning treebank sentences into the contextual learner's corpus, tagged
// the way the engine tags a sentence before its contextual rules run: the
// lexicon's first tag for a known word, the unknown-word rules for the rest
// (with the engine's second look at the first word of a sentence), and
// compounds merged into one token whose members keep their tags.
#pragma once

#include <string>
#include <vector>

#include "tools/langdata/compounds.h"
#include "tools/langdata/conllu.h"
#include "tools/langdata/contextual_rules.h"
#include "tools/langdata/lexical_rules.h"
#include "tools/langdata/lexicon_builder.h"

namespace langdata {

struct Accuracy {
    long knownTotal = 0, knownCorrect = 0;
    long unknownTotal = 0, unknownCorrect = 0;
    long total() const { return knownTotal + unknownTotal; }
    long correct() const { return knownCorrect + unknownCorrect; }
    void add(bool known, bool correct) {
        (known ? knownTotal : unknownTotal) += 1;
        (known ? knownCorrect : unknownCorrect) += correct ? 1 : 0;
    }
};

struct TaggerModel {
    const Lexicon* lexicon = nullptr;
    const std::vector<LexicalRule>* lexicalRules = nullptr;
    const std::map<std::string, std::string>* bigrams = nullptr;  // as the engine keeps them
    const CompoundMatcher* compounds = nullptr;                   // null: no merging
};

// The tag a word gets before the contextual rules, at `index` in the
// sentence (0 is the sentence-initial word).
std::string initialTag(const TaggerModel& model, const std::string& word, std::size_t index);

// Side facts about the corpus positions, for scoring.
struct CorpusInfo {
    std::vector<std::uint8_t> known;  // per corpus position
    Accuracy members;                 // compound members: fixed at their initial tags
    // Per sentence, every word in text order: its corpus position, or -1
    // for a compound member with the tag it keeps.
    struct Slot {
        std::string word;
        int position;
        std::string fixedTag;
    };
    std::vector<std::vector<Slot>> sentences;
};

// The words of every sentence with the tags the corpus holds now.
std::vector<std::vector<Word>> taggedWords(const CtxCorpus& corpus, const CorpusInfo& info);

void buildTaggingCorpus(const std::vector<TreebankSentence>& sentences, const TaggerModel& model, CtxCorpus& corpus,
                        CorpusInfo& info);

Accuracy scoreCorpus(const CtxCorpus& corpus, const CorpusInfo& info);

// The most-frequent-tag baseline: the lexicon's first tag, NN or NNP for an
// unknown word; no rules, no compounds.
Accuracy baselineAccuracy(const std::vector<TreebankSentence>& sentences, const Lexicon& lexicon);

// A rule learned on one corpus, with its ids re-made in another.
ContextualRule translateRule(const CtxCorpus& from, CtxCorpus& to, const ContextualRule& rule);

}  // namespace langdata
