// Reading the treebank, mapping its extra tags, and building the dictionary.
#include <gtest/gtest.h>

#include <sstream>

#include "sample_treebank.h"
#include "tools/langdata/capital_forms.h"
#include "tools/langdata/conllu.h"
#include "tools/langdata/lexicon_builder.h"
#include "tools/langdata/tag_map.h"

namespace langdata {
namespace {

TEST(Conllu, ReadsTokensSurfacesAndSkipsEmptyNodes) {
    std::istringstream in(
        "# newdoc id = d1\n# sent_id = s1\n# text = I cannot go.\n"
        "1\tI\tI\tPRON\tPRP\t_\t3\tnsubj\t_\t_\n"
        "2-3\tcannot\t_\t_\t_\t_\t_\t_\t_\t_\n"
        "2\tca\tcan\tAUX\tMD\t_\t4\taux\t_\t_\n"
        "3\tnot\tnot\tPART\tRB\t_\t4\tadvmod\t_\t_\n"
        "3.1\tgo\tgo\tVERB\tVB\t_\t_\t_\t_\t_\n"
        "4\tgo\tgo\tVERB\tVB\t_\t0\troot\t_\tSpaceAfter=No\n"
        "5\t.\t.\tPUNCT\t.\t_\t4\tpunct\t_\t_\n"
        "broken line\n"
        "\n");
    int malformed = 0;
    const auto sentences = readConllu(in, &malformed);
    ASSERT_EQ(sentences.size(), 1u);
    const auto& s = sentences[0];
    EXPECT_EQ(malformed, 1);
    EXPECT_EQ(s.id, "s1");
    EXPECT_EQ(s.document, "d1");
    EXPECT_EQ(s.text, "I cannot go.");
    ASSERT_EQ(s.tokens.size(), 5u);  // the empty node 3.1 is not a token
    EXPECT_FALSE(s.tokens[3].spaceAfter);
    ASSERT_EQ(s.surfaces.size(), 1u);
    EXPECT_EQ(s.surfaces[0].first, 2);
    EXPECT_EQ(s.surfaces[0].last, 3);
    // The engine does not split "cannot": one token with the first part's tag.
    const auto words = engineTokens(s);
    ASSERT_EQ(words.size(), 4u);
    EXPECT_EQ(words[1].form, "cannot");
    EXPECT_EQ(words[1].tag, "MD");
}

TEST(Conllu, SurfacesEndingInASplitTailStayAsTheTreebankCutsThem) {
    std::istringstream in(
        "1-2\tdon't\t_\t_\t_\t_\t_\t_\t_\t_\n"
        "1\tdo\tdo\tAUX\tVBP\t_\t3\taux\t_\t_\n"
        "2\tn't\tnot\tPART\tRB\t_\t3\tadvmod\t_\t_\n"
        "3\tgo\tgo\tVERB\tVB\t_\t0\troot\t_\t_\n\n");
    const auto words = engineTokens(readConllu(in)[0]);
    ASSERT_EQ(words.size(), 3u);
    EXPECT_EQ(words[0].form, "do");
    EXPECT_EQ(words[1].form, "n't");
    EXPECT_TRUE(endsWithSplitTail("DON'T"));
    EXPECT_FALSE(endsWithSplitTail("n't"));  // the ending alone is not split
}

TEST(TagMap, MapsTheTreebankExtrasToPennTags) {
    EXPECT_EQ(mapTag("HYPH"), ":");
    EXPECT_EQ(mapTag("NFP"), ":");
    EXPECT_EQ(mapTag("ADD"), "NNP");
    EXPECT_EQ(mapTag("XX"), "FW");
    EXPECT_EQ(mapTag("AFX"), "JJ");
    EXPECT_EQ(mapTag("-LRB-"), "-LRB-");
    EXPECT_EQ(mapTag("VBZ"), "VBZ");
    // GW takes the tag of the piece it goes with; a GW head falls back to
    // the universal part of speech.
    std::istringstream in(
        "1\tabout\tabout\tADP\tIN\t_\t2\tcase\t_\t_\n"
        "2\te\te-mail\tNOUN\tNN\t_\t0\troot\t_\t_\n"
        "3\tmail\t_\tX\tGW\t_\t2\tgoeswith\t_\t_\n"
        "4\tKen\tKen\tPROPN\tGW\t_\t0\troot\t_\t_\n"
        "5\tRice\t_\tX\tGW\t_\t4\tgoeswith\t_\t_\n\n");
    const auto s = readConllu(in)[0];
    EXPECT_EQ(s.tokens[2].tag, "NN");
    EXPECT_EQ(s.tokens[3].tag, "NNP");
    EXPECT_EQ(s.tokens[4].tag, "FW");
}

TEST(Lexicon, OrdersTagsByTreebankFrequencyAndAddsListWords) {
    std::string text;
    text += test::conlluSentence("1", "I/PRP run/VB fast/RB");
    text += test::conlluSentence("2", "a/DT run/NN ./.");
    text += test::conlluSentence("3", "the/DT run/NN ./.");
    text += test::conlluSentence("4", "a/DT dog/NN -/HYPH like/JJ ./.");
    std::istringstream in(text);
    TagCounts counts;
    countTags(readConllu(in), counts);
    WordListData lists;
    lists.forms["dog"] = kNN | kVB | kVBP;
    lists.forms["dogs"] = kNNS | kVBZ;
    lists.forms["Boston"] = kNNP;
    lists.forms["zyzzyva"] = 0;
    std::vector<std::string> untagged;
    LexiconReport report;
    Lexicon lex = buildLexicon(counts, lists, LexiconOptions{}, untagged, report);
    ASSERT_NE(lex.find("run"), nullptr);
    EXPECT_EQ(*lex.find("run"), (std::vector<std::string>{"NN", "VB"}));
    EXPECT_EQ(*lex.find("-"), (std::vector<std::string>{":"}));
    // Treebank words keep their own tags unless asked to take the lists' too.
    EXPECT_EQ(*lex.find("dog"), (std::vector<std::string>{"NN"}));
    ASSERT_NE(lex.find("dogs"), nullptr);
    EXPECT_EQ(lex.find("dogs")->size(), 2u);
    EXPECT_EQ(*lex.find("Boston"), (std::vector<std::string>{"NNP"}));
    EXPECT_EQ(lex.find("zyzzyva"), nullptr);
    EXPECT_EQ(untagged, (std::vector<std::string>{"zyzzyva"}));

    LexiconOptions extend;
    extend.extendKnown = true;
    untagged.clear();
    Lexicon extended = buildLexicon(counts, lists, extend, untagged, report);
    EXPECT_EQ(*extended.find("dog"), (std::vector<std::string>{"NN", "VB", "VBP"}));
    // Frequent words keep only their attested tags.
    lists.forms["run"] = kNN | kVB | kVBP;
    extend.extendBelow = 2;
    Lexicon limited = buildLexicon(counts, lists, extend, untagged, report);
    EXPECT_EQ(*limited.find("dog"), (std::vector<std::string>{"NN", "VB", "VBP"}));
    EXPECT_EQ(*limited.find("run"), (std::vector<std::string>{"NN", "VB"}));
}

// A list-only word's tags are ordered like those of treebank words with the
// same list tags; with a limit, frequent treebank words do not decide it.
TEST(Lexicon, ListOnlyWordsFollowRareTreebankWordsOfTheSameListTags) {
    std::string text;
    for (int i = 0; i < 5; ++i) text += test::conlluSentence(std::to_string(i), "they/PRP present/VBP it/PRP");
    text += test::conlluSentence("a", "a/DT fine/JJ remark/NN");
    text += test::conlluSentence("b", "his/PRP$ remark/NN");
    std::istringstream in(text);
    TagCounts counts;
    countTags(readConllu(in), counts);
    WordListData lists;
    lists.forms["present"] = kNN | kVBP;
    lists.forms["remark"] = kNN | kVBP;
    lists.forms["parade"] = kNN | kVBP;  // in no treebank sentence
    std::vector<std::string> untagged;
    LexiconReport report;
    const Lexicon all = buildLexicon(counts, lists, LexiconOptions{}, untagged, report);
    EXPECT_EQ(*all.find("parade"), (std::vector<std::string>{"VBP", "NN"}));
    LexiconOptions rare;
    rare.listClassBelow = 5;
    const Lexicon fromRare = buildLexicon(counts, lists, rare, untagged, report);
    EXPECT_EQ(*fromRare.find("parade"), (std::vector<std::string>{"NN", "VBP"}));
    EXPECT_EQ(*fromRare.find("present"), (std::vector<std::string>{"VBP"}));  // its own counts
}

// The engine meets a word's parts written apart ("It s", "can not") as well
// as the surface it keeps whole ("Its", "cannot"): both are counted, while
// a surface the tokenizer splits anyway ("don't") adds nothing of its own.
TEST(Lexicon, CountsTheTreebankTokensAndTheSurfacesKeptWhole) {
    std::istringstream in(
        "1-2\tIts\t_\t_\t_\t_\t_\t_\t_\t_\n"
        "1\tIt\tit\tPRON\tPRP\t_\t3\tnsubj\t_\t_\n"
        "2\ts\tbe\tAUX\tVBZ\t_\t3\tcop\t_\t_\n"
        "3\tfine\tfine\tADJ\tJJ\t_\t0\troot\t_\t_\n"
        "4-5\tdon't\t_\t_\t_\t_\t_\t_\t_\t_\n"
        "4\tdo\tdo\tAUX\tVBP\t_\t6\taux\t_\t_\n"
        "5\tn't\tnot\tPART\tRB\t_\t6\tadvmod\t_\t_\n"
        "6\tgo\tgo\tVERB\tVB\t_\t3\tdep\t_\t_\n\n");
    const auto sentences = readConllu(in);
    TagCounts counts;
    countTags(sentences, counts);
    EXPECT_EQ(counts.byWord["It"]["PRP"], 1);
    EXPECT_EQ(counts.byWord["s"]["VBZ"], 1);
    EXPECT_EQ(counts.byWord["Its"]["PRP"], 1);
    EXPECT_EQ(counts.byWord.count("don't"), 0u);
    EXPECT_EQ(counts.byWord["n't"]["RB"], 1);
    EXPECT_EQ(counts.tokens, 7);
    const auto gold = goldWords(sentences[0]);
    ASSERT_EQ(gold.size(), 6u);
    EXPECT_EQ(gold[1].form, "s");
}

TEST(TagMap, ChosenTreebankTagsAreKeptAsWritten) {
    std::istringstream in(test::conlluSentence("1", "well/RB -/HYPH known/VBN :)/NFP me@x.org/ADD"));
    auto sentences = readConllu(in);
    keepTreebankTags(sentences, {"HYPH", "NFP"});
    const auto& t = sentences[0].tokens;
    EXPECT_EQ(t[0].tag, "RB");
    EXPECT_EQ(t[1].tag, "HYPH");
    EXPECT_EQ(t[3].tag, "NFP");
    EXPECT_EQ(t[4].tag, "NNP");  // not asked for: still mapped
}

// Dropping a frequent word's rare tags: the tag the lower-case word mostly
// has stays (the upper-case "AM" is mostly a.m., once "am").
TEST(Lexicon, RareTagsOfFrequentWordsAreDroppedUnlessTheLowerCaseWordHasThem) {
    TagCounts counts;
    counts.byWord["AM"] = {{"NN", 40}, {"VBP", 1}, {"NNP", 1}};
    counts.byWord["am"] = {{"VBP", 30}};
    counts.byWord["bank"] = {{"NN", 40}, {"VB", 1}, {"JJ", 3}};
    WordListData lists;
    std::vector<std::string> untagged;
    LexiconReport report;
    LexiconOptions options;
    options.noiseCount = 2;
    const Lexicon lex = buildLexicon(counts, lists, options, untagged, report);
    EXPECT_EQ(*lex.find("AM"), (std::vector<std::string>{"NN", "VBP"}));
    EXPECT_EQ(*lex.find("bank"), (std::vector<std::string>{"NN", "JJ"}));  // 3 is not rare
    EXPECT_EQ(report.droppedTags, 2u);
}

TEST(Lexicon, CapitalisedFormsTakeTheLowerCaseTagsThenNNP) {
    Lexicon lex;
    lex.set("books", {"NNS", "VBZ"});
    lex.set("Bill", {"NNP"});
    lex.set("bill", {"NN"});
    lex.set("NNP-only", {"NNP"});
    EXPECT_EQ(addCapitalisedForms(lex), 1u);
    EXPECT_EQ(*lex.find("Books"), (std::vector<std::string>{"NNS", "VBZ", "NNP"}));
    EXPECT_EQ(*lex.find("Bill"), (std::vector<std::string>{"NNP"}));  // an existing entry stays
}

TEST(Lexicon, WritesSortedLinesAndNeverACommentLookalike) {
    Lexicon lex;
    lex.set("b", {"NN"});
    lex.set("a", {"DT", "NN"});
    lex.set("//", {":"});
    std::ostringstream out;
    writeLexicon(lex, out, "// header\n");
    EXPECT_EQ(out.str(), "// header\na DT NN\nb NN\n");
}

}  // namespace
}  // namespace langdata
