// Tags of word-list forms from a small WordNet written by the test.
#include <gtest/gtest.h>

#include "sample_treebank.h"
#include "tools/langdata/word_lists.h"

namespace langdata {
namespace {

std::string dataLine(const std::string& offset, const std::vector<std::string>& words) {
    char count[8];
    std::snprintf(count, sizeof count, "%02zx", words.size());
    std::string line = offset + " 05 n " + count;
    for (const std::string& w : words) line += " " + w + " 0";
    return line + " 000 | gloss\n";
}

class WordListsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        dir.write("data.noun", "  1 license header line\n" + dataLine("00000001", {"book", "volume"}) +
                                   dataLine("00000002", {"child"}) + dataLine("00000003", {"ice_cream"}) +
                                   dataLine("00000004", {"American"}) + dataLine("00000005", {"stop"}));
        dir.write("data.verb", dataLine("00000010", {"book"}) + dataLine("00000011", {"stop", "run"}));
        dir.write("data.adj", dataLine("00000020", {"big", "happy", "galore(ip)"}));
        dir.write("data.adv", dataLine("00000030", {"well"}));
        dir.write("noun.exc", "children child\n");
        dir.write("verb.exc", "ran run\nrunning run\n");
        dir.write("adj.exc", "better good\n");
        dir.write("adv.exc", "best well\n");
        dir.write("words",
                  "books\nstopped\nstopping\nbigger\nhappiest\nAmericans\nwell-known\ncat's\nzyzzyva\n"
                  "Bogot\xc3\xa1\nvolumes\n");
        WordListSources sources;
        sources.wordnetDir = dir.path().string();
        sources.dictionaries = {dir.file("words")};
        std::vector<std::string> missing;
        data = loadWordLists(sources, &missing);
        EXPECT_TRUE(missing.empty());
    }
    std::vector<std::string> tags(const std::string& w) {
        auto it = data.forms.find(w);
        return it == data.forms.end() ? std::vector<std::string>{"<absent>"} : openTagNames(it->second);
    }
    test::ScratchDir dir;
    WordListData data;
};

TEST_F(WordListsTest, RegularInflectionsOfWordNetLemmas) {
    EXPECT_EQ(tags("books"), (std::vector<std::string>{"NNS", "VBZ"}));
    EXPECT_EQ(tags("volumes"), (std::vector<std::string>{"NNS"}));
    EXPECT_EQ(tags("stopped"), (std::vector<std::string>{"VBD", "VBN"}));
    EXPECT_EQ(tags("stopping"), (std::vector<std::string>{"VBG"}));
    EXPECT_EQ(tags("bigger"), (std::vector<std::string>{"JJR"}));
    EXPECT_EQ(tags("happiest"), (std::vector<std::string>{"JJS"}));
    EXPECT_EQ(tags("book"), (std::vector<std::string>{"NN", "VB", "VBP"}));
    EXPECT_EQ(tags("galore"), (std::vector<std::string>{"JJ"}));
}

TEST_F(WordListsTest, IrregularFormsFromTheExceptionLists) {
    EXPECT_EQ(tags("children"), (std::vector<std::string>{"NNS"}));
    EXPECT_EQ(tags("ran"), (std::vector<std::string>{"VBD", "VBN"}));
    EXPECT_EQ(tags("running"), (std::vector<std::string>{"VBG"}));
    EXPECT_EQ(tags("better"), (std::vector<std::string>{"JJR"}));
    EXPECT_EQ(tags("best"), (std::vector<std::string>{"RBS"}));
}

TEST_F(WordListsTest, NamesAndFormsTheTokenizerNeverSees) {
    EXPECT_EQ(tags("American"), (std::vector<std::string>{"NNP"}));
    EXPECT_EQ(tags("Americans"), (std::vector<std::string>{"NNPS"}));
    EXPECT_EQ(tags("well-known"), (std::vector<std::string>{"<absent>"}));
    EXPECT_EQ(tags("cat's"), (std::vector<std::string>{"<absent>"}));
    EXPECT_EQ(tags("Bogot\xc3\xa1"), (std::vector<std::string>{"<absent>"}));
    EXPECT_EQ(tags("ice_cream"), (std::vector<std::string>{"<absent>"}));
    // Listed, but of no known part of speech.
    ASSERT_TRUE(data.forms.count("zyzzyva"));
    EXPECT_EQ(data.forms.at("zyzzyva"), 0u);
}

TEST(WordLists, MissingFilesAreReported) {
    WordListSources sources;
    sources.dictionaries = {"/nonexistent/words"};
    std::vector<std::string> missing;
    const WordListData data = loadWordLists(sources, &missing);
    EXPECT_EQ(missing, (std::vector<std::string>{"/nonexistent/words"}));
    EXPECT_TRUE(data.forms.empty());
}

}  // namespace
}  // namespace langdata
