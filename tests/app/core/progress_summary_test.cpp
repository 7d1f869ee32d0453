// The progress summary on a small course and logs written by the
// application's own writers: missing and empty logs, the newest record
// deciding an item, re-tests counted in the items' own chapters, the days of
// the test runs and the most frequent comments with their categories.
#include "app/records/progress_summary.h"
#include "app/correction/global_comments.h"
#include "app/correction/message_table.h"
#include "tests/app/core/exercise_fixture.h"

#include <QDir>

#include <gtest/gtest.h>

namespace korvel {
namespace {

const QDateTime kMonday(QDate(2024, 4, 1), QTime(9, 0));

class ProgressSummaryTest : public test::ExerciseTest {
protected:
    void SetUp() override
    {
        ExerciseTest::SetUp();
        // Chapter 1: words 1 and 2 and the spoken phrase 3; chapter 2: word 4.
        lessonFile(QStringLiteral("単語.txt"),
                   {QStringLiteral("No.\t章\t表示\t番号\t意味\t英語\t補足\t種類"),
                    QStringLiteral("1\t1\t0\t1\t私は\tI\t\t代名詞"), QStringLiteral("2\t1\t0\t2\t〜です\tam\t\t動詞"),
                    QStringLiteral("3\t1\t0\t3\tこんにちは\tHello\t\t話し言葉"),
                    QStringLiteral("4\t2\t0\t1\tあなたは\tyou\t\t代名詞")});
        // Chapter 1: rows 1 and 2 (one item each); chapter 2: row 3; chapter 28: row 4.
        lessonFile(QStringLiteral("英作文.txt"), {QStringLiteral("No.\t章\t番号\t日本語\t英語"),
                                                  QStringLiteral("1\t1\t1\t私は学生です。\tI am a student."),
                                                  QStringLiteral("2\t1\t2\t私はケンです。\tI am Ken."),
                                                  QStringLiteral("3\t2\t1\tこれはペンです。\tThis is a pen."),
                                                  QStringLiteral("4\t28\t1\t復習です。\tIt is a review.")});
        // Chapter 1: row 1 in the quiz, row 2 without English, row 3 left out
        // of the quiz; chapter 2: row 4.
        lessonFile(QStringLiteral("基本文.txt"),
                   {QStringLiteral("No.\t章\t番号\t日本語\t英語\t区分\t問題文"),
                    QStringLiteral("1\t1\t1\tこんにちは。\tHello.\t0\t"), QStringLiteral("2\t1\t2\t（絵）\t\t0\t"),
                    QStringLiteral("3\t1\t3\tはじめまして。\tNice to meet you.\t10\t"),
                    QStringLiteral("4\t2\t1\tこれはペンです。\tThis is a pen.\t0\t")});
        clock.at = kMonday;
    }

    void word(std::int16_t number, std::int16_t chapter, bool right)
    {
        clock.at = clock.at.addSecs(60);
        ASSERT_TRUE(put_WordLog(*session, {clock.at, number, chapter, static_cast<std::int16_t>(right ? -1 : 0),
                                           QStringLiteral("answer")}));
    }
    void listening(std::int16_t row, std::int16_t chapter, bool right)
    {
        clock.at = clock.at.addSecs(60);
        ASSERT_TRUE(put_HExLog(*session, {row, chapter, QStringLiteral("typed"), 2, 1,
                                          static_cast<std::int16_t>(right ? -1 : 0), clock.at}));
    }
    void composition(std::int16_t row, std::int16_t chapter, bool right, const std::vector<std::int16_t>& comments = {})
    {
        clock.at = clock.at.addSecs(60);
        ASSERT_TRUE(put_SentLog(*session, row, chapter, QStringLiteral("answer"), right, comments));
    }
    void run(std::int16_t chapter, TestKind kind, int right, int wrong, const QDateTime& when)
    {
        clock.at = when;
        session->setChapter(chapter);
        TestRun testRun;
        testRun.start(right + wrong + 2);
        for (int i = 0; i < right + wrong; ++i) {
            testRun.settle(i < right);
        }
        put_UserLog(*session, testRun, kind);
    }

