#include "app/files/sjis_text.h"
#include "app/files/tab_fields.h"
#include "tests/app/file_support.h"

#include <gtest/gtest.h>

namespace korvel {
namespace {

TEST(SjisField, PadsWithBlanksAndCutsAtTheWidth)
{
    EXPECT_EQ(sjis::toField(QStringLiteral("Taro"), 8), QByteArray("Taro    "));
    EXPECT_EQ(sjis::toField(QStringLiteral("abcdefghij"), 8), QByteArray("abcdefgh"));
    EXPECT_EQ(sjis::toField(QString(), 3), QByteArray("   "));
}

TEST(SjisField, NeverSplitsADoubleByteCharacter)
{
    // "あいう" is six bytes; five leave room for two characters and one blank.
    const QByteArray field = sjis::toField(QStringLiteral("あいう"), 5);
    ASSERT_EQ(field.size(), 5);
    EXPECT_EQ(field, QByteArray("\x82\xa0\x82\xa2 "));
    EXPECT_EQ(sjis::fromFieldTrimmed(field), QStringLiteral("あい"));
    // Half-width katakana are single bytes.
    EXPECT_EQ(sjis::toField(QStringLiteral("ﾛｸﾞｲﾝ"), 3), QByteArray("\xdb\xb8\xde"));
}

TEST(SjisField, UnencodableCharactersBecomeQuestionMarks)
{
    EXPECT_EQ(sjis::encode(QStringLiteral("a한b")), QByteArray("a?b"));
    EXPECT_EQ(sjis::encode(QString::fromUtf8("x\xF0\x9F\x98\x80y")), QByteArray("x?y"));
    EXPECT_FALSE(sjis::fits(QStringLiteral("あいう"), 5));
    EXPECT_TRUE(sjis::fits(QStringLiteral("あいう"), 6));
}

TEST(SjisLines, CrLfAndLoneCrEndALineButALoneLfStaysInside)
{
    const QStringList lines = sjis::splitLines(QByteArray("one\r\ntwo\rthree\nstill three\r\nlast"));
    ASSERT_EQ(lines.size(), 4);
    EXPECT_EQ(lines[0], QStringLiteral("one"));
    EXPECT_EQ(lines[1], QStringLiteral("two"));
    EXPECT_EQ(lines[2], QStringLiteral("three\nstill three"));
    EXPECT_EQ(lines[3], QStringLiteral("last"));
    EXPECT_TRUE(sjis::splitLines(QByteArray()).isEmpty());
    EXPECT_EQ(sjis::splitLines(QByteArray("a\r\n")).size(), 1);
    EXPECT_EQ(sjis::splitLines(QByteArray("\r\n\r\n")).size(), 2);
}

TEST(SjisLines, ReadsShiftJisFilesAndTellsAMissingOne)
{
    test::TempDir dir;
    const QString path = dir.write(QStringLiteral("t.txt"), test::shiftJis(QStringLiteral("第1章\r\n総復習\r\n")));
    const sjis::TextFile file = sjis::readLines(path);
    ASSERT_EQ(file.status, sjis::ReadStatus::Ok);
    EXPECT_EQ(file.lines, QStringList({QStringLiteral("第1章"), QStringLiteral("総復習")}));
    EXPECT_EQ(sjis::readLines(path, 1).lines.size(), 1);
    EXPECT_EQ(sjis::readLines(dir.file(QStringLiteral("none.txt"))).status, sjis::ReadStatus::Missing);
}

TEST(SjisRecord, SixteenBitIntegersAreLittleEndianTwosComplement)
{
    QByteArray record(4, '\0');
    sjis::putInt16(record, 0, -1);
    sjis::putInt16(record, 2, 0x1234);
    EXPECT_EQ(record, QByteArray("\xff\xff\x34\x12", 4));
    EXPECT_EQ(sjis::getInt16(record, 0), -1);
    EXPECT_EQ(sjis::getInt16(record, 2), 0x1234);
    sjis::putInt16(record, 0, -32768);
    EXPECT_EQ(sjis::getInt16(record, 0), -32768);
}

TEST(SjisText, FixedTextAndBlankTrimming)
{
    EXPECT_EQ(sjis::fixedText(QStringLiteral("abc"), 5), QStringLiteral("abc  "));
    EXPECT_EQ(sjis::fixedText(QStringLiteral("abcdef"), 4), QStringLiteral("abcd"));
    // Only ASCII blanks are trimmed; a full-width blank is text.
    EXPECT_EQ(sjis::trimBlanks(QStringLiteral("  a b  ")), QStringLiteral("a b"));
    EXPECT_EQ(sjis::trimBlanks(QStringLiteral("　a ")), QStringLiteral("　a"));
}

TEST(TabFields, FieldsRunToTheNextTabAndTheLastToTheEnd)
{
    TabCursor fields(QStringLiteral("1\tE\tmessage"));
    EXPECT_TRUE(fields.tabFollows());
    EXPECT_EQ(fields.next(), QStringLiteral("1"));
    EXPECT_EQ(fields.next(), QStringLiteral("E"));
    EXPECT_FALSE(fields.tabFollows());
    EXPECT_EQ(fields.next(), QStringLiteral("message"));
    EXPECT_EQ(fields.next(), QString());
    EXPECT_TRUE(fields.atEnd());

    TabCursor empties(QStringLiteral("\t\t"));
    EXPECT_EQ(empties.next(), QString());
    EXPECT_EQ(empties.next(), QString());
    EXPECT_EQ(empties.next(), QString());
    EXPECT_TRUE(empties.atEnd());
}

TEST(TabFields, NumbersAreReadLeniently)
{
    EXPECT_EQ(leadingNumber(QStringLiteral("12abc")), 12.0);
    EXPECT_EQ(leadingNumber(QStringLiteral("  -3.5x")), -3.5);
    EXPECT_EQ(leadingNumber(QStringLiteral("No.")), 0.0);
    EXPECT_EQ(leadingNumber(QString()), 0.0);
    EXPECT_EQ(leadingInt16(QStringLiteral("7.9")), 7);
    EXPECT_EQ(leadingInt16(QStringLiteral("40000")), 32767);
    EXPECT_EQ(leadingInt16(QStringLiteral("-40000")), -32768);
}

}  // namespace
}  // namespace korvel
