// Checks whose conditions combine several nodes and the look-ahead.
#include <gtest/gtest.h>

#include "phrase_test_support.h"

namespace zintra::test {
namespace {

TEST(PhraseChecks, VbgNnLooksAtTheNextTagAndTheNodeBefore) {
    auto g = phraseGrammar("%%\nS : Q G Y ;\nQ : PRP ;\nG : VBG {VBG_NN} ;\nY : DT | IN | NN | JJ | TO ;\n");
    EXPECT_NE(parse(*g, "PRP VBG JJ"), "FAIL");
    for (const char* la : {"DT", "IN", "TO"}) EXPECT_EQ(parse(*g, std::string("PRP VBG ") + la), "FAIL") << la;
    EXPECT_NE(parse(*g, "PRP VBG NN"), "FAIL");  // Q is no noun phrase
    auto np = phraseGrammar("%%\nS : NP G Y ;\nNP : PRP ;\nG : VBG {VBG_NN} ;\nY : NN | JJ ;\n");
    EXPECT_EQ(parse(*np, "PRP VBG NN"), "FAIL");
    EXPECT_NE(parse(*np, "PRP VBG JJ"), "FAIL");
    auto noun = phraseGrammar("%%\nS : @noun G Y ;\n@noun : PRP | NN ;\nG : VBG {VBG_NN} ;\nY : NN ;\n");
    EXPECT_NE(parse(*noun, "PRP VBG NN"), "FAIL");
    EXPECT_EQ(parse(*noun, "NN VBG NN"), "FAIL");
}

TEST(PhraseChecks, Rb2NplWantsAWordAfterItAndNoVerbBefore) {
    auto g = phraseGrammar(
        "%%\nS : Q A Y | Q A | @verb A Y ;\nQ : PRP ;\n@verb : VB ;\nA : RB {RB2NPL} ;\n"
        "Y : NN | VBZ | MD | IN | ',' ;\n");
    EXPECT_NE(parse(*g, "PRP RB NN"), "FAIL");
    EXPECT_EQ(parse(*g, "PRP RB VBZ"), "FAIL");
    EXPECT_EQ(parse(*g, "PRP RB MD"), "FAIL");
    EXPECT_NE(parse(*g, "PRP RB IN/of"), "FAIL");
    EXPECT_EQ(parse(*g, "PRP RB IN/at"), "FAIL");
    EXPECT_EQ(parse(*g, "PRP RB ,"), "FAIL");  // not a letter
    EXPECT_EQ(parse(*g, "PRP RB"), "FAIL");    // the end symbol is no letter either
    EXPECT_EQ(parse(*g, "VB RB NN"), "FAIL");  // S1 is "@verb"
}

TEST(PhraseChecks, Vp2SsKeepsParticiplesAwayFromTheirAuxiliaries) {
    auto g = phraseGrammar(
        "%%\nS : @verb ',' SS | ',' SS | NPL SS | @verb NPL SS | @verb SS | SS ;\n"
        "SS : VP {VP2SS} ;\nVP : @verb ;\n@verb : VBZ | VBG ;\nNPL : NN ;\n");
    EXPECT_NE(parse(*g, "VBZ/runs"), "FAIL");
    EXPECT_NE(parse(*g, "VBG/running"), "FAIL");
    // After a comma: the verb further down decides.
    EXPECT_EQ(parse(*g, "VBZ/is ,/, VBG/running"), "FAIL");
    EXPECT_NE(parse(*g, "VBZ/likes ,/, VBG/running"), "FAIL");
    EXPECT_NE(parse(*g, ",/, VBG/running"), "FAIL");     // the bottom of the stack
    EXPECT_EQ(parse(*g, "VBZ/is VBG/running"), "FAIL");  // S1 is "@verb"
    EXPECT_NE(parse(*g, "NN/man VBG/running"), "FAIL");
    EXPECT_EQ(parse(*g, "VBZ/is NN/man VBG/running"), "FAIL");  // NPL after a verb
}

TEST(PhraseChecks, MultiFollowsCommaListsToTheirConjunction) {
    auto g = phraseGrammar("%%\nS : L {MULTI_NPL} ;\nL : N CC N | N ',' L | N ',' N | N N N ;\nN : NN ;\n");
    EXPECT_NE(parse(*g, "NN CC NN"), "FAIL");
    EXPECT_NE(parse(*g, "NN , NN , NN CC NN"), "FAIL");
    EXPECT_EQ(parse(*g, "NN , NN"), "FAIL");
    EXPECT_EQ(parse(*g, "NN NN NN"), "FAIL");
}

TEST(PhraseChecks, Wdt2NplForbidsAWhWordBeforeAComma) {
    auto g = phraseGrammar("%%\nS : P | P ',' NN ;\nP : Q {WDT2NPL} ;\nQ : WP | NN ;\n");
    EXPECT_NE(parse(*g, "WP"), "FAIL");
    EXPECT_EQ(parse(*g, "WP , NN"), "FAIL");
    EXPECT_NE(parse(*g, "NN , NN"), "FAIL");
}

TEST(PhraseChecks, DtVbWantsADeterminerListedAsAnAdverbAfterAVerb) {
    auto g = phraseGrammar("%%\nS : @verb ADV | ADV ;\n@verb : VB ;\nADV : D E {DT_VB} ;\nD : DT ;\nE : ;\n");
    EXPECT_NE(parse(*g, "VB/do DT/that"), "FAIL");
    EXPECT_EQ(parse(*g, "VB/do DT/this"), "FAIL");
    EXPECT_EQ(parse(*g, "DT/that"), "FAIL");
}

TEST(PhraseChecks, ToSsTakesAParticipleOrAClause) {
    auto g = phraseGrammar("%%\nS : TO C {TO_SS} ;\nC : VP | NP VP ;\nVP : @verb ;\n@verb : VB | VBN ;\nNP : NN ;\n");
    EXPECT_EQ(parse(*g, "TO VB"), "FAIL");
    EXPECT_NE(parse(*g, "TO VBN"), "FAIL");
    EXPECT_NE(parse(*g, "TO NN VB"), "FAIL");
}

}  // namespace
}  // namespace zintra::test