    void globalComments() const
    {
        const QStringList lines = {
            QStringLiteral("<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>"),
            QStringLiteral("<root><category><name>Global</name>"),
            QStringLiteral("<category><name>代名詞</name><category><name>主語の形</name>"),
            QStringLiteral("<comment ID=\"1\"><name>主格</name><jcontent>主語には I を使います。</jcontent></comment>"),
            QStringLiteral("</category></category>"),
            QStringLiteral("<category><name>冠詞</name>"),
            QStringLiteral("<comment ID=\"3\"><name>不定冠詞</name><jcontent>数えられる名詞の前には a "
                           "が必要です。</jcontent></comment>"),
            QStringLiteral("</category></category></root>")};
        content.write(QStringLiteral("JisGlobal.xvt"), test::shiftJis(lines.join(QStringLiteral("\r\n"))));
    }
};

void expectCounts(const KindProgress& kind, int right, int wrong, int untested)
{
    EXPECT_EQ(kind.right, right);
    EXPECT_EQ(kind.wrong, wrong);
    EXPECT_EQ(kind.untested, untested);
}

TEST_F(ProgressSummaryTest, ALearnerWithoutLogsHasEveryItemUntestedAndNoError)
{
    const ProgressSummary summary = summariseProgress(*session);
    EXPECT_FALSE(summary.anyRecord);
    // The spoken phrase, the row without English and the row left out of the quiz are not counted.
    expectCounts(summary.chapter(1).words, 0, 0, 2);
    expectCounts(summary.chapter(1).compositions, 0, 0, 2);
    expectCounts(summary.chapter(1).listening, 0, 0, 1);
    expectCounts(summary.chapter(2).words, 0, 0, 1);
    expectCounts(summary.chapter(28).compositions, 0, 0, 1);
    expectCounts(summary.chapter(3).words, 0, 0, 0);
    EXPECT_EQ(summary.chapter(3).words.masteredPercent(), 0.0);
    EXPECT_TRUE(summary.days.empty());
    EXPECT_TRUE(summary.topComments.empty());
    EXPECT_EQ(prompt.count(), 0u) << prompt.transcript().toStdString();
    // The chapter of the learner is left as it was.
    EXPECT_EQ(session->chapter(), 1);
}

TEST_F(ProgressSummaryTest, EmptyLogFilesAreNoRecords)
{
    for (LogName log : {LogName::UserLog, LogName::WordLog, LogName::HExLog, LogName::SentLog}) {
        content.write(QStringLiteral("Korveluser/") + logFileName(log, 1), {});
    }
    const ProgressSummary summary = summariseProgress(*session);
    EXPECT_FALSE(summary.anyRecord);
    expectCounts(summary.chapter(1).words, 0, 0, 2);
    EXPECT_TRUE(summary.days.empty());
    EXPECT_EQ(prompt.count(), 0u) << prompt.transcript().toStdString();
}

TEST_F(ProgressSummaryTest, TheNewestAnswerOfAnItemDecides)
{
    word(1, 1, false);  // wrong, then right: mastered
    word(1, 1, true);
    word(2, 1, true);  // right, then wrong: not mastered
    word(2, 1, false);
    composition(1, 1, false, {5});
    composition(1, 1, true);
    composition(2, 1, true);
    composition(2, 1, false, {7});
    listening(1, 1, true);
    listening(1, 1, false);
    const ProgressSummary summary = summariseProgress(*session);
    EXPECT_TRUE(summary.anyRecord);
    expectCounts(summary.chapter(1).words, 1, 1, 0);
    expectCounts(summary.chapter(1).compositions, 1, 1, 0);
    expectCounts(summary.chapter(1).listening, 0, 1, 0);
    EXPECT_DOUBLE_EQ(summary.chapter(1).words.masteredPercent(), 50.0);
    EXPECT_DOUBLE_EQ(summary.chapter(1).listening.masteredPercent(), 0.0);
    expectCounts(summary.chapter(2).words, 0, 0, 1);
}

TEST_F(ProgressSummaryTest, ReTestAnswersCountInTheItemsOwnChapters)
{
    word(4, 2, false);
    composition(3, 2, false);
    listening(4, 2, false);
    // The re-tests: the word log keeps the word's chapter, the listening log
    // the re-quiz number 100; the course decides the chapter of each item.
    session->setChapter(kRetestWords);
    word(4, 2, true);
    session->setChapter(kRetestCompositions);
    composition(3, kRetestCompositions, true);
    session->setChapter(kRetestListening);
    listening(4, kRetestListening, true);
    const ProgressSummary summary = summariseProgress(*session);
    expectCounts(summary.chapter(2).words, 1, 0, 0);
    expectCounts(summary.chapter(2).compositions, 1, 0, 0);
    expectCounts(summary.chapter(2).listening, 1, 0, 0);
    EXPECT_DOUBLE_EQ(summary.chapter(2).compositions.masteredPercent(), 100.0);
    EXPECT_EQ(session->chapter(), kRetestListening);
}

TEST_F(ProgressSummaryTest, TestRunsAreSummedPerDayAndKindOldestFirst)
{
    const QDateTime tuesday = kMonday.addDays(1);
    run(2, TestKind::WordTest, 3, 1, tuesday);
    run(1, TestKind::WordTest, 5, 2, kMonday);
    run(kRetestWords, TestKind::WordTest, 2, 0, tuesday.addSecs(3600));  // a re-test run counts too
    run(1, TestKind::ListeningQuiz, 4, 4, tuesday.addSecs(7200));
    run(1, TestKind::CompositionTest, 0, 0, tuesday.addSecs(9000));  // nothing answered: no record
    const ProgressSummary summary = summariseProgress(*session);
    ASSERT_EQ(summary.days.size(), 2u);
    EXPECT_EQ(summary.days[0].day, kMonday.date());
    EXPECT_EQ(summary.days[0].right, (std::array<int, 3>{5, 0, 0}));
    EXPECT_EQ(summary.days[0].answered, (std::array<int, 3>{7, 0, 0}));
    EXPECT_EQ(summary.days[1].day, tuesday.date());
    EXPECT_EQ(summary.days[1].right, (std::array<int, 3>{5, 0, 4}));
    EXPECT_EQ(summary.days[1].answered, (std::array<int, 3>{6, 0, 8}));
    EXPECT_EQ(summary.days[1].runs, 3);
    EXPECT_EQ(summary.days[1].totalRight(), 9);
    EXPECT_EQ(summary.daysLeftOut, 0);
    EXPECT_TRUE(summary.anyRecord);
}

TEST(ProgressDays, OnlyTheMostRecentStudyDaysAreKept)
{
    std::vector<UserLogRecord> newestFirst;
    for (int day = 0; day < kShownDays + 5; ++day) {
        UserLogRecord record;
        record.when = kMonday.addDays(2 * day);
        record.kind = static_cast<std::int16_t>(TestKind::CompositionTest);
        record.right = static_cast<std::int16_t>(day);
        record.wrong = 1;
        newestFirst.insert(newestFirst.begin(), record);
    }
    UserLogRecord unknownKind = newestFirst.front();
    unknownKind.kind = 7;
    unknownKind.when = kMonday.addDays(1000);
    newestFirst.insert(newestFirst.begin(), unknownKind);
    int leftOut = -1;
    const std::vector<DayResults> days = resultsByDay(newestFirst, &leftOut);
    ASSERT_EQ(days.size(), static_cast<std::size_t>(kShownDays));
    EXPECT_EQ(leftOut, 5);
    EXPECT_EQ(days.front().day, kMonday.addDays(10).date());
    EXPECT_EQ(days.front().right[1], 5);
    EXPECT_EQ(days.back().day, kMonday.addDays(2 * (kShownDays + 4)).date());
    EXPECT_EQ(dayLabel(days.front().day, false), QStringLiteral("04/11"));
    EXPECT_EQ(dayLabel(days.front().day, true), QStringLiteral("2024/04/11"));
}

TEST_F(ProgressSummaryTest, TheMostFrequentCommentsComeWithTheirTextAndCategory)
{
    globalComments();
    composition(1, 1, false, {10001, 5, 10003});
    composition(1, 1, false, {10001, 5});
    composition(2, 1, false, {10001, 40});
    composition(2, 1, true);
    const ProgressSummary summary = summariseProgress(*session);
    EXPECT_EQ(prompt.count(), 0u) << prompt.transcript().toStdString();
    ASSERT_EQ(summary.topComments.size(), 4u);
    const CommentCount& first = summary.topComments[0];
    EXPECT_EQ(first.number, 10001);
    EXPECT_EQ(first.count, 3);
    EXPECT_TRUE(first.global);
    EXPECT_EQ(first.text, QStringLiteral("主語には I を使います。"));
    EXPECT_EQ(first.category, QStringLiteral("代名詞/主語の形"));
    EXPECT_EQ(first.name, QStringLiteral("主格"));
    // The newest correction that gave it (09:03; the last one, 09:04, gave none).
    EXPECT_EQ(recordDateText(first.last), QStringLiteral("04/01 09:03"));
    // A built-in message: its text and path from the message table.
    EXPECT_EQ(summary.topComments[1].number, 5);
    EXPECT_EQ(summary.topComments[1].count, 2);
    EXPECT_FALSE(summary.topComments[1].global);
    EXPECT_EQ(summary.topComments[1].text, QStringLiteral("文章の終りにピリオドがありません。"));
    EXPECT_EQ(summary.topComments[1].category, QStringLiteral("語法/解説"));
    // Equal frequencies by number: 40 (the exercise's own comment) before 10003.
    EXPECT_EQ(summary.topComments[2].number, 40);
    EXPECT_TRUE(summary.topComments[2].text.isEmpty());
    EXPECT_EQ(commentChartLabel(summary.topComments[2]), QStringLiteral("コメント番号 40"));
    EXPECT_EQ(summary.topComments[3].number, 10003);
    EXPECT_EQ(summary.topComments[3].category, QStringLiteral("冠詞"));
    EXPECT_EQ(commentChartLabel(summary.topComments[3], 8), QStringLiteral("［冠詞］数えられる名詞の…"));
    EXPECT_EQ(commentChartLabel(summary.topComments[1]),
              QStringLiteral("［語法/解説］文章の終りにピリオドがありません。"));
}

TEST(ProgressComments, TenAtMostAndGlobalNumbersOutsideTheTableHaveNoText)
{
    CommentTable table;
    table.prepare(set_MessageTable());
    std::vector<SentLogRecord> newestFirst(1);
    for (std::int16_t n = 1; n <= 12; ++n) {
        for (int times = 0; times < n; ++times) {
            newestFirst[0].comments.push_back(n);
        }
    }
    newestFirst[0].comments.push_back(0);  // an unused place
    const std::vector<CommentCount> top = mostFrequentComments(newestFirst, table);
    ASSERT_EQ(top.size(), static_cast<std::size_t>(kTopComments));
    EXPECT_EQ(top.front().number, 12);
    EXPECT_EQ(top.front().count, 12);
    EXPECT_EQ(top.back().number, 3);
    EXPECT_EQ(top[2].number, 10);
    EXPECT_EQ(top[2].text, QStringLiteral("文章の終りに疑問符がありません。"));
    // Global ID 0 would fall on the last built-in message; it and IDs past
    // the table have no text.
    EXPECT_TRUE(describeComment(table, 10000).text.isEmpty());
    EXPECT_TRUE(describeComment(table, 10000 + 585).text.isEmpty());
    EXPECT_TRUE(describeComment(table, 10000).global);
    EXPECT_TRUE(describeComment(table, 0).text.isEmpty());
}

TEST_F(ProgressSummaryTest, AnUnreadableUserFolderIsReportedAndCountsAsEmpty)
{
    session->users().chooseLearner(0);
    QDir(content.file(QStringLiteral("Korveluser"))).removeRecursively();
    const ProgressSummary summary = summariseProgress(*session);
    EXPECT_FALSE(summary.anyRecord);
    expectCounts(summary.chapter(1).words, 0, 0, 2);
    EXPECT_GE(prompt.count(), 1u);
    EXPECT_EQ(prompt.last().title, QStringLiteral("エラー表示"));
}

}  // namespace
}  // namespace korvel
