#include "app/shell/ui/frm_home.h"
#include "app/shell/ui/frm_user_name.h"
#include "tests/app/ui/screen_fixture.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>

#include <gtest/gtest.h>

namespace korvel {
namespace {

using Answer = Prompt::Answer;
using test::userRecordBytes;

const QString kNoteDown = QStringLiteral("ユーザＩＤを忘れた時のために　  どこかにひかえておいてください。");

class UserNameScreenTest : public test::ScreenTest {
protected:
    void SetUp() override
    {
        ScreenTest::SetUp();
        writeUsers({userRecordBytes("Hana", -1, -1, ""), userRecordBytes("Taro", -1, -1, "abc")});
        content.write(QStringLiteral("Korveluser/LastUser.dat"),
                      QByteArray("Taro                ") + test::le16(1) + test::le16(2));
        for (const QString& name : logs()) {
            content.write(QStringLiteral("Korveluser/") + name, QByteArray("log"));
        }
        startNavigator();
        openHomeAs(1);
        opened<HomeScreen>()->CommandUserName->click();
        settle();
        screen = opened<frmユーザ名>();
        ASSERT_NE(screen, nullptr);
        prompt.clear();
    }

    static QStringList logs()
    {
        return {QStringLiteral("SentLog1.dat"), QStringLiteral("WordLog1.dat"), QStringLiteral("UserLog1.dat"),
                QStringLiteral("HExLog1.dat")};
    }

    bool logsKept() const
    {
        for (const QString& name : logs()) {
            if (!content.exists(QStringLiteral("Korveluser/") + name)) {
                return false;
            }
        }
        return true;
    }

    void change(const QString& name, const QString& id)
    {
        screen->TextNewName->setText(name);
        screen->TextNewId->setText(id);
        screen->CommandChange->click();
    }

    QByteArray taroRecord() const { return usersFile().mid(32, 32); }

