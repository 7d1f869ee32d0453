#include "app/shell/session.h"
#include "app/files/folders.h"
#include "app/shell/error_table.h"
#include "tests/app/test_support.h"

#include <gtest/gtest.h>

namespace korvel {
namespace {

TEST(ErrorMsgLine, FiveFieldsFillTheRow)
{
    const ErrorMsgRow row =
        ErrorMsgTable::parseLine(QStringLiteral("3\tE\t ファイルに書き込めません。 \t書き込み\t説明\tignored"));
    EXPECT_EQ(row.number, 3);
    EXPECT_EQ(row.kind, QStringLiteral("E"));
    EXPECT_EQ(row.message, QStringLiteral("ファイルに書き込めません。"));
    EXPECT_EQ(row.field4, QStringLiteral("書き込み"));
    EXPECT_EQ(row.field5, QStringLiteral("説明"));
}

TEST(ErrorMsgLine, FieldsThreeAndFourNeedAFollowingTab)
{
    EXPECT_EQ(ErrorMsgTable::parseLine(QStringLiteral("2\tE")).message, QString());
    // Without a TAB after it, the third field is not taken.
    EXPECT_EQ(ErrorMsgTable::parseLine(QStringLiteral("2\tE\tmessage")).message, QString());
    const ErrorMsgRow row = ErrorMsgTable::parseLine(QStringLiteral("2\tE\tmessage\tshort"));
    EXPECT_EQ(row.message, QStringLiteral("message"));
    EXPECT_EQ(row.field4, QString());
    EXPECT_EQ(row.field5, QString());
}

TEST(ErrorMsgLine, TextsAreCutToTheirWidths)
{
    const QString line = QStringLiteral("x\tEW\t") + QString(60, QLatin1Char('m')) + QLatin1Char('\t') +
                         QString(25, QLatin1Char('s')) + QLatin1Char('\t') + QString(55, QLatin1Char('t'));
    const ErrorMsgRow row = ErrorMsgTable::parseLine(line);
    EXPECT_EQ(row.number, 0);
    EXPECT_EQ(row.kind, QStringLiteral("E"));
    EXPECT_EQ(row.message.size(), 50);
    EXPECT_EQ(row.field4.size(), 20);
    EXPECT_EQ(row.field5.size(), 50);
}

TEST(ErrorMsgTable, HoldsAtMostThirtyOneRows)
{
    test::TempDir dir;
    QByteArray content;
    for (int i = 0; i < 40; ++i) {
        content += QByteArray::number(i) + "\tE\tm" + QByteArray::number(i) + "\t\t\r\n";
    }
    ErrorMsgTable table;
    ASSERT_TRUE(table.load(dir.write(QStringLiteral("ErrorMsg.txt"), content), nullptr));
    EXPECT_EQ(table.count(), 31);
    EXPECT_EQ(table.message(30), QStringLiteral("m30"));
    EXPECT_EQ(table.message(31), QString());
    EXPECT_EQ(table.message(-1), QString());
}

TEST(ErrorMsgTable, TheBundledTableHasTheRowsTheApplicationUses)
{
    ErrorMsgTable table;
    QString error;
    ASSERT_TRUE(table.load(QStringLiteral(KORVEL_COURSE_DIR "/Lesson/ErrorMsg.txt"), &error)) << error.toStdString();
    ASSERT_GE(table.count(), 6);
    for (int row = 2; row <= 5; ++row) {
        EXPECT_FALSE(table.message(row).isEmpty()) << row;
        EXPECT_EQ(table.rows()[row].number, row);
    }
}

TEST(Folders, EveryFolderHangsOffTheRoot)
{
    const Folders f = Folders::fromRoot(QStringLiteral("/opt/korvel/"));
    EXPECT_EQ(f.contentRoot, QStringLiteral("/opt/korvel"));
    EXPECT_EQ(f.image, QStringLiteral("/opt/korvel/Image"));
    EXPECT_EQ(f.audioOKNG, QStringLiteral("/opt/korvel/AudioOKNG"));
    EXPECT_EQ(f.lesson, QStringLiteral("/opt/korvel/Lesson"));
    EXPECT_EQ(f.html, f.htmlPages);
    EXPECT_EQ(f.root, f.contentRoot);
    EXPECT_EQ(f.userFolder, QStringLiteral("/opt/korvel/Korveluser"));
    EXPECT_EQ(Folders::fromRoot(QStringLiteral("/opt/korvel"), QStringLiteral("CD")).userFolder,
              QStringLiteral("c:/Korveluser"));
}

TEST(Folders, TheContentOptionWinsOverTheEnvironmentAndTheProgramFolder)
{
    qunsetenv("KORVEL_CONTENT");
    EXPECT_EQ(contentRootFromArguments({QStringLiteral("korvel")}, QStringLiteral("/bin/here")),
              QStringLiteral("/bin/here"));
    qputenv("KORVEL_CONTENT", "/env/content");
    EXPECT_EQ(contentRootFromArguments({QStringLiteral("korvel")}, QStringLiteral("/bin/here")),
              QStringLiteral("/env/content"));
    EXPECT_EQ(contentRootFromArguments({QStringLiteral("korvel"), QStringLiteral("--content"), QStringLiteral("/x/y")},
                                       QStringLiteral("/bin/here")),
              QStringLiteral("/x/y"));
    EXPECT_EQ(contentRootFromArguments({QStringLiteral("korvel"), QStringLiteral("--content=/z")},
                                       QStringLiteral("/bin/here")),
              QStringLiteral("/z"));
    qunsetenv("KORVEL_CONTENT");
}

class SessionTest : public test::AppTest {};

TEST_F(SessionTest, TheErrorReportShowsMessageDetailAndRoutine)
{
    installCourse();
    Session& s = startSession();
    EXPECT_EQ(s.dsp_ErrorMsg(3, QStringLiteral("put_SentLog"), QStringLiteral(" フォルダー名 /u/SentLog0.dat")), 0);
    ASSERT_EQ(prompt.count(), 1u);
    EXPECT_EQ(prompt.last().title, QStringLiteral("エラー表示"));
    EXPECT_EQ(prompt.last().buttons, Prompt::Buttons::Ok);
    EXPECT_EQ(prompt.last().text,
              QStringLiteral("エラー：　ファイルに書き込めません。\r\n フォルダー名 /u/SentLog0.dat\r\nput_SentLog"));
}

TEST_F(SessionTest, RowNineHundredNinetyNineShowsNothing)
{
    installCourse();
    Session& s = startSession();
    EXPECT_EQ(s.dsp_ErrorMsg(999, QStringLiteral("x"), QStringLiteral("y")), 0);
    EXPECT_EQ(prompt.count(), 0u);
}

TEST_F(SessionTest, ARowThatIsNotLoadedShowsAnEmptyMessage)
{
    installCourse();
    Session& s = startSession();
    s.dsp_ErrorMsg(30, QStringLiteral("r"), QStringLiteral("d"));
    EXPECT_EQ(prompt.last().text, QStringLiteral("エラー：　\r\nd\r\nr"));
}

TEST_F(SessionTest, AMissingMessageFileIsSaidAndTheTableStaysEmpty)
{
    Session& s = startSession();
    ASSERT_EQ(prompt.count(), 1u);
    EXPECT_EQ(prompt.last().title, QStringLiteral("エラー表示"));
    EXPECT_TRUE(prompt.last().text.startsWith(QStringLiteral("エラー・メッセージ　ファイルがありません。")));
    EXPECT_EQ(s.errorTable().count(), 0);
}

TEST_F(SessionTest, ExitQuestionEndsOnlyOnOk)
{
    installCourse();
    Session& s = startSession();
    prompt.next(Prompt::Answer::Cancel);
    EXPECT_EQ(s.chk_Exit(), 0);
    EXPECT_EQ(endCalls, 0);
    EXPECT_EQ(prompt.last().title, QStringLiteral("NEVRIN1　終了の確認"));
    EXPECT_EQ(prompt.last().text, QStringLiteral("NEVRIN1を終了しますか？"));
    EXPECT_EQ(prompt.last().buttons, Prompt::Buttons::OkCancel);

    prompt.next(Prompt::Answer::Ok);
    EXPECT_EQ(s.chk_Exit(Session::AskOnly::Yes), -1);
    EXPECT_EQ(endCalls, 0);  // the second form leaves the ending to its caller

    prompt.next(Prompt::Answer::Ok);
    s.chk_Exit();
    EXPECT_EQ(endCalls, 1);
}

TEST_F(SessionTest, ResetRunStateClearsTheLearnerAndTheChapter)
{
    installCourse();
    Session& s = startSession();
    s.setChapter(12);
    writeUsers({test::userRecordBytes("A", -1, -1, ""), test::userRecordBytes("B", -1, -1, ""),
                test::userRecordBytes("C", -1, -1, ""), test::userRecordBytes("D", -1, -1, ""),
                test::userRecordBytes("Ken", 0, 0, "k")});
    s.users().get_UserData();
    s.users().chooseLearner(4);
    s.users().setCurrentId(QStringLiteral("k"));
    ASSERT_EQ(s.currentUser().index, 4);
    ASSERT_EQ(s.currentUser().soundOn, 0);
    s.resetRunState();
    EXPECT_EQ(s.chapter(), 0);
    EXPECT_EQ(s.currentUser().index, 0);
    EXPECT_TRUE(s.currentUser().name.isEmpty());
    EXPECT_TRUE(s.currentUser().id.isEmpty());
    EXPECT_EQ(s.currentUser().soundOn, -1);
    EXPECT_EQ(s.currentUser().wideDisplay, -1);
}

TEST(SystemRandom, ReseedingFromTheSameClockRepeatsTheValues)
{
    test::FixedClock clock;
    SystemRandom first;
    SystemRandom second;
    first.reseed(clock);
    second.reseed(clock);
    for (int i = 0; i < 100; ++i) {
        const double value = first.next();
        EXPECT_GE(value, 0.0);
        EXPECT_LT(value, 1.0);
        EXPECT_EQ(value, second.next());
    }
    clock.at = clock.at.addSecs(1);
    second.reseed(clock);
    first.reseed(test::FixedClock());
    EXPECT_NE(first.next(), second.next());
}

TEST(ClockText, DropsTheSeconds)
{
    EXPECT_EQ(clockText(QDateTime(QDate(2024, 4, 1), QTime(9, 5, 42))), QStringLiteral("2024/04/01 09:05"));
}

}  // namespace
}  // namespace korvel
