#include "app/files/record_file.h"
#include "tests/app/file_support.h"

#include <gtest/gtest.h>

#if defined(__linux__)
#include <sys/resource.h>
#include <csignal>
#endif

namespace korvel {
namespace {

QByteArray record(char fill)
{
    return QByteArray(32, fill);
}

TEST(RecordFile, ReadsWholeRecordsAndLeavesAPartialTailAlone)
{
    test::TempDir dir;
    const QByteArray bytes = record('a') + record('b') + record('c') + QByteArray("tail");
    const QString path = dir.write(QStringLiteral("user.dat"), bytes);
    const RecordReadResult read = readRecords(path, 32, 30, true);
    ASSERT_TRUE(read.ok);
    EXPECT_EQ(read.length, 100);
    EXPECT_EQ(read.wholeRecords, 3);
    ASSERT_EQ(read.records.size(), 3);
    EXPECT_EQ(read.records[2], record('c'));
    EXPECT_EQ(dir.read(QStringLiteral("user.dat")), bytes);  // not truncated, not rewritten
}

TEST(RecordFile, ReadsAtMostTheGivenNumberOfRecords)
{
    test::TempDir dir;
    QByteArray bytes;
    for (int i = 0; i < 35; ++i) {
        bytes += record(static_cast<char>('A' + i));
    }
    const RecordReadResult read = readRecords(dir.write(QStringLiteral("u.dat"), bytes), 32, 30, false);
    ASSERT_TRUE(read.ok);
    EXPECT_EQ(read.wholeRecords, 35);
    EXPECT_EQ(read.records.size(), 30);
}

TEST(RecordFile, MissingFileIsCreatedEmptyOnlyWhenItsFolderExists)
{
    test::TempDir dir;
    const RecordReadResult created = readRecords(dir.file(QStringLiteral("user.dat")), 32, 30, true);
    EXPECT_TRUE(created.ok);
    EXPECT_TRUE(created.records.isEmpty());
    EXPECT_TRUE(dir.exists(QStringLiteral("user.dat")));

    const RecordReadResult noFolder = readRecords(dir.file(QStringLiteral("none/user.dat")), 32, 30, true);
    EXPECT_FALSE(noFolder.ok);
    EXPECT_TRUE(noFolder.folderMissing);

    const RecordReadResult notCreated = readRecords(dir.file(QStringLiteral("other.dat")), 32, 30, false);
    EXPECT_FALSE(notCreated.ok);
    EXPECT_FALSE(notCreated.folderMissing);
    EXPECT_FALSE(dir.exists(QStringLiteral("other.dat")));
}

TEST(RecordFile, WritingARecordTouchesNoOtherByte)
{
    test::TempDir dir;
    const QString path = dir.write(QStringLiteral("user.dat"), record('a') + record('b') + record('c') + "tail");
    ASSERT_TRUE(writeRecord(path, 32, 2, record('X')).ok());
    EXPECT_EQ(dir.read(QStringLiteral("user.dat")), record('a') + record('X') + record('c') + "tail");

    // The next free record begins right after the whole records, over the partial tail.
    ASSERT_TRUE(writeRecord(path, 32, 4, record('d')).ok());
    EXPECT_EQ(dir.read(QStringLiteral("user.dat")), record('a') + record('X') + record('c') + record('d'));
}

TEST(RecordFile, RefusesWritesThatWouldLeaveAGapOrAreMalformed)
{
    test::TempDir dir;
    const QString path = dir.write(QStringLiteral("user.dat"), record('a'));
    EXPECT_EQ(writeRecord(path, 32, 3, record('c')).status, WriteStatus::BeyondEnd);
    EXPECT_EQ(writeRecord(path, 32, 0, record('c')).status, WriteStatus::WriteFailed);
    EXPECT_EQ(writeRecord(path, 32, 2, QByteArray(31, 'c')).status, WriteStatus::WriteFailed);
    EXPECT_EQ(dir.read(QStringLiteral("user.dat")), record('a'));
}

TEST(RecordFile, AFileThatCannotBeOpenedIsAnOpenFailure)
{
    test::TempDir dir;
    dir.makeFolder(QStringLiteral("user.dat"));  // a folder where the file should be
    EXPECT_EQ(writeRecord(dir.file(QStringLiteral("user.dat")), 32, 1, record('a')).status, WriteStatus::OpenFailed);
    EXPECT_FALSE(readRecords(dir.file(QStringLiteral("user.dat")), 32, 30, true).ok);
}

#if defined(__linux__)
// A write cut short (here by the file-size limit, as a full disk would cut
// it) is reported, and the records before it stay as they were.
TEST(RecordFile, AFailedWriteLeavesTheEarlierRecordsIntact)
{
    test::TempDir dir;
    const QByteArray before = record('a') + record('b');
    const QString path = dir.write(QStringLiteral("user.dat"), before);

    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limited = saved;
    limited.rlim_cur = 80;  // room for half of the third record
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limited), 0);
    const RecordWriteResult result = writeRecord(path, 32, 3, record('c'));
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);

    EXPECT_FALSE(result.ok());
    const RecordReadResult read = readRecords(path, 32, 30, false);
    ASSERT_TRUE(read.ok);
    ASSERT_EQ(read.records.size(), 2);
    EXPECT_EQ(read.records[0] + read.records[1], before);
}
#endif

}  // namespace
}  // namespace korvel
