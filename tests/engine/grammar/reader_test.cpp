// Reading grammar files: the language, its errors and the printed lines.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "grammar_test_support.h"

namespace zintra::test {
namespace {

TEST(MetaGrammar, IsBuiltFromItsLinesWithoutConflicts) {
    const Grammar& meta = metaGrammar();
    ASSERT_TRUE(meta.built());
    // 23 lines plus the augmented start rule.
    EXPECT_EQ(meta.ruleCount(), 24);
    EXPECT_EQ(meta.symbolName(meta.rule(0).symbols[0]), std::string("S"));
    // The grammar-file language needs no backtracking: no list has two entries.
    for (int s = 0; s < meta.stateCount(); ++s)
        for (int sym = 0; sym < meta.symbolCount(); ++sym)
            EXPECT_LE(meta.actions(s, sym).size(), 1u) << "state " << s << " symbol " << meta.symbolName(sym);
}

TEST(GrammarReader, PrintsTheSummaryLineWithRulesStatesAndActions) {
    Messages m;
    auto g = grammarOf("%%\nE : E '+' E | n ;\n", m);
    ASSERT_TRUE(g);
    ASSERT_EQ(m.lines.size(), 1u);
    char expected[128];
    std::snprintf(expected, sizeof expected, "rule: %d   state: %d    action: %ld\n", g->ruleCount(), g->stateCount(),
                  g->actionEntryCount());
    EXPECT_EQ(m.lines[0], expected);
    EXPECT_EQ(g->ruleCount(), 3);  // E+E, n, and start -> E
}

TEST(GrammarReader, SyntaxErrorsGiveTheErrorLineAndNoGrammar) {
    struct Case {
        const char* text;
        const char* line;
    } cases[] = {
        // No "%%": the first token is already wrong.
        {"E : E '+' E | n ;\n", "There is error in line: 1, the word is E\n"},
        // An unquoted + is a terminal of its own.
        {"%left '+'\n%%\n\nE : E + E | n ;\n", "There is error in line: 4, the word is +\n"},
        // A rule without its ';' stops at the next rule's ':'... at its name's colon.
        {"%%\nA : a\nB : b ;\n", "There is error in line: 3, the word is :\n"},
        // Unknown %-words are tokens of their own.
        {"%token x\n%%\nA : a ;\n", "There is error in line: 1, the word is %token\n"},
        // An empty file ends before "%%".
        {"", "There is error in line: 0, the word is \n"},
        {"# only a comment\n\n", "There is error in line: 2, the word is \n"},
        // A digit alone is not a letter.
        {"%%\nA : 1 ;\n", "There is error in line: 2, the word is 1\n"},
    };
    for (const Case& c : cases) {
        Messages m;
        EXPECT_FALSE(grammarOf(c.text, m)) << c.text;
        ASSERT_EQ(m.lines.size(), 1u) << c.text;
        EXPECT_EQ(m.lines[0], c.line) << c.text;
    }
}

TEST(GrammarReader, TokensQuotesCommentsAndWords) {
    Messages m;
    // Quoted symbols lose quotes and surrounding blanks; a doubled quote stays.
    // Words of letters, digits and other bytes are symbols; '#' only at a
    // line's start is a comment.
    auto g = grammarOf(
        "  # heading comment\n"
        "%%\n"
        "S : ' {  ' x1 'it''s' a#b '|' ;\n",
        m);
    ASSERT_TRUE(g) << m.all();
    const GrammarRule& r = g->rule(0);
    ASSERT_EQ(r.bodyLength(), 5);
    EXPECT_STREQ(g->symbolName(r.symbols[1]), "{");
    EXPECT_STREQ(g->symbolName(r.symbols[2]), "x1");
    EXPECT_STREQ(g->symbolName(r.symbols[3]), "it''s");
    EXPECT_STREQ(g->symbolName(r.symbols[4]), "a#b");
    EXPECT_STREQ(g->symbolName(r.symbols[5]), "|");
    EXPECT_EQ(parseTags(*g, "{ x1 it''s a#b |"), "(S { x1 it''s a#b |)");
}

TEST(GrammarReader, DeclarationsRulesPrecAndActions) {
    Messages m;
    auto g = grammarOf(
        "%left PLUS MINUS\n"
        "%right POW IN:of\n"
        "%left UMINUS\n"
        "%%\n"
        "E : E PLUS E { ADD } | E POW E | MINUS E %prec UMINUS { NEG } | n\n"
        "  | E PLUS E { ADD } ;\n"
        "F : ;\n",
        m);
    ASSERT_TRUE(g) << m.all();
    int plus = g->findSymbol("PLUS"), pow = g->findSymbol("POW"), in = g->findSymbol("IN");
    EXPECT_EQ(g->precedence(plus, "").level, 1);
    EXPECT_EQ(g->precedence(plus, "").associativity, kLeft);
    EXPECT_EQ(g->precedence(pow, "").level, 2);
    EXPECT_EQ(g->precedence(pow, "").associativity, kRight);
    // IN has an entry only with the word "of".
    EXPECT_EQ(g->precedence(in, "of").level, 2);
    EXPECT_EQ(g->precedence(in, "at").level, 0);
    EXPECT_EQ(g->precedence(g->findSymbol("UMINUS"), "").level, 3);
    // The repeated E PLUS E {ADD} is stored once: 4 + 1 rules, and start.
    EXPECT_EQ(g->ruleCount(), 6);
    EXPECT_STREQ(g->rule(0).actionName, "ADD");
    EXPECT_EQ(g->rule(0).action, nullptr);  // not in the (empty) action table
    EXPECT_EQ(g->rule(2).precedenceSymbol, g->findSymbol("UMINUS"));
    EXPECT_EQ(g->rule(4).bodyLength(), 0);
    EXPECT_STREQ(g->symbolName(g->rule(4).symbols[0]), "F");
    // The first rule's left side is the start symbol.
    EXPECT_STREQ(g->symbolName(g->rule(5).symbols[1]), "E");
}

TEST(GrammarReader, RuleBodiesOfMoreThanTenSymbolsAreRefusedWithTheErrorLine) {
    Messages ok;
    EXPECT_TRUE(grammarOf("%%\nS : a b c d e f g h i j ;\n", ok));
    Messages m;
    EXPECT_FALSE(grammarOf("%%\nS : a ;\nT : a b c d e f g h i j\n k ;\n", m));
    ASSERT_EQ(m.lines.size(), 1u);
    EXPECT_EQ(m.lines[0], "There is error in line: 4, the word is k\n");
    // Empty quoted symbols name nothing.
    Messages e;
    EXPECT_FALSE(grammarOf("%%\nS : a '  ' ;\n", e));
    EXPECT_EQ(e.all(), "There is error in line: 2, the word is \n");
}

TEST(GrammarReader, AGrammarWithoutRulesAcceptsTheSymbolS) {
    Messages m;
    auto g = grammarOf("%%\n", m);
    ASSERT_TRUE(g);
    EXPECT_EQ(parseTags(*g, "S"), "S");
    EXPECT_EQ(parseTags(*g, "T"), "FAIL");
}

TEST(GrammarReader, FileSourceReadsLinesAndMissingFileGivesNothing) {
    Messages m;
    EXPECT_FALSE(readGrammarFile("/nonexistent/grammar.txt", {}, m.sink()));
    EXPECT_TRUE(m.lines.empty());
}

TEST(GrammarReader, FilesWithCrLfAndLongLinesKeepTheirLineNumbers) {
    std::string path = (std::filesystem::temp_directory_path() / "zintra_grammar_reader_test.txt").string();
    std::string longLine = "S : a";
    for (int i = 0; i < 300; ++i) longLine += " | a" + std::string(1, static_cast<char>('a' + i % 26)) + "x";
    {
        std::ofstream out(path, std::ios::binary);
        out << "# heading\r\n%%\r\n" << longLine << " ;\r\nT : b ;\r\n";
    }
    Messages m;
    auto g = readGrammarFile(path, {}, m.sink());
    ASSERT_TRUE(g) << m.all();
    EXPECT_EQ(parseTags(*g, "azx"), "(S azx)");
    {
        std::ofstream out(path, std::ios::binary);
        out << "# heading\r\n%%\r\n" << longLine << " ;\r\nT : + ;\r\n";
    }
    Messages e;
    EXPECT_FALSE(readGrammarFile(path, {}, e.sink()));
    EXPECT_EQ(e.all(), "There is error in line: 4, the word is +\n");
    std::filesystem::remove(path);
}

}  // namespace
}  // namespace zintra::test
