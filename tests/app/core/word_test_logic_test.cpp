// The word test and the word study aid without a screen: accepted spellings,
// the selection with and without the words already right, spoken phrases,
// the re-test over all chapters, marks, WordLog and UserLog records.
#include "app/exercises/word_study.h"
#include "app/exercises/word_test.h"
#include "tests/app/core/exercise_fixture.h"

#include <gtest/gtest.h>

namespace korvel {
namespace {

TEST(SpellingCheck, EitherSpellingWithOrWithoutBlanksCapitalsCount)
{
    for (const QString& spelling : {QStringLiteral("color,colour"), QStringLiteral("color , colour")}) {
        EXPECT_TRUE(spellingAccepts(spelling, QStringLiteral("color")));
        EXPECT_TRUE(spellingAccepts(spelling, QStringLiteral(" colour ")));
        EXPECT_FALSE(spellingAccepts(spelling, QStringLiteral("Color")));
        EXPECT_FALSE(spellingAccepts(spelling, QStringLiteral("color,colour")));
        EXPECT_FALSE(spellingAccepts(spelling, QStringLiteral("")));
    }
    EXPECT_FALSE(spellingAccepts(QStringLiteral("Mr."), QStringLiteral("Mr")));
}

class WordTestLogic : public test::ExerciseTest {
protected:
    void SetUp() override
    {
        ExerciseTest::SetUp();
        lessonFile(QStringLiteral("単語.txt"), {QStringLiteral("No.\t章\t表示\t番号\t意味\t英語\t補足\t種類"),
                                                QStringLiteral("1\t1\t0\t1\t本\tbook\tブック\t名詞"),
                                                QStringLiteral("2\t1\t0\t2\t色\tcolor, colour\tカラー\t名詞"),
                                                QStringLiteral("3\t1\t0\t3\tこんにちは\tHello.\tハロー\t話し言葉"),
                                                QStringLiteral("4\t1\t1\t4\t猫\tcat\tキャット\t名詞"),
                                                QStringLiteral("5\t2\t0\t1\t犬\tdog\tドッグ\t名詞"),
                                                QStringLiteral("6\t3\t0\t1\t鳥\tbird\tバード\t名詞")});
        random.values = {0.0};
    }

    void logWord(std::int16_t word, std::int16_t chapter, bool right, int minutes)
    {
        WordLogRecord record;
        record.when = clock.at.addSecs(60 * minutes);
        record.word = word;
        record.chapter = chapter;
        record.right = right ? -1 : 0;
        record.answer = QStringLiteral("x");
        put_WordLog(*session, record);
    }

