// The bundled English phrase grammar builds with the builder and parses the
// tag sequences of beginners' sentences (as the tagger tags them).
#include <gtest/gtest.h>

#include <cstdlib>
#include <iostream>
#include <random>

#include "beginner_sentences.h"
#include "grammar_test_support.h"

namespace zintra::test {
namespace {

// Bracket form with "@" symbols lifted into their parents, leaves as
// (TAG word).
std::string tree(const ParseNode* n) {
    if (n->isLeaf()) return std::string("(") + n->symbol + " " + n->word + ")";
    std::string inner;
    for (int i = 0; i < n->childCount; ++i) {
        std::string child = tree(n->children[i]);
        if (child.empty()) continue;
        if (!inner.empty()) inner += ' ';
        inner += child;
    }
    if (inner.empty() || n->symbol[0] == '@') return inner;
    return std::string("(") + n->symbol + " " + inner + ")";
}

TEST(EnglishGrammar, BuildsAndParsesBeginnersSentences) {
    Messages m;
    auto g = readGrammarFile(kGrammarFile, {}, m.sink());
    ASSERT_TRUE(g) << m.all();
    ASSERT_EQ(m.lines.size(), 1u);
    EXPECT_EQ(m.lines[0].rfind("rule: ", 0), 0u);
    bool show = std::getenv("ZINTRA_SHOW_TREES") != nullptr;
    for (const char* sentence : kSentences) {
        Arena arena;
        ParseResult r = parseTokens(*g, taggedTokens(sentence, arena), nullptr, arena);
        EXPECT_TRUE(r.accepted()) << sentence;
        if (show)
            std::cout << sentence << "\n  steps " << r.steps << "  " << (r.accepted() ? tree(r.tree) : "FAIL") << "\n";
    }
}

// Checks that tree is a derivation of the input: every inner node is its
// rule's left side over children of the rule's body, and the leaves are the
// input tokens in order. Iterative, so deep trees cannot overflow the test.
bool derives(const Grammar& g, const ParseNode* root, const Token* first, std::string* why) {
    std::vector<const ParseNode*> work{root};
    const Token* next = first;
    while (!work.empty()) {
        const ParseNode* n = work.back();
        work.pop_back();
        if (n->isLeaf()) {
            if (n->token != next) return (*why = "leaf out of order", false);
            next = next->next;
            continue;
        }
        const GrammarRule& r = g.rule(n->rule);
        if (std::string(n->symbol) != g.symbolName(r.symbols[0]) || n->childCount != r.bodyLength())
            return (*why = "node does not match its rule", false);
        for (int i = n->childCount - 1; i >= 0; --i) {
            const ParseNode* c = n->children[i];
            int want = r.symbols[static_cast<size_t>(i) + 1];
            bool ok = c->isLeaf() ? (g.findSymbol(c->symbol) == want || want == g.allInputSymbol())
                                  : g.rule(c->rule).symbols[0] == want;
            if (!ok) return (*why = "child does not match the body", false);
            work.push_back(c);
        }
    }
    if (next) return (*why = "input left over", false);
    return true;
}

TEST(EnglishGrammar, RandomTagSequencesEndWithinLimitsAndTreesDeriveTheirInput) {
    Messages m;
    auto g = readGrammarFile(kGrammarFile, {}, m.sink());
    ASSERT_TRUE(g) << m.all();
    const char* tags[] = {"NN",  "NNS", "NNP", "PRP", "PRP$", "DT", "JJ", "JJR", "RB", "VB", "VBD", "VBG", "VBN",
                          "VBP", "VBZ", "MD",  "TO",  "IN",   "CC", "WP", "WRB", "CD", ",",  "EX",  "UH",  "RP"};
    std::mt19937 random(5);
    int accepted = 0;
    for (int round = 0; round < 1500; ++round) {
        std::string text;
        int n = 1 + static_cast<int>(random() % 40);
        for (int i = 0; i < n; ++i) text.append(tags[random() % (sizeof tags / sizeof tags[0])]).append(" ");
        Arena arena;
        Token* first = tokensOf(text, arena);
        ParseResult r = parseTokens(*g, first, nullptr, arena);
        EXPECT_LE(r.steps, ParseLimits::kDefaultBudget) << text;
        if (!r.accepted()) continue;
        ++accepted;
        std::string why;
        EXPECT_TRUE(derives(*g, r.tree, first, &why)) << why << ": " << text;
    }
    EXPECT_GT(accepted, 50);
}

}  // namespace
}  // namespace zintra::test
