// Tagging the development split with the engine itself (its tokenizer,
// lexicon, rule readers and tagger, loaded from a zintra.ini) and comparing
// the result with the treebank and with the learner's own prediction.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "tools/langdata/conllu.h"
#include "tools/langdata/lexicon_builder.h"
#include "tools/langdata/tagging_corpus.h"

namespace langdata {

struct EngineCheck {
    bool loaded = false;
    long sentences = 0;
    long goldTokens = 0;
    long engineTokens = 0;
    long alignedTokens = 0;        // tokens whose words agree after alignment
    long sentencesCutAlike = 0;    // sentences whose token words agree in full
    Accuracy accuracy;             // over aligned tokens, known/unknown by the engine's lexicon
    long comparedWithLearner = 0;  // tokens of sentences cut alike, compared with the prediction
    long agreeWithLearner = 0;
    std::vector<std::string> disagreements;  // a few examples
};

// Tags every sentence with the engine. From the treebank's own tokens joined
// by blanks (rawText false), or from the sentence's original text (true).
// `predicted` (may be empty) is the learner's tagging of the same sentences.
EngineCheck checkWithEngine(const std::string& configPath, const std::vector<TreebankSentence>& sentences, bool rawText,
                            const std::vector<std::vector<Word>>& predicted);

void printEngineCheck(const EngineCheck& check, const char* title, std::ostream& out);

}  // namespace langdata
