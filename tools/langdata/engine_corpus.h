// The contextual learner's corpus as the engine itself makes it: the data
// learned so far (dictionary, unknown-word rules, bigrams, compounds; no
// contextual rules) is written to a folder and loaded by the engine, every
// sentence's treebank tokens joined by blanks are tokenised, initially
// tagged and merged into compounds by the engine, and each engine token is
// paired with the treebank token that has exactly its characters. A token
// cut differently from the treebank has no gold tag: the rules may change it,
// but it counts neither for nor against a rule.
#pragma once

#include <string>
#include <vector>

#include "tools/langdata/conllu.h"
#include "tools/langdata/contextual_rules.h"
#include "tools/langdata/tagging_corpus.h"

namespace langdata {

struct LanguageData;
struct Settings;

// The tag the corpus gives a pre-tagged group whose tag is none of the
// data's tags; rules that name it are not written.
constexpr const char* kGroupTag = "-GROUP-";

struct EngineCorpusStats {
    long goldTokens = 0;
    long pairedTokens = 0;  // treebank tokens covered by exactly one engine token
};

// Returns false when the engine cannot load the written data. `data.lexicon`
// also gives each word's allowed tags (the engine's lexicon restriction).
bool buildEngineCorpus(const LanguageData& data, const Settings& settings, const std::string& folder,
                       const std::vector<TreebankSentence>& sentences, CtxCorpus& corpus, CorpusInfo& info,
                       EngineCorpusStats* stats = nullptr);

// The character spans of words found in order in text ({-1, -1} when a word
// is not found after the previous one).
std::vector<std::pair<int, int>> spansInText(const std::string& text, const std::vector<std::string>& words);

}  // namespace langdata
