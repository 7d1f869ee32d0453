// The log-in and registration decisions without a screen: what is told, what
// is written and what the screen is asked to show next.
#include "app/shell/login_flow.h"
#include "app/shell/session.h"
#include "tests/app/test_support.h"

#include <QFile>

#include <gtest/gtest.h>

namespace korvel {
namespace {

using Answer = Prompt::Answer;
using Id = LoginFlow::IdOutcome;
using test::le16;
using test::userRecordBytes;

class LoginFlowTest : public test::AppTest {
protected:
    void SetUp() override
    {
        installCourse();
        writeUsers({userRecordBytes("Taro", -1, -1, "abc"), userRecordBytes("hana", 0, 0, ""),
                    userRecordBytes("Ken", -1, -1, "k1")});
        content.write(QStringLiteral("Korveluser/LastUser.dat"),
                      QByteArray("Ken                 ") + le16(2) + le16(3));
    }

    LoginFlow& start()
    {
        startSession(false);
        flow = std::make_unique<LoginFlow>(*session);
        EXPECT_TRUE(flow->start());
        prompt.clear();
        return *flow;
    }

    QByteArray lastUser() const { return content.read(QStringLiteral("Korveluser/LastUser.dat")); }

    std::unique_ptr<LoginFlow> flow;
};

TEST_F(LoginFlowTest, StartTakesTheRememberedLearnerWithItsSoundAndTheWideDisplay)
{
    LoginFlow& f = start();
    EXPECT_EQ(session->errorTable().count(), 6);
    EXPECT_EQ(session->currentUser().index, 2);
    EXPECT_EQ(session->currentUser().name, QStringLiteral("Ken"));
    EXPECT_EQ(session->currentUser().wideDisplay, -1);
    EXPECT_EQ(f.mode(), LoginFlow::Mode::None);
    // Nothing typed or chosen yet: an ID leads nowhere and nothing is written.
    const QByteArray before = usersFile();
    EXPECT_EQ(f.enterId(QStringLiteral("abc"), false, QString()), Id::Nothing);
    EXPECT_EQ(usersFile(), before);
    EXPECT_EQ(prompt.count(), 0u) << prompt.transcript().toStdString();
}

TEST_F(LoginFlowTest, AnUnreadableLastUserFileStopsTheStartAfterTheReport)
{
    QFile::remove(content.file(QStringLiteral("Korveluser/LastUser.dat")));
    content.makeFolder(QStringLiteral("Korveluser/LastUser.dat"));
    startSession(false);
    LoginFlow f(*session);
    EXPECT_FALSE(f.start());
    ASSERT_EQ(prompt.count(), 1u);
    EXPECT_TRUE(prompt.last().text.endsWith(QStringLiteral("frmログイン get_LastUserData")));
}

TEST_F(LoginFlowTest, TheRegisteredListIsSortedAndPreselectsTheRememberedLearner)
{
    LoginFlow& f = start();
    ASSERT_EQ(f.chooseRegistered(), LoginFlow::Listing::Listed);
    ASSERT_EQ(f.names().size(), 3u);
    EXPECT_EQ(f.names()[0].name, QStringLiteral("hana"));
    EXPECT_EQ(f.names()[1].name, QStringLiteral("Ken"));
    EXPECT_EQ(f.names()[2].name, QStringLiteral("Taro"));
    EXPECT_EQ(f.rememberedRow(), 1);
    EXPECT_FALSE(f.learnerChosen());
}

TEST_F(LoginFlowTest, WithNobodyRegisteredTheListTurnsToRegistration)
{
    writeUsers({});
    LoginFlow& f = start();
    EXPECT_EQ(f.chooseRegistered(), LoginFlow::Listing::NoneRegistered);
    EXPECT_EQ(prompt.last().text, QStringLiteral("まだ誰も登録されておりません。"));
    EXPECT_TRUE(f.chooseNewUser());
    EXPECT_EQ(f.mode(), LoginFlow::Mode::NewUser);
}

TEST_F(LoginFlowTest, AWrongIdIsRetriedOrTheChoiceIsDroppedAndNothingIsWritten)
{
    LoginFlow& f = start();
    f.chooseRegistered();
    EXPECT_EQ(f.chooseLearner(0), LoginFlow::Learner::AskId);
    const QByteArray users = usersFile();
    const QByteArray last = lastUser();

    prompt.next(Answer::Ok);
    EXPECT_EQ(f.enterId(QStringLiteral("abd"), false, QString()), Id::RetryId);
    EXPECT_EQ(prompt.last().text, QStringLiteral("正しいユーザＩＤを入力してください。"));
    EXPECT_TRUE(f.learnerChosen());

    prompt.next(Answer::Cancel);
    EXPECT_EQ(f.enterId(QStringLiteral("abd"), false, QString()), Id::ChoiceDropped);
    EXPECT_FALSE(f.learnerChosen());
    // Without a chosen learner the right ID no longer logs anybody in.
    EXPECT_EQ(f.enterId(QStringLiteral("abc"), false, QString()), Id::Nothing);

    EXPECT_EQ(f.enterId(QStringLiteral("a+c"), false, QString()), Id::IdRejected);
    EXPECT_EQ(usersFile(), users);
    EXPECT_EQ(lastUser(), last);
    EXPECT_TRUE(session->currentUser().id.isEmpty());
}

TEST_F(LoginFlowTest, TheRightIdWithEnterWaitsForHomeAndHomeWritesTheLearnersFlags)
{
    LoginFlow& f = start();
    f.chooseRegistered();
    f.chooseLearner(0);
    f.chooseDisplay(0);  // "●縮める" for Taro, written with the log-in
    const QByteArray before = usersFile();
    EXPECT_EQ(f.enterId(QStringLiteral(" abc "), true, QString()), Id::AwaitHome);
    EXPECT_EQ(usersFile(), before);
    EXPECT_EQ(f.enterId(QStringLiteral("abc"), false, QString()), Id::Home);
    EXPECT_EQ(session->currentUser().id, QStringLiteral("abc"));
    EXPECT_EQ(usersFile().left(32), userRecordBytes("Taro", -1, 0, "abc"));
    EXPECT_EQ(usersFile().mid(32), before.mid(32));
    EXPECT_EQ(lastUser(), QByteArray("Taro                ") + le16(0) + le16(3));
    EXPECT_EQ(prompt.count(), 0u) << prompt.transcript().toStdString();
}

TEST_F(LoginFlowTest, ALearnerWithoutIdTakesItsOwnFlags)
{
    LoginFlow& f = start();
    f.chooseRegistered();
    EXPECT_EQ(f.chooseLearner(1), LoginFlow::Learner::PressHome);
    EXPECT_EQ(session->currentUser().soundOn, 0);
    EXPECT_EQ(session->currentUser().wideDisplay, 0);
    EXPECT_EQ(f.chooseLearner(3), LoginFlow::Learner::None);
    EXPECT_EQ(session->currentUser().index, 1);
}

TEST_F(LoginFlowTest, RegistrationConfirmsNotesTheIdAndLogsTheNewLearnerIn)
{
    LoginFlow& f = start();
    ASSERT_TRUE(f.chooseNewUser());
    f.chooseDisplay(0);
    EXPECT_EQ(f.enterName(QStringLiteral("Taro")), RegistrationFlow::NameEntry::Rejected);
    EXPECT_EQ(f.enterName(QStringLiteral(" Mei ")), RegistrationFlow::NameEntry::Accepted);

    prompt.clear();
    prompt.next(Answer::Cancel);
    EXPECT_EQ(f.enterId(QStringLiteral("m2"), false, QStringLiteral(" Mei ")), Id::NameRejected);
    EXPECT_EQ(usersFile().size(), 96);
    EXPECT_EQ(prompt.last().text, QStringLiteral("このユーザ名（ Mei ）、ユーザＩＤ（ m2 ）を登録しますか？"));

    prompt.clear();
    EXPECT_EQ(f.enterId(QStringLiteral("m2"), true, QStringLiteral(" Mei ")), Id::Home);
    ASSERT_EQ(prompt.count(), 2u) << prompt.transcript().toStdString();
    EXPECT_TRUE(prompt.last().text.contains(QStringLiteral("（ m2 ）をひかえておいてください。")));
    // Ken's sound flag from the start, the chosen display flag.
    EXPECT_EQ(usersFile().mid(96), userRecordBytes("Mei", -1, 0, "m2"));
    EXPECT_EQ(lastUser(), QByteArray("Mei                 ") + le16(3) + le16(4));
}

TEST_F(LoginFlowTest, ThirtyLearnersLeaveNoRoomToRegister)
{
    std::vector<QByteArray> records;
    for (int i = 0; i < kMaxUsers; ++i) {
        records.push_back(userRecordBytes(QStringLiteral("User%1").arg(i).toLatin1().constData(), -1, -1, ""));
    }
    writeUsers(records);
    LoginFlow& f = start();
    const QString full = QStringLiteral("既に３０人のユーザが登録されていますので新しいユーザは登録できません。");
    EXPECT_FALSE(f.chooseNewUser());
    EXPECT_EQ(prompt.last().text, full);
    EXPECT_EQ(f.enterName(QStringLiteral("Mei")), RegistrationFlow::NameEntry::Full);
    EXPECT_EQ(f.enterId(QString(), false, QStringLiteral("Mei")), Id::Nothing);
    EXPECT_EQ(prompt.last().text, full);
    EXPECT_EQ(usersFile().size(), 30 * 32);
}

}  // namespace
}  // namespace korvel
