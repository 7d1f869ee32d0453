// The rename decisions without a screen: which questions are asked, what the
// result line says, what is written and when the logs go.
#include "app/shell/rename_flow.h"
#include "app/shell/session.h"
#include "tests/app/test_support.h"

#include <QFile>

#include <gtest/gtest.h>

namespace korvel {
namespace {

using Answer = Prompt::Answer;
using Focus = RenameFlow::Result::Focus;
using test::userRecordBytes;

const QString kCancelled = QStringLiteral("変更を中止しました。");

class RenameFlowTest : public test::AppTest {
protected:
    void SetUp() override
    {
        installCourse();
        writeUsers({userRecordBytes("Hana", -1, -1, ""), userRecordBytes("Taro", 0, -1, "abc")});
        for (const QString& name : UserAccounts::logFileNames(1)) {
            content.write(QStringLiteral("Korveluser/") + name, QByteArray("log"));
        }
        startSession();
        session->users().get_UserData();
        session->users().chooseLearner(1);
        session->users().setCurrentId(QStringLiteral("abc"));
        rename = std::make_unique<RenameFlow>(*session);
        prompt.clear();
    }

    int logsLeft() const
    {
        int left = 0;
        for (const QString& name : UserAccounts::logFileNames(1)) {
            left += content.exists(QStringLiteral("Korveluser/") + name) ? 1 : 0;
        }
        return left;
    }

    std::unique_ptr<RenameFlow> rename;
};

TEST_F(RenameFlowTest, NothingChangedAsksNothingAndAnEmptyNameMeansTheCurrentOne)
{
    const RenameFlow::Result result = rename->change(QStringLiteral("  "), QStringLiteral("abc"));
    EXPECT_TRUE(result.fillName);
    EXPECT_EQ(result.filledName, QStringLiteral("Taro"));
    EXPECT_TRUE(result.showMessage);
    EXPECT_EQ(result.message, QStringLiteral("ユーザ名とユーザＩＤが変更されていません。"));
    EXPECT_FALSE(result.saved);
    EXPECT_EQ(prompt.count(), 0u);
}

TEST_F(RenameFlowTest, ARuleBrokenSendsTheLearnerBackToTheField)
{
    EXPECT_EQ(rename->change(QStringLiteral("Hana"), QString()).focus, Focus::Name);
    EXPECT_EQ(prompt.last().text, QStringLiteral("既に同じユーザ名で登録されています。"));
    EXPECT_EQ(rename->change(QString(), QStringLiteral("a b")).focus, Focus::Id);
    EXPECT_EQ(prompt.count(), 2u);
    EXPECT_EQ(rename->enterName(QStringLiteral(" ")), RenameFlow::Entry::Ignored);
    EXPECT_EQ(rename->enterName(QStringLiteral("Jiro")), RenameFlow::Entry::Accepted);
    EXPECT_EQ(rename->enterId(QString()), RenameFlow::Entry::Ignored);
    EXPECT_EQ(rename->enterId(QStringLiteral("x-1")), RenameFlow::Entry::Rejected);
    EXPECT_EQ(prompt.count(), 3u);
}

TEST_F(RenameFlowTest, AnIdAloneIsConfirmedOnceAndWrittenWithTheNote)
{
    const RenameFlow::Result result = rename->change(QString(), QStringLiteral("xyz"));
    ASSERT_EQ(prompt.count(), 1u);
    EXPECT_EQ(prompt.last().text, QStringLiteral("新しいユーザＩＤに変更しますか？"));
    EXPECT_TRUE(result.saved);
    EXPECT_EQ(result.message, QStringLiteral("新しいユーザＩＤ（ xyz ）に変更しました。\r\n"
                                             "ユーザＩＤを忘れた時のために　  どこかにひかえておいてください。"));
    EXPECT_EQ(usersFile().mid(32), userRecordBytes("Taro", 0, -1, "xyz"));
    EXPECT_EQ(session->currentUser().id, QStringLiteral("xyz"));
    EXPECT_EQ(logsLeft(), 4);
}

TEST_F(RenameFlowTest, ANewNameDropsTheLogsOnlyWhenTheResultsDoNotCarryOver)
{
    prompt.next(Answer::Yes);
    prompt.next(Answer::Yes);
    EXPECT_TRUE(rename->change(QStringLiteral("Jiro"), QStringLiteral("abc")).saved);
    EXPECT_EQ(logsLeft(), 4);

    prompt.next(Answer::Yes);
    prompt.next(Answer::No);
    const RenameFlow::Result result = rename->change(QStringLiteral("Ken"), QString());
    EXPECT_TRUE(result.saved);
    EXPECT_EQ(result.message, QStringLiteral("新しいユーザ名（ Ken ）、ユーザＩＤなしに変更しました。"));
    EXPECT_EQ(logsLeft(), 0);
    EXPECT_EQ(usersFile(), userRecordBytes("Hana", -1, -1, "") + userRecordBytes("Ken", 0, -1, ""));
}

TEST_F(RenameFlowTest, DecliningLeavesEverythingAndDisablesChangeForANameWithANewId)
{
    const QByteArray before = usersFile();
    prompt.next(Answer::No);
    RenameFlow::Result result = rename->change(QStringLiteral("Jiro"), QStringLiteral("new"));
    EXPECT_EQ(result.message, kCancelled);
    EXPECT_TRUE(result.disableChange);

    prompt.next(Answer::No);
    result = rename->change(QStringLiteral("Jiro"), QStringLiteral("abc"));
    EXPECT_EQ(result.message, kCancelled);
    EXPECT_FALSE(result.disableChange);

    prompt.next(Answer::Yes);
    prompt.next(Answer::Cancel);
    result = rename->change(QStringLiteral("Jiro"), QStringLiteral("abc"));
    EXPECT_EQ(result.message, kCancelled);
    EXPECT_FALSE(result.saved);
    EXPECT_EQ(usersFile(), before);
    EXPECT_EQ(session->currentUser().name, QStringLiteral("Taro"));
    EXPECT_EQ(logsLeft(), 4);
}

TEST_F(RenameFlowTest, AFailedWriteKeepsTheLearnerTheRecordAndTheLogs)
{
    QFile::remove(content.file(QStringLiteral("Korveluser/user.dat")));
    content.makeFolder(QStringLiteral("Korveluser/user.dat"));
    prompt.next(Answer::Yes);
    prompt.next(Answer::No);
    const RenameFlow::Result result = rename->change(QStringLiteral("Jiro"), QString());
    EXPECT_FALSE(result.saved);
    EXPECT_FALSE(result.showMessage);  // the open failure was reported on its own
    EXPECT_EQ(prompt.last().title, QStringLiteral("エラー表示"));
    EXPECT_EQ(session->currentUser().name, QStringLiteral("Taro"));
    EXPECT_EQ(session->users().user(1).name, QStringLiteral("Taro"));
    EXPECT_EQ(logsLeft(), 4);
}

}  // namespace
}  // namespace korvel
