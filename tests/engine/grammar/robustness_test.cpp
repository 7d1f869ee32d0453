// Hostile and absurd grammars and inputs: refused or built, never a crash or
// a hang; and a differential test of the tables against a plain recogniser.
#include <gtest/gtest.h>

#include <random>
#include <set>

#include "engine/grammar/stack_recognizer.h"
#include "grammar_test_support.h"

namespace zintra::test {
namespace {

TEST(Robustness, TenThousandAlternativesOfDistinctTerminalsBuild) {
    std::string text = "%%\nS :";
    for (int i = 0; i < 10000; ++i) text.append(i ? " | t" : " t").append(std::to_string(i));
    text += " ;\n";
    Messages m;
    auto g = grammarOf(text, m);
    ASSERT_TRUE(g) << m.all();
    EXPECT_EQ(g->ruleCount(), 10001);
    EXPECT_EQ(parseTags(*g, "t9999"), "(S t9999)");
    EXPECT_EQ(parseTags(*g, "t0"), "(S t0)");
    EXPECT_EQ(parseTags(*g, "t10000"), "FAIL");
}

TEST(Robustness, TenThousandAlternativesOverFewTerminalsBuildOrAreRefused) {
    std::mt19937 random(7);
    std::string text = "%%\nS :";
    std::string sample;
    for (int i = 0; i < 10000; ++i) {
        text += i ? " |" : "";
        int n = 1 + static_cast<int>(random() % 10);
        std::string alt;
        for (int k = 0; k < n; ++k) alt += std::string(" ") + static_cast<char>('a' + random() % 4);
        text += alt;
        if (i == 5000) sample = alt;
    }
    text += " ;\n";
    Messages m;
    auto g = grammarOf(text, m);
    ASSERT_TRUE(g) << m.all();
    EXPECT_NE(parseTags(*g, sample), "FAIL");
    // Reduce-reduce lists of thousands of entries are walked within the budget.
    std::string many = "%%\nS :";
    for (int i = 0; i < 10000; ++i) many.append(i ? " | A" : " A").append(std::to_string(i));
    many += " ;\n";
    for (int i = 0; i < 10000; ++i) many.append("A").append(std::to_string(i)).append(" : n ;\n");
    auto h = grammarOf(many, m);
    ASSERT_TRUE(h);
    EXPECT_EQ(parseTags(*h, "n"), "(S (A0 n))");
}

TEST(Robustness, GrammarFilesOfMoreThan200000TokensAreRefused) {
    // Each line "| a" is two tokens; token 200,000 (from 0) opens line 100,001.
    std::string text = "%%\nS : a\n";
    for (int i = 0; i < 100100; ++i) text += "| a\n";
    text += ";\n";
    Messages m;
    EXPECT_FALSE(grammarOf(text, m));
    EXPECT_EQ(m.all(), "There is error in line: 100001, the word is |\n");
}

TEST(Robustness, BinaryGrammarFilesAreRefusedOrBuilt) {
    std::mt19937 random(11);
    int built = 0;
    for (int round = 0; round < 300; ++round) {
        std::string text;
        if (round % 3 == 0) text = "%%\nS : ";  // a valid start, then noise
        int n = static_cast<int>(random() % 400);
        for (int i = 0; i < n; ++i) {
            unsigned v = random() % 260;
            // Favour the bytes the lexer treats specially.
            const char special[] = {'\'', ':', ';', '|', '{', '}', '%', '\n', '\0', '\xFF', '#', ' '};
            text += v < 256 ? static_cast<char>(v) : special[random() % sizeof special];
        }
        Messages m;
        auto g = grammarOf(text, m);
        if (g) {
            ++built;
            std::string tags;
            for (int i = 0; i < 8; ++i) tags += std::string(" ") + static_cast<char>('a' + random() % 26);
            parseTags(*g, tags);
        } else {
            EXPECT_EQ(m.lines.size(), 1u);
        }
    }
    // The end symbol and $ALLINPUT are terminals: rules for them are refused.
    for (const char* text : {"%%\n\xFF\xFF\xFF : a ;\n", "%%\nS : b ;\n$ALLINPUT : a ;\n"}) {
        Messages refused;
        EXPECT_FALSE(grammarOf(text, refused));
        EXPECT_EQ(refused.lines.size(), 1u);
    }
    // The end symbol's bytes inside a rule body cannot be shifted past the end.
    std::string ff = "%%\nS : a \xFF\xFF\xFF ;\n";
    Messages m;
    auto g = grammarOf(ff, m);
    ASSERT_TRUE(g);
    EXPECT_EQ(parseTags(*g, "a"), "FAIL");
    RecordProperty("built", built);
}

TEST(Robustness, CyclicGrammarsEndWithinTheBudget) {
    Messages m;
    auto cycle = grammarOf("%%\nA : A | a ;\n", m);
    ASSERT_TRUE(cycle);
    Arena arena;
    ParseResult r = parseTokens(*cycle, tokensOf("a b", arena), nullptr, arena);
    EXPECT_FALSE(r.accepted());
    auto empty = grammarOf("%%\nL : L X | ;\nX : ;\n", m);
    ASSERT_TRUE(empty);
    r = parseTokens(*empty, tokensOf("q", arena), nullptr, arena);
    EXPECT_FALSE(r.accepted());
    EXPECT_LE(r.steps, ParseLimits::kDefaultBudget);
}

TEST(Robustness, InputPastTheRecognisersLimitsIsSearchedAsBefore) {
    Messages m;
    auto g = grammarOf("%left '+'\n%%\nE : E '+' E | n ;\n", m);
    ASSERT_TRUE(g) << m.all();
    // 1,201 tokens: more than the chart takes, so the search goes on alone.
    std::string tags = "n";
    for (int i = 0; i < 600; ++i) tags += " + n";
    Arena arena;
    ParseLimits limits;
    limits.recogniseAfter = 0;
    ParseResult r = parseTokens(*g, tokensOf(tags, arena), nullptr, arena, limits);
    EXPECT_TRUE(r.recognised);
    EXPECT_TRUE(r.accepted());
    EXPECT_EQ(r.cut, 0);
    // Under the limit the recogniser decides: a dangling '+' fails at once.
    std::string shortTags = "n + n + n +";
    ParseResult bad = parseTokens(*g, tokensOf(shortTags, arena), nullptr, arena, limits);
    EXPECT_EQ(bad.status, ParseStatus::kRejected);
    EXPECT_LE(bad.steps, 1);
}

TEST(Robustness, MarkingPastItsLimitLeavesTheSearchUnpruned) {
    // The search tries E before F; only F can end in z, so the chart cuts
    // every E. Marking the useful constituents of these sums grows with the
    // cube of their length: past the marking limit the chart gives no advice
    // (nothing is cut), and the search alone still finds the tree.
    Messages m;
    auto g = grammarOf("%%\nS : E y | F z ;\nE : E '+' E | n ;\nF : F '+' F | n ;\n", m);
    ASSERT_TRUE(g) << m.all();
    auto sum = [](int terms) {
        std::string tags = "n";
        for (int i = 1; i < terms; ++i) tags += " + n";
        return tags + " z";
    };
    Arena arena;
    ParseLimits limits;
    limits.recogniseAfter = 0;
    ParseResult shortSum = parseTokens(*g, tokensOf(sum(40), arena), nullptr, arena, limits);
    EXPECT_TRUE(shortSum.accepted());
    EXPECT_GT(shortSum.cut, 0);
    ParseResult longSum = parseTokens(*g, tokensOf(sum(150), arena), nullptr, arena, limits);
    EXPECT_TRUE(longSum.recognised);
    EXPECT_TRUE(longSum.accepted());
    EXPECT_EQ(longSum.cut, 0);
}

// The input symbols of a tag list, as the token-level driver reads them.
std::vector<InputSymbol> symbolsOf(const Grammar& g, const std::vector<std::string>& tags) {
    std::vector<InputSymbol> out(tags.size());
    for (size_t i = 0; i < tags.size(); ++i) {
        out[i].text = tags[i].c_str();
        out[i].word = tags[i].c_str();
        out[i].symbol = g.findSymbol(tags[i]);
    }
    return out;
}

TEST(StackRecogniser, HugeGraphsAreLeftToTheSearch) {
    // Every bracketing of 700 a's: the graph's reductions pass its limit of
    // work, so the answer is "too large" and the budget bounds the search.
    auto g = grammarOf("%%\nS : X ;\nX : X X | a ;\n", *std::make_unique<Messages>());
    ASSERT_TRUE(g);
    std::vector<std::string> tags(700, "a");
    tags.push_back("b");
    std::vector<InputSymbol> input = symbolsOf(*g, tags);
    EXPECT_EQ(recogniseWithStacks(*g, input), StackVerdict::kTooLarge);
    Arena arena;
    ParseLimits limits;
    limits.budget = 2000;
    ParseResult r = parseInput(*g, input, arena, limits);
    EXPECT_TRUE(r.screened);
    EXPECT_FALSE(r.accepted());
    EXPECT_LE(r.steps, 2000);
    // A short input of the same grammar is decided.
    EXPECT_EQ(recogniseWithStacks(*g, symbolsOf(*g, {"a", "a", "b"})), StackVerdict::kNotInLanguage);
    EXPECT_EQ(recogniseWithStacks(*g, symbolsOf(*g, {"a", "a", "a"})), StackVerdict::kInLanguage);
    // A token that reads as the end symbol is left to the search.
    EXPECT_EQ(recogniseWithStacks(*g, symbolsOf(*g, {"a", Grammar::kEnd})), StackVerdict::kTooLarge);
}

TEST(StackRecogniser, GrammarsWithEmptyBodiesAreReadWithoutThem) {
    // A noun phrase with an optional empty mark after each noun, as a phrase
    // grammar writes a check on the word before it: the automaton's rules
    // leave the mark out, and inputs are decided as with the empty rule.
    const char* withEmpty = "%%\nS : NP V ;\nNP : N | N NP | N M ;\nM : ;\n";
    const char* without = "%%\nS : NP V ;\nNP : N | N NP ;\n";
    auto g = grammarOf(withEmpty, *std::make_unique<Messages>());
    auto plain = grammarOf(without, *std::make_unique<Messages>());
    ASSERT_TRUE(g && plain);
    ASSERT_TRUE(g->hasEmptyRule());
    ASSERT_TRUE(g->stackTables()->emptyFree());
    std::vector<std::string> nouns(60, "N");
    EXPECT_EQ(recogniseWithStacks(*plain, symbolsOf(*plain, nouns)), StackVerdict::kNotInLanguage);
    EXPECT_EQ(recogniseWithStacks(*g, symbolsOf(*g, nouns)), StackVerdict::kNotInLanguage);
    for (const auto& [tags, in] : std::vector<std::pair<std::vector<std::string>, bool>>{
             {{"N", "V"}, true}, {{"N", "N", "V"}, true}, {{"V"}, false}, {{}, false}, {{"N"}, false}}) {
        EXPECT_EQ(recogniseWithStacks(*g, symbolsOf(*g, tags)) == StackVerdict::kInLanguage, in) << tags.size();
    }
    // The empty input is in the language exactly when the start symbol is nullable.
    auto nullableStart = grammarOf("%%\nS : A B ;\nA : a | ;\nB : ;\n", *std::make_unique<Messages>());
    ASSERT_TRUE(nullableStart);
    EXPECT_EQ(recogniseWithStacks(*nullableStart, {}), StackVerdict::kInLanguage);
    EXPECT_EQ(recogniseWithStacks(*nullableStart, symbolsOf(*nullableStart, {"a"})), StackVerdict::kInLanguage);
    EXPECT_EQ(recogniseWithStacks(*nullableStart, symbolsOf(*nullableStart, {"a", "a"})), StackVerdict::kNotInLanguage);
}

// ---- differential test: the backtracking LR parser accepts exactly what an
// Earley recogniser accepts, over random grammars without cycles.

struct RandomGrammar {
    std::vector<std::vector<std::vector<int>>> rules;  // by non-terminal, bodies
    int nonterminals = 0;
    int terminals = 0;
    // symbols: 0..nonterminals-1 non-terminals, then terminals
    std::string text() const {
        std::string out = "%%\n";
        for (int a = 0; a < nonterminals; ++a) {
            out.append(name(a)).append(" :");
            for (size_t b = 0; b < rules[a].size(); ++b) {
                if (b) out += " |";
                for (int s : rules[a][b]) out.append(" ").append(name(s));
            }
            out += " ;\n";
        }
        return out;
    }
    std::string name(int s) const {
        std::string out(s < nonterminals ? "N" : "t");
        return out.append(std::to_string(s < nonterminals ? s : s - nonterminals));
    }
};

// Non-terminal a only refers to higher-numbered non-terminals at the start
// of a body, so there is no left or unit cycle; empty bodies are allowed.
RandomGrammar randomGrammar(std::mt19937& random) {
    RandomGrammar g;
    g.nonterminals = 2 + static_cast<int>(random() % 4);
    g.terminals = 2 + static_cast<int>(random() % 3);
    g.rules.resize(g.nonterminals);
    for (int a = 0; a < g.nonterminals; ++a) {
        int alternatives = 1 + static_cast<int>(random() % 3);
        for (int k = 0; k < alternatives; ++k) {
            std::vector<int> body;
            int length = static_cast<int>(random() % 4);
            if (a == g.nonterminals - 1 && k == 0 && length == 0) length = 1;
            for (int i = 0; i < length; ++i) {
                bool terminal = random() % 2 || (i == 0 && a == g.nonterminals - 1);
                if (terminal) {
                    body.push_back(g.nonterminals + static_cast<int>(random() % g.terminals));
                } else if (i == 0) {
                    body.push_back(a + 1 + static_cast<int>(random() % (g.nonterminals - a - 1)));
                } else {
                    body.push_back(static_cast<int>(random() % g.nonterminals));
                }
            }
            g.rules[a].push_back(body);
        }
    }
    return g;
}

bool earleyAccepts(const RandomGrammar& g, const std::vector<int>& input) {
    struct Item {
        int left, alt, dot, origin;
        bool operator<(const Item& o) const {
            return std::tie(left, alt, dot, origin) < std::tie(o.left, o.alt, o.dot, o.origin);
        }
    };
    size_t n = input.size();
    std::vector<std::set<Item>> sets(n + 1);
    std::vector<std::vector<Item>> order(n + 1);
    auto add = [&](size_t k, Item it) {
        if (sets[k].insert(it).second) order[k].push_back(it);
    };
    for (size_t b = 0; b < g.rules[0].size(); ++b) add(0, {0, static_cast<int>(b), 0, 0});
    for (size_t k = 0; k <= n; ++k) {
        // Repeat to a fixed point: empty completions can enable earlier items.
        bool changed = true;
        while (changed) {
            changed = false;
            size_t before = order[k].size();
            for (size_t i = 0; i < order[k].size(); ++i) {
                Item it = order[k][i];
                const std::vector<int>& body = g.rules[it.left][it.alt];
                if (it.dot < static_cast<int>(body.size())) {
                    int s = body[it.dot];
                    if (s < g.nonterminals) {
                        for (size_t b = 0; b < g.rules[s].size(); ++b)
                            add(k, {s, static_cast<int>(b), 0, static_cast<int>(k)});
                    } else if (k < n && input[k] == s) {
                        add(k + 1, {it.left, it.alt, it.dot + 1, it.origin});
                    }
                } else {
                    std::vector<Item> waiting(order[it.origin].begin(), order[it.origin].end());
                    for (const Item& w : waiting) {
                        const std::vector<int>& wb = g.rules[w.left][w.alt];
                        if (w.dot < static_cast<int>(wb.size()) && wb[w.dot] == it.left)
                            add(k, {w.left, w.alt, w.dot + 1, w.origin});
                    }
                }
            }
            changed = order[k].size() != before;
        }
    }
    for (const Item& it : sets[n])
        if (it.left == 0 && it.origin == 0 && it.dot == static_cast<int>(g.rules[0][it.alt].size())) return true;
    return false;
}

TEST(Differential, BacktrackingLrAcceptsWhatAnEarleyRecogniserAccepts) {
    std::mt19937 random(2024);
    int compared = 0, accepted = 0, screenedEmpty = 0;
    long cut = 0;
    for (int round = 0; round < 300; ++round) {
        RandomGrammar rg = randomGrammar(random);
        Messages m;
        auto g = grammarOf(rg.text(), m);
        ASSERT_TRUE(g) << rg.text() << m.all();
        for (int trial = 0; trial < 30; ++trial) {
            std::vector<int> input;
            int length = static_cast<int>(random() % 7);
            std::string tags;
            for (int i = 0; i < length; ++i) {
                int t = rg.nonterminals + static_cast<int>(random() % rg.terminals);
                input.push_back(t);
                tags += rg.name(t) + " ";
            }
            Arena arena;
            ParseResult r = parseTokens(*g, tokensOf(tags, arena), nullptr, arena);
            if (r.status == ParseStatus::kBudgetExhausted || r.stackFull) continue;
            bool expected = earleyAccepts(rg, input);
            ASSERT_EQ(r.accepted(), expected) << rg.text() << "input: " << tags;
            ++compared;
            accepted += expected;
            // The same with the driver's own recogniser asked before the
            // first step: its rejections and cut reductions lose nothing.
            ParseLimits recognising;
            recognising.recogniseAfter = 0;
            ParseResult rr = parseTokens(*g, tokensOf(tags, arena), nullptr, arena, recognising);
            ASSERT_TRUE(rr.recognised);
            if (rr.status != ParseStatus::kBudgetExhausted && !rr.stackFull) {
                ASSERT_EQ(rr.accepted(), expected) << rg.text() << "input: " << tags;
            }
            cut += rr.cut;
            // The stack recogniser on its own gives the reference's answer.
            std::vector<std::string> names;
            for (int t : input) names.push_back(rg.name(t));
            StackVerdict sv = recogniseWithStacks(*g, symbolsOf(*g, names));
            ASSERT_NE(sv, StackVerdict::kTooLarge) << rg.text() << "input: " << tags;
            ASSERT_EQ(sv == StackVerdict::kInLanguage, expected) << rg.text() << "input: " << tags;
            screenedEmpty += g->hasEmptyRule();
        }
    }
    EXPECT_GT(screenedEmpty, 2000);  // grammars with empty bodies were among them
    // The comparison covered most cases and both outcomes.
    EXPECT_GT(compared, 8000);
    EXPECT_GT(accepted, 500);
    EXPECT_GT(cut, 10);  // the recogniser did cut reductions
}

// The grammar with one more non-terminal, a right-recursive run of one
// terminal (R : t | t R), standing for a terminal somewhere in a body.
RandomGrammar withRun(RandomGrammar g, std::mt19937& random) {
    int run = g.nonterminals;
    for (auto& bodies : g.rules)
        for (auto& body : bodies)
            for (int& symbol : body)
                if (symbol >= run) ++symbol;
    ++g.nonterminals;
    int t = g.nonterminals + static_cast<int>(random() % g.terminals);
    g.rules.push_back({{t}, {t, run}});
    auto& bodies = g.rules[random() % run];
    auto& body = bodies[random() % bodies.size()];
    if (!body.empty()) body[random() % body.size()] = run;
    return g;
}

TEST(Differential, RunsReadTheOtherWayRoundKeepTheLanguage) {
    std::mt19937 random(99);
    int accepted = 0, compared = 0;
    for (int round = 0; round < 300; ++round) {
        RandomGrammar rg = withRun(randomGrammar(random), random);
        Messages m;
        auto g = grammarOf(rg.text(), m);
        ASSERT_TRUE(g) << rg.text() << m.all();
        ASSERT_TRUE(g->stackTables()->turned(g->findSymbol(rg.name(rg.nonterminals - 1)))) << rg.text();
        for (int trial = 0; trial < 30; ++trial) {
            std::vector<int> input;
            std::vector<std::string> names;
            int length = static_cast<int>(random() % 8);
            for (int i = 0; i < length; ++i) {
                input.push_back(rg.nonterminals + static_cast<int>(random() % rg.terminals));
                names.push_back(rg.name(input.back()));
            }
            StackVerdict sv = recogniseWithStacks(*g, symbolsOf(*g, names));
            ASSERT_NE(sv, StackVerdict::kTooLarge);
            bool expected = earleyAccepts(rg, input);
            ASSERT_EQ(sv == StackVerdict::kInLanguage, expected) << rg.text() << "input of " << length;
            ++compared;
            accepted += expected;
        }
        // A token tagged with the run's own name is left to the search.
        EXPECT_EQ(recogniseWithStacks(*g, symbolsOf(*g, {rg.name(rg.nonterminals - 1)})), StackVerdict::kTooLarge);
    }
    EXPECT_GT(accepted, 500);
    EXPECT_EQ(compared, 9000);
}

// The stack recogniser may accept more than the search (it ignores the
// actions and the stack's capacity) but never rejects what the blind search
// accepts: over random grammars with $ALLINPUT in their bodies and inputs
// with tags the grammar does not know or that name one of its non-terminals.
TEST(Differential, TheStackRecogniserNeverRejectsWhatTheSearchAccepts) {
    std::mt19937 random(77);
    int accepted = 0, rejected = 0;
    for (int round = 0; round < 300; ++round) {
        RandomGrammar rg = randomGrammar(random);
        std::string text = rg.text();
        // One terminal of the grammar becomes the wildcard in every body.
        std::string wildcard = " " + rg.name(rg.nonterminals + static_cast<int>(random() % rg.terminals)) + " ";
        for (size_t at = text.find(wildcard); at != std::string::npos; at = text.find(wildcard, at + 1))
            text.replace(at, wildcard.size(), " $ALLINPUT ");
        Messages m;
        auto g = grammarOf(text, m);
        ASSERT_TRUE(g) << text << m.all();
        for (int trial = 0; trial < 30; ++trial) {
            std::vector<std::string> tags;
            std::string line;
            int length = static_cast<int>(random() % 7);
            for (int i = 0; i < length; ++i) {
                unsigned pick = random() % 10;
                std::string tag = pick == 0   ? std::string("zz")
                                  : pick == 1 ? rg.name(static_cast<int>(random() % rg.nonterminals))
                                              : rg.name(rg.nonterminals + static_cast<int>(random() % rg.terminals));
                tags.push_back(tag);
                line += tag + " ";
            }
            Arena arena;
            ParseLimits blind;
            blind.recogniseAfter = -1;
            ParseResult r = parseTokens(*g, tokensOf(line, arena), nullptr, arena, blind);
            StackVerdict sv = recogniseWithStacks(*g, symbolsOf(*g, tags));
            // Only a token tagged with a run read the other way round is left
            // to the search.
            if (sv == StackVerdict::kTooLarge) {
                bool turned = false;
                for (const std::string& tag : tags) turned = turned || g->stackTables()->turned(g->findSymbol(tag));
                ASSERT_TRUE(turned) << text << "input: " << line;
                continue;
            }
            if (r.accepted()) {
                ASSERT_EQ(sv, StackVerdict::kInLanguage) << text << "input: " << line;
                ++accepted;
            }
            if (sv == StackVerdict::kNotInLanguage) {
                ASSERT_NE(r.status, ParseStatus::kAccepted);
                ++rejected;
            }
            // With the screen, the parse gives what the blind search gives.
            if (r.status != ParseStatus::kBudgetExhausted && !r.stackFull) {
                ParseLimits early;
                early.screenAfter = 0;
                ParseResult screened = parseTokens(*g, tokensOf(line, arena), nullptr, arena, early);
                ASSERT_EQ(screened.accepted(), r.accepted()) << text << "input: " << line;
                if (r.accepted()) {
                    ASSERT_EQ(bracket(screened.tree), bracket(r.tree));
                }
            }
        }
    }
    EXPECT_GT(accepted, 300);
    EXPECT_GT(rejected, 1000);
}

}  // namespace
}  // namespace zintra::test
