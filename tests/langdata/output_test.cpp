// Compounds, the configuration block, and the whole build on a small
// treebank written by the test, checked against the engine that loads it.
#include <gtest/gtest.h>

#include <sstream>

#include "sample_treebank.h"
#include "tools/langdata/compounds.h"
#include "tools/langdata/engine_check.h"
#include "tools/langdata/engine_config.h"
#include "tools/langdata/pipeline.h"

#include "engine/language/analyzer.h"
#include "engine/language/tagger.h"
#include "engine/text/arena.h"
#include "engine/text/token.h"

namespace langdata {
namespace {

TEST(Compounds, FixedExpressionsAndNamesFromTheTreebank) {
    std::string text;
    for (int i = 0; i < 2; ++i) {
        text += test::conlluSentence("a", "Because/IN/3/case of/IN/1/fixed rain/NN/0/root");
        text += test::conlluSentence("b", "New/NNP/0/root York/NNP/1/flat is/VBZ/1/cop big/JJ/1/amod");
    }
    std::istringstream in(text);
    CompoundOptions options;
    options.builtIn = false;
    options.minFlat = 2;
    const auto list = extractCompounds(readConllu(in), options);
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list[0].words, (std::vector<std::string>{"New", "York"}));
    EXPECT_EQ(list[0].tag, "NNP");
    EXPECT_EQ(list[1].words, (std::vector<std::string>{"because", "of"}));  // first letter lowered
    EXPECT_EQ(list[1].tag, "IN");
    options.minFlat = 3;
    std::istringstream again(text);
    EXPECT_EQ(extractCompounds(readConllu(again), options).size(), 1u);
}

TEST(Compounds, LongestMatchAndCapitalLowering) {
    const CompoundMatcher m({{{"a", "lot"}, "NN", 0}, {{"a", "lot", "of"}, "JJ", 0}, {{"ice", "cream"}, "NN", 0}});
    std::string tag;
    const std::vector<std::string> s1{"A", "lot", "of", "money"};
    EXPECT_EQ(m.match(s1, 0, &tag), 3u);
    EXPECT_EQ(tag, "JJ");
    const std::vector<std::string> s2{"a", "lot", "more"};
    EXPECT_EQ(m.match(s2, 0, &tag), 2u);
    EXPECT_EQ(tag, "NN");
    const std::vector<std::string> s3{"ice", "water"};
    EXPECT_EQ(m.match(s3, 0, &tag), 0u);
    std::ostringstream out;
    writeCompounds({{{"ice", "cream"}, "NN", 0}}, out, "# h\n");
    EXPECT_EQ(out.str(), "# h\nice cream/NN\n");
}

TEST(EngineConfig, KeepsTheInstallationsOwnKeysAndReplacesItsBlock) {
    test::ScratchDir dir;
    dir.write("zintra.ini", "# head\nTN_SYMBOL ,\nTEMPLATES_DIR tpl\nGRAMMAR_FILE g.txt\nDICTIONARY_FILE old.txt\n");
    DataFileNames names;
    ASSERT_TRUE(writeEngineConfig(dir.file("zintra.ini"), names));
    ASSERT_TRUE(writeEngineConfig(dir.file("zintra.ini"), names));  // twice: still one block
    const std::string ini = dir.read("zintra.ini");
    EXPECT_EQ(ini.rfind("# head\n", 0), 0u);
    EXPECT_NE(ini.find("TEMPLATES_DIR tpl\n"), std::string::npos);
    EXPECT_NE(ini.find("GRAMMAR_FILE g.txt\n"), std::string::npos);
    EXPECT_EQ(ini.find("old.txt"), std::string::npos);
    EXPECT_EQ(ini.find("TN_SYMBOL ,\n"), std::string::npos);
    EXPECT_NE(ini.find("DICTIONARY_FILE lexicon.txt\n"), std::string::npos);
    EXPECT_NE(ini.find("SPECIAL_TAIL \"n't\""), std::string::npos);
    EXPECT_NE(ini.find("SPERATE_FLAG 1\n"), std::string::npos);
    EXPECT_EQ(ini.find("DICTIONARY_FILE"), ini.rfind("DICTIONARY_FILE"));
}

TEST(EngineConfig, TheBlockStaysWhereTheFileHadIt) {
    test::ScratchDir dir;
    dir.write("zintra.ini",
              "# head\n# --- language data (written by langdata) ---\nBIGRAMS b.txt\n"
              "# --- end of language data ---\n# the grammar\nGRAMMAR_FILE g.txt\n");
    ASSERT_TRUE(writeEngineConfig(dir.file("zintra.ini"), DataFileNames{}));
    const std::string ini = dir.read("zintra.ini");
    EXPECT_EQ(ini.rfind("# head\n# --- language data", 0), 0u);
    EXPECT_NE(ini.find("# --- end of language data ---\n# the grammar\nGRAMMAR_FILE g.txt\n"), std::string::npos);
    EXPECT_EQ(ini.find("b.txt"), std::string::npos);
}

// The written symbol lists make the engine cut ordinary text the way the
// treebank does.
TEST(EngineConfig, TheEngineCutsTextLikeTheTreebank) {
    test::ScratchDir dir;
    dir.write("lexicon.txt", "I PRP\n");
    dir.write("lexical_rules.txt", "");
    dir.write("bigrams.txt", "");
    dir.write("compounds.txt", "ice cream/NN\n");
    dir.write("contextual_rules.txt", "NN NN CURWD STAART\n");
    ASSERT_TRUE(writeEngineConfig(dir.file("zintra.ini"), DataFileNames{}));
    const auto saved = std::filesystem::current_path();
    std::filesystem::current_path(dir.path());
    zintra::Analyzer analyzer;
    const bool loaded = analyzer.load("zintra.ini", zintra::Analyzer::Scope::Tagging);
    std::filesystem::current_path(saved);
    ASSERT_TRUE(loaded);
    zintra::Arena arena;
    auto cut = [&](const std::string& text) {
        std::string out;
        for (const zintra::Token* t = zintra::tagSentence(analyzer.data(), text, arena); t; t = t->next) {
            if (!out.empty()) out += '|';
            out += t->word;
        }
        return out;
    };
    EXPECT_EQ(cut("I don't think it's well-known."), "I|do|n't|think|it|'s|well|-|known|.");
    EXPECT_EQ(cut("We're sure you'll see, I'm told, they've won!"),
              "We|'re|sure|you|'ll|see|,|I|'m|told|,|they|'ve|won|!");
    // (Round brackets are the engine's own mark for pre-tagged groups.)
    EXPECT_EQ(cut("It costs $5 [or 10%] on 11/28/2000 at 10:30 -- and/or 1,000 more"),
              "It|costs|$|5|[|or|10|%|]|on|11/28/2000|at|10:30|--|and|/|or|1,000|more");
    EXPECT_EQ(cut("The U.S. team won 3-4 \"again\"?!"), "The|U.S.|team|won|3-4|\"|again|\"|?!");
}

// The learner's text as the engine cuts and tags it: a one-word bracket
// group loses its brackets, a bracket group with a tag becomes one fixed
// token no rule may change or name, a compound is one token whose members
// are scored by the tags they keep, and a token the treebank cuts otherwise
// has no gold tag.
TEST(EngineCorpus, PairsTheEngineTokensWithTheTreebanks) {
    test::ScratchDir dir;
    std::istringstream in(test::conlluSentence("1", "(/-LRB- Laughter/NN )/-RRB- I/PRP like/VBP ice/NN cream/NN ./.") +
                          test::conlluSentence("2", "(/-LRB- See/VB attached/VBN file/NN )/-RRB- e-mail/NN ok/UH"));
    const auto sentences = readConllu(in);
    LanguageData data;
    data.lexicon.set("I", {"PRP"});
    data.lexicon.set("like", {"IN", "VBP"});
    data.lexicon.set("ice", {"NN"});
    data.lexicon.set("cream", {"NN"});
    data.compounds = {{{"ice", "cream"}, "NN", 0}};
    Settings settings;
    CtxCorpus corpus;
    CorpusInfo info;
    EngineCorpusStats stats;
    ASSERT_TRUE(buildEngineCorpus(data, settings, dir.file("work"), sentences, corpus, info, &stats));
    EXPECT_EQ(stats.goldTokens, 15);
    // Not paired: the four brackets, the group's three words, and e-mail (cut in three).
    EXPECT_EQ(stats.pairedTokens, 7);

    ASSERT_EQ(info.sentences.size(), 2u);
    std::vector<std::string> words;
    for (const auto& slot : info.sentences[0]) words.push_back(slot.word);
    EXPECT_EQ(words, (std::vector<std::string>{"Laughter", "I", "like", "ice", "cream", "."}));
    const int first = corpus.sentenceStarts[0] + 2;  // after the two STAART positions
    auto at = [&](int k) { return static_cast<std::size_t>(first + k); };
    EXPECT_EQ(corpus.tags.name(corpus.gold[at(0)]), "NN");
    EXPECT_EQ(corpus.tags.name(corpus.tag[at(2)]), "IN");  // the dictionary's first tag
    EXPECT_EQ(corpus.tags.name(corpus.gold[at(2)]), "VBP");
    EXPECT_TRUE(corpus.allowedTo(static_cast<int>(at(2)), corpus.tags.id("VBP")));
    EXPECT_FALSE(corpus.allowedTo(static_cast<int>(at(2)), corpus.tags.id("NN")));
    // The compound: one unscored, unchangeable token; its members right as they are.
    EXPECT_EQ(corpus.words.name(corpus.word[at(3)]), "");
    EXPECT_EQ(corpus.gold[at(3)], -1);
    EXPECT_FALSE(corpus.candidate[at(3)]);
    EXPECT_EQ(info.members.total(), 2);
    EXPECT_EQ(info.members.correct(), 2);

    const int second = corpus.sentenceStarts[1] + 2;
    const auto group = static_cast<std::size_t>(second);
    EXPECT_EQ(corpus.tags.name(corpus.tag[group]), kGroupTag);
    EXPECT_FALSE(corpus.candidate[group]);
    EXPECT_EQ(corpus.gold[group], -1);
    EXPECT_EQ(corpus.gold[group + 1], -1);  // "e" of e-mail
    EXPECT_TRUE(corpus.candidate[group + 1]);
}

// A small treebank with a planted pattern: "book" is mostly a noun, but
// after "to" it is a verb. The build must order its tags by frequency, learn
// the contextual rule that fixes the verb uses, map HYPH, and the engine
// loading the written files must tag dev exactly as the learner predicts.
class PipelineTest : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string train;
        for (int i = 0; i < 4; ++i) {
            train += "# newdoc id = d" + std::to_string(i) + "\n";
            train += test::conlluSentence("t1", "I/PRP want/VBP to/TO book/VB a/DT room/NN ./.");
            train += test::conlluSentence("t2", "the/DT book/NN is/VBZ red/JJ ./.");
            train += test::conlluSentence("t3", "a/DT book/NN and/CC a/DT pen/NN ./.");
            train += test::conlluSentence("t4", "we/PRP need/VBP to/TO book/VB it/PRP ./.");
            train += test::conlluSentence("t5", "my/PRP$ book/NN is/VBZ well/RB -/HYPH known/VBN ./.");
            train += test::conlluSentence("t6", "his/PRP$ book/NN was/VBD old/JJ ./.");
        }
        dir.write("train.conllu", train);
        dir.write("dev.conllu", test::conlluSentence("d1", "we/PRP want/VBP to/TO book/VB a/DT book/NN ./.") +
                                    test::conlluSentence("d2", "I/PRP need/VBP a/DT pen/NN ./."));
        dir.write("words", "zorbles\n");
        settings.train = dir.file("train.conllu");
        settings.dev = dir.file("dev.conllu");
        settings.wordLists.dictionaries = {dir.file("words")};
        settings.outDir = dir.path().string();
        settings.folds = 2;
        settings.contextualFolds = 0;
        settings.compounds.builtIn = false;
    }
    test::ScratchDir dir;
    Settings settings;
};

