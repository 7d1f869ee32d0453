// The listening quiz without a screen: the blank normalisation, the selection
// from the HExLog states, play and check counts, F10, settling with and
// without a check, the end message and the re-quiz.
#include "app/exercises/listening_quiz.h"
#include "tests/app/core/exercise_fixture.h"

#include <gtest/gtest.h>

namespace korvel {
namespace {

QString blanked(QString text)
{
    chk_Blank(text);
    return text;
}

TEST(ChkBlank, BlanksAroundPunctuation)
{
    EXPECT_EQ(blanked(QStringLiteral("Yes ,  I  am .")), blanked(QStringLiteral("Yes, I am.")));
    EXPECT_EQ(blanked(QStringLiteral("Yes ,  I  am .")), QStringLiteral("Yes,I am."));
    EXPECT_EQ(blanked(QStringLiteral("Is it ?  Oh !")), QStringLiteral("Is it?Oh!"));
    EXPECT_EQ(blanked(QStringLiteral("Mr. Brown .  ")), QStringLiteral("Mr. Brown."));
    EXPECT_NE(blanked(QStringLiteral("yes, I am.")), blanked(QStringLiteral("Yes, I am.")));
}

class ListeningQuizTest : public test::ExerciseTest {
protected:
    void SetUp() override
    {
        ExerciseTest::SetUp();
        lessonFile(QStringLiteral("基本文.txt"), {QStringLiteral("No.\t章\t番号\t日本語\t英語\tフラグ\t別文"),
                                                  QStringLiteral("1\t1\t1\tはい、そうです。\tYes, I am.\t0"),
                                                  QStringLiteral("2\t1\t2\t聞かない。\tNot heard.\t10"),
                                                  QStringLiteral("3\t1\t3\t聞かない。\tNot heard either.\t110"),
                                                  QStringLiteral("4\t1\t4\t彼は少年です。\tHe is a boy.\t101"),
                                                  QStringLiteral("5\t2\t1\t彼は先生です。\tHe is a teacher.\t0")});
        random.values = {0.0};
    }
    void heard(std::int16_t row, std::int16_t chapter, bool right)
    {
        HExLogRecord record;
        record.row = row;
        record.chapter = chapter;
        record.typed = QStringLiteral("x");
        record.checks = 1;
        record.right = right ? -1 : 0;
        put_HExLog(*session, record);
    }
};

TEST_F(ListeningQuizTest, RemainderTenNeverAskedRecordingPartPlayed)
{
    ListeningQuiz quiz(*session);
    quiz.start();
    ASSERT_EQ(quiz.count(), 2);
    EXPECT_EQ(quiz.current()->row, 1);
    EXPECT_TRUE(quiz.play().endsWith(QStringLiteral("/s01-01.mp3")));
    EXPECT_TRUE(quiz.next(QString()).endsWith(QStringLiteral("/s01-04-h1.mp3")));
}

TEST_F(ListeningQuizTest, ThreePlaysRightOnTheThirdCheckIsLoggedOnce)
{
    ListeningQuiz quiz(*session);
    quiz.start();
    quiz.play();
    quiz.play();
    quiz.play();
    EXPECT_EQ(quiz.check(QStringLiteral("Yes I am")), ListeningQuiz::Verdict::Wrong);
    EXPECT_EQ(quiz.verdictText(), QStringLiteral("間違っています。(1回目)"));
    EXPECT_EQ(quiz.check(QStringLiteral("Yes , I")), ListeningQuiz::Verdict::Wrong);
    EXPECT_EQ(quiz.check(QStringLiteral("Yes ,I am .")), ListeningQuiz::Verdict::Right);
    EXPECT_EQ(quiz.verdictText(), QStringLiteral("正解です。(3回目)"));
    // After a right check, Enter does nothing and the speaker no longer counts.
    EXPECT_EQ(quiz.check(QStringLiteral("Yes, I am.")), ListeningQuiz::Verdict::None);
    quiz.play();
    EXPECT_EQ(quiz.plays(), 3);
    quiz.next(QStringLiteral("Yes ,I am ."));
    const auto logged = records(LogName::HExLog);
    ASSERT_EQ(logged.size(), 1u);
    const HExLogRecord record = decodeHExLog(logged[0]);
    EXPECT_EQ(record.row, 1);
    EXPECT_EQ(record.plays, 3);
    EXPECT_EQ(record.checks, 3);
    EXPECT_EQ(record.right, -1);
    EXPECT_EQ(record.typed, QStringLiteral("Yes ,I am ."));
    ASSERT_EQ(quiz.results().size(), 1u);
    EXPECT_EQ(quiz.results()[0].mark, QStringLiteral("○"));
    EXPECT_EQ(quiz.results()[0].model, QStringLiteral("Yes, I am. (3 回目 )"));
}

TEST_F(ListeningQuizTest, PlayedButNeverCheckedAddsAnUnmarkedRowOnly)
{
    ListeningQuiz quiz(*session);
    quiz.start();
    quiz.play();
    quiz.next(QStringLiteral("typed but not checked"));
    EXPECT_TRUE(records(LogName::HExLog).empty());
    ASSERT_EQ(quiz.results().size(), 1u);
    EXPECT_TRUE(quiz.results()[0].mark.isEmpty());
    EXPECT_EQ(quiz.run().answered, 0);
    // The second sentence: checked wrong; the newest result comes first.
    quiz.check(QStringLiteral("He is boy."));
    EXPECT_TRUE(quiz.next(QStringLiteral("He is boy.")).isEmpty());
    EXPECT_TRUE(quiz.ended());
    EXPECT_EQ(quiz.endMessage(), QStringLiteral("聞き取りクイズは終了しました。"));
    ASSERT_EQ(quiz.results().size(), 2u);
    EXPECT_EQ(quiz.results()[0].mark, QStringLiteral("×"));
    EXPECT_EQ(quiz.results()[0].number, QStringLiteral("2"));
    quiz.leave(QString());
    const auto runs = records(LogName::UserLog);
    ASSERT_EQ(runs.size(), 1u);
    const UserLogRecord run = decodeUserLog(runs[0]);
    EXPECT_EQ(run.kind, 3);
    EXPECT_EQ(run.questions, 2);
    EXPECT_EQ(run.right, 0);
    EXPECT_EQ(run.wrong, 1);
}

TEST_F(ListeningQuizTest, AfterTheModelIsShownEnterDoesNotCheck)
{
    ListeningQuiz quiz(*session);
    quiz.start();
    EXPECT_EQ(quiz.showAnswer(), QStringLiteral("はい、そうです。\nYes, I am."));
    EXPECT_EQ(quiz.check(QStringLiteral("Yes, I am.")), ListeningQuiz::Verdict::Shown);
    EXPECT_EQ(quiz.checks(), 0);
}

TEST_F(ListeningQuizTest, EverythingHeardRightEndsAtOnceUnlessListenedAgain)
{
    heard(1, 1, true);
    heard(4, 1, false);
    heard(4, 1, true);
    ListeningQuiz quiz(*session);
    quiz.start();
    EXPECT_TRUE(quiz.ended());
    EXPECT_EQ(quiz.count(), 0);
    EXPECT_TRUE(quiz.setListenAgain(true, QString()));
    EXPECT_EQ(quiz.count(), 2);
    quiz.play();
    EXPECT_FALSE(quiz.setListenAgain(false, QString()));
    EXPECT_FALSE(quiz.setChapter(2, QString()));
}

TEST_F(ListeningQuizTest, RequizTakesWrongSentencesOfEveryChapter)
{
    heard(1, 1, false);
    heard(5, 2, true);
    heard(5, 2, false);
    heard(4, 1, false);
    heard(4, 1, true);
    session->setChapter(kRetestListening);
    ListeningQuiz quiz(*session);
    quiz.start();
    EXPECT_EQ(quiz.caption(), QStringLiteral("聞き取りで×の英文　再クイズ"));
    ASSERT_EQ(quiz.count(), 2);
    EXPECT_EQ(quiz.current()->row, 1);
    quiz.next(QString());
    EXPECT_EQ(quiz.current()->row, 5);
    EXPECT_TRUE(quiz.play().endsWith(QStringLiteral("/s02-01.mp3")));  // the row's own chapter
    quiz.check(QStringLiteral("He is a teacher."));
    quiz.next(QStringLiteral("He is a teacher."));
    EXPECT_EQ(quiz.endMessage(), QStringLiteral("聞き取り再クイズは終了しました。"));
    EXPECT_EQ(decodeHExLog(records(LogName::HExLog).back()).chapter, kRetestListening);
}

}  // namespace
}  // namespace korvel
