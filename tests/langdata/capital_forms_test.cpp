// Capitalised forms of lower-case words: which kinds are names first, as
// learned from train's capitalised words that the other folds never saw.
#include <gtest/gtest.h>

#include <sstream>

#include "sample_treebank.h"
#include "tools/langdata/capital_forms.h"

namespace langdata {
namespace {

std::vector<TreebankSentence> sentences(const std::vector<std::string>& tagged) {
    std::string text;
    for (std::size_t i = 0; i < tagged.size(); ++i) text += test::conlluSentence(std::to_string(i + 1), tagged[i]);
    std::istringstream in(text);
    return readConllu(in);
}

Lexicon sampleLexicon() {
    Lexicon lex;
    lex.set("cell", {"NN"});
    lex.set("bank", {"NN", "VB"});
    lex.set("desk", {"NN"});
    lex.set("runs", {"VBZ", "NNS"});
    lex.set("smith", {"NNP"});
    lex.set("fish", {"NN"});
    return lex;
}

TEST(CapitalForms, CountsOnlyFormsTheOtherFoldsNeverSawByTheLowerCaseWordsKind) {
    const auto train = sentences({
        "Cell/NNP rose/VBD",   // fold 0: "cell" is in fold 1, so in train
        "a/DT cell/NN",        // fold 1: lower case, not counted
        "Bank/NNP fell/VBD",   // fold 1: "bank" is in no fold
        "Desk/NN is/VBZ",      // fold 2: the lower-case word's own tag
        "Runs/VBZ Runs/NNS",   // fold 2: its first tag, and another
        "Fish/NNP swim/VBP",   // fold 0 ...
        "Fish/NNP swam/VBD",   // ... and fold 1: seen elsewhere, not counted
        "IBM/NNP Smith/NNP",   // fold 2: upper case skipped; a name's class
        "Zorgon/NNP left/VBD"  // fold 0: the lexicon lacks "zorgon"
    });
    const std::vector<int> fold = {0, 1, 1, 2, 2, 0, 1, 2, 0};
    const auto counts = countCapitalisedForms(train, fold, sampleLexicon());
    auto get = [&](const std::string& top, bool inTrain) {
        auto it = counts.find({top, inTrain});
        return it == counts.end() ? std::vector<long>{}
                                  : std::vector<long>{it->second.names, it->second.lowerTag, it->second.other};
    };
    EXPECT_EQ(get("NN", true), (std::vector<long>{1, 0, 0}));
    EXPECT_EQ(get("NN", false), (std::vector<long>{1, 1, 0}));
    EXPECT_EQ(get("VBZ", false), (std::vector<long>{0, 1, 1}));
    EXPECT_EQ(get("NNP", false), (std::vector<long>{1, 0, 0}));
    EXPECT_EQ(counts.size(), 4u);

    // Names must outnumber the lower-case tag (a tie is not enough), the
    // class must be big enough, and a name's own class never counts.
    const std::set<CapitalClass> one = nameFirstClasses(counts, 1);
    ASSERT_EQ(one.size(), 1u);
    EXPECT_EQ(one.begin()->lowerTop, "NN");
    EXPECT_TRUE(one.begin()->lowerInTrain);
    EXPECT_TRUE(nameFirstClasses(counts, 2).empty());
}

TEST(CapitalForms, NNPGoesFirstOnlyWhereAskedAndNeverTwice) {
    Lexicon lex = sampleLexicon();
    lex.set("Desk", {"NNP", "NN"});
    const std::size_t added = addCapitalisedForms(lex, [](const std::string& lower, const std::vector<std::string>&) {
        return lower == "bank" || lower == "smith";
    });
    EXPECT_EQ(added, 5u);  // all but "desk", which has its capitalised form
    EXPECT_EQ(*lex.find("Bank"), (std::vector<std::string>{"NNP", "NN", "VB"}));
    EXPECT_EQ(*lex.find("Cell"), (std::vector<std::string>{"NN", "NNP"}));
    EXPECT_EQ(*lex.find("Runs"), (std::vector<std::string>{"VBZ", "NNS", "NNP"}));
    EXPECT_EQ(*lex.find("Smith"), (std::vector<std::string>{"NNP"}));
    EXPECT_EQ(*lex.find("Desk"), (std::vector<std::string>{"NNP", "NN"}));
    // The forms added are not taken for lower-case words in turn.
    EXPECT_EQ(lex.find("BAnk"), nullptr);
}

}  // namespace
}  // namespace langdata
