// The phrase rules, run by small grammars that name them.
#include <gtest/gtest.h>

#include <set>

#include "phrase_test_support.h"

namespace zintra::test {
namespace {

TEST(PhraseRules, TheTableBindsTheFortyEightNames) {
    const char* names[] = {
        "S_VP",    "DOUBLE_SS", "THERBR_SS", "WDT_SS",    "WDT_NPL_SS",     "SUBJECT_SS", "PREV_SS",  "OBJ_SS",
        "SUB_SS",  "VB_VP",     "VP_OBJ",    "VBOBJVP",   "VBOBJVP1",       "MD_VP",      "TO_VP",    "NPL_SS",
        "NP_BOTH", "IN_SS",     "TO_SS",     "IN_VP",     "PP_VBG",         "JJRP",       "JJRP_NPL", "JJRP_SS",
        "RB_NPL",  "DT_VB",     "JJ_VB",     "NPL_TOINF", "PP_AND_PP_BOTH", "NOT_THAT",   "NPL_JJ",   "NPL_RB",
        "VBG_NN",  "MULTI_NPL", "MULTI_VP",  "RB2NPL",    "VBN2ADJ",        "adv2ADVP",   "TO2ADVP",  "ADV2NPL",
        "WDT2NPL", "VP2SS",     "SO_ON",     "WDT_NPL",   "VBG2verb",       "ins_VP",     "MULTI_CD", "DTRB2NPL"};
    EXPECT_EQ(phraseRules().size(), 48u);
    for (const char* name : names) EXPECT_NE(findAction(phraseRules(), name), nullptr) << name;
    EXPECT_EQ(findAction(phraseRules(), "MULTI_NPL"), findAction(phraseRules(), "MULTI_VP"));
    EXPECT_EQ(findAction(phraseRules(), "s_vp"), nullptr);  // names are exact
    // An unknown name leaves its rule unchecked.
    auto g = phraseGrammar("%%\nS : NN {NO_SUCH_RULE} ;\n");
    EXPECT_EQ(parse(*g, "NN"), "(S NN)");
}

TEST(PhraseRules, TheAuxiliaryTable) {
    int count = 0;
    for (const char* w :
         {"do", "did", "does", "done", "Do", "Did",   "Does", "Done", "have", "has", "had",  "Have", "Has",   "Had",
          "is", "are", "was",  "were", "be", "being", "been", "Is",   "Are",  "Was", "Were", "Be",   "Being", "Been"})
        count += isAuxiliary(w);
    EXPECT_EQ(count, 28);
    EXPECT_FALSE(isAuxiliary("DOES"));
    EXPECT_FALSE(isAuxiliary("am"));
    EXPECT_TRUE(auxiliaryAccepts("does", "VB"));
    EXPECT_TRUE(auxiliaryAccepts("Did", "VBP"));
    EXPECT_FALSE(auxiliaryAccepts("does", "VBN"));
    EXPECT_TRUE(auxiliaryAccepts("had", "VBN"));
    EXPECT_FALSE(auxiliaryAccepts("had", "VBG"));
    EXPECT_TRUE(auxiliaryAccepts("been", "VBG"));
    EXPECT_FALSE(auxiliaryAccepts("was", "VB"));
    EXPECT_FALSE(auxiliaryAccepts("was", ""));
}

TEST(PhraseRules, VbVpLetsAuxiliariesTakeTheirVerbForms) {
    auto g = phraseGrammar(
        "%%\nS : NP VP ;\nVP : @verb VP {VB_VP} | @verb ;\n"
        "@verb : VBZ | VBN | VB | VBG | VBD | VBP ;\nNP : PRP ;\n");
    EXPECT_NE(parse(*g, "PRP/he VBZ/has VBN/lived"), "FAIL");
    EXPECT_EQ(parse(*g, "PRP/he VBZ/has VB/live"), "FAIL");
    EXPECT_NE(parse(*g, "PRP/she VBZ/does VB/like"), "FAIL");
    EXPECT_EQ(parse(*g, "PRP/she VBZ/does VBN/liked"), "FAIL");
    EXPECT_NE(parse(*g, "PRP/she VBZ/is VBG/reading"), "FAIL");
    EXPECT_NE(parse(*g, "PRP/it VBZ/is VBN/read"), "FAIL");
    EXPECT_EQ(parse(*g, "PRP/it VBZ/is VB/read"), "FAIL");
    // A word that is no auxiliary takes only a participle.
    EXPECT_NE(parse(*g, "PRP/he VBD/went VBG/running"), "FAIL");
    EXPECT_EQ(parse(*g, "PRP/he VBD/went VB/run"), "FAIL");
}

TEST(PhraseRules, SVpForbidsParticiplesAndVerbsAfterNot) {
    auto g = phraseGrammar(
        "%%\nS : NP VP {S_VP} ;\nVP : VG | VG NP | @md VP ;\n"
        "VG : VBZ | VBG | VBN | VB | ADV VG ;\nADV : RB ;\n@md : MD ;\nNP : PRP | NN ;\n");
    EXPECT_NE(parse(*g, "PRP/he VBZ/likes NN/tea"), "FAIL");
    EXPECT_EQ(parse(*g, "PRP/he VBG/liking NN/tea"), "FAIL");
    EXPECT_EQ(parse(*g, "PRP/he VBN/liked NN/tea"), "FAIL");
    EXPECT_EQ(parse(*g, "PRP/he RB/not VB/like NN/tea"), "FAIL");
    EXPECT_EQ(parse(*g, "PRP/he RB/n't VB/like NN/tea"), "FAIL");
    EXPECT_NE(parse(*g, "PRP/he RB/never VBZ/likes NN/tea"), "FAIL");
    // A modal heads the chain: allowed whatever follows.
    EXPECT_NE(parse(*g, "PRP/he MD/can VB/swim"), "FAIL");
}

TEST(PhraseRules, SoOnNeedsTheExactWords) {
    const char* grammar = "%%\nS : X CC Y RP {SO_ON} ;\nY : Z RB ;\nZ : RB ;\nX : NN ;\n";
    auto g = phraseGrammar(grammar);
    EXPECT_NE(parse(*g, "NN/tea CC/and RB/so RB/forth RP/on"), "FAIL");
    EXPECT_EQ(parse(*g, "NN/tea CC/or RB/so RB/forth RP/on"), "FAIL");
    EXPECT_EQ(parse(*g, "NN/tea CC/And RB/so RB/forth RP/on"), "FAIL");
    EXPECT_EQ(parse(*g, "NN/tea CC/and RB/So RB/forth RP/on"), "FAIL");
    EXPECT_EQ(parse(*g, "NN/tea CC/and RB/so RB/forth RP/On"), "FAIL");
}

TEST(PhraseRules, RbNplTakesListedWordsNotBeforeAVerb) {
    auto g = phraseGrammar(
        "%%\nS : NPL N | NPL V | @verb NPL ;\nNPL : A E {RB_NPL} ;\nA : RB ;\nE : ;\n"
        "N : NN ;\nV : VBZ ;\n@verb : VB ;\n");
    EXPECT_NE(parse(*g, "RB/now NN/thing"), "FAIL");
    EXPECT_EQ(parse(*g, "RB/quickly NN/thing"), "FAIL");  // not in RB_NPL
    EXPECT_EQ(parse(*g, "RB/now VBZ/is"), "FAIL");        // the next tag begins with VB
    EXPECT_EQ(parse(*g, "VB/see RB/today"), "FAIL");      // after a verb
}

TEST(PhraseRules, LexiconAndWordListChecks) {
    // JJ_VB: the word of S1's first child is listed with the tag RB.
    auto jj = phraseGrammar("%%\nS : A E {JJ_VB} ;\nA : RB ;\nE : ;\n");
    EXPECT_NE(parse(*jj, "RB/very"), "FAIL");
    EXPECT_EQ(parse(*jj, "RB/quite"), "FAIL");
    // IN_SS: S1's word empty or listed in IN_WDT_WORD; S0 a clause of two with a VP.
    auto in = phraseGrammar(
        "%%\nS : IN C {IN_SS} | W C {IN_SS} ;\nW : IN ;\nC : NP VP ;\nNP : PRP ;\nVP : @verb ;\n"
        "@verb : VBZ | VBG ;\n");
    EXPECT_NE(parse(*in, "IN/that PRP/he VBZ/runs"), "FAIL");
    EXPECT_EQ(parse(*in, "IN/because PRP/he VBG/running"), "FAIL");
    // "because" is not listed, but through W the word of S1 is empty.
    EXPECT_NE(parse(*in, "IN/because PRP/he VBZ/runs"), "FAIL");
}

TEST(PhraseRules, TheCommaObjectCheckParsesTheResumedTokensOnTheirOwn) {
    // With S : NP, the tokens after the comma form a complete phrase: the
    // two-object reading is forbidden and the sentence is read as S , NP.
    const char* rules = "VP : V O O {VP_OBJ} | V O ;\nO : @object ;\n@object : ',' NP | NP ;\nNP : NN ;\nV : VB ;\n";
    auto complete = phraseGrammar(std::string("%%\nS : NP VP | S ',' NP | NP ;\n") + rules);
    EXPECT_EQ(parse(*complete, "NN/he VB/gave NN/me ,/, NN/book"),
              "(S (S (NP he) (VP (V gave) (O (@object (NP me))))) , (NP book))");
    auto incomplete = phraseGrammar(std::string("%%\nS : NP VP | S ',' NP ;\n") + rules);
    EXPECT_EQ(parse(*incomplete, "NN/he VB/gave NN/me ,/, NN/book"),
              "(S (NP he) (VP (V gave) (O (@object (NP me))) (O (@object , (NP book)))))");
    // Without a record the check still runs.
    EXPECT_EQ(parseTags(*incomplete, "NN/he VB/gave NN/me ,/, NN/book"),
              parse(*incomplete, "NN/he VB/gave NN/me ,/, NN/book"));
}

TEST(PhraseRules, LookAheadChecks) {
    // TO2ADVP: not before a tag that begins with VB.
    auto g = phraseGrammar("%%\nS : A VBZ | A NN ;\nA : RB {TO2ADVP} ;\n");
    EXPECT_EQ(parse(*g, "RB VBZ"), "FAIL");
    EXPECT_NE(parse(*g, "RB NN"), "FAIL");
    // MULTI_CD: not before the word "of", nor "one" and a leaf in S0.
    auto cd = phraseGrammar("%%\nS : P | P IN P ;\nP : Q {MULTI_CD} ;\nQ : CD NN | CD ;\n");
    EXPECT_EQ(parse(*cd, "CD/two NN/cups IN/of CD/three"), "FAIL");
    EXPECT_NE(parse(*cd, "CD/two NN/cups IN/at CD/three"), "FAIL");
    EXPECT_NE(parse(*cd, "CD/two NN/cups"), "FAIL");
    EXPECT_EQ(parse(*cd, "CD/one NN/cup"), "FAIL");
    EXPECT_NE(parse(*cd, "CD/one"), "FAIL");
}

}  // namespace
}  // namespace zintra::test
