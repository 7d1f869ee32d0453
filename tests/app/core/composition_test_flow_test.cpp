// The composition test without its screen: selection from the SentLog, the
// test list, the order that keeps an item's rows together, the marks, the
// counters and the UserLog record on leaving.
#include "app/exercises/composition_test.h"
#include "app/records/learning_log.h"
#include "app/records/log_file.h"
#include "app/shell/session.h"
#include "tests/app/test_support.h"

#include <gtest/gtest.h>

namespace korvel {
namespace {

using Kind = CompositionTest::KeyOutcome::Kind;
using Key = CompositionTest::Key;

CompositionResult withComments(int count)
{
    CompositionResult result;
    result.verdict = count == 0 ? CompositionResult::Verdict::Right : CompositionResult::Verdict::Wrong;
    result.errorCount = count;
    for (int i = 0; i < count; ++i) {
        result.commentNumbers.push_back(static_cast<std::int16_t>(i + 1));
    }
    return result;
}

class CompositionTestFlowTest : public test::AppTest {
protected:
    void SetUp() override
    {
        installCourse();
        content.write(
            QStringLiteral("Lesson/英作文.txt"),
            test::shiftJis(QStringList{QStringLiteral("No.\t章\t番号\t日本文\t英文"),
                                       QStringLiteral("1\t1\t1\t私は少年です。\tI am a boy."),
                                       QStringLiteral("2\t1\t2\t彼女は少女です。\tShe is a girl."),
                                       QStringLiteral("3\t1\t3\t「こんにちは」と彼は言った。\tHe said, \"\"Hello.\"\""),
                                       QStringLiteral("4\t1\t3\t「やあ」と私は答えた。\tI answered, \"\"Hi.\"\""),
                                       QStringLiteral("5\t1\t4\tこれはとても長い日本文で、グリッドの幅に収まらないので"
                                                      "二行に分けて表示します。\tThis is long."),
                                       QStringLiteral("6\t2\t1\t彼は先生です。\tHe is a teacher."),
                                       QStringLiteral("7\t28\t1\t一\tOne."), QStringLiteral("8\t28\t2\t二\tTwo."),
                                       QStringLiteral("9\t28\t3\t三\tThree."), QStringLiteral("10\t28\t4\t四\tFour.")}
                               .join(QStringLiteral("\r\n"))));
        writeUsers({test::userRecordBytes("Taro", -1, -1, "")});
        startSession();
        session->users().get_UserData();
        session->users().chooseLearner(0);
        session->setChapter(1);
    }

    void sentLog(std::int16_t row, std::int16_t chapter, bool right, const QString& answer = QStringLiteral("x"))
    {
        ASSERT_TRUE(put_SentLog(*session, row, chapter, answer, right,
                                right ? std::vector<std::int16_t>{} : std::vector<std::int16_t>{1}));
    }

    CompositionTest& start(TestAgain again = TestAgain::No)
    {
        test = std::make_unique<CompositionTest>(*session, 20);
        test->setTestAgain(again);
        return *test;
    }

    // The row numbers of the grid, in grid order.
    std::vector<int> gridRows() const
    {
        std::vector<int> rows;
        for (const CompositionTest::GridRow& row : test->grid()) {
            rows.push_back(test->list()[static_cast<std::size_t>(row.entry)].entry.row);
        }
        return rows;
    }

    QByteArray userLog() const { return content.read(QStringLiteral("Korveluser/UserLog0.dat")); }

