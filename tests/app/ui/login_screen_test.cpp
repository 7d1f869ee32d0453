#include "app/shell/ui/frm_home.h"
#include "app/shell/ui/frm_login.h"
#include "tests/app/ui/screen_fixture.h"

#include <QFile>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <gtest/gtest.h>

namespace korvel {
namespace {

using Answer = Prompt::Answer;
using test::le16;
using test::userRecordBytes;

class LoginScreenTest : public test::ScreenTest {
protected:
    // The captions of the visible list buttons, in order.
    static QStringList listed(const frmログイン* login)
    {
        QStringList names;
        for (const QRadioButton* button : login->OptionUserName) {
            if (!button->isHidden()) {
                names.append(button->text());
            }
        }
        return names;
    }

    static QRadioButton* buttonFor(frmログイン* login, const QString& name)
    {
        for (QRadioButton* button : login->OptionUserName) {
            if (!button->isHidden() && button->text() == name) {
                return button;
            }
        }
        return nullptr;
    }

    void writeNamedUsers(int count) const
    {
        std::vector<QByteArray> records;
        for (int i = 0; i < count; ++i) {
            records.push_back(userRecordBytes(
                QStringLiteral("User%1").arg(i, 2, 10, QLatin1Char('0')).toLatin1().constData(), -1, -1, ""));
        }
        writeUsers(records);
    }
};

TEST_F(LoginScreenTest, StartUpShowsThePictureAndTheClockWithoutAnyMessage)
{
    QFile jacket(QStringLiteral(KORVEL_COURSE_DIR "/Image/jacket.bmp"));
    ASSERT_TRUE(jacket.open(QIODevice::ReadOnly));
    content.write(QStringLiteral("Image/jacket.bmp"), jacket.readAll());
    frmログイン* login = openLogin();
    ASSERT_NE(login, nullptr);
    EXPECT_EQ(login->windowTitle(), QStringLiteral(" NEVRIN1　ログイン"));
    EXPECT_TRUE(login->ImageJacket->isVisible());
    EXPECT_FALSE(login->ImageJacket->pixmap().isNull());
    EXPECT_EQ(login->LabelClock->text(), QStringLiteral("2024/04/01 09:05"));
    EXPECT_TRUE(login->OptionFont[0]->isChecked());
    EXPECT_EQ(prompt.count(), 0u) << prompt.transcript().toStdString();
    EXPECT_EQ(session->errorTable().count(), 6);
}

TEST_F(LoginScreenTest, AMissingPictureLeavesItEmptySilently)
{
    frmログイン* login = openLogin();
    EXPECT_FALSE(login->ImageJacket->isVisible());
    EXPECT_EQ(prompt.count(), 0u);
}

TEST_F(LoginScreenTest, StartUpTakesTheRememberedLearnersSoundFlag)
{
    writeUsers({userRecordBytes("Taro", -1, -1, ""), userRecordBytes("Hana", 0, -1, "")});
    content.write(QStringLiteral("Korveluser/LastUser.dat"), QByteArray("Hana                ") + le16(1) + le16(2));
    openLogin();
    EXPECT_EQ(session->currentUser().index, 1);
    EXPECT_EQ(session->currentUser().soundOn, 0);
    EXPECT_EQ(session->chapter(), 0);
}

TEST_F(LoginScreenTest, RegisteredWithNobodyRegisteredTurnsToANewRegistration)
{
    frmログイン* login = openLogin();
    login->OptionNewUser[0]->click();
    ASSERT_EQ(prompt.count(), 1u);
    EXPECT_EQ(prompt.last().title, QStringLiteral("ユーザ登録"));
    EXPECT_EQ(prompt.last().text, QStringLiteral("まだ誰も登録されておりません。"));
    EXPECT_TRUE(login->OptionNewUser[1]->isChecked());
    EXPECT_TRUE(login->TextNewName->isVisible());
    EXPECT_EQ(login->focusWidget(), login->TextNewName);
}

TEST_F(LoginScreenTest, RegistrationWithAnIdConfirmsNotesItDownAndGoesHome)
{
    QPointer<frmログイン> login = openLogin();
    login->OptionNewUser[1]->click();
    type(login->TextNewName, QStringLiteral("  Taro Yamada "), true);
    EXPECT_EQ(login->LabelMessage->text(),
              QStringLiteral("あなたのユーザＩＤ（８文字までの英数字）を入力し、｢ホーム」をクリックしてください。"));
    ASSERT_TRUE(login->TextPassWord->isVisible());
    type(login->TextPassWord, QStringLiteral("abc123"));
    prompt.next(Answer::Ok);
    login->CommandHome->click();
    settle();

    ASSERT_EQ(prompt.count(), 2u) << prompt.transcript().toStdString();
    EXPECT_EQ(prompt.shown()[0].title, QStringLiteral("ユーザ登録の確認"));
    EXPECT_EQ(prompt.shown()[0].text,
              QStringLiteral("このユーザ名（ Taro Yamada ）、ユーザＩＤ（ abc123 ）を登録しますか？"));
    EXPECT_EQ(prompt.shown()[0].buttons, Prompt::Buttons::OkCancel);
    EXPECT_EQ(prompt.shown()[1].text,
              QStringLiteral("ユーザＩＤを忘れた時のために　このユーザＩＤ（ abc123 ）をひかえておいてください。"));
    EXPECT_EQ(usersFile(), userRecordBytes("Taro Yamada", -1, -1, "abc123"));
    EXPECT_EQ(content.read(QStringLiteral("Korveluser/LastUser.dat")),
              QByteArray("Taro Yamada         ") + le16(0) + le16(1));
    EXPECT_NE(opened<frmホーム>(), nullptr);
    EXPECT_TRUE(login.isNull());  // the log-in screen closed
}

TEST_F(LoginScreenTest, RegistrationWithoutAnIdSaysNashiAndNotesNothingDown)
{
    frmログイン* login = openLogin();
    login->OptionNewUser[1]->click();
    type(login->TextNewName, QStringLiteral("Hana"), true);
    QTest::keyClick(login->TextPassWord, Qt::Key_Return);
    settle();
    ASSERT_EQ(prompt.count(), 1u) << prompt.transcript().toStdString();
    EXPECT_EQ(prompt.last().text, QStringLiteral("このユーザ名（ Hana ）、ユーザＩＤ（ なし ）を登録しますか？"));
    EXPECT_EQ(usersFile(), userRecordBytes("Hana", -1, -1, ""));
    EXPECT_NE(opened<frmホーム>(), nullptr);
}

TEST_F(LoginScreenTest, CancellingTheConfirmationWritesNothing)
{
    frmログイン* login = openLogin();
    login->OptionNewUser[1]->click();
    type(login->TextNewName, QStringLiteral("Hana"), true);
    prompt.next(Answer::Cancel);
    login->CommandHome->click();
    settle();
    EXPECT_EQ(usersFile(), QByteArray());
    EXPECT_EQ(session->users().count(), 0);
    EXPECT_EQ(navigator->lastOpened(), login);
    EXPECT_EQ(login->focusWidget(), login->TextNewName);
}

TEST_F(LoginScreenTest, ARejectedNameOrIdStopsTheRegistration)
{
    frmログイン* login = openLogin();
    login->OptionNewUser[1]->click();
    type(login->TextNewName, QStringLiteral("1abc"), true);
    EXPECT_EQ(prompt.last().text, QStringLiteral("ユーザ名の最初の文字は英字にしてください。"));
    EXPECT_FALSE(login->TextPassWord->isVisible());
    login->TextNewName->clear();
    type(login->TextNewName, QStringLiteral("Abc"), true);
    type(login->TextPassWord, QStringLiteral("a_1"), true);
    EXPECT_EQ(prompt.last().title, QStringLiteral("ＩＤ入力"));
    EXPECT_EQ(usersFile(), QByteArray());
    EXPECT_EQ(login->focusWidget(), login->TextPassWord);
}

TEST_F(LoginScreenTest, TheThirtyFirstLearnerIsRefusedFromTheOption)
{
    writeNamedUsers(30);
    frmログイン* login = openLogin();
    login->OptionNewUser[1]->click();
    ASSERT_GE(prompt.count(), 1u);
    EXPECT_EQ(prompt.shown()[0].title, QStringLiteral("ユーザ登録"));
    EXPECT_EQ(prompt.shown()[0].text,
              QStringLiteral("既に３０人のユーザが登録されていますので新しいユーザは登録できません。"));
    EXPECT_TRUE(login->OptionNewUser[0]->isChecked());
    EXPECT_FALSE(login->TextNewName->isVisible());
    EXPECT_EQ(listed(login).size(), 30);
    EXPECT_EQ(login->columnsInUse(), 3);
}

TEST_F(LoginScreenTest, TheThirtyFirstLearnerIsRefusedFromEnterInTheNameField)
{
    writeNamedUsers(29);
    frmログイン* login = openLogin();
    login->OptionNewUser[1]->click();
    ASSERT_TRUE(login->TextNewName->isVisible());
    // Another learner takes the last slot meanwhile.
    ASSERT_TRUE(session->users().registerUser(QStringLiteral("Late"), QString(), -1));
    const QByteArray before = usersFile();
    type(login->TextNewName, QStringLiteral("Extra"), true);
    EXPECT_EQ(prompt.last().text,
              QStringLiteral("既に３０人のユーザが登録されていますので新しいユーザは登録できません。"));
    EXPECT_FALSE(login->TextPassWord->isVisible());
    EXPECT_EQ(usersFile(), before);
}

TEST_F(LoginScreenTest, TheListIsSortedAndTakesOneTwoOrThreeColumns)
{
    writeUsers({userRecordBytes("mike", -1, -1, ""), userRecordBytes("Alice", -1, -1, ""),
                userRecordBytes("taro", -1, -1, ""), userRecordBytes("Taro", -1, -1, "")});
    frmログイン* login = openLogin();
    login->OptionNewUser[0]->click();
    EXPECT_EQ(listed(login), QStringList({QStringLiteral("Alice"), QStringLiteral("mike"), QStringLiteral("taro"),
                                          QStringLiteral("Taro")}));
    EXPECT_EQ(login->columnsInUse(), 1);
    EXPECT_EQ(login->slotOfButton(0), 1);

    for (const auto& [users, columns] : {std::pair{10, 1}, std::pair{11, 2}, std::pair{20, 2}, std::pair{21, 3}}) {
        writeNamedUsers(users);
        login->OptionNewUser[0]->click();
        settle();
        EXPECT_EQ(listed(login).size(), users);
        EXPECT_EQ(login->columnsInUse(), columns) << users;
        if (columns > 1) {
            EXPECT_GT(login->OptionUserName[10]->x(), login->OptionUserName[9]->x()) << users;
        }
    }
}

TEST_F(LoginScreenTest, TheRememberedLearnerIsSelected)
{
    writeUsers({userRecordBytes("Taro", -1, -1, "abc"), userRecordBytes("Hana", -1, -1, "")});
    content.write(QStringLiteral("Korveluser/LastUser.dat"), QByteArray("Hana                ") + le16(1) + le16(2));
    frmログイン* login = openLogin();
    login->OptionNewUser[0]->click();
    QRadioButton* hana = buttonFor(login, QStringLiteral("Hana"));
    ASSERT_NE(hana, nullptr);
    EXPECT_TRUE(hana->isChecked());
    EXPECT_EQ(login->LabelMessage->text(), QStringLiteral("「ホーム」をクリックしてください。"));
    EXPECT_FALSE(login->TextPassWord->isVisible());
    EXPECT_EQ(login->focusWidget(), login->CommandHome);
}

TEST_F(LoginScreenTest, ALearnerWithoutAnIdLogsInWithTheHomeButtonAlone)
{
    writeUsers({userRecordBytes("Taro", -1, -1, "abc"), userRecordBytes("Hana", -1, -1, "")});
    frmログイン* login = openLogin();
    login->OptionNewUser[0]->click();
    buttonFor(login, QStringLiteral("Hana"))->click();
    EXPECT_FALSE(login->TextPassWord->isVisible());
    login->CommandHome->click();
    settle();
    EXPECT_EQ(prompt.count(), 0u) << prompt.transcript().toStdString();
    EXPECT_NE(opened<frmホーム>(), nullptr);
    EXPECT_EQ(session->currentUser().index, 1);
    EXPECT_EQ(content.read(QStringLiteral("Korveluser/LastUser.dat")),
              QByteArray("Hana                ") + le16(1) + le16(2));
}

TEST_F(LoginScreenTest, AWrongIdAsksAgainOrDropsTheChoice)
{
    writeUsers({userRecordBytes("Taro", -1, -1, "abc"), userRecordBytes("Hana", -1, -1, "")});
    frmログイン* login = openLogin();
    login->OptionNewUser[0]->click();
    QRadioButton* taro = buttonFor(login, QStringLiteral("Taro"));
    taro->click();
    EXPECT_EQ(login->LabelMessage->text(), QStringLiteral("ユーザＩＤを入力し、「ホーム」をクリックしてください。"));
    ASSERT_TRUE(login->TextPassWord->isVisible());
    EXPECT_EQ(login->focusWidget(), login->TextPassWord);

    type(login->TextPassWord, QStringLiteral("abd"));
    prompt.next(Answer::Ok);
    login->CommandHome->click();
    EXPECT_EQ(prompt.last().title, QStringLiteral("ユーザＩＤ入力"));
    EXPECT_EQ(prompt.last().text, QStringLiteral("正しいユーザＩＤを入力してください。"));
    EXPECT_TRUE(login->TextPassWord->isVisible());
    EXPECT_EQ(navigator->lastOpened(), login);

    prompt.next(Answer::Cancel);
    login->CommandHome->click();
    EXPECT_FALSE(login->TextPassWord->isVisible());
    EXPECT_FALSE(login->CommandHome->isVisible());
    EXPECT_TRUE(login->LabelMessage->text().isEmpty());
    EXPECT_FALSE(taro->isChecked());
    EXPECT_EQ(navigator->lastOpened(), login);
}

TEST_F(LoginScreenTest, TheRightIdWithEnterShowsHomeAndHomeLogsIn)
{
    writeUsers({userRecordBytes("Taro", -1, -1, "abc")});
    frmログイン* login = openLogin();
    login->OptionNewUser[0]->click();
    type(login->TextPassWord, QStringLiteral(" abc "), true);
    EXPECT_EQ(prompt.count(), 0u) << prompt.transcript().toStdString();
    EXPECT_EQ(session->currentUser().id, QStringLiteral("abc"));
    EXPECT_EQ(login->focusWidget(), login->CommandHome);
    EXPECT_EQ(navigator->lastOpened(), login);
    login->CommandHome->click();
    settle();
    EXPECT_NE(opened<frmホーム>(), nullptr);
}

TEST_F(LoginScreenTest, TheShrunkenBalanceOpensTheSmallHomeAndIsStored)
{
    writeUsers({userRecordBytes("Taro", -1, -1, "")});
    frmログイン* login = openLogin();
    login->OptionNewUser[0]->click();
    login->OptionFont[1]->click();
    login->CommandHome->click();
    settle();
    EXPECT_NE(opened<frmホームL>(), nullptr);
    EXPECT_EQ(usersFile(), userRecordBytes("Taro", -1, 0, ""));
}

TEST_F(LoginScreenTest, ChoosingALearnerShowsThatLearnersBalance)
{
    writeUsers({userRecordBytes("Taro", -1, 0, ""), userRecordBytes("Hana", -1, -1, "")});
    frmログイン* login = openLogin();
    login->OptionNewUser[0]->click();
    buttonFor(login, QStringLiteral("Taro"))->click();
    EXPECT_TRUE(login->OptionFont[1]->isChecked());
    buttonFor(login, QStringLiteral("Hana"))->click();
    EXPECT_TRUE(login->OptionFont[0]->isChecked());
    EXPECT_EQ(session->currentUser().wideDisplay, -1);
}

TEST_F(LoginScreenTest, LoggingInNeverGivesOneLearnerAnothersSoundFlag)
{
    writeUsers({userRecordBytes("Taro", 0, -1, ""), userRecordBytes("Hana", -1, -1, "")});
    content.write(QStringLiteral("Korveluser/LastUser.dat"), QByteArray("Taro                ") + le16(0) + le16(2));
    frmログイン* login = openLogin();
    ASSERT_EQ(session->currentUser().soundOn, 0);  // the remembered learner's flag
    login->OptionNewUser[0]->click();
    buttonFor(login, QStringLiteral("Hana"))->click();
    login->CommandHome->click();
    settle();
    EXPECT_EQ(usersFile(), userRecordBytes("Taro", 0, -1, "") + userRecordBytes("Hana", -1, -1, ""));
}

TEST_F(LoginScreenTest, CancelAtTheCloseBoxKeepsTheScreenAsItWas)
{
    frmログイン* login = openLogin();
    login->OptionNewUser[1]->click();
    type(login->TextNewName, QStringLiteral("Ken"));
    prompt.next(Answer::Cancel);
    EXPECT_FALSE(login->close());
    EXPECT_EQ(prompt.last().text, QStringLiteral("NEVRIN1を終了しますか？"));
    EXPECT_TRUE(login->isVisible());
    EXPECT_EQ(login->TextNewName->text(), QStringLiteral("Ken"));
    EXPECT_EQ(quits, 0);

    prompt.next(Answer::Ok);
    login->CommandExit->click();
    settle();
    EXPECT_EQ(quits, 1);
    EXPECT_TRUE(navigator->ending());
}

}  // namespace
}  // namespace korvel
