#include "app/shell/session.h"
#include "tests/app/test_support.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

namespace korvel {
namespace {

using test::le16;
using test::userRecordBytes;

TEST(UserNameRules, FollowTheOrderOfTheChecks)
{
    const QStringList none;
    EXPECT_EQ(checkUserName(QStringLiteral("   "), none), NameCheck::Empty);
    EXPECT_EQ(checkUserName(QStringLiteral("1taro"), none), NameCheck::FirstNotLetter);
    EXPECT_EQ(checkUserName(QStringLiteral("_taro"), none), NameCheck::FirstNotLetter);
    EXPECT_EQ(checkUserName(QStringLiteral("太郎"), none), NameCheck::FirstNotLetter);
    EXPECT_EQ(checkUserName(QStringLiteral("Ｔaro"), none), NameCheck::FirstNotLetter);
    EXPECT_EQ(checkUserName(QString(20, QLatin1Char('a')), none), NameCheck::Ok);
    EXPECT_EQ(checkUserName(QString(21, QLatin1Char('a')), none), NameCheck::TooLong);
    EXPECT_EQ(checkUserName(QStringLiteral("Taro!"), none), NameCheck::BadCharacter);
    EXPECT_EQ(checkUserName(QStringLiteral("a太郎"), none), NameCheck::BadCharacter);
    EXPECT_EQ(checkUserName(QStringLiteral("Taro Yamada-2_x"), none), NameCheck::Ok);
    EXPECT_EQ(checkUserName(QStringLiteral("  Taro  "), none), NameCheck::Ok);
}

TEST(UserNameRules, DuplicatesAreCaseSensitiveAfterTrimming)
{
    const QStringList registered{QStringLiteral("Taro"), QStringLiteral("Hana")};
    EXPECT_EQ(checkUserName(QStringLiteral(" Taro "), registered), NameCheck::AlreadyRegistered);
    EXPECT_EQ(checkUserName(QStringLiteral("taro"), registered), NameCheck::Ok);
}

TEST(UserIdRules, LettersAndDigitsUpToEight)
{
    EXPECT_EQ(checkUserId(QString()), IdCheck::Ok);
    EXPECT_EQ(checkUserId(QStringLiteral("abc123XY")), IdCheck::Ok);
    EXPECT_EQ(checkUserId(QStringLiteral("ab-1")), IdCheck::BadCharacter);
    EXPECT_EQ(checkUserId(QStringLiteral("ab 1")), IdCheck::BadCharacter);
    EXPECT_EQ(checkUserId(QStringLiteral("ＡＢ")), IdCheck::BadCharacter);
    EXPECT_EQ(checkUserId(QStringLiteral("123456789")), IdCheck::TooLong);
}

class UserAccountsTest : public test::AppTest {
protected:
    void SetUp() override { installCourse(); }
};

TEST_F(UserAccountsTest, CheckRoutinesShowTheirMessages)
{
    Session& s = startSession();
    QString name = QStringLiteral("  9lives ");
    EXPECT_EQ(s.users().chk_UserName(name), 1);
    EXPECT_EQ(name, QStringLiteral("9lives"));  // trimmed in place
    EXPECT_EQ(prompt.last().title, QStringLiteral("ユーザ名入力"));
    EXPECT_EQ(prompt.last().text, QStringLiteral("ユーザ名の最初の文字は英字にしてください。"));
    EXPECT_EQ(s.users().chk_UserID(QStringLiteral("a-b")), 1);
    EXPECT_EQ(prompt.last().title, QStringLiteral("ＩＤ入力"));
    EXPECT_EQ(prompt.last().text, QStringLiteral("ＩＤに英数字でないものが入力されています。"));
    prompt.clear();
    QString good = QStringLiteral("Hana");
    EXPECT_EQ(s.users().chk_UserName(good), 0);
    EXPECT_EQ(s.users().chk_UserID(QString()), 0);
    EXPECT_EQ(prompt.count(), 0u);
}

TEST_F(UserAccountsTest, ReadsWholeRecordsAndNeverRewritesTheFile)
{
    writeUsers({userRecordBytes("Taro", -1, -1, "abc"), userRecordBytes("Hana", 0, 0, ""),
                userRecordBytes("Ken", -1, 0, "k1")},
               QByteArray("XXXX"));
    const QByteArray before = usersFile();
    Session& s = startSession();
    ASSERT_TRUE(s.users().get_UserData());
    EXPECT_EQ(s.users().count(), 3);
    EXPECT_EQ(s.users().user(1).name, QStringLiteral("Hana"));
    EXPECT_EQ(s.users().user(1).soundOn, 0);
    EXPECT_EQ(s.users().user(2).id, QStringLiteral("k1"));
    EXPECT_EQ(usersFile(), before);
}

TEST_F(UserAccountsTest, MoreThanThirtyRecordsFillThirtySlots)
{
    std::vector<QByteArray> records;
    for (int i = 0; i < 33; ++i) {
        records.push_back(userRecordBytes(QStringLiteral("User%1").arg(i).toLatin1().constData(), -1, -1, ""));
    }
    writeUsers(records);
    Session& s = startSession();
    ASSERT_TRUE(s.users().get_UserData());
    EXPECT_EQ(s.users().count(), 30);
    EXPECT_TRUE(s.users().isFull());
    EXPECT_EQ(s.users().user(29).name, QStringLiteral("User29"));
}

TEST_F(UserAccountsTest, AMissingUserFolderIsReportedAsRowFour)
{
    QDir(content.file(QStringLiteral("Korveluser"))).removeRecursively();
    Session& s = startSession();
    EXPECT_FALSE(s.users().get_UserData());
    EXPECT_EQ(s.users().count(), 0);
    ASSERT_EQ(prompt.count(), 1u);
    EXPECT_EQ(prompt.last().title, QStringLiteral("エラー表示"));
    EXPECT_EQ(prompt.last().text, QStringLiteral("エラー：　") + s.errorTable().message(4) + QStringLiteral("\r\n") +
                                      QStringLiteral(" フォルダー名 ") + s.users().usersFilePath() +
                                      QStringLiteral("\r\nget_UserData"));
}

TEST_F(UserAccountsTest, RegistrationWritesTheNextRecordOverAPartialTail)
{
    writeUsers({userRecordBytes("Taro", -1, -1, "abc"), userRecordBytes("Hana", 0, 0, ""),
                userRecordBytes("Ken", -1, 0, "k1")},
               QByteArray("XXXX"));
    const QByteArray before = usersFile().left(96);
    Session& s = startSession();
    s.users().get_UserData();
    s.users().setSoundOn(0);
    ASSERT_TRUE(s.users().registerUser(QStringLiteral("Mei"), QStringLiteral("m2"), 0));
    EXPECT_EQ(s.users().count(), 4);
    EXPECT_EQ(s.currentUser().index, 3);
    EXPECT_EQ(s.currentUser().name, QStringLiteral("Mei"));
    EXPECT_EQ(usersFile(), before + userRecordBytes("Mei", 0, 0, "m2"));
}

TEST_F(UserAccountsTest, AFailedRegistrationLeavesTheSlotFree)
{
    writeUsers({userRecordBytes("Taro", -1, -1, "")});
    Session& s = startSession();
    s.users().get_UserData();
    // The users file turns into a folder: every write fails at the open.
    QFile::remove(content.file(QStringLiteral("Korveluser/user.dat")));
    content.makeFolder(QStringLiteral("Korveluser/user.dat"));
    prompt.clear();
    EXPECT_FALSE(s.users().registerUser(QStringLiteral("Mei"), QString(), -1));
    EXPECT_EQ(s.users().count(), 1);
    EXPECT_EQ(s.users().user(1), UserData{});
    ASSERT_EQ(prompt.count(), 1u);
    EXPECT_TRUE(prompt.last().text.endsWith(QStringLiteral("\r\nﾛｸﾞｲﾝ put_UserData")));
    EXPECT_TRUE(prompt.last().text.contains(QStringLiteral(" データ名 ")));
}

TEST_F(UserAccountsTest, UpdateRewritesOnlyTheCurrentRecord)
{
    writeUsers({userRecordBytes("Taro", -1, -1, ""), userRecordBytes("Hana", -1, -1, "")}, QByteArray("XX"));
    Session& s = startSession();
    s.users().get_UserData();
    s.users().chooseLearner(1);
    s.users().setSoundOn(0);
    s.users().setWideDisplay(0);
    ASSERT_TRUE(s.users().upd_UserData());
    EXPECT_EQ(usersFile(), userRecordBytes("Taro", -1, -1, "") + userRecordBytes("Hana", 0, 0, "") + "XX");
}

TEST_F(UserAccountsTest, UpdateWithoutARegisteredLearnerWritesNothing)
{
    Session& s = startSession();
    s.users().get_UserData();
    EXPECT_FALSE(s.users().upd_UserData());
    EXPECT_EQ(usersFile(), QByteArray());
    EXPECT_TRUE(prompt.last().text.endsWith(QStringLiteral("ﾛｸﾞｲﾝ upd_UserData")));
}

TEST_F(UserAccountsTest, LastUserFileRoundTripsAndNamesTheLearner)
{
    writeUsers({userRecordBytes("Taro", -1, -1, ""), userRecordBytes("Hana", 0, -1, "")});
    Session& s = startSession();
    s.users().get_UserData();
    s.users().chooseLearner(1);
    ASSERT_EQ(s.currentUser().name, QStringLiteral("Hana"));
    ASSERT_TRUE(s.users().put_LastUserData());
    EXPECT_EQ(content.read(QStringLiteral("Korveluser/LastUser.dat")),
              QByteArray("Hana                ") + le16(1) + le16(2));
    s.resetRunState();
    ASSERT_TRUE(s.users().get_LastUserData());
    EXPECT_EQ(s.currentUser().index, 1);
    EXPECT_EQ(s.currentUser().name, QStringLiteral("Hana"));
}

TEST_F(UserAccountsTest, AStaleLastUserCountNeverShrinksTheUsers)
{
    writeUsers(
        {userRecordBytes("Taro", -1, -1, ""), userRecordBytes("Hana", 0, -1, ""), userRecordBytes("Ken", 0, -1, "")});
    content.write(QStringLiteral("Korveluser/LastUser.dat"), QByteArray("Taro                ") + le16(0) + le16(1));
    Session& s = startSession();
    s.users().get_UserData();
    ASSERT_TRUE(s.users().get_LastUserData());
    EXPECT_EQ(s.users().count(), 3);
    // A registration now goes to record 4, not over Hana.
    ASSERT_TRUE(s.users().registerUser(QStringLiteral("Mei"), QString(), -1));
    EXPECT_EQ(usersFile().mid(32, 32), userRecordBytes("Hana", 0, -1, ""));
    EXPECT_EQ(usersFile().mid(96), userRecordBytes("Mei", -1, -1, ""));
}

TEST_F(UserAccountsTest, ARememberedIndexOutsideTheUsersFallsBackToTheFirst)
{
    writeUsers({userRecordBytes("Taro", -1, -1, "")});
    content.write(QStringLiteral("Korveluser/LastUser.dat"), QByteArray("Ghost               ") + le16(7) + le16(8));
    Session& s = startSession();
    s.users().get_UserData();
    ASSERT_TRUE(s.users().get_LastUserData());
    EXPECT_EQ(s.currentUser().index, 0);
    EXPECT_EQ(s.currentUser().name, QString());
}

TEST_F(UserAccountsTest, AnEmptyLastUserFileMeansTheFirstLearnerAndTheWideDisplay)
{
    writeUsers({userRecordBytes("Taro", -1, 0, ""), userRecordBytes("A", -1, -1, ""), userRecordBytes("B", -1, -1, ""),
                userRecordBytes("C", -1, -1, ""), userRecordBytes("D", -1, -1, ""), userRecordBytes("E", -1, 0, "")});
    Session& s = startSession();
    s.users().get_UserData();
    s.users().chooseLearner(5);
    ASSERT_EQ(s.currentUser().index, 5);
    ASSERT_EQ(s.currentUser().wideDisplay, 0);
    ASSERT_TRUE(s.users().get_LastUserData());
    EXPECT_EQ(s.currentUser().index, 0);
    EXPECT_EQ(s.currentUser().wideDisplay, -1);
    EXPECT_TRUE(content.exists(QStringLiteral("Korveluser/LastUser.dat")));
}

TEST_F(UserAccountsTest, TheLastUserReaderMakesAMissingUserFolder)
{
    QDir(content.file(QStringLiteral("Korveluser"))).removeRecursively();
    Session& s = startSession();
    ASSERT_TRUE(s.users().get_LastUserData());
    EXPECT_TRUE(QFileInfo(content.file(QStringLiteral("Korveluser"))).isDir());
    EXPECT_EQ(prompt.count(), 0u);
}

TEST_F(UserAccountsTest, AnUnopenableLastUserFileIsRowThree)
{
    content.makeFolder(QStringLiteral("Korveluser/LastUser.dat"));
    Session& s = startSession();
    EXPECT_FALSE(s.users().get_LastUserData());
    ASSERT_EQ(prompt.count(), 1u);
    EXPECT_EQ(prompt.last().text, QStringLiteral("エラー：　") + s.errorTable().message(3) +
                                      QStringLiteral("\r\n フォルダー名 ") + s.folders().userFolder +
                                      QStringLiteral("\r\nfrmログイン get_LastUserData"));
}

TEST_F(UserAccountsTest, DeletingLogsRemovesExactlyTheLearnersFourFiles)
{
    const QStringList mine{QStringLiteral("SentLog1.dat"), QStringLiteral("WordLog1.dat"),
                           QStringLiteral("UserLog1.dat"), QStringLiteral("HExLog1.dat")};
    const QStringList others{QStringLiteral("SentLog10.dat"), QStringLiteral("WordLog0.dat"),
                             QStringLiteral("user.dat")};
    for (const QString& name : mine + others) {
        content.write(QStringLiteral("Korveluser/") + name, QByteArray("x"));
    }
    writeUsers({userRecordBytes("Taro", -1, -1, ""), userRecordBytes("Hana", -1, -1, "")});
    Session& s = startSession();
    s.users().get_UserData();
    s.users().chooseLearner(1);
    s.users().del_UserLogs();
    for (const QString& name : mine) {
        EXPECT_FALSE(content.exists(QStringLiteral("Korveluser/") + name)) << name.toStdString();
    }
    for (const QString& name : others) {
        EXPECT_TRUE(content.exists(QStringLiteral("Korveluser/") + name)) << name.toStdString();
    }
    s.users().del_UserLogs();  // nothing left to delete: no error
    EXPECT_EQ(prompt.count(), 0u);
}

}  // namespace
}  // namespace korvel