TEST_F(PipelineTest, LearnsThePlantedRuleAndTheEngineAgrees) {
    Report report;
    const LanguageData data = buildLanguageData(settings, report);
    ASSERT_NE(data.lexicon.find("book"), nullptr);
    EXPECT_EQ(*data.lexicon.find("book"), (std::vector<std::string>{"NN", "VB"}));
    EXPECT_EQ(*data.lexicon.find("-"), (std::vector<std::string>{":"}));
    EXPECT_GT(report.engineCorpus.pairedTokens, 0);
    EXPECT_EQ(report.engineCorpus.pairedTokens, report.engineCorpus.goldTokens);
    ASSERT_FALSE(data.contextualRules.empty());
    EXPECT_EQ(data.contextualRules[0].substr(0, 6), "NN VB ");
    EXPECT_EQ(report.trainFinal.correct(), report.trainFinal.total());
    EXPECT_EQ(report.devFinal.total(), 12);
    EXPECT_EQ(report.devFinal.correct(), 12);
    EXPECT_EQ(report.devBaseline.correct(), 11);  // "book" after "to" is the baseline's one error
    // A listed word of unknown part of speech is in the dictionary all the same.
    EXPECT_NE(data.lexicon.find("zorbles"), nullptr);

    writeLanguageData(data, settings);
    const std::string lexicon = dir.read("lexicon.txt");
    EXPECT_NE(lexicon.find("\nbook NN VB\n"), std::string::npos);
    EXPECT_NE(dir.read("contextual_rules.txt").find(data.contextualRules[0] + "\n"), std::string::npos);
    EXPECT_NE(dir.read("compounds.txt").find("# "), std::string::npos);

    std::istringstream devText(dir.read("dev.conllu"));
    const auto dev = readConllu(devText);
    const EngineCheck check = checkWithEngine(dir.file("zintra.ini"), dev, false, report.devPredicted);
    ASSERT_TRUE(check.loaded);

    EXPECT_EQ(check.sentencesCutAlike, 2);
    EXPECT_EQ(check.comparedWithLearner, report.devFinal.total());
    EXPECT_EQ(check.agreeWithLearner, check.comparedWithLearner);
    EXPECT_EQ(check.accuracy.correct(), report.devFinal.correct());
}