    std::unique_ptr<CompositionTest> test;
};

TEST_F(CompositionTestFlowTest, AFreshLearnerGetsEveryItemOfTheChapter)
{
    CompositionTest& t = start();
    EXPECT_EQ(t.caption(), QStringLiteral("第1章　英作文テスト"));
    EXPECT_EQ(t.columnTitles(), (QStringList{QStringLiteral("No."), QStringLiteral("日本文"), QStringLiteral("英文"),
                                             QStringLiteral("判")}));
    ASSERT_EQ(t.list().size(), 5u);
    EXPECT_EQ(t.run().questions, 5);
    EXPECT_EQ(t.selectedRow(), 1);
    EXPECT_EQ(prompt.count(), 0u) << prompt.transcript().toStdString();
}

TEST_F(CompositionTestFlowTest, TheRowsOfAnItemStayTogetherWhateverTheDraw)
{
    const std::vector<std::vector<double>> draws = {
        {0.9, 0.1, 0.5, 0.0, 0.3}, {0.0, 0.95, 0.2, 0.4, 0.1}, {0.5, 0.5, 0.99, 0.01, 0.6}, {0.2, 0.8, 0.0, 0.9, 0.99}};
    bool orderChanged = false;
    for (const std::vector<double>& values : draws) {
        random.values = values;
        start();
        const std::vector<int> rows = gridRows();
        ASSERT_EQ(rows.size(), 5u);
        const auto three = std::find(rows.begin(), rows.end(), 3);
        const auto four = std::find(rows.begin(), rows.end(), 4);
        ASSERT_TRUE(three != rows.end() && four != rows.end());
        EXPECT_EQ(std::abs(static_cast<int>(three - four)), 1) << "draw " << values[0];
        orderChanged = orderChanged || rows != std::vector<int>{1, 2, 3, 4, 5};
    }
    EXPECT_TRUE(orderChanged);
}

TEST_F(CompositionTestFlowTest, ChapterTwentyEightKeepsTheFileOrder)
{
    session->setChapter(28);
    random.values = {0.9, 0.6, 0.3, 0.0};
    start();
    EXPECT_EQ(gridRows(), (std::vector<int>{7, 8, 9, 10}));
    // Every row is tested again, even one answered right before.
    sentLog(8, 28, true);
    start();
    EXPECT_EQ(gridRows(), (std::vector<int>{7, 8, 9, 10}));
}

TEST_F(CompositionTestFlowTest, WithOptionNoARightRowOfAnOpenItemShowsDoneAndIsNotCounted)
{
    sentLog(1, 1, true, QStringLiteral("I am a boy."));          // a whole item right
    sentLog(3, 1, true, QStringLiteral("He said, \"Hello.\""));  // one row of a two-row item right
    sentLog(2, 1, false);
    CompositionTest& t = start(TestAgain::No);
    std::vector<int> rows = gridRows();
    std::sort(rows.begin(), rows.end());
    EXPECT_EQ(rows, (std::vector<int>{2, 3, 4, 5}));
    EXPECT_EQ(t.run().questions, 3);
    for (const CompositionTest::GridRow& row : t.grid()) {
        const int number = t.list()[static_cast<std::size_t>(row.entry)].entry.row;
        EXPECT_EQ(row.mark, number == 3 ? kMasteredMark : QString()) << number;
        EXPECT_EQ(row.answer, number == 3 ? QStringLiteral("He said, \"Hello.\"") : QString()) << number;
    }
    EXPECT_NE(t.grid()[static_cast<std::size_t>(t.selectedRow() - 1)].mark, kMasteredMark);

    // With yes the right item is tested again and counted.
    t.setTestAgain(TestAgain::Yes);
    EXPECT_EQ(t.list().size(), 5u);
    EXPECT_EQ(t.run().questions, 5);
}

TEST_F(CompositionTestFlowTest, TheReTestTakesWrongItemsOfAllChaptersButTwentyEight)
{
    sentLog(4, 1, false);  // one wrong row brings its whole item
    sentLog(6, 2, false);
    sentLog(2, 1, true);
    sentLog(9, 28, false);
    session->setChapter(kRetestCompositions);
    CompositionTest& t = start();
    EXPECT_EQ(t.caption(), QStringLiteral("テストで×の英作文　再テスト"));
    EXPECT_EQ(t.columnTitles().size(), 5);
    EXPECT_EQ(t.columnTitles().back(), QStringLiteral("章"));
    std::vector<int> rows = gridRows();
    std::sort(rows.begin(), rows.end());
    EXPECT_EQ(rows, (std::vector<int>{3, 4, 6}));
    for (const CompositionTest::GridRow& row : t.grid()) {
        const CompositionEntry& e = t.list()[static_cast<std::size_t>(row.entry)].entry;
        EXPECT_EQ(row.chapter, QString::number(e.chapter));
    }
    // The function bar: the word test becomes the word re-test, the rest chapter 1.
    EXPECT_EQ(t.chapterForFunction(6), kRetestWords);
    EXPECT_EQ(t.chapterForFunction(1), 1);
    EXPECT_FALSE(t.setChapter(3));
}

TEST_F(CompositionTestFlowTest, AnswersAreSentWithTheirItemAndMarkedByTheCommentCount)
{
    random.values = {0.0};  // equal keys: the file order stays
    CompositionTest& t = start();
    ASSERT_EQ(gridRows(), (std::vector<int>{1, 2, 3, 4, 5}));

    // Enter on an empty box and Up move; the last row stays.
    EXPECT_EQ(t.key(Key::Enter, QString()).kind, Kind::Moved);
    EXPECT_EQ(t.selectedRow(), 2);
    EXPECT_EQ(t.key(Key::Up, QString()).kind, Kind::Moved);
    EXPECT_EQ(t.selectedRow(), 1);
    EXPECT_EQ(t.key(Key::Up, QString()).kind, Kind::Moved);
    EXPECT_EQ(t.selectedRow(), 1);

    // A less-than sign is refused with the message and nothing is sent.
    const auto refused = t.key(Key::Enter, QStringLiteral("I am < a boy"));
    EXPECT_EQ(refused.kind, Kind::Forbidden);
    EXPECT_FALSE(refused.request.has_value());
    ASSERT_EQ(prompt.count(), 1u);
    EXPECT_EQ(prompt.last().title, QStringLiteral("英作文入力"));
    EXPECT_EQ(prompt.last().text, QStringLiteral(" & , < , >　は入力文字として使用できません。 "));
    EXPECT_EQ(t.run().answered, 0);
    EXPECT_FALSE(t.started());

    t.select(4);
    const auto sent = t.key(Key::Enter, QStringLiteral("  I answered, \"Hi.\"  "));
    ASSERT_EQ(sent.kind, Kind::Correct);
    const CompositionRequest& request = *sent.request;
    EXPECT_EQ(request.exerciseName, QStringLiteral("Lesson01-03"));
    EXPECT_EQ(request.identifier, QStringLiteral("01-03"));
    EXPECT_EQ(request.answer, QStringLiteral("I answered, \"Hi.\""));
    ASSERT_EQ(request.rows.size(), 2u);
    EXPECT_EQ(request.selected, 1);
    EXPECT_EQ(request.current().row, 4);
    EXPECT_EQ(request.rows[0].japanese, QStringLiteral("「こんにちは」と彼は言った。"));
    EXPECT_EQ(request.rows[0].model, QStringLiteral("He said, \"Hello.\""));
    EXPECT_TRUE(request.logRequest);
    EXPECT_EQ(t.run().answered, 1);
    EXPECT_TRUE(t.started());
    EXPECT_FALSE(t.setTestAgain(TestAgain::Yes));

    EXPECT_EQ(t.finish(withComments(2)), CompositionTest::Mark::Wrong);
    EXPECT_EQ(t.grid()[3].mark, kWrongMark);
    EXPECT_EQ(t.grid()[3].answer, QStringLiteral("I answered, \"Hi.\""));

    t.select(1);
    ASSERT_EQ(t.key(Key::Down, QStringLiteral("I am a boy.")).kind, Kind::Correct);
    EXPECT_EQ(t.finish(withComments(0)), CompositionTest::Mark::Right);
    EXPECT_EQ(t.grid()[0].mark, kRightMark);

    // A failed correction leaves the row unmarked and empty; only the answered count moved.
    t.select(2);
    ASSERT_EQ(t.key(Key::Enter, QStringLiteral("She is girl.")).kind, Kind::Correct);
    EXPECT_EQ(t.finish(CompositionResult::failed()), CompositionTest::Mark::None);
    EXPECT_EQ(t.grid()[1].mark, QString());
    EXPECT_EQ(t.grid()[1].answer, QString());
    EXPECT_EQ(t.run().answered, 3);
    EXPECT_EQ(t.run().right, 1);
    EXPECT_EQ(t.run().wrong, 1);

    // Wrong quotation marks alone: no error counted, yet the verdict is wrong.
    t.select(2);
    ASSERT_EQ(t.key(Key::Enter, QStringLiteral("She is a girl.")).kind, Kind::Correct);
    CompositionResult quotesOnly;
    quotesOnly.verdict = CompositionResult::Verdict::Wrong;
    quotesOnly.errorCount = 0;
    quotesOnly.commentNumbers = {11, 12};
    EXPECT_EQ(t.finish(quotesOnly), CompositionTest::Mark::Wrong);
    EXPECT_EQ(t.grid()[1].mark, kWrongMark);
    EXPECT_EQ(t.run().wrong, 2);

    // Enter on a marked row only moves on.
    t.select(1);
    EXPECT_EQ(t.selectedAnswer(), QStringLiteral("I am a boy."));
    EXPECT_EQ(t.key(Key::Enter, QStringLiteral("I am a boy.")).kind, Kind::Moved);
    EXPECT_EQ(t.selectedRow(), 2);
}

TEST_F(CompositionTestFlowTest, AClickOnAMarkedRowReviewsWithoutChangingAnything)
{
    random.values = {0.0};
    CompositionTest& t = start();
    ASSERT_EQ(t.key(Key::Enter, QStringLiteral("I is a boy.")).kind, Kind::Correct);
    t.finish(withComments(1));
    const TestRun before = t.run();
    const auto review = t.click(1);
    ASSERT_TRUE(review.has_value());
    EXPECT_FALSE(review->logRequest);
    EXPECT_EQ(review->answer, QStringLiteral("I is a boy."));
    EXPECT_EQ(t.finish(withComments(0)), CompositionTest::Mark::None);  // nothing was sent
    EXPECT_EQ(t.grid()[0].mark, kWrongMark);
    EXPECT_EQ(t.run().right, before.right);
    EXPECT_EQ(t.run().wrong, before.wrong);
    EXPECT_FALSE(t.click(2).has_value());
    EXPECT_EQ(t.selectedRow(), 2);
}

TEST_F(CompositionTestFlowTest, LeavingWritesOneUserLogRecordOfKindTwo)
{
    random.values = {0.0};
    CompositionTest& t = start();
    t.leave();
    EXPECT_TRUE(userLog().isEmpty());  // nothing answered yet

    t.key(Key::Enter, QStringLiteral("I am a boy."));
    t.finish(withComments(0));
    t.select(2);
    t.key(Key::Enter, QStringLiteral("She is girl."));
    t.finish(withComments(1));
    t.leave();
    t.leave();  // a second leave has nothing left to write
    const QByteArray bytes = userLog();
    ASSERT_EQ(bytes.size(), 40);
    EXPECT_EQ(bytes.mid(8, 2), test::le16(0));
    EXPECT_EQ(bytes.mid(10, 20), QByteArray("Taro") + QByteArray(16, ' '));
    EXPECT_EQ(bytes.mid(30), test::le16(1) + test::le16(2) + test::le16(5) + test::le16(1) + test::le16(1));
}

TEST_F(CompositionTestFlowTest, ALongJapaneseSentenceIsSplitIntoTwoLines)
{
    random.values = {0.0};
    CompositionTest& t = start();
    const CompositionTest::GridRow& row = t.grid()[4];
    ASSERT_TRUE(row.twoLines);
    EXPECT_EQ(row.japanese.indexOf(QLatin1Char('\r')), 20);
    EXPECT_FALSE(t.grid()[0].twoLines);
}

TEST_F(CompositionTestFlowTest, AnUnreadableSentLogLeavesEveryItemSelected)
{
    sentLog(1, 1, true);
    QFile::remove(content.file(QStringLiteral("Korveluser/SentLog0.dat")));
    QDir().mkpath(content.file(QStringLiteral("Korveluser/SentLog0.dat")));  // a folder in its place
    CompositionTest& t = start();
    EXPECT_EQ(t.list().size(), 5u);
    EXPECT_GE(prompt.count(), 1u);
}

}  // namespace
}  // namespace korvel
