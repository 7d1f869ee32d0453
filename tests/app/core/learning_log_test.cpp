// The learning logs byte for byte, their writers and readers: newest record
// first, partial trailing records, cut-short writes, case-insensitive names,
// out-of-table numbers and the states derived from them.
#include "app/records/learning_log.h"
#include "app/records/log_file.h"
#include "app/shell/session.h"
#include "tests/app/test_support.h"

#include <QFile>

#include <gtest/gtest.h>

#include <csignal>
#include <cstring>

#include <sys/resource.h>

namespace korvel {
namespace {

using test::le16;

// The 8 little-endian bytes of a double, built without the code under test.
QByteArray le64(double value)
{
    unsigned char bytes[8];
    std::memcpy(bytes, &value, 8);
    QByteArray out;
    for (int i = 0; i < 8; ++i) {
        out.append(static_cast<char>(bytes[i]));  // the build machines are little-endian
    }
    return out;
}

QByteArray padded(const QByteArray& text, int width)
{
    return text + QByteArray(width - text.size(), ' ');
}

// 2024-04-01 09:05:42, the test clock: day 45383 after 1899-12-30.
const double kClockDate = 45383.0 + (9 * 3600 + 5 * 60 + 42) / 86400.0;

class LearningLogTest : public test::AppTest {
protected:
    void SetUp() override
    {
        installCourse();
        writeUsers({test::userRecordBytes("Taro", -1, -1, ""), test::userRecordBytes("Hana", -1, -1, "")});
        startSession();
        session->users().get_UserData();
        session->users().chooseLearner(1);
        session->setChapter(3);
    }

    QString log(const char* name) const { return QStringLiteral("Korveluser/") + QString::fromLatin1(name); }
    QByteArray read(const char* name) const { return content.read(log(name)); }
    void write(const char* name, const QByteArray& bytes) const { content.write(log(name), bytes); }

    // A SentLog record built by hand.
    static QByteArray sentRecord(std::int16_t row, std::int16_t chapter, bool right, const QByteArray& answer,
                                 const std::vector<std::int16_t>& comments = {})
    {
        QByteArray out = le64(kClockDate) + le16(row) + le16(chapter) + le16(right ? -1 : 0) + padded(answer, 100) +
                         le16(static_cast<std::int16_t>(comments.size()));
        for (int i = 0; i < 51; ++i) {
            out += le16(i < static_cast<int>(comments.size()) ? comments[static_cast<std::size_t>(i)] : 0);
        }
        return out;
    }
    static QByteArray wordRecord(std::int16_t word, std::int16_t chapter, bool right, const QByteArray& answer)
    {
        return le64(kClockDate) + le16(word) + le16(chapter) + le16(right ? -1 : 0) + padded(answer, 30);
    }