TEST_F(PipelineTest, HandWrittenRulesFollowTheLearnedOnes) {
    Report report;
    const LanguageData data = buildLanguageData(settings, report);
    dir.write("extra.txt", "# a comment\nIN VB WDAND2BFR do like\n\nIN VBP LBIGRAM I like\n");
    settings.extraContextual = {dir.file("extra.txt")};
    writeLanguageData(data, settings);
    const std::string rules = dir.read("contextual_rules.txt");
    size_t learned = rules.find(data.contextualRules.back() + "\n");
    size_t first = rules.find("\nIN VB WDAND2BFR do like\nIN VBP LBIGRAM I like\n");
    ASSERT_NE(learned, std::string::npos);
    ASSERT_NE(first, std::string::npos);
    EXPECT_LT(learned, first);
    EXPECT_EQ(rules.find("a comment"), std::string::npos);
    settings.extraContextual = {dir.file("missing.txt")};
    EXPECT_THROW(writeLanguageData(data, settings), std::runtime_error);
}

TEST_F(PipelineTest, UnreadableInputIsAnError) {
    settings.train = dir.file("missing.conllu");
    Report report;
    EXPECT_THROW(buildLanguageData(settings, report), std::runtime_error);
    settings.train = dir.file("train.conllu");
    settings.wordLists.dictionaries = {dir.file("missing-words")};
    EXPECT_THROW(buildLanguageData(settings, report), std::runtime_error);
}

}  // namespace
}  // namespace langdata
