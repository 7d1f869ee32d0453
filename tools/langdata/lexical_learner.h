// Learning the unknown-word rules by transformation-based error-driven
// learning. The training material is the treebank's words that the lexicon
// of a held-out setting does not know: the training set is cut into folds by
// document, and a word of fold k is "unknown" when neither the word lists nor
// the other folds hold it. Each such word starts with NN or NNP and the
// learner repeatedly picks the rule (any of the 18 kinds, instantiated from
// the words themselves) that fixes most tokens net, applies it, and goes on.
//
// Every candidate test (kind, argument, length) is indexed by the words it
// holds for; after a rule is applied only the tests of the words that
// changed are scored again.
#pragma once

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "tools/langdata/lexical_rules.h"

namespace langdata {

struct LexicalItem {
    std::string word;
    int fold = 0;
    std::map<std::string, int> gold;  // tag -> tokens
};

struct LexicalLearnerInput {
    std::vector<LexicalItem> items;
    // Whether a word is in the lexicon of the given fold's setting.
    std::function<bool(const std::string&, int)> known;
    // Every word that may be known in some fold, for the add-prefix and
    // add-suffix candidates.
    std::vector<std::string> vocabulary;
    // Per fold: first word -> the second word the bigram file would keep.
    std::vector<std::map<std::string, std::string>> bigrams;
};

struct LexicalLearnerOptions {
    int minScore = 2;
    int maxRules = 1000;
    int maxAffix = 4;
    bool fromRules = true;  // also learn the f- forms
};

struct LexicalLearnerResult {
    std::vector<LexicalRule> rules;
    std::vector<int> gains;
    long tokens = 0;
    long correctBefore = 0;
    long correctAfter = 0;
    std::size_t candidateTests = 0;
};

LexicalLearnerResult learnLexicalRules(const LexicalLearnerInput& input, const LexicalLearnerOptions& options);

}  // namespace langdata
