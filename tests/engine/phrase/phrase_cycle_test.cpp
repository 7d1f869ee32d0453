// A phrase grammar with a rule of a phrase to itself: the analysis finds the
// tree in a few steps instead of running out of steps on VP over VP over VP,
// each check walking the whole chain below it.
#include <gtest/gtest.h>

#include "phrase_test_support.h"

namespace zintra::test {
namespace {

TEST(PhraseCycle, ARuleOfAPhraseToItselfStillGivesTheTree) {
    auto g = phraseGrammar("%%\nS : NP VP ;\nNP : PRP ;\nVP : VB | VP {SUB_SS} | VP NN | VBZ RB VP ;\n");
    Arena arena;
    ParseResult r = analysePhrases(*g, tokensOf("PRP/He VBZ/does RB/not VB/like NN/ice NN/today", arena), arena);
    ASSERT_TRUE(r.accepted()) << "steps " << r.steps;
    EXPECT_EQ(bracket(r.tree), "(S (NP He) (VP does not (VP (VP (VP like) ice) today)))");
    EXPECT_LT(r.steps, 100);
}

}  // namespace
}  // namespace zintra::test
