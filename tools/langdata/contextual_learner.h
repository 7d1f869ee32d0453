// Learning the contextual rules by transformation-based error-driven
// learning over the 28 rule kinds.
//
// Every rule that would change a position is counted at that position: a
// "good" count where it would put the right tag in place of a wrong one, a
// "bad" count where it would replace a right tag. The counts live in one
// hash table keyed by the packed rule. When a rule is chosen, it is applied
// with the engine's semantics; only the positions within three tokens of a
// change are counted again (old contributions out, new ones in). The best
// rule by these counts is checked by a real pass before it is taken (a
// change seen by the next token in the same pass can make the real effect
// differ from the counts).
#pragma once

#include <string>
#include <vector>

#include "tools/langdata/contextual_rules.h"

namespace langdata {

struct ContextualLearnerOptions {
    int minScore = 2;
    int maxRules = 2000;
    bool verbose = false;
    // After every rule, count everything afresh and compare with the
    // incrementally kept counts (slow; for tests).
    bool checkCounts = false;
};

struct ContextualLearnerResult {
    std::vector<ContextualRule> rules;
    std::vector<int> gains;
    long scored = 0;
    long correctBefore = 0;
    long correctAfter = 0;
    std::size_t countedRules = 0;  // distinct rules that were ever counted
    int rechecks = 0;              // times a pass disagreed with the counts
    int countMismatches = 0;       // with checkCounts: counts that differed from a fresh count
};

// Learns on the corpus and leaves it tagged by the learned rules.
ContextualLearnerResult learnContextualRules(CtxCorpus& corpus, const ContextualLearnerOptions& options);

}  // namespace langdata
