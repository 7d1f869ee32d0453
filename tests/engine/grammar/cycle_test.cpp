// Grammars in which a symbol derives itself over the same words: such a node
// is never stacked on its own kind, so the search finds the tree without the
// repetition instead of spending its budget on ever longer chains.
#include <gtest/gtest.h>

#include "grammar_test_support.h"

namespace zintra::test {
namespace {

TEST(CyclicGrammar, ASentenceItTakesIsParsedWithinAFewSteps) {
    struct Case {
        const char* grammar;
        const char* tags;
        const char* tree;
    } cases[] = {
        // VP : VP, beside rules that take more words.
        {"%%\nS : NP VP ;\nNP : PRP ;\nVP : VB | VP | VP NN | VBZ RB VP ;\n", "PRP VBZ RB VB NN NN",
         "(S (NP PRP) (VP VBZ RB (VP (VP (VP VB) NN) NN)))"},
        // A cycle through a second symbol, and one through a body whose
        // other symbol derives nothing.
        {"%%\nS : A x ;\nA : B | a | A a ;\nB : A ;\n", "a a a x", "(S (A (A (A a) a) a) x)"},
        {"%%\nS : A ;\nA : A E | a | A a ;\nE : ;\n", "a a a", "(S (A (A (A a) a) a))"},
    };
    for (const Case& c : cases) {
        Messages m;
        auto g = grammarOf(c.grammar, m);
        ASSERT_TRUE(g) << m.all();
        Arena arena;
        ParseResult r = parseTokens(*g, tokensOf(c.tags, arena), nullptr, arena);
        ASSERT_TRUE(r.accepted()) << c.grammar << " steps " << r.steps;
        EXPECT_EQ(bracket(r.tree), c.tree) << c.grammar;
        EXPECT_LT(r.steps, 100) << c.grammar;
    }
}

TEST(CyclicGrammar, ASymbolOverMoreWordsMayStillHoldItself) {
    // Recursion that takes a word each time is no cycle, nor is a symbol
    // over words next to an empty one.
    Messages m;
    auto g = grammarOf("%%\nS : L O ;\nL : L a | a | O L ;\nO : ;\n", m);
    ASSERT_TRUE(g) << m.all();
    EXPECT_EQ(parseTags(*g, "a a a"), "(S (L (L (L a) a) a) (O ))");
}

}  // namespace
}  // namespace zintra::test