    frmユーザ名* screen = nullptr;
};

TEST_F(UserNameScreenTest, ShowsTheCurrentNameAndId)
{
    EXPECT_EQ(screen->LabelCurrentName->text(), QStringLiteral("現在のユーザ名  　  　Taro"));
    EXPECT_EQ(screen->LabelCurrentId->text(), QStringLiteral("現在のユーザＩＤ　  　abc"));
}

TEST_F(UserNameScreenTest, NothingChangedSaysSoAndAsksNothing)
{
    change(QString(), QStringLiteral("abc"));
    EXPECT_EQ(prompt.count(), 0u);
    EXPECT_EQ(screen->LabelResult->text(), QStringLiteral("ユーザ名とユーザＩＤが変更されていません。"));
    EXPECT_EQ(screen->TextNewName->text(), QStringLiteral("Taro"));  // filled with the current name
}

TEST_F(UserNameScreenTest, EmptyingTheIdAsksAndSaves)
{
    prompt.next(Answer::Yes);
    change(QString(), QString());
    EXPECT_EQ(prompt.last().title, QStringLiteral("ユーザＩＤ設定"));
    EXPECT_EQ(prompt.last().text, QStringLiteral("ユーザＩＤなしに変更しますか？"));
    EXPECT_EQ(screen->LabelResult->text(), QStringLiteral("ユーザＩＤなしに変更しました。"));
    EXPECT_EQ(taroRecord(), userRecordBytes("Taro", -1, -1, ""));
    EXPECT_EQ(session->currentUser().id, QString());
    EXPECT_EQ(content.read(QStringLiteral("Korveluser/LastUser.dat")).left(4), QByteArray("Taro"));
}

TEST_F(UserNameScreenTest, NoKeepsEverything)
{
    const QByteArray before = usersFile();
    prompt.next(Answer::No);
    change(QString(), QString());
    EXPECT_EQ(screen->LabelResult->text(), QStringLiteral("変更を中止しました。"));
    EXPECT_EQ(usersFile(), before);
    EXPECT_EQ(session->currentUser().id, QStringLiteral("abc"));
    EXPECT_TRUE(screen->CommandChange->isEnabled());
}

TEST_F(UserNameScreenTest, ANewIdIsSavedWithTheNoteDownLine)
{
    prompt.next(Answer::Yes);
    change(QString(), QStringLiteral("xyz789"));
    EXPECT_EQ(prompt.last().text, QStringLiteral("新しいユーザＩＤに変更しますか？"));
    EXPECT_EQ(screen->LabelResult->text(),
              QStringLiteral("新しいユーザＩＤ（ xyz789 ）に変更しました。\n") + kNoteDown);
    EXPECT_EQ(taroRecord(), userRecordBytes("Taro", -1, -1, "xyz789"));
    EXPECT_EQ(screen->LabelCurrentId->text(), QStringLiteral("現在のユーザＩＤ　  　xyz789"));
}

TEST_F(UserNameScreenTest, ANewNameThatCarriesOverKeepsTheLogs)
{
    prompt.next(Answer::Yes);
    prompt.next(Answer::Yes);
    change(QStringLiteral("Jiro"), QStringLiteral("abc"));
    ASSERT_EQ(prompt.count(), 2u);
    EXPECT_EQ(prompt.shown()[0].title, QStringLiteral("ユーザ名設定"));
    EXPECT_EQ(prompt.shown()[0].text, QStringLiteral("ユーザ名を新しいものに変更しますか？"));
    EXPECT_EQ(prompt.shown()[1].title, QStringLiteral("テスト結果引き継ぎの確認"));
    EXPECT_EQ(
        prompt.shown()[1].text,
        QStringLiteral(
            "前ユーザのテスト結果を引き継ぎますか？\r\n[いいえ]　にすると今までの成績集計データが全て消去されます。"));
    EXPECT_EQ(prompt.shown()[1].buttons, Prompt::Buttons::YesNoCancel);
    EXPECT_EQ(screen->LabelResult->text(), QStringLiteral("新しいユーザ名（ Jiro ）に変更しました。"));
    EXPECT_EQ(taroRecord(), userRecordBytes("Jiro", -1, -1, "abc"));
    EXPECT_EQ(session->currentUser().name, QStringLiteral("Jiro"));
    EXPECT_TRUE(logsKept());
}

TEST_F(UserNameScreenTest, ANewNameWithoutCarryOverDeletesTheLogsAndKeepsTheSlot)
{
    content.write(QStringLiteral("Korveluser/SentLog0.dat"), QByteArray("hana's"));
    prompt.next(Answer::Yes);
    prompt.next(Answer::No);
    change(QStringLiteral("Jiro"), QStringLiteral("abc"));
    EXPECT_EQ(taroRecord(), userRecordBytes("Jiro", -1, -1, "abc"));
    EXPECT_EQ(usersFile().left(32), userRecordBytes("Hana", -1, -1, ""));
    EXPECT_EQ(session->currentUser().index, 1);
    for (const QString& name : logs()) {
        EXPECT_FALSE(content.exists(QStringLiteral("Korveluser/") + name)) << name.toStdString();
    }
    EXPECT_TRUE(content.exists(QStringLiteral("Korveluser/SentLog0.dat")));
}

TEST_F(UserNameScreenTest, CancellingTheCarryOverSavesNothing)
{
    const QByteArray before = usersFile();
    prompt.next(Answer::Yes);
    prompt.next(Answer::Cancel);
    change(QStringLiteral("Jiro"), QStringLiteral("abc"));
    EXPECT_EQ(screen->LabelResult->text(), QStringLiteral("変更を中止しました。"));
    EXPECT_EQ(usersFile(), before);
    EXPECT_TRUE(logsKept());
    EXPECT_EQ(session->currentUser().name, QStringLiteral("Taro"));
}

TEST_F(UserNameScreenTest, NameAndIdTogether)
{
    prompt.next(Answer::Yes);
    prompt.next(Answer::Yes);
    change(QStringLiteral("Jiro"), QStringLiteral("j2"));
    EXPECT_EQ(prompt.shown()[0].title, QStringLiteral("ユーザ名・ユーザＩＤの変更"));
    EXPECT_EQ(prompt.shown()[0].text, QStringLiteral("ユーザ名とユーザＩＤを新しいものに変更しますか？"));
    EXPECT_EQ(screen->LabelResult->text(),
              QStringLiteral("新しいユーザ名（ Jiro ）、ユーザＩＤ（ j2 ）に変更しました。\n") + kNoteDown);
    EXPECT_EQ(taroRecord(), userRecordBytes("Jiro", -1, -1, "j2"));
}

TEST_F(UserNameScreenTest, ANewNameWithAnEmptiedId)
{
    prompt.next(Answer::Yes);
    prompt.next(Answer::Yes);
    change(QStringLiteral("Jiro"), QString());
    EXPECT_EQ(screen->LabelResult->text(), QStringLiteral("新しいユーザ名（ Jiro ）、ユーザＩＤなしに変更しました。"));
    EXPECT_EQ(taroRecord(), userRecordBytes("Jiro", -1, -1, ""));
}

TEST_F(UserNameScreenTest, RefusingBothChangesDisablesTheChangeButtonUntilANameIsAccepted)
{
    prompt.next(Answer::No);
    change(QStringLiteral("Jiro"), QStringLiteral("j2"));
    EXPECT_EQ(screen->LabelResult->text(), QStringLiteral("変更を中止しました。"));
    EXPECT_FALSE(screen->CommandChange->isEnabled());
    screen->TextNewName->clear();
    type(screen->TextNewName, QStringLiteral("Saburo"), true);
    EXPECT_TRUE(screen->CommandChange->isEnabled());
}

TEST_F(UserNameScreenTest, TheOwnNameTypedAgainIsAlreadyRegistered)
{
    change(QStringLiteral("Taro"), QStringLiteral("abc"));
    ASSERT_EQ(prompt.count(), 1u);
    EXPECT_EQ(prompt.last().text, QStringLiteral("既に同じユーザ名で登録されています。"));
    EXPECT_EQ(screen->LabelResult->text(), QString());
}

TEST_F(UserNameScreenTest, EnterChecksEachFieldAndTypingClearsTheResult)
{
    type(screen->TextNewName, QStringLiteral("Hana"), true);
    EXPECT_EQ(prompt.last().text, QStringLiteral("既に同じユーザ名で登録されています。"));
    type(screen->TextNewId, QStringLiteral("a+b"), true);
    EXPECT_EQ(prompt.last().text, QStringLiteral("ＩＤに英数字でないものが入力されています。"));

    change(QString(), QStringLiteral("abc"));
    ASSERT_FALSE(screen->LabelResult->text().isEmpty());
    type(screen->TextNewId, QStringLiteral("d"));
    EXPECT_EQ(screen->LabelResult->text(), QString());
}

TEST_F(UserNameScreenTest, AFailedSaveKeepsTheLearnerAndTheLogs)
{
    QFile::remove(content.file(QStringLiteral("Korveluser/user.dat")));
    content.makeFolder(QStringLiteral("Korveluser/user.dat"));
    prompt.next(Answer::Yes);
    prompt.next(Answer::No);
    change(QStringLiteral("Jiro"), QStringLiteral("abc"));
    ASSERT_EQ(prompt.count(), 3u) << prompt.transcript().toStdString();
    EXPECT_EQ(prompt.last().title, QStringLiteral("エラー表示"));
    EXPECT_TRUE(prompt.last().text.endsWith(QStringLiteral("\r\nfrmユーザ名 put_UserData")));
    EXPECT_EQ(session->currentUser().name, QStringLiteral("Taro"));
    EXPECT_EQ(session->users().user(1).name, QStringLiteral("Taro"));
    EXPECT_TRUE(logsKept());
}

TEST_F(UserNameScreenTest, ReturnGoesToTheHomeOfTheDisplayBalance)
{
    session->users().setWideDisplay(0);
    screen->CommandReturn->click();
    settle();
    EXPECT_NE(opened<frmホームL>(), nullptr);
}

}  // namespace
}  // namespace korvel
