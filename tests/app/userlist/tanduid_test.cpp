#include "tests/app/test_support.h"
#include "tools/userlist/frm_user_id.h"
#include "tools/userlist/user_listing.h"

#include <QCoreApplication>
#include <QDir>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

namespace tanduid {
namespace {

using korvel::test::userRecordBytes;

const QString kHeader = QStringLiteral("Ｎｏ． Ｎａｍｅ　　　　　      ユーザＩＤ\r\n\r\n");

TEST(TanduidListing, OneLinePerLearnerSortedByName)
{
    const QString listing = buildListing({userRecordBytes("mike", -1, -1, "m1"), userRecordBytes("Alice", 0, 0, ""),
                                          userRecordBytes("bob", -1, 0, "12345678")});
    // Two blanks, the number in two, three blanks, the name in 20, three blanks, the ID in 8.
    const auto line = [](const char* number, const char* name, const char* id) {
        return QStringLiteral("  ") + QLatin1String(number) + QStringLiteral("   ") +
               QString::fromLatin1(name).leftJustified(20) + QStringLiteral("   ") +
               QString::fromLatin1(id).leftJustified(8) + QStringLiteral("\r\n");
    };
    EXPECT_EQ(listing, kHeader + line(" 1", "Alice", "") + line(" 2", "bob", "12345678") + line(" 3", "mike", "m1"));
}

TEST(TanduidListing, NumbersAreRightAlignedInTwoCharacters)
{
    QList<QByteArray> records;
    for (int i = 0; i < 10; ++i) {
        records.append(userRecordBytes(QStringLiteral("u%1").arg(i).toLatin1().constData(), -1, -1, ""));
    }
    const QStringList lines = buildListing(records).split(QStringLiteral("\r\n"));
    ASSERT_EQ(lines.size(), 13);  // header, blank, ten learners, and the empty rest
    EXPECT_TRUE(lines[2].startsWith(QStringLiteral("   1   u0 ")));
    EXPECT_TRUE(lines[11].startsWith(QStringLiteral("  10   u9 ")));
}

TEST(TanduidListing, NamesEqualButForCaseStayWhereTheExchangeSortLeavesThem)
{
    const QString listing = buildListing({userRecordBytes("Taro", -1, -1, "A"), userRecordBytes("taro", -1, -1, "B"),
                                          userRecordBytes("Amy", -1, -1, "C")});
    const QStringList lines = listing.split(QStringLiteral("\r\n"));
    EXPECT_TRUE(lines[2].contains(QStringLiteral("Amy")));
    EXPECT_TRUE(lines[3].contains(QStringLiteral("taro ")));
    EXPECT_TRUE(lines[4].contains(QStringLiteral("Taro ")));
}

TEST(TanduidListing, AnEmptyUsersFileGivesTheHeaderAndTheBlankLine)
{
    korvel::test::TempDir dir;
    dir.write(QStringLiteral("Korveluser/user.dat"), QByteArray());
    const UserListing listing = listUsers(dir.file(QStringLiteral("Korveluser")));
    EXPECT_TRUE(listing.ok);
    EXPECT_EQ(listing.text, kHeader);
}

TEST(TanduidListing, AMissingUsersFileIsCreatedEmptyWhenItsFolderExists)
{
    korvel::test::TempDir dir;
    dir.makeFolder(QStringLiteral("Korveluser"));
    const UserListing listing = listUsers(dir.file(QStringLiteral("Korveluser")));
    EXPECT_TRUE(listing.ok);
    EXPECT_EQ(listing.text, kHeader);
    EXPECT_TRUE(dir.exists(QStringLiteral("Korveluser/user.dat")));
}

TEST(TanduidListing, AMissingFolderIsPathNotFound)
{
    korvel::test::TempDir dir;
    const UserListing listing = listUsers(dir.file(QStringLiteral("Korveluser")));
    EXPECT_FALSE(listing.ok);
    EXPECT_EQ(listing.errorNumber, kPathNotFound);
    EXPECT_EQ(listing.text, kHeader);
    EXPECT_EQ(errorText(listing.errorNumber), QStringLiteral("get_UserDataでｴﾗｰが発生しました。ｴﾗｰ番号  76"));
    EXPECT_FALSE(dir.exists(QStringLiteral("Korveluser")));
}

TEST(TanduidListing, TheUsersFileIsOnlyRead)
{
    korvel::test::TempDir dir;
    const QByteArray bytes = userRecordBytes("Ken", -1, -1, "k") + QByteArray("part");
    dir.write(QStringLiteral("Korveluser/user.dat"), bytes);
    const UserListing listing = listUsers(dir.file(QStringLiteral("Korveluser")));
    EXPECT_TRUE(listing.text.contains(QStringLiteral("Ken")));
    EXPECT_EQ(dir.read(QStringLiteral("Korveluser/user.dat")), bytes);
}

TEST(TanduidWindow, ShowsTheListingAndKeepsTheClockCurrent)
{
    korvel::test::TempDir dir;
    dir.write(QStringLiteral("Korveluser/user.dat"), userRecordBytes("Hana", -1, -1, "h8"));
    korvel::test::ScriptedPrompt prompt;
    korvel::test::FixedClock clock;
    auto* window = new frmUserID(dir.file(QStringLiteral("Korveluser")), prompt, clock);
    QPointer<frmUserID> alive = window;
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->show();
    EXPECT_EQ(window->windowTitle(), QStringLiteral(" NEVRIN1　ユーザＩＤ照会"));
    EXPECT_EQ(window->TextList->toPlainText(),
              QStringLiteral("Ｎｏ． Ｎａｍｅ　　　　　      ユーザＩＤ\n\n   1   Hana                   h8      \n"));
    EXPECT_EQ(window->LabelClock->text(), QStringLiteral("2024/04/01 09:05:42"));
    clock.at = clock.at.addSecs(60);
    window->tick();
    EXPECT_EQ(window->LabelClock->text(), QStringLiteral("2024/04/01 09:06"));
    EXPECT_TRUE(window->Timer->isActive());
    EXPECT_EQ(prompt.count(), 0u);
    window->CommandClose->click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(alive.isNull());
}

TEST(TanduidWindow, AnUnreadableUsersFileIsReportedWithItsErrorNumber)
{
    korvel::test::TempDir dir;
    korvel::test::ScriptedPrompt prompt;
    korvel::test::FixedClock clock;
    frmUserID window(dir.file(QStringLiteral("Korveluser")), prompt, clock);
    ASSERT_EQ(prompt.count(), 1u);
    EXPECT_EQ(prompt.last().text, QStringLiteral("get_UserDataでｴﾗｰが発生しました。ｴﾗｰ番号  76"));
    EXPECT_EQ(window.listing(), kHeader);
}

}  // namespace
}  // namespace tanduid
