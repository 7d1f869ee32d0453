#include "app/files/user_records.h"
#include "tests/app/file_support.h"

#include <gtest/gtest.h>

namespace korvel {
namespace {

using test::le16;
using test::userRecordBytes;

TEST(UserRecord, LayoutIsByteForByte)
{
    const UserData user{QStringLiteral("Taro Yamada"), 0, -1, QStringLiteral("abc123")};
    const QByteArray bytes = encodeUserRecord(user);
    ASSERT_EQ(bytes.size(), 32);
    EXPECT_EQ(bytes, userRecordBytes("Taro Yamada", 0, -1, "abc123"));
    EXPECT_EQ(bytes.mid(20, 4), QByteArray("\x00\x00\xff\xff", 4));
    EXPECT_EQ(decodeUserRecord(bytes), user);
}

TEST(UserRecord, NoIdIsStoredAsBlanks)
{
    const QByteArray bytes = encodeUserRecord({QStringLiteral("Hana"), -1, 0, QString()});
    EXPECT_EQ(bytes.mid(24), QByteArray(8, ' '));
    EXPECT_EQ(decodeUserRecord(bytes).id, QString());
}

TEST(UserRecord, OverlongTextsStopAtTheirFields)
{
    // Validation keeps such texts out; the record still never spills over.
    const UserData user{QString(25, QLatin1Char('n')), -1, -1, QStringLiteral("123456789")};
    const QByteArray bytes = encodeUserRecord(user);
    ASSERT_EQ(bytes.size(), 32);
    EXPECT_EQ(bytes.left(20), QByteArray(20, 'n'));
    EXPECT_EQ(bytes.mid(20, 4), le16(-1) + le16(-1));
    EXPECT_EQ(bytes.mid(24), QByteArray("12345678"));
}

TEST(UserRecord, ShiftJisNamesAreDecoded)
{
    QByteArray bytes = test::shiftJis(QStringLiteral("山田"));
    bytes.append(20 - bytes.size(), ' ');
    bytes += le16(-1) + le16(-1) + QByteArray(8, ' ');
    EXPECT_EQ(decodeUserRecord(bytes).name, QStringLiteral("山田"));
}

TEST(LastUserRecord, LayoutIsByteForByte)
{
    const QByteArray bytes = encodeLastUserRecord({QStringLiteral("Hana"), 2, 5});
    ASSERT_EQ(bytes.size(), 24);
    EXPECT_EQ(bytes, QByteArray("Hana                ") + le16(2) + le16(5));
    const LastUserData back = decodeLastUserRecord(bytes);
    EXPECT_EQ(back.name, QStringLiteral("Hana"));
    EXPECT_EQ(back.index, 2);
    EXPECT_EQ(back.userCount, 5);
}

QStringList namesOf(const std::vector<NameSlot>& table)
{
    QStringList out;
    for (const NameSlot& entry : table) {
        out.append(entry.name + QLatin1Char('#') + QString::number(entry.index));
    }
    return out;
}

TEST(NameOrder, AscendingIgnoringLetterCase)
{
    const auto sorted = sortNames({QStringLiteral("mike"), QStringLiteral("Alice"), QStringLiteral("bob"),
                                   QStringLiteral("Zed"), QStringLiteral("al")});
    EXPECT_EQ(namesOf(sorted), QStringList({QStringLiteral("al#4"), QStringLiteral("Alice#1"), QStringLiteral("bob#2"),
                                            QStringLiteral("mike#0"), QStringLiteral("Zed#3")}));
}

TEST(NameOrder, EqualNamesEndWhereTheExchangeSortLeavesThem)
{
    // Taro and taro compare equal and are never swapped with each other, but
    // the swap of Taro with Amy moves Taro behind taro: the order is the
    // exchange sort's, not the file's.
    const auto sorted = sortNames({QStringLiteral("Taro"), QStringLiteral("taro"), QStringLiteral("Amy")});
    EXPECT_EQ(namesOf(sorted),
              QStringList({QStringLiteral("Amy#2"), QStringLiteral("taro#1"), QStringLiteral("Taro#0")}));

    const auto kept = sortNames({QStringLiteral("taro"), QStringLiteral("Taro")});
    EXPECT_EQ(namesOf(kept), QStringList({QStringLiteral("taro#0"), QStringLiteral("Taro#1")}));
}

}  // namespace
}  // namespace korvel
