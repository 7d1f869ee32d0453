// frm単語, frm単語おたすけ and frm単語テスト through their widgets on the
// bundled course: the words list and its review option, the study aid's keys
// and check, the word test's marks, its logs, and the re-test's switch to the
// composition re-test.
#include "app/exercises/ui/frm_composition_test.h"
#include "app/exercises/ui/frm_word_aid.h"
#include "app/exercises/ui/function_bar.h"
#include "app/exercises/ui/media_sound_out.h"
#include "tests/app/ui/exercise_screen_fixture.h"

#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QTest>

#include <gtest/gtest.h>

namespace korvel {
namespace {

class WordScreensTest : public test::ExerciseScreenTest {
protected:
    void logWord(std::int16_t word, std::int16_t chapter, bool right)
    {
        WordLogRecord record;
        record.when = clock.at;
        record.word = word;
        record.chapter = chapter;
        record.right = right ? -1 : 0;
        record.answer = QStringLiteral("x");
        put_WordLog(*session, record);
    }
};

TEST_F(WordScreensTest, WordsListOpensTheAidWhichChecksWithoutLogging)
{
    auto* words = openAs<frm単語>(ScreenId::Words, 1);
    ASSERT_NE(words, nullptr);
    EXPECT_EQ(prompt.count(), 0u) << prompt.transcript().toStdString();  // no log yet is no error
    EXPECT_EQ(words->LabelCaption->text(), QStringLiteral("第1章"));
    ASSERT_GT(words->GridWords->rowCount(), 5);
    EXPECT_EQ(words->GridWords->item(0, 1)->text(), QStringLiteral("私は"));
    EXPECT_EQ(words->GridWords->item(0, 2)->text(), QStringLiteral("I"));

    words->GridWords->cellClicked(0, 1);
    test::ScreenTest::settle();
    frm単語おたすけ* aid = words->aid();
    ASSERT_NE(aid, nullptr);
    EXPECT_FALSE(words->OptionReview.buttons[0]->isEnabled());
    EXPECT_EQ(aid->windowTitle(), QStringLiteral("単語習得オタスケ"));
    EXPECT_EQ(aid->LabelMeaning->text(), QStringLiteral("私は"));
    EXPECT_EQ(aid->LabelState->text(), QStringLiteral("未テスト"));
    EXPECT_EQ(aid->LabelExampleTitle->text(), QStringLiteral("説明"));
    ASSERT_FALSE(sound.played.isEmpty());
    EXPECT_TRUE(sound.played.last().endsWith(QStringLiteral("AudioWord/w01-01.mp3")));

    type(aid->TextTyping, QStringLiteral("I"), true);
    EXPECT_EQ(aid->LabelResult->text(), QStringLiteral("正解 !  I"));
    aid->TextTyping->clear();
    type(aid->TextTyping, QStringLiteral("i"), true);
    EXPECT_EQ(aid->LabelResult->text(), QStringLiteral("残念 !  i"));
    QTest::keyClick(aid->TextTyping, Qt::Key_Down);
    EXPECT_EQ(aid->row(), 2);
    EXPECT_EQ(aid->LabelMeaning->text(), words->words()[2].meaning);
    EXPECT_TRUE(aid->TextTyping->text().isEmpty());
    QTest::keyClick(aid->TextTyping, Qt::Key_F9);
    test::ScreenTest::settle();
    EXPECT_EQ(words->aid(), nullptr);
    EXPECT_TRUE(records(LogName::WordLog).empty());
}

TEST_F(WordScreensTest, WithoutReviewWordsAnsweredRightAreLeftOut)
{
    logWord(1, 1, true);
    logWord(2, 1, false);
    auto* words = openAs<frm単語>(ScreenId::Words, 1);
    const int all = words->GridWords->rowCount();
    words->OptionReview.buttons[1]->click();
    EXPECT_EQ(words->GridWords->rowCount(), all - 1);
    EXPECT_EQ(words->GridWords->item(0, 2)->text(), QStringLiteral("am"));
}

TEST_F(WordScreensTest, WordTestMarksLogsAndWritesTheRunOnLeaving)
{
    auto* test = openAs<frm単語テスト>(ScreenId::WordTest, 1);
    ASSERT_NE(test, nullptr);
    EXPECT_EQ(test->windowTitle(), QStringLiteral("第1章　単語テスト"));
    test->OptionOrder.buttons[0]->click();  // file order
    ASSERT_GT(test->GridTest->rowCount(), 3);
    EXPECT_EQ(test->GridTest->item(0, WordTest::kJapaneseColumn)->text(), QStringLiteral("私は"));
    type(test->TextAnswer, QStringLiteral("I"), true);
    type(test->TextAnswer, QStringLiteral("is"), true);
    EXPECT_EQ(test->GridTest->item(0, WordTest::kMarkColumn)->text(), QStringLiteral("○"));
    EXPECT_EQ(test->GridTest->item(1, WordTest::kEnglishColumn)->text(), QStringLiteral("is"));
    EXPECT_EQ(test->GridTest->item(1, WordTest::kMarkColumn)->text(), QStringLiteral("×"));
    EXPECT_EQ(test->GridTest->item(1, WordTest::kRightColumn)->text(), QStringLiteral("am"));
    EXPECT_FALSE(test->OptionAgain.buttons[0]->isEnabled());
    EXPECT_EQ(sound.played.size(), 2);
    EXPECT_TRUE(sound.played[0].contains(QStringLiteral("AudioOKNG/ok_")));
    EXPECT_TRUE(sound.played[1].contains(QStringLiteral("AudioOKNG/ng_")));
    const auto words = records(LogName::WordLog);
    ASSERT_EQ(words.size(), 2u);
    EXPECT_EQ(decodeWordLog(words[1]).answer, QStringLiteral("is"));

    test->Bar->CommandHome->click();
    settle();
    const auto runs = records(LogName::UserLog);
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_EQ(decodeUserLog(runs[0]).kind, 1);
    EXPECT_EQ(decodeUserLog(runs[0]).right, 1);
    EXPECT_EQ(decodeUserLog(runs[0]).wrong, 1);
}

TEST_F(WordScreensTest, RetestShowsTheChapterAndSwitchesToTheCompositionRetest)
{
    logWord(1, 1, false);
    logWord(21, 2, false);
    logWord(20, 1, false);  // a spoken phrase: never in the test
    openHomeAs(0);
    auto* test = dynamic_cast<frm単語テスト*>(navigator->openRetest(kRetestWords));
    ASSERT_NE(test, nullptr);
    settle();
    EXPECT_EQ(test->windowTitle(), QStringLiteral("テストで×の単語　再テスト"));
    EXPECT_EQ(test->GridTest->rowCount(), 2);
    EXPECT_EQ(test->GridTest->columnCount(), 6);
    EXPECT_FALSE(test->SpinChapter->isVisible());
    test->Bar->CommandFunction[7]->click();
    settle();
    EXPECT_EQ(session->chapter(), kRetestCompositions);
    EXPECT_NE(dynamic_cast<frm英作文テスト*>(navigator->lastOpened()), nullptr);
}

// The exercise screens' own player: on a machine without a sound device (as
// here and in CI) a recording is skipped; before any other player of the
// process chose the media back end, making one crashed in GStreamer.
TEST(MediaSoundOut, PlayingARecordingDoesNotCrashWithoutASoundDevice)
{
    test::TempDir dir;
    const QString file = dir.write(QStringLiteral("s01-01.mp3"), QByteArray(64, '\0'));
    QObject owner;
    MediaSoundOut sound(&owner);
    sound.play(file);
    sound.play(file);
    QTest::qWait(300);
    SUCCEED();
}

}  // namespace
}  // namespace korvel
