// Printing phrase trees, tokens and the flat forms.
#include <gtest/gtest.h>

#include "engine/phrase/phrase_rules.h"
#include "engine/phrase/tree_printer.h"
#include "grammar_test_support.h"

namespace zintra::test {
namespace {

std::unique_ptr<Grammar> build(std::string_view text) {
    Messages m;
    StringLineSource source(text);
    auto g = readGrammar(source, phraseRules(), m.sink());
    EXPECT_TRUE(g) << m.all();
    return g;
}

// The compound token 'ice cream' tagged NN with members tagged NN.
Token* iceCream(Arena& arena) {
    Token* parent = makeToken(arena);
    parent->tag = "NN";
    Token* ice = makeToken(arena);
    ice->word = "ice";
    ice->tag = "NN";
    ice->prev = parent;
    Token* cream = makeToken(arena);
    cream->word = "cream";
    cream->tag = "NN";
    cream->prev = ice;
    ice->next = cream;
    parent->children = ice;
    return parent;
}

std::string print(const Grammar* g, const Token* first, bool html, const WordWriter& writer = {}) {
    Arena arena;
    std::string out;
    appendPhraseTree(out, g, first, html, arena, writer);
    return out;
}

TEST(TreePrinter, TokensInBracketSlashAndHtmlForm) {
    Arena arena;
    Token* compound = iceCream(arena);
    std::string out;
    appendTokenBracket(out, *compound);
    EXPECT_EQ(out, "(NN (NN ice) (NN cream))");
    out.clear();
    appendTokenSlash(out, *compound);
    EXPECT_EQ(out, "(ice/NN cream/NN)/NN");
    out.clear();
    appendTokenHtml(out, *compound);
    EXPECT_EQ(out,
              "<div><span>NN</span><div><span>NN</span><P><B>ice</B></P></div>\n"
              "<div><span>NN</span><P><B>cream</B></P></div>\n</div>\n");
    // No brackets for an empty tag or one that begins with "@"; words escaped in HTML.
    Token* t = tokensOf("@x/a<b&c", arena);
    out.clear();
    appendTokenBracket(out, *t);
    EXPECT_EQ(out, "a<b&c");
    out.clear();
    appendTokenHtml(out, *t);
    EXPECT_EQ(out, "<P><B>a&lt;b&amp;c</B></P>");
}

TEST(TreePrinter, TreesLiftAtSymbolsAndSkipEmptyChildren) {
    auto g = build("%%\n@root : NP VP E ;\nNP : @dt NN ;\n@dt : DT ;\nVP : VBZ ;\nE : ;\n");
    Arena arena;
    Token* first = tokensOf("DT/the NN/cat VBZ/sits", arena);
    // The root begins with "@": no bracket of its own; E prints nothing and adds no blank.
    EXPECT_EQ(print(g.get(), first, false), "(NP (DT the) (NN cat)) (VP (VBZ sits))");
    EXPECT_EQ(print(g.get(), first, true),
              "<!-- (NP (DT the) (NN cat)) (VP (VBZ sits)) -->\n"
              "<div><span>NP</span><div><span>DT</span><P><B>the</B></P></div>\n"
              "<div><span>NN</span><P><B>cat</B></P></div>\n</div>\n"
              "<div><span>VP</span><div><span>VBZ</span><P><B>sits</B></P></div>\n</div>\n");
}

TEST(TreePrinter, CompoundTokensInsideATree) {
    auto g = build("%%\nS : PRP VBZ NN ;\n");
    Arena arena;
    Token* first = tokensOf("PRP/she VBZ/likes", arena);
    first->next->next = iceCream(arena);
    EXPECT_EQ(print(g.get(), first, false), "(S (PRP she) (VBZ likes) (NN (NN ice) (NN cream)))");
}

TEST(TreePrinter, ThePhrasesEndBeforeTheFirstFullStop) {
    auto g = build("%%\nS : PRP VBZ ;\n");
    Arena arena;
    EXPECT_EQ(print(g.get(), tokensOf("PRP/it VBZ/is ./. PRP/so", arena), false), "(S (PRP it) (VBZ is))");
    // Without phrase structure every token is printed, the full stop included.
    EXPECT_EQ(print(g.get(), tokensOf("PRP/it ./.", arena), false), "( S (PRP it) (. .))");
}

TEST(TreePrinter, FailedParsesPrintTheFlatForm) {
    auto g = build("%%\nS : NN ;\n");
    Arena arena;
    Token* first = tokensOf("DT/a NN/b&c", arena);
    EXPECT_EQ(print(g.get(), first, false), "( S (DT a) (NN b&c))");
    EXPECT_EQ(print(g.get(), first, true),
              "<div><span>S</span><div><span>DT</span><P><B>a</B></P></div>\n"
              "<div><span>NN</span><P><B>b&amp;c</B></P></div>\n</div>\n");
    // Every path forbidden by a check: the flat form as well.
    auto vetoed = build("%%\nS : NN {NPL_RB} ;\n");
    EXPECT_EQ(print(vetoed.get(), tokensOf("NN/week", arena), false), "( S (NN week))");
    EXPECT_EQ(print(vetoed.get(), tokensOf("NN/ago", arena), false), "(S (NN ago))");
}

TEST(TreePrinter, WithoutAGrammarEveryFormIsAnEmptyDivision) {
    Arena arena;
    Token* first = tokensOf("NN/x", arena);
    EXPECT_EQ(print(nullptr, first, false), "<div></div>\n");
    EXPECT_EQ(print(nullptr, first, true), "<div></div>\n");
    Grammar unbuilt;
    EXPECT_EQ(print(&unbuilt, first, true), "<div></div>\n");
}

TEST(TreePrinter, TheWordWriterPutsMarkupAroundWords) {
    auto g = build("%%\nS : NN ;\n");
    Arena arena;
    WordWriter strike = [](std::string& out, const Token& t) {
        out += "<P><B><STRIKE>";
        out += t.word;
        out += "</STRIKE></B></P>";
    };
    EXPECT_EQ(print(g.get(), tokensOf("NN/cat", arena), true, strike),
              "<!-- (S (NN cat)) -->\n<div><span>S</span><div><span>NN</span>"
              "<P><B><STRIKE>cat</STRIKE></B></P></div>\n</div>\n");
}

TEST(TreePrinter, DeepTreesPrintWithoutRecursion) {
    // Left recursion keeps the parse stack small but nests the tree 5,000 deep.
    auto g = build("%%\nL : L a | a ;\n");
    std::string text;
    for (int i = 0; i < 5000; ++i) text += "a ";
    Arena arena;
    ParseLimits limits;
    limits.budget = 100000;
    ParseResult r = parseTokens(*g, tokensOf(text, arena), nullptr, arena, limits);
    ASSERT_TRUE(r.accepted());
    std::string out;
    appendTreeBracket(out, r.tree);
    EXPECT_EQ(out.size(), 5000 * std::string("(L  (a a))").size() - 1);
    EXPECT_EQ(out.substr(0, 12), "(L (L (L (L ");
    // The phrase analysis stops at its budget: so long a sentence is flat.
    EXPECT_EQ(print(g.get(), tokensOf(text, arena), false).rfind("( S (a a) (a a) ", 0), 0u);
}

}  // namespace
}  // namespace zintra::test