    static QStringList spellings(const WordTest& test)
    {
        QStringList out;
        for (const auto& row : test.grid()) {
            out << test.list()[static_cast<std::size_t>(row.entry)].spelling;
        }
        return out;
    }
};

TEST_F(WordTestLogic, SpokenPhraseNeverAskedUnlistedWordAsked)
{
    WordTest test(*session);
    test.setRandomOrder(false);
    EXPECT_EQ(spellings(test), (QStringList{"book", "color, colour", "cat"}));
    EXPECT_EQ(test.run().questions, 3);
    EXPECT_EQ(test.caption(), QStringLiteral("第1章　単語テスト"));
}

TEST_F(WordTestLogic, WordsRightAreLeftOutUnlessTestedAgain)
{
    logWord(1, 1, false, 0);
    logWord(1, 1, true, 1);  // newest right: left out
    logWord(4, 1, true, 0);
    logWord(4, 1, false, 1);  // newest wrong: asked
    WordTest test(*session);
    test.setRandomOrder(false);
    EXPECT_EQ(spellings(test), (QStringList{"color, colour", "cat"}));
    test.setTestAgain(true);
    EXPECT_EQ(spellings(test), (QStringList{"book", "color, colour", "cat"}));
}

TEST_F(WordTestLogic, AnswersAreMarkedLoggedAndCountedThenOptionsAreFixed)
{
    WordTest test(*session);
    test.setRandomOrder(false);
    EXPECT_FALSE(test.key(WordTest::Key::Enter, QStringLiteral("   ")));
    EXPECT_TRUE(test.key(WordTest::Key::Enter, QStringLiteral(" book ")));
    EXPECT_EQ(test.grid()[0].mark, QStringLiteral("○"));
    EXPECT_EQ(test.grid()[0].answer, QStringLiteral("book"));
    EXPECT_EQ(test.selectedRow(), 2);
    EXPECT_TRUE(test.key(WordTest::Key::Enter, QStringLiteral("Colour")));
    EXPECT_EQ(test.grid()[1].mark, QStringLiteral("×"));
    EXPECT_EQ(test.grid()[1].right, QStringLiteral("color, colour"));
    // A marked row is not checked again.
    test.select(1);
    EXPECT_FALSE(test.key(WordTest::Key::Enter, QStringLiteral("book")));
    EXPECT_FALSE(test.setTestAgain(true));
    EXPECT_FALSE(test.setChapter(2));

    const auto words = records(LogName::WordLog);
    ASSERT_EQ(words.size(), 2u);
    const WordLogRecord second = decodeWordLog(words[1]);
    EXPECT_EQ(second.word, 2);
    EXPECT_EQ(second.chapter, 1);
    EXPECT_EQ(second.right, 0);
    EXPECT_EQ(second.answer, QStringLiteral("Colour"));
    EXPECT_EQ(test.run().right, 1);
    EXPECT_EQ(test.run().wrong, 1);

    test.leave();
    const auto runs = records(LogName::UserLog);
    ASSERT_EQ(runs.size(), 1u);
    const UserLogRecord run = decodeUserLog(runs[0]);
    EXPECT_EQ(run.kind, 1);
    EXPECT_EQ(run.questions, 3);
    EXPECT_EQ(run.right, 1);
    EXPECT_EQ(run.wrong, 1);
}

TEST_F(WordTestLogic, LeavingBeforeAnyAnswerWritesNoRun)
{
    WordTest test(*session);
    test.leave();
    EXPECT_TRUE(records(LogName::UserLog).empty());
}

TEST_F(WordTestLogic, RetestTakesWrongWordsOfEveryChapter)
{
    logWord(1, 1, false, 0);
    logWord(6, 3, false, 0);
    logWord(5, 2, false, 0);
    logWord(5, 2, true, 1);
    session->setChapter(kRetestWords);
    WordTest test(*session);
    test.setRandomOrder(false);
    EXPECT_EQ(spellings(test), (QStringList{"book", "bird"}));
    EXPECT_EQ(test.columnTitles().last(), QStringLiteral("章"));
    EXPECT_EQ(test.grid()[1].chapter, QStringLiteral("3"));
    EXPECT_EQ(test.caption(), QStringLiteral("テストで×の単語　再テスト"));
    EXPECT_EQ(test.chapterForFunction(7), kRetestCompositions);
    EXPECT_EQ(test.chapterForFunction(1), 1);
    // The record keeps the word's own chapter, not 98.
    test.key(WordTest::Key::Enter, QStringLiteral("bird"));
    const auto words = records(LogName::WordLog);
    EXPECT_EQ(decodeWordLog(words.back()).chapter, 1);
}

TEST_F(WordTestLogic, RandomOrderShufflesAndLongMeaningsAreSplit)
{
    random.values = {0.9, 0.5, 0.1};
    WordTest test(*session, 1);
    test.start();
    ASSERT_EQ(test.grid().size(), 3u);
    EXPECT_EQ(spellings(test), (QStringList{"cat", "color, colour", "book"}));
    EXPECT_FALSE(test.grid()[2].twoLines);  // "本" fits one character
    bool two = false;
    EXPECT_EQ(splitMeaning(QStringLiteral("こんにちは"), 3, &two), QStringLiteral("こんに\rちは"));
    EXPECT_TRUE(two);
}

TEST_F(WordTestLogic, WordsListReviewOptionAndStudyAid)
{
    logWord(1, 1, true, 0);
    logWord(2, 1, true, 0);
    logWord(2, 1, false, 1);
    const auto all = wordsList(*session, true);
    ASSERT_EQ(all.size(), 4u);  // the title row and the three listed words
    const auto review = wordsList(*session, false);
    ASSERT_EQ(review.size(), 3u);
    EXPECT_EQ(review[1].spelling, QStringLiteral("color, colour"));
    EXPECT_EQ(wordStateText(review[1]), QStringLiteral("未修得"));

    const WordAidView spoken = wordAidView(*session, all[3], {}, WordsOptions{});
    EXPECT_FALSE(spoken.typing);
    EXPECT_EQ(spoken.instruction, kSpokenPhraseNote);
    EXPECT_EQ(spoken.state, QStringLiteral("未テスト"));

    WordExample example;
    example.chapter = 1;
    example.number = 1;
    example.kind = WordExample::ExplanationAndExample;
    example.text = QStringLiteral("This is a book.");
    WordsOptions quiet;
    quiet.playFirst = false;
    quiet.showEnglish = false;
    const WordAidView book = wordAidView(*session, all[1], {example}, quiet);
    EXPECT_TRUE(book.typing);
    EXPECT_EQ(book.state, QStringLiteral("習得済"));
    EXPECT_EQ(book.exampleTitle, QStringLiteral("説明と例文"));
    EXPECT_EQ(book.exampleText, QStringLiteral("This is a book."));
    EXPECT_TRUE(book.spelling.isEmpty());
    EXPECT_TRUE(book.recording.isEmpty());
    EXPECT_TRUE(book.picture.isEmpty());  // no picture file

    EXPECT_EQ(checkWordAid(all[2], QStringLiteral("colour")).text, QStringLiteral("正解 !  colour"));
    EXPECT_EQ(checkWordAid(all[2], QStringLiteral("Color")).text, QStringLiteral("残念 !  Color"));
    EXPECT_FALSE(checkWordAid(all[2], QStringLiteral("  ")).checked);
}

}  // namespace
}  // namespace korvel
