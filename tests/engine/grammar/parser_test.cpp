// The LR(1) tables and the backtracking driver.
#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <thread>

#include "grammar_test_support.h"

namespace zintra::test {
namespace {

std::unique_ptr<Grammar> quiet(std::string_view text, ActionNames actions = {}) {
    Messages m;
    auto g = grammarOf(text, m, actions);
    EXPECT_TRUE(g) << m.all();
    return g ? std::move(g) : std::make_unique<Grammar>();  // unbuilt: every parse fails
}

TEST(Precedence, LeftAssociativeOperatorParsesToTheLeftOnTheFirstPath) {
    auto left = quiet("%left '+'\n%%\nE : E '+' E | n ;\n");
    EXPECT_EQ(parseTags(*left, "n + n + n"), "(E (E (E n) + (E n)) + (E n))");
    // Without a declaration the shift comes first: the operator groups to the right.
    auto none = quiet("%%\nE : E '+' E | n ;\n");
    EXPECT_EQ(parseTags(*none, "n + n + n"), "(E (E n) + (E (E n) + (E n)))");
    // %right only assigns a level, which here changes nothing.
    auto right = quiet("%right '+'\n%%\nE : E '+' E | n ;\n");
    EXPECT_EQ(parseTags(*right, "n + n + n"), "(E (E n) + (E (E n) + (E n)))");
}

TEST(Precedence, HigherLevelsBindTighterAndPrecOverridesTheOperator) {
    auto g = quiet(
        "%left '+'\n%left '*'\n%left NEG\n%%\n"
        "E : E '+' E | E '*' E | '-' E %prec NEG | n ;\n");
    EXPECT_EQ(parseTags(*g, "n + n * n"), "(E (E n) + (E (E n) * (E n)))");
    EXPECT_EQ(parseTags(*g, "n * n + n"), "(E (E (E n) * (E n)) + (E n))");
    // '-' E takes the level of NEG, above '+': - n + n is (- n) + n.
    EXPECT_EQ(parseTags(*g, "- n + n"), "(E (E - (E n)) + (E n))");
}

TEST(Precedence, WordEntriesApplyToTheLookAheadWordAndTheTopLeafWord) {
    // IN alone is level 1 (left); IN with the word "of" is level 2.
    auto g = quiet("%left IN\n%left IN:of\n%%\nN : N IN N | n ;\n");
    // The reduction N IN N looks IN up with the word of the top node, an
    // inner node without a word: level 1. Shifting IN/of (level 2) wins,
    // shifting IN/at (level 1, left) loses.
    EXPECT_EQ(parseTags(*g, "n IN/at n IN/at n"), "(N (N (N n) at (N n)) at (N n))");
    EXPECT_EQ(parseTags(*g, "n IN/of n IN/of n"), "(N (N n) of (N (N n) of (N n)))");
}

TEST(Backtracking, AFailedFirstPathResumesWithTheNextEntry) {
    // After 'x' the reductions A -> x and B -> x conflict; A comes first but
    // only B leads on to 'y'.
    auto g = quiet("%%\nS : A z | B y ;\nA : x ;\nB : x ;\n");
    EXPECT_EQ(parseTags(*g, "x y"), "(S (B x) y)");
    EXPECT_EQ(parseTags(*g, "x z"), "(S (A x) z)");
    EXPECT_EQ(parseTags(*g, "x w"), "FAIL");
}

int vetoes = 0;
int veto(ParseContext& c) {
    ++vetoes;
    // The context shows the stack before the reduction and the look-ahead.
    EXPECT_STREQ(c.node(0)->symbol, "x");
    EXPECT_STREQ(c.node(0)->word, "x");
    EXPECT_STREQ(c.node(1)->symbol, Grammar::kEnd);  // below the bottom of the stack
    EXPECT_STREQ(c.node(5)->word, Grammar::kEnd);
    EXPECT_EQ(c.node(1)->childCount, 0);
    EXPECT_STREQ(c.lookAhead(), Grammar::kEnd);
    EXPECT_EQ(c.position(), 1);
    EXPECT_STREQ(c.grammar().symbolName(c.grammar().rule(c.rule()).symbols[0]), "A");
    return 1;
}
int allow(ParseContext&) { return 0; }

TEST(Backtracking, AVetoingFirstReductionLetsTheSecondBeTried) {
    const NamedAction actions[] = {{"VETO", veto}, {"ALLOW", allow}};
    auto vetoing = quiet("%%\nS : A | B ;\nA : x {VETO} ;\nB : x ;\n", actions);
    vetoes = 0;
    EXPECT_EQ(parseTags(*vetoing, "x"), "(S (B x))");
    EXPECT_EQ(vetoes, 1);
    auto allowing = quiet("%%\nS : A | B ;\nA : x {ALLOW} ;\nB : x ;\n", actions);
    EXPECT_EQ(parseTags(*allowing, "x"), "(S (A x))");
    // An unknown name leaves the rule without an action: it always reduces.
    auto unknown = quiet("%%\nS : A | B ;\nA : x {NO_SUCH_CHECK} ;\nB : x ;\n", actions);
    EXPECT_EQ(unknown->rule(1).action, nullptr);
    EXPECT_EQ(parseTags(*unknown, "x"), "(S (A x))");
    // Every path vetoed: the parse fails.
    auto all = quiet("%%\nS : A ;\nA : x {VETO} ;\n", actions);
    EXPECT_EQ(parseTags(*all, "x"), "FAIL");
}

TEST(StartRule, AGrammarWithItsOwnStartRuleIsUsedAsItIs) {
    auto own = quiet("%%\nstart : a b ;\n");
    EXPECT_EQ(own->ruleCount(), 1);
    EXPECT_EQ(parseTags(*own, "a b"), "(start a b)");
    EXPECT_EQ(parseTags(*own, "a"), "FAIL");
    // A one-symbol start rule gives the node of that symbol, as the added rule does.
    auto one = quiet("%%\nstart : S ;\nS : a ;\n");
    EXPECT_EQ(one->ruleCount(), 2);
    EXPECT_EQ(parseTags(*one, "a"), "(S a)");
    // A start rule that is not the first one still prevents the added rule;
    // start may recur: only the reduction to the bottom of the stack at the
    // end of the input accepts.
    auto later = quiet("%%\nX : a ;\nstart : start X | X ;\n");
    EXPECT_EQ(later->ruleCount(), 3);
    EXPECT_EQ(parseTags(*later, "a a a"), "(start (start (start (X a)) (X a)) (X a))");
}

TEST(EmptyAlternatives, DeriveEmpty) {
    auto g = quiet("%%\nx : a | ;\n");
    EXPECT_EQ(parseTags(*g, ""), "(x )");
    EXPECT_EQ(parseTags(*g, "a"), "(x a)");
    EXPECT_EQ(parseTags(*g, "a a"), "FAIL");
    // Nullable symbols inside bodies and FIRST through them.
    auto h = quiet("%%\nS : O O b O ;\nO : o | ;\n");
    EXPECT_EQ(parseTags(*h, "b"), "(S (O ) (O ) b (O ))");
    EXPECT_EQ(parseTags(*h, "o o b o"), "(S (O o) (O o) b (O o))");
    EXPECT_EQ(parseTags(*h, "o b"), "(S (O o) (O ) b (O ))");
}

TEST(Tables, CanonicalLr1KeepsStatesThatLalrWouldMerge) {
    // LR(1) but not LALR(1): merging the two states after 'c' would make the
    // reductions A -> c and B -> c conflict on d and e.
    auto g = quiet("%%\nS : a A d | b B d | a B e | b A e ;\nA : c ;\nB : c ;\n");
    for (int s = 0; s < g->stateCount(); ++s)
        for (int sym = 0; sym < g->symbolCount(); ++sym) EXPECT_LE(g->actions(s, sym).size(), 1u);
    EXPECT_EQ(parseTags(*g, "a c d"), "(S a (A c) d)");
    EXPECT_EQ(parseTags(*g, "a c e"), "(S a (B c) e)");
    EXPECT_EQ(parseTags(*g, "b c d"), "(S b (B c) d)");
    EXPECT_EQ(parseTags(*g, "b c e"), "(S b (A c) e)");
    Arena arena;
    ParseResult r = parseTokens(*g, tokensOf("a c d", arena), nullptr, arena);
    EXPECT_EQ(r.steps, 6);  // 3 shifts, 2 reductions, accept: no backtracking
}

TEST(Tables, AllInputMatchesAnyTagButNotTheEnd) {
    auto g = quiet("%%\nS : DT $ALLINPUT ;\n");
    EXPECT_EQ(parseTags(*g, "DT/the NN/cat"), "(S the cat)");
    EXPECT_EQ(parseTags(*g, "DT/the WHATEVER/x"), "(S the x)");
    EXPECT_EQ(parseTags(*g, "DT/the"), "FAIL");
    // A leaf keeps the token's own tag as its symbol.
    Arena arena;
    ParseResult r = parseTokens(*g, tokensOf("DT/the VBZ/is", arena), nullptr, arena);
    ASSERT_TRUE(r.accepted());
    EXPECT_STREQ(r.tree->children[1]->symbol, "VBZ");
    ASSERT_NE(r.tree->children[1]->token, nullptr);
    EXPECT_STREQ(r.tree->children[1]->token->word, "is");
}

TEST(Tables, TokensTaggedWithANonTerminalAreShiftedAsThatPhrase) {
    auto g = quiet("%%\nS : NP VBZ ;\nNP : DT NN ;\n");
    EXPECT_EQ(parseTags(*g, "DT NN VBZ"), "(S (NP DT NN) VBZ)");
    EXPECT_EQ(parseTags(*g, "NP/it VBZ"), "(S it VBZ)");
}

TEST(TokenRange, TheInputEndsBeforeTheEndToken) {
    auto g = quiet("%%\nS : a b ;\n");
    Arena arena;
    Token* first = tokensOf("a b c", arena);
    EXPECT_TRUE(parseTokens(*g, first, first->next->next, arena).accepted());
    EXPECT_FALSE(parseTokens(*g, first, nullptr, arena).accepted());
}

TEST(Limits, TheStackHasRoomFor64EntriesAndAFullStackFailsThePath) {
    auto g = quiet("%%\nL : a L | a ;\n");
    auto as = [](int n) {
        std::string s;
        for (int i = 0; i < n; ++i) s += "a ";
        return s;
    };
    // n right-nested a's need n + 1 entries (the bottom one included).
    EXPECT_NE(parseTags(*g, as(63)), "FAIL");
    Arena arena;
    ParseResult r = parseTokens(*g, tokensOf(as(64), arena), nullptr, arena);
    EXPECT_FALSE(r.accepted());
    EXPECT_TRUE(r.stackFull);
    ParseLimits larger;
    larger.stackEntries = 200;
    EXPECT_NE(parseTags(*g, as(150), larger), "FAIL");
    // Left recursion needs no stack to speak of.
    auto left = quiet("%%\nL : L a | a ;\n");
    EXPECT_NE(parseTags(*left, as(1000)), "FAIL");
}

TEST(Limits, TheBudgetBoundsExponentialBacktracking) {
    // Every bracketing of the a's is a path, and the final b fails them all.
    auto g = quiet("%%\nS : X ;\nX : X X | a ;\n");
    std::string input;
    for (int i = 0; i < 40; ++i) input += "a ";
    input += "b";
    Arena arena;
    ParseLimits limits;
    limits.budget = 20000;
    limits.recogniseAfter = -1;  // the search alone
    // The bracketings meet again in the same states at the same positions:
    // remembered as failed once, they are not searched again.
    ParseResult r = parseTokens(*g, tokensOf(input, arena), nullptr, arena, limits);
    EXPECT_EQ(r.status, ParseStatus::kRejected);
    EXPECT_LT(r.steps, 5000);
    EXPECT_GT(r.pruned, 0);
    limits.budget = 1000;
    r = parseTokens(*g, tokensOf(input, arena), nullptr, arena, limits);
    EXPECT_EQ(r.status, ParseStatus::kBudgetExhausted);
    EXPECT_EQ(r.steps, 1000);
    // A shared budget is drawn down by the parse.
    long shared = 500;
    limits.sharedBudget = &shared;
    r = parseTokens(*g, tokensOf(input, arena), nullptr, arena, limits);
    EXPECT_EQ(r.status, ParseStatus::kBudgetExhausted);
    EXPECT_EQ(shared, 0);
    // A short sentence of the same grammar is found well within budget.
    EXPECT_EQ(parseTags(*g, "a a"), "(S (X (X a) (X a)))");
    // Every bracketing of the a's makes the stack recogniser's graph grow
    // past its bound of work per token: it gives up where the search paused
    // for it, and the chart rejects the input where it is asked.
    ParseLimits asking;
    asking.budget = 1000;
    r = parseTokens(*g, tokensOf(input, arena), nullptr, arena, asking);
    EXPECT_EQ(r.status, ParseStatus::kRejected);
    EXPECT_TRUE(r.screened);
    EXPECT_EQ(r.steps, asking.recogniseAfter);
    // An input whose graph stays small is rejected by the recogniser itself.
    auto pairs = quiet("%%\nS : P S | P ;\nP : a b | a c ;\n");
    std::string longInput;
    for (int i = 0; i < 60; ++i) longInput += "a b ";
    longInput += "a";
    asking.screenAfter = 0;
    r = parseTokens(*pairs, tokensOf(longInput, arena), nullptr, arena, asking);
    EXPECT_EQ(r.status, ParseStatus::kRejected);
    EXPECT_TRUE(r.screened);
    EXPECT_EQ(r.steps, 0);
    // Without it, the search stops where the chart is asked: no derivation.
    asking.screen = false;
    r = parseTokens(*g, tokensOf(input, arena), nullptr, arena, asking);
    EXPECT_EQ(r.status, ParseStatus::kRejected);
    EXPECT_FALSE(r.screened);
    EXPECT_TRUE(r.recognised);
    EXPECT_EQ(r.steps, asking.recogniseAfter);
}

TEST(Limits, LinesWithMoreThanTenBodySymbolsAreRefused) {
    const char* ok[] = {"S a b c d e f g h i j"};
    ArrayLineSource okLines(ok, 1);
    Messages m;
    EXPECT_TRUE(grammarFromLines(okLines, m.sink()));
    const char* tooLong[] = {"S a b c d e f g h i j k"};
    ArrayLineSource longLines(tooLong, 1);
    EXPECT_FALSE(grammarFromLines(longLines, m.sink()));
}

TEST(LineSources, StringsAreSplitAtCrOrLfAndTrimmed) {
    StringLineSource s("  a b \r\nc\rd\n\n  e  ");
    std::string line;
    std::vector<std::string> lines;
    while (s.next(line)) lines.push_back(line);
    EXPECT_EQ(lines, (std::vector<std::string>{"a b", "c", "d", "", "e"}));
    // Lines from an array: comments and empty lines are no productions.
    const char* rows[] = {"# a comment", "", "S a 'b'", "  S"};
    ArrayLineSource array(rows, 4);
    Messages m;
    auto g = grammarFromLines(array, m.sink());
    ASSERT_TRUE(g);
    EXPECT_EQ(g->ruleCount(), 3);
    EXPECT_EQ(parseTags(*g, "a b"), "(S a b)");
    EXPECT_EQ(parseTags(*g, ""), "(S )");
}

// An action that parses the tokens after the rule's first symbol on their
// own, with the same grammar and the budget of the parse around it, and
// vetoes when they form a complete phrase (as a check of a phrase rule may).
int nestedCalls = 0;
int vetoCompleteTail(ParseContext& c) {
    ++nestedCalls;
    const Token* from = c.node(0)->token;
    if (!from || !from->next) return 0;
    ParseLimits limits;
    limits.sharedBudget = c.budget();
    ParseResult inner = parseTokens(c.grammar(), from->next, nullptr, c.arena(), limits);
    return inner.accepted() ? 1 : 0;
}

TEST(Backtracking, ARuleActionMayRunANestedParseOnTheSharedBudget) {
    const NamedAction actions[] = {{"TAIL", vetoCompleteTail}};
    auto g = quiet("%%\nS : X | X S ;\nX : a {TAIL} | a ;\n", actions);
    nestedCalls = 0;
    // The first X -> a sees "a a" after it, which parses: vetoed, the second
    // rule X -> a is taken instead; the last a has nothing after it.
    EXPECT_EQ(parseTags(*g, "a a a"), "(S (X a) (S (X a) (S (X a))))");
    EXPECT_GT(nestedCalls, 0);
    // The nested parses draw on the outer budget: a small budget runs out.
    Arena arena;
    ParseLimits small;
    small.budget = 30;
    ParseResult r = parseTokens(*g, tokensOf("a a a a a a a a", arena), nullptr, arena, small);
    EXPECT_EQ(r.status, ParseStatus::kBudgetExhausted);
}

TEST(Sharing, ParsesOnSeveralThreadsShareOneGrammar) {
    auto g = quiet("%left '+'\n%left '*'\n%%\nE : E '+' E | E '*' E | n | '(' E ')' ;\n");
    const char* inputs[] = {"n + n * n", "( n + n ) * n", "n * n * n + n", "n +"};
    std::vector<std::string> expected;
    for (const char* in : inputs) expected.push_back(parseTags(*g, in));
    std::vector<std::thread> threads;
    std::atomic<int> mismatches{0};
    for (int t = 0; t < 4; ++t)
        threads.emplace_back([&, t] {
            // Half the threads run every input through the stack recogniser
            // first: its working memory is each thread's own.
            ParseLimits limits;
            if (t % 2) limits.screenAfter = 0;
            for (int i = 0; i < 500; ++i) {
                size_t k = static_cast<size_t>((i + t) % 4);
                if (parseTags(*g, inputs[k], limits) != expected[k]) ++mismatches;
            }
        });
    for (std::thread& th : threads) th.join();
    EXPECT_EQ(mismatches.load(), 0);
    EXPECT_EQ(expected[3], "FAIL");
}

}  // namespace
}  // namespace zintra::test