    static CompositionStates sentStates() { return CompositionStates{}; }
};

TEST_F(LearningLogTest, ASentLogRecordHoldsThreeCommentNumbersThenFortyEightZeros)
{
    ASSERT_TRUE(put_SentLog(*session, 17, 3, QStringLiteral("I is a boy."), false, {12, 10003, 7}));
    const QByteArray bytes = read("SentLog1.dat");
    ASSERT_EQ(bytes.size(), 218);
    EXPECT_EQ(bytes, sentRecord(17, 3, false, "I is a boy.", {12, 10003, 7}));
    EXPECT_EQ(bytes.mid(114, 8), le16(3) + le16(12) + le16(10003) + le16(7));
    EXPECT_EQ(bytes.mid(122), QByteArray(96, '\0'));

    ASSERT_TRUE(put_SentLog(*session, 18, 3, QStringLiteral("I am a boy."), true, {}));
    EXPECT_EQ(read("SentLog1.dat").mid(218), sentRecord(18, 3, true, "I am a boy."));
}

TEST_F(LearningLogTest, MoreThanFiftyOneCommentsKeepTheFirstFiftyOne)
{
    std::vector<std::int16_t> comments;
    for (int i = 1; i <= 60; ++i) {
        comments.push_back(static_cast<std::int16_t>(i));
    }
    ASSERT_TRUE(put_SentLog(*session, 17, 3, QStringLiteral("x"), false, comments));
    const QByteArray bytes = read("SentLog1.dat");
    ASSERT_EQ(bytes.size(), 218);
    EXPECT_EQ(bytes.mid(114, 2), le16(51));
    EXPECT_EQ(bytes.mid(216, 2), le16(51));
    // A count beyond the record's places is read as the 51 that exist.
    QByteArray broken = bytes;
    broken.replace(114, 2, le16(900));
    EXPECT_EQ(decodeSentLog(broken).comments.size(), 51u);
}

TEST_F(LearningLogTest, TheOtherRecordsByteForByte)
{
    TestRun run;
    run.start(6);
    run.settle(true);
    run.settle(false);
    run.settle(true);
    ASSERT_TRUE(put_UserLog(*session, run, TestKind::CompositionTest));
    EXPECT_EQ(run.answered, 0);
    EXPECT_EQ(read("UserLog1.dat"),
              le64(kClockDate) + le16(1) + padded("Hana", 20) + le16(3) + le16(2) + le16(6) + le16(2) + le16(1));

    ASSERT_TRUE(put_WordLog(*session, {clock.at, 12, 3, -1, QStringLiteral("apple")}));
    EXPECT_EQ(read("WordLog1.dat"), wordRecord(12, 3, true, "apple"));

    // A sentence played three times and checked twice, the second check right.
    ASSERT_TRUE(put_HExLog(*session, {40, 100, QStringLiteral("I have a pen."), 3, 2, -1, clock.at}));
    EXPECT_EQ(read("HExLog1.dat"), le16(40) + le16(100) + padded("I have a pen.", 100) + le16(0) + le16(3) + le16(2) +
                                       le16(-1) + le64(kClockDate));
}

TEST_F(LearningLogTest, ARunLeftBeforeAnyAnswerWritesNoUserLog)
{
    TestRun run;
    run.start(5);
    EXPECT_FALSE(put_UserLog(*session, run, TestKind::WordTest));
    EXPECT_FALSE(content.exists(log("UserLog1.dat")));
    EXPECT_EQ(prompt.count(), 0u);
}

TEST_F(LearningLogTest, TheTestRunCountersStartAtZeroAndCountSettledItems)
{
    TestRun run;
    run.settle(true);
    run.start(4);
    EXPECT_EQ(run.questions, 4);
    EXPECT_EQ(run.answered + run.right + run.wrong, 0);
    run.settle(false);
    run.settle(false);
    run.settle(true);
    EXPECT_EQ(run.answered, 3);
    EXPECT_EQ(run.right, 1);
    EXPECT_EQ(run.wrong, 2);
}

TEST_F(LearningLogTest, TheNewestRecordDecidesTheCompositionState)
{
    write("SentLog1.dat", sentRecord(5, 3, false, "old wrong") + sentRecord(6, 3, true, "old right") +
                              sentRecord(5, 3, true, "new right") + sentRecord(6, 3, false, "new wrong") +
                              sentRecord(9, 4, false, "other chapter"));
    CompositionStates states = sentStates();
    ASSERT_TRUE(get_OKsent(*session, states));
    EXPECT_EQ(states.at(5).state, LastRight);
    EXPECT_EQ(states.at(5).lastAnswer, QStringLiteral("new right"));
    EXPECT_EQ(states.at(6).state, LastWrong);
    EXPECT_EQ(states.at(6).lastAnswer, QStringLiteral("new wrong"));
    EXPECT_EQ(states.at(9).state, NotTested);  // another chapter

    states = sentStates();
    ASSERT_TRUE(get_NGsent(*session, states));
    EXPECT_EQ(states.at(9).state, LastWrong);
    EXPECT_EQ(states.at(5).lastAnswer, QString());  // only the current-chapter reader keeps answers
}

TEST_F(LearningLogTest, WordStatesFollowTheNewestAnswer)
{
    // Wrong on Monday, right on Tuesday is mastered; right then wrong is not.
    write("WordLog1.dat", wordRecord(1, 3, false, "aple") + wordRecord(2, 3, true, "dog") +
                              wordRecord(1, 3, true, "apple") + wordRecord(2, 3, false, "dgo"));
    std::vector<WordEntry> words(3);
    words[0].number = 1;
    words[1].number = 2;
    words[2].number = 3;
    ASSERT_TRUE(get_WordLog(*session, words));
    EXPECT_EQ(wordStateText(words[0]), QStringLiteral("習得済"));
    EXPECT_EQ(words[0].lastAnswer, QStringLiteral("apple"));
    EXPECT_EQ(wordStateText(words[1]), QStringLiteral("未修得"));
    EXPECT_EQ(words[1].lastAnswer, QStringLiteral("dgo"));
    EXPECT_EQ(wordStateText(words[2]), QStringLiteral("未テスト"));
}

TEST_F(LearningLogTest, AnEmptyOrMissingLogLeavesEverythingUntested)
{
    std::vector<WordEntry> words(1);
    words[0].number = 1;
    ASSERT_TRUE(get_NGWord(*session, words));  // missing
    write("WordLog1.dat", {});
    ASSERT_TRUE(get_NGWord(*session, words));  // 0 bytes
    EXPECT_EQ(wordStateText(words[0]), QStringLiteral("未テスト"));
    CompositionStates states = sentStates();
    write("SentLog1.dat", {});
    ASSERT_TRUE(get_NGsent(*session, states));
    for (const CompositionItemState& state : states.rows) {
        ASSERT_EQ(state.state, NotTested);
    }
    EXPECT_EQ(prompt.count(), 0u) << prompt.transcript().toStdString();
}

TEST_F(LearningLogTest, APartialTrailingRecordIsIgnoredAndTheNextWriteReplacesIt)
{
    const QByteArray whole = sentRecord(5, 3, false, "first");
    write("SentLog1.dat", whole + sentRecord(5, 3, true, "cut").left(100));
    CompositionStates states = sentStates();
    ASSERT_TRUE(get_OKsent(*session, states));
    EXPECT_EQ(states.at(5).state, LastWrong);  // the cut record does not count

    ASSERT_TRUE(put_SentLog(*session, 6, 3, QStringLiteral("second"), true, {}));
    const QByteArray bytes = read("SentLog1.dat");
    ASSERT_EQ(bytes.size(), 2 * 218);
    EXPECT_EQ(bytes.left(218), whole);
    EXPECT_EQ(bytes.mid(218), sentRecord(6, 3, true, "second"));
}

TEST_F(LearningLogTest, AWriteCutShortLeavesTheFileAsItWas)
{
    const QByteArray before = sentRecord(5, 3, false, "one") + sentRecord(6, 3, true, "two");
    write("SentLog1.dat", before);
    // The file may grow by 100 bytes only: the third record's write is cut short.
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit old{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
    rlimit small = old;
    small.rlim_cur = static_cast<rlim_t>(before.size() + 100);
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool written = put_SentLog(*session, 7, 3, QStringLiteral("three"), false, {1});
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, SIG_DFL);

    EXPECT_FALSE(written);
    EXPECT_EQ(read("SentLog1.dat"), before);
    ASSERT_EQ(prompt.count(), 1u);
    EXPECT_EQ(prompt.last().text, QStringLiteral("エラー：　ファイルに書き込めません。\r\n") +
                                      content.file(log("SentLog1.dat")) +
                                      QStringLiteral(" フォルダー名 \r\nput_SentLog"));
    // The next write appends after the two records.
    ASSERT_TRUE(put_SentLog(*session, 7, 3, QStringLiteral("three"), false, {1}));
    EXPECT_EQ(read("SentLog1.dat"), before + sentRecord(7, 3, false, "three", {1}));
}

TEST_F(LearningLogTest, LogNamesMatchRegardlessOfCase)
{
    write("sentlog1.dat", sentRecord(5, 3, true, "lower case"));
    CompositionStates states = sentStates();
    ASSERT_TRUE(get_OKsent(*session, states));
    EXPECT_EQ(states.at(5).state, LastRight);
    ASSERT_TRUE(put_SentLog(*session, 6, 3, QStringLiteral("x"), true, {}));
    EXPECT_EQ(read("sentlog1.dat").size(), 2 * 218);
    EXPECT_FALSE(content.exists(log("SentLog1.dat")));
    EXPECT_EQ(logFileName(LogName::HExLog, 12), QStringLiteral("HExLog12.dat"));
}

TEST_F(LearningLogTest, ANumberOutsideTheTableStopsTheReaderKeepingNewerStates)
{
    write("SentLog1.dat",
          sentRecord(5, 3, false, "older") + sentRecord(1500, 3, true, "bad") + sentRecord(6, 3, true, "newest"));
    CompositionStates states = sentStates();
    EXPECT_FALSE(get_OKsent(*session, states));
    EXPECT_EQ(states.at(6).state, LastRight);
    EXPECT_EQ(states.at(5).state, NotTested);
    ASSERT_EQ(prompt.count(), 1u);
    EXPECT_EQ(prompt.last().text, QStringLiteral("エラー：　ファイルが読み込めないか、データが多すぎます。\r\n") +
                                      content.file(log("SentLog1.dat")) +
                                      QStringLiteral(" フォルダー名 \r\nget_OKsent"));

    prompt.clear();
    write("HExLog1.dat", QByteArray(le16(501) + QByteArray(118, '\0')));
    ListeningStates listening{};
    EXPECT_FALSE(get_HExLog(*session, listening));
    EXPECT_EQ(prompt.count(), 1u);
}

TEST_F(LearningLogTest, ListeningStatesCountEveryAttemptAndTakeTheNewestFlag)
{
    HExLogRecord r{40, 3, QStringLiteral("a"), 1, 1, 0, clock.at};
    ASSERT_TRUE(put_HExLog(*session, r));
    r.right = -1;
    ASSERT_TRUE(put_HExLog(*session, r));
    ListeningStates states{};
    ASSERT_TRUE(get_HExLog(*session, states));
    EXPECT_EQ(states[40].seen, -1);
    EXPECT_EQ(states[40].right, -1);
    EXPECT_EQ(states[40].attempts, 2);
    EXPECT_EQ(states[41].seen, 0);
}

TEST_F(LearningLogTest, TheRecordListsComeNewestFirst)
{
    write("SentLog1.dat",
          sentRecord(5, 3, false, "first", {4, 2}) + sentRecord(6, 4, true, "second") + QByteArray(17, 'x'));
    const std::vector<SentLogRecord> sent = get_SentLog(*session);
    ASSERT_EQ(sent.size(), 2u);
    EXPECT_EQ(sent[0].answer, QStringLiteral("second"));
    EXPECT_EQ(sent[0].right, -1);
    EXPECT_EQ(sent[1].comments, (std::vector<std::int16_t>{4, 2}));
    EXPECT_EQ(sent[1].when, clock.at);
    EXPECT_TRUE(get_UserLog(*session).empty());
}

TEST_F(LearningLogTest, AWriterWithoutItsFolderReportsRowThree)
{
    QDir(content.file(QStringLiteral("Korveluser"))).removeRecursively();
    EXPECT_FALSE(put_SentLog(*session, 1, 3, QStringLiteral("x"), true, {}));
    ASSERT_EQ(prompt.count(), 1u);
    EXPECT_TRUE(prompt.last().text.startsWith(QStringLiteral("エラー：　ファイルに書き込めません。")));
    prompt.clear();
    CompositionStates states = sentStates();
    EXPECT_FALSE(get_OKsent(*session, states));
    ASSERT_EQ(prompt.count(), 1u);
    EXPECT_TRUE(prompt.last().text.endsWith(QStringLiteral("get_OKsent")));
}

TEST(OleDate, RoundTripsAndCountsFromTheEndOf1899)
{
    const QDateTime when(QDate(2024, 4, 1), QTime(9, 5, 42));
    EXPECT_DOUBLE_EQ(toOleDate(when), kClockDate);
    EXPECT_EQ(fromOleDate(kClockDate), when);
    EXPECT_EQ(fromOleDate(0.0), QDateTime(QDate(1899, 12, 30), QTime(0, 0)));
    EXPECT_EQ(fromOleDate(-1.25), QDateTime(QDate(1899, 12, 29), QTime(6, 0)));
    EXPECT_FALSE(fromOleDate(std::nan("")).isValid());
    EXPECT_EQ(recordDateText(when), QStringLiteral("04/01 09:05"));
}

}  // namespace
}  // namespace korvel
