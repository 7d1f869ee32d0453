// The sentence items: the final ending, the word spans and the checks of
// capitals, unknown words and spelling.
#include "matcher_fixture.h"

#include "engine/templates/match_workspace.h"
#include "engine/templates/sentence_items.h"

namespace zintra::test {
namespace {

class SentenceItemsTest : public MatcherFixture {
  protected:
    void SetUp() override {
        MatcherFixture::SetUp();
        file.chain("t", {{{"i"}}, {{"like"}}, {{"apples"}, {"oranges"}}, {{"."}}});
        file.chain("u", {{{"this"}},
                         {{"is"}},
                         {{"a"}},
                         {{"pen"}, {"pencil/pen"}, {"don't", FillerKind::Correct}},
                         {{"wrongword", FillerKind::Wrong}}});
    }

    // The items of sentence as "typed>compared:flags", sentinels left out.
    std::string items(const std::string& sentence) {
        const MatchGraphs& graphs = matchGraphsOf(*file);
        prepareSentence(sentence, analyzer, graphs.vocabulary(), *ws);
        std::string out;
        for (size_t i = 1; i + 1 < ws->words.size(); ++i) {
            const ReportItem& item = ws->words[i];
            if (!out.empty()) out += ' ';
            out += item.word;
            if (item.comparison != item.word) {
                out += '>';
                out += item.comparison;
            }
            if (item.flags) {
                out += ':';
                out += std::to_string(item.flags);
            }
        }
        return out;
    }

    FileBuilder file;
    WorkspaceLease ws;
};

TEST_F(SentenceItemsTest, SentinelsFrameTheWordsAndTheFinalEndingIsSeparated) {
    EXPECT_EQ(items("I like apples."), "I>i like apples .");
    ASSERT_EQ(ws->words.size(), 6u);
    EXPECT_EQ(ws->words.front().word, "\xFF");
    EXPECT_EQ(ws->words.back().word, "\xFF");
    EXPECT_EQ(ws->wordIds.front(), kSentinelWordId);
    // Only the first line counts, and trailing blanks do not hide the ending.
    EXPECT_EQ(items("I like apples?  \nsecond line"), "I>i like apples ?");
}

TEST_F(SentenceItemsTest, FinalEndingStaysWhenTheWholeWordIsKnown) {
    EXPECT_EQ(items("this is a pen."), "this:1 is a pen .");
    // "mr." is expected as a whole; "etc." is in the lexicon while "etc" is
    // not expected.
    FileBuilder withAbbreviation;
    withAbbreviation.chain("t", {{{"mr."}}, {{"boy"}}});
    const Vocabulary& vocabulary = matchGraphsOf(*withAbbreviation).vocabulary();
    prepareSentence("boy mr.", analyzer, vocabulary, *ws);
    ASSERT_EQ(ws->words.size(), 4u);
    EXPECT_EQ(ws->words[2].word, "mr.");
    prepareSentence("boy etc.", analyzer, vocabulary, *ws);
    ASSERT_EQ(ws->words.size(), 4u);
    EXPECT_EQ(ws->words[2].word, "etc.");
    // Not in the lexicon: the ending is separated.
    prepareSentence("boy abc.", analyzer, vocabulary, *ws);
    ASSERT_EQ(ws->words.size(), 5u);
    EXPECT_EQ(ws->words[3].word, ".");
}

TEST_F(SentenceItemsTest, CapitalLetters) {
    // A small first letter is flagged on the first word only.
    EXPECT_EQ(items("i like apples"), "i:1 like apples");
    // A capital inside the sentence is compared in lower case and flagged.
    EXPECT_EQ(items("I like Apples"), "I>i like Apples>apples:1");
    // A capital the vocabulary does not know in lower case either: the
    // lexicon decides (the lower-case form is known: a capital error).
    EXPECT_EQ(items("I like Oranges"), "I>i like Oranges>oranges:1");
    EXPECT_EQ(items("I like Boy"), "I>i like Boy:1");
}

TEST_F(SentenceItemsTest, UnknownWordsAndSpelling) {
    // 'appels' is unknown, and compared as its closest vocabulary word.
    EXPECT_EQ(items("I like appels"), "I>i like appels>apples:6");
    // Sharing only half its letters with every candidate: not corrected.
    EXPECT_EQ(items("I like xyzzyq"), "I>i like xyzzyq:2");
    // A lexicon word outside the vocabulary is still compared as its closest
    // vocabulary word, without flag 2.
    EXPECT_EQ(items("I like boy"), "I>i like boy");
    EXPECT_EQ(items("I lke apples"), "I>i lke>like:6 apples");
    // Half of the candidate's letters are not enough: 'ile' shares two of four with 'like'.
    EXPECT_EQ(items("I ile apples"), "I>i ile:2 apples");
    // One-byte words are not checked further.
    EXPECT_EQ(items("I like x"), "I>i like x");
}

TEST_F(SentenceItemsTest, SpellingDoesNotRepeatANeighbour) {
    // 'likee' would become 'like', which the previous word already is.
    EXPECT_EQ(items("I like likee"), "I>i like likee:2");
}

TEST_F(SentenceItemsTest, SpellingCandidatesLeaveOutWrongFillersAndApostrophes) {
    // "wrongword" is expected only by a wrong filler; "don't" has an apostrophe.
    EXPECT_EQ(items("wrongwordd"), "wrongwordd:3");
    EXPECT_EQ(items("dont"), "dont:3");
    // A word with "/" is compared up to it, and replaced by the whole word
    // (compared whole, 'pencl' would share too few letters).
    EXPECT_EQ(items("this is a pencl"), "this:1 is a pencl>pencil/pen:6");
}

TEST_F(SentenceItemsTest, JapaneseWordsAreNotChecked) { EXPECT_EQ(items("\xE3\x81\x82 like"), "\xE3\x81\x82 like"); }

TEST_F(SentenceItemsTest, OnlyThirtySpansAreTaken) {
    std::string sentence;
    for (int i = 0; i < 40; ++i) sentence += "apples ";
    sentence += "apples.";
    items(sentence);
    // 30 spans, the separated ending, two sentinels.
    EXPECT_EQ(ws->words.size(), 33u);
    EXPECT_EQ(ws->words[31].word, ".");
}

}  // namespace
}  // namespace zintra::test
