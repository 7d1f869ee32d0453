// The record views built from logs that the application's own writers wrote:
// the stars and the re-test chapter of the test results, the newest result
// deciding the word, composition and listening lists, the progress table with
// its rounding and totals, the comment frequencies, and what a missing or an
// empty log gives.
#include "app/records/progress_summary.h"
#include "app/records/record_rounding.h"
#include "tests/app/core/records_fixture.h"

#include <QDir>

#include <gtest/gtest.h>

namespace korvel {
namespace {

using test::RecordsTest;

TEST(RecordRounding, HalvesGoToTheEvenNeighbourOnTheExactFraction)
{
    EXPECT_EQ(roundHalfEven(25, 10), 2);
    EXPECT_EQ(roundHalfEven(35, 10), 4);
    EXPECT_EQ(roundHalfEven(26, 10), 3);
    EXPECT_EQ(roundHalfEven(0, 7), 0);
    EXPECT_EQ(progressText(1, 8), QStringLiteral("12.5"));   // exactly 12.5: no rounding
    EXPECT_EQ(progressText(1, 16), QStringLiteral("6.2"));   // 6.25 goes down to the even 6.2
    EXPECT_EQ(progressText(3, 16), QStringLiteral("18.8"));  // 18.75 goes up to the even 18.8
    EXPECT_EQ(progressText(2, 3), QStringLiteral("66.7"));
    EXPECT_EQ(progressText(0, 5), QStringLiteral("0.0"));
    EXPECT_EQ(progressText(5, 5), QStringLiteral("100.0"));
    EXPECT_EQ(progressText(0, 0), QString());
    EXPECT_EQ(starCount(15, 3), 8);  // 8.33
    EXPECT_EQ(starCount(1, 19), 0);  // 0.5 goes to 0
    EXPECT_EQ(starCount(3, 17), 2);  // 1.5 goes to 2
    EXPECT_EQ(starCount(5, 15), 2);  // 2.5 goes to 2
    EXPECT_EQ(starCount(0, 0), 0);
    EXPECT_EQ(starsText(10, 0), QString(10, QChar(0x2606)));
}

TEST_F(RecordsTest, TestResultsCountAnsweredAsRightPlusWrongAndNameReTestsVarious)
{
    at(1, 9, 5);
    testRun(3, TestKind::WordTest, 20, 15, 3);
    at(2, 14, 30);
    testRun(kRetestCompositions, TestKind::CompositionTest, 4, 0, 0);  // left before any answer: not written
    testRun(kRetestWords, TestKind::WordTest, 5, 4, 1);
    at(3);
    testRun(2, TestKind::ListeningQuiz, 6, 0, 2);

    const RecordGrid grid = view(2);
    ASSERT_EQ(grid.titleRows.size(), 1u);
    EXPECT_EQ(grid.titleRows[0],
              (QStringList{"No", "章", "種類", "実施日時", "問題数　", "解答数　", "正解数　", "正解率 ☆ 10%"}));
    ASSERT_EQ(grid.rows.size(), 3u);
    // Newest first; the number is the record's own number in the log.
    EXPECT_EQ(grid.rows[0], (QStringList{"3", "2", "聞き取り", "05/03 10:00", "6 ", "2 ", "0 ", ""}));
    EXPECT_EQ(grid.rows[1], (QStringList{"2", "いろいろ", "単語", "05/02 14:30", "5 ", "5 ", "4 ", "☆☆☆☆☆☆☆☆"}));
    EXPECT_EQ(grid.rows[2], (QStringList{"1", "3", "単語", "05/01 09:05", "20 ", "18 ", "15 ", "☆☆☆☆☆☆☆☆"}));

    RecordViewOptions oldest;
    oldest.order = RecordOrder::OldestFirst;
    EXPECT_EQ(column(view(2, oldest), 0), (QStringList{"1", "2", "3"}));
}

TEST_F(RecordsTest, TheNewestWordRecordDecidesTheListsAndTheProgress)
{
    at(1);
    word(1, 1, false, QStringLiteral("me"));
    word(2, 1, true, QStringLiteral("boy"));
    at(2);
    word(1, 1, true, QStringLiteral("I"));  // wrong on the first, right on the second day
    word(2, 1, false, QStringLiteral("boys"));
    word(5, 2, true, QStringLiteral("Book"));

    const RecordGrid history = view(3);
    ASSERT_EQ(history.rows.size(), 5u);
    EXPECT_EQ(history.rows[0], (QStringList{"5", "02-02", "本", "Book", "2", "05/02 10:00", "○", "Book"}));
    EXPECT_EQ(history.rows[4], (QStringList{"1", "01-01", "私は", "I", "1", "05/01 10:00", "×", "me"}));

    const RecordGrid right = view(4);
    EXPECT_EQ(column(right, 1), (QStringList{"01-01", "02-02"}));
    EXPECT_EQ(right.rows[0], (QStringList{"1", "01-01", "私は", "I", "1", "05/02 10:00", "○", "I"}));
    const RecordGrid wrong = view(5);
    ASSERT_EQ(wrong.rows.size(), 1u);
    EXPECT_EQ(wrong.rows[0], (QStringList{"1", "01-02", "少年", "boy", "1", "05/02 10:00", "×", "boys"}));

    const RecordGrid all = view(6);
    EXPECT_EQ(all.titleRows[0], (QStringList{"No", "ID", "日本語", "英語", "章", "種別", "テストの答"}));
    EXPECT_EQ(column(all, 5), (QStringList{"済", "学習中", "話し言葉", "未習", "済"}));
    EXPECT_EQ(column(all, 6), (QStringList{"I", "boys", "", "", "Book"}));
    const RecordGrid untested = view(7);
    EXPECT_EQ(column(untested, 1), (QStringList{"01-03", "02-01"}));
    EXPECT_EQ(column(untested, 5), (QStringList{"話し言葉", "未習"}));

    // Chapter 1: word 1 right, word 2 wrong, the spoken phrase not counted.
    const RecordGrid progress = view(1);
    ASSERT_EQ(progress.rows.size(), 29u);
    const QStringList& chapter1 = progress.rows[0];
    EXPECT_EQ(chapter1[2], QStringLiteral("50.0"));
    EXPECT_EQ(chapter1.mid(8, 4), (QStringList{"   1", "   1", "   0", "   2"}));
    EXPECT_EQ(progress.rows[28][2], QStringLiteral("50.0 %"));
    EXPECT_EQ(progress.rows[28].mid(8, 4), (QStringList{"   2", "   1", "   1", "   4"}));
}

TEST_F(RecordsTest, WordViewsHideTheEnglishAndSortByEnglishRegardlessOfCase)
{
    RecordViewOptions options;
    options.showAnswers = false;
    EXPECT_EQ(column(view(6, options), 3), (QStringList{"", "", "", "", ""}));
    options.showAnswers = true;
    options.wordSort = WordSort::English;
    EXPECT_EQ(column(view(6, options), 3), (QStringList{"apple", "Book", "boy", "Hello", "I"}));
    EXPECT_EQ(column(view(6, options), 0), (QStringList{"1", "2", "3", "4", "5"}));
}

TEST_F(RecordsTest, CompositionViewsByRowAndTheirNewestRecord)
{
    at(1);
    composition(1, 1, false, {4, 10001});
    at(2);
    composition(1, 1, true);
    composition(3, 2, false, {10007}, QStringLiteral("It is apple."));

    const RecordGrid history = view(8);
    EXPECT_EQ(history.titleRows[0],
              (QStringList{"No", "ID", "日本文", "英文", "章", "実施日時", "正誤", "テストの答"}));
    ASSERT_EQ(history.rows.size(), 3u);
    EXPECT_EQ(history.rows[0], (QStringList{"3", "02-01", "それはりんごです。", "It is an apple.", "2", "05/02 10:00",
                                            "×", "It is apple."}));
    EXPECT_EQ(column(view(9), 1), (QStringList{"01-01"}));
    EXPECT_EQ(column(view(10), 1), (QStringList{"02-01"}));
    EXPECT_EQ(view(11).rows.size(), 3u);
    const RecordGrid untested = view(12);
    EXPECT_EQ(untested.titleRows[0], (QStringList{"ID", "日本文", "英文", "章", "学習状態"}));
    ASSERT_EQ(untested.rows.size(), 1u);
    EXPECT_EQ(untested.rows[0], (QStringList{"01-02", "これは本です。", "This is a book.", "1", "未習"}));
    RecordViewOptions hidden;
    hidden.showAnswers = false;
    EXPECT_EQ(view(12, hidden).rows[0][2], QString());
}

TEST_F(RecordsTest, ListeningViewsCountEveryAttemptAndLeaveOutQuizExclusions)
{
    at(1);
    listening(1, 1, false, 2, 1);
    at(2);
    listening(1, kRetestListening, true, 3, 2);  // the re-quiz records chapter 100
    listening(3, 2, false, 1, 3);

    const RecordGrid history = view(14);
    ASSERT_EQ(history.rows.size(), 3u);
    EXPECT_EQ(history.rows[1], (QStringList{"2", "01-01", "I am Tom.", "1", "05/02 10:00", "○", "typed", "3", "2"}));
    EXPECT_EQ(column(view(15), 1), (QStringList{"01-01"}));
    EXPECT_EQ(column(view(16), 1), (QStringList{"02-01"}));
    // Row 2 (flags 10) is never in the quiz.
    EXPECT_EQ(column(view(17), 2), (QStringList{"I am Tom.", "It is a book.", "Yes."}));
    const RecordGrid untested = view(18);
    ASSERT_EQ(untested.rows.size(), 1u);
    EXPECT_EQ(untested.rows[0], (QStringList{"1", "02-02", "Yes.", "2", "未習"}));

    const RecordGrid progress = view(1);
    EXPECT_EQ(progress.rows[0][1], QStringLiteral("100.0"));
    EXPECT_EQ(progress.rows[1][1], QStringLiteral("0.0"));
    EXPECT_EQ(progress.rows[28][1], QStringLiteral("33.3 %"));
    EXPECT_EQ(progress.rows[28].mid(4, 4), (QStringList{"   1", "   1", "   1", "   3"}));
}

TEST_F(RecordsTest, CommentsCountedWithGlobalNumbersLookedUpAndBothOrders)
{
    installGlobalComments();
    at(1);
    composition(1, 1, false, {10007, 4});
    at(2);
    composition(2, 1, false, {10001, 10007});
    at(3, 8, 15);
    composition(3, 2, false, {10001, 10007});

    const RecordGrid byFrequency = view(13);
    EXPECT_EQ(byFrequency.titleRows[0], (QStringList{"No", "ID", "コメント文", "頻度", "分類", "実施日時 "}));
    ASSERT_EQ(byFrequency.rows.size(), 3u);
    EXPECT_EQ(column(byFrequency, 1), (QStringList{"10007", "10001", "4"}));
    EXPECT_EQ(column(byFrequency, 3), (QStringList{"3", "2", "1"}));
    EXPECT_EQ(column(byFrequency, 0), (QStringList{"1", "2", "3"}));
    EXPECT_TRUE(byFrequency.rows[1][2].startsWith(QStringLiteral("文の主語には")));
    EXPECT_EQ(byFrequency.rows[1][4], QStringLiteral("代名詞/主語の形/主格"));
    EXPECT_EQ(byFrequency.rows[0][5], QStringLiteral("05/03 08:15"));  // the last time it was shown
    EXPECT_EQ(byFrequency.rows[2][2], QStringLiteral("不適切な単語か又はつづりがまちがっているようです。"));
    EXPECT_EQ(byFrequency.rows[2][4], QStringLiteral("語法/意味/共通"));

    RecordViewOptions byId;
    byId.commentSort = CommentSort::Id;
    EXPECT_EQ(column(view(13, byId), 1), (QStringList{"4", "10001", "10007"}));
}

TEST_F(RecordsTest, TheCommentListAndTheChartsNameEveryNumberAlike)
{
    installGlobalComments();
    at(1);
    // 10000 names no global comment (IDs start at 1); 16 is the last built-in
    // message; 10600 lies past the table.
    composition(1, 1, false, {10000, 16, 10001, 10600});
    const RecordSources sources = loadRecordSources(*session, 13);
    RecordViewOptions byId;
    byId.commentSort = CommentSort::Id;
    const RecordGrid list = buildRecordView(13, sources, byId);
    EXPECT_EQ(column(list, 1), (QStringList{"16", "10000", "10001", "10600"}));
    for (const QStringList& row : list.rows) {
        EXPECT_EQ(row[2], describeComment(sources.comments, row[1].toInt()).text) << row[1].toStdString();
    }
    EXPECT_FALSE(list.rows[0][2].isEmpty());
    EXPECT_TRUE(list.rows[1][2].isEmpty());
    EXPECT_TRUE(list.rows[1][4].isEmpty());
    EXPECT_FALSE(list.rows[2][2].isEmpty());
    EXPECT_TRUE(list.rows[3][2].isEmpty());
}

TEST_F(RecordsTest, AnUnreadableLogShowsOnlyTheTitleRowsAfterTheReport)
{
    QDir(content.file(QStringLiteral("Korveluser"))).removeRecursively();
    for (const int number : {1, 2, 3, 6, 8, 11, 13, 14, 17}) {
        prompt.clear();
        const RecordGrid grid = view(number);
        EXPECT_FALSE(grid.complete) << number;
        EXPECT_TRUE(grid.rows.empty()) << number;
        EXPECT_FALSE(grid.titleRows.empty()) << number;
        ASSERT_GE(prompt.count(), 1u) << number;
        EXPECT_EQ(prompt.last().title, QStringLiteral("エラー表示"));
        EXPECT_TRUE(prompt.last().text.contains(QStringLiteral("フォルダー名"))) << prompt.transcript().toStdString();
    }
    EXPECT_EQ(view(1).titleRows.size(), 2u);
}

TEST_F(RecordsTest, EmptyLogsGiveZeroCountsWithEveryItemUntested)
{
    for (const LogName log : {LogName::UserLog, LogName::WordLog, LogName::HExLog, LogName::SentLog}) {
        content.write(QStringLiteral("Korveluser/") + logFileName(log, 1), QByteArray());
    }
    const RecordGrid progress = view(1);
    EXPECT_EQ(prompt.count(), 0u) << prompt.transcript().toStdString();
    ASSERT_EQ(progress.titleRows.size(), 2u);
    EXPECT_EQ(progress.titleRows[0].size(), 16);
    EXPECT_EQ(progress.titleRows[0].mid(0, 5), (QStringList{"章", "聞取 ", "単語 ", "英作文", "聞取 "}));
    EXPECT_EQ(progress.titleRows[1].mid(0, 8),
              (QStringList{"", "進度 ", "進度 ", "進度 ", "○ ", "× ", "未ﾃｽﾄ", "総数 "}));
    ASSERT_EQ(progress.rows.size(), 29u);
    EXPECT_EQ(progress.rows[0], (QStringList{"1", "0.0", "0.0", "0.0", "   0", "   0", "   1", "   1", "   0", "   0",
                                             "   2", "   2", "   0", "   0", "   2", "   2"}));
    // A chapter without items of a kind has no progress figure.
    EXPECT_EQ(progress.rows[5].mid(0, 5), (QStringList{"6", "", "", "", "   0"}));
    EXPECT_EQ(progress.rows[28].mid(0, 4), (QStringList{"全体", "0.0 %", "0.0 %", "0.0 %"}));
    EXPECT_EQ(progress.rows[28].mid(8, 4), (QStringList{"   0", "   0", "   4", "   4"}));
    for (const int number : {2, 3, 4, 5, 8, 9, 10, 13, 14, 15, 16}) {
        EXPECT_TRUE(view(number).rows.empty()) << number;
        EXPECT_TRUE(view(number).complete) << number;
    }
    EXPECT_EQ(view(7).rows.size(), 5u);
    EXPECT_EQ(view(12).rows.size(), 3u);
    EXPECT_EQ(view(18).rows.size(), 3u);
}

TEST_F(RecordsTest, ARecordOutsideTheWordTableStopsTheReadingAndKeepsTheNewerRecords)
{
    at(1);
    word(1, 1, true);
    word(1300, 1, false);  // past the 1201 words of the course
    at(2);
    word(2, 1, false);
    const RecordGrid history = view(3);
    ASSERT_EQ(prompt.count(), 1u);
    EXPECT_TRUE(prompt.last().text.contains(QStringLiteral("get_WordLogAll"))) << prompt.transcript().toStdString();
    ASSERT_EQ(history.rows.size(), 1u);  // the newest record only; the reading stopped at 1300
    EXPECT_EQ(history.rows[0][1], QStringLiteral("01-02"));
}

TEST_F(RecordsTest, WithoutTheGlobalCommentFileOnlyTheBuiltInCommentsHaveTexts)
{
    at(1);
    composition(1, 1, false, {10001, 5});
    const RecordGrid grid = view(13);
    ASSERT_EQ(prompt.count(), 1u);
    EXPECT_TRUE(prompt.last().text.contains(QStringLiteral("set_GlobalComm"))) << prompt.transcript().toStdString();
    ASSERT_EQ(grid.rows.size(), 2u);
    EXPECT_EQ(grid.rows[0][1], QStringLiteral("5"));
    EXPECT_EQ(grid.rows[0][2], QStringLiteral("文章の終りにピリオドがありません。"));
    EXPECT_EQ(grid.rows[1][1], QStringLiteral("10001"));
    EXPECT_EQ(grid.rows[1][2], QString());
}

TEST(RecordGridText, TabSeparatedLinesAndQuotedCsvCells)
{
    RecordGrid grid;
    grid.titleRows = {{"No", "英文"}};
    grid.addRow({"1", "Yes, \"he\" is.\r\nNo"});
    grid.addRow({"2", " 5 "});
    EXPECT_EQ(grid.rows[0][1], QStringLiteral("Yes, \"he\" is. No"));
    EXPECT_EQ(gridTsv(grid), QStringLiteral("No\t英文\n1\tYes, \"he\" is. No\n2\t 5 \n").toUtf8());
    EXPECT_EQ(gridCsv(grid), QByteArray("\xEF\xBB\xBF") +
                                 QStringLiteral("No,英文\r\n1,\"Yes, \"\"he\"\" is. No\"\r\n2,\" 5 \"\r\n").toUtf8());
}

}  // namespace
}  // namespace korvel
