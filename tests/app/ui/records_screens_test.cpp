// frm記録一覧, frm記録内容 and frmコメント through their widgets on the bundled
// course, with logs written by the application's own writers: every view
// opened from its button and shown cell for cell, the options, the re-tests
// of views 5, 10 and 16, the comment shown large, the CSV export through the
// save-dialog seam, and korvel --records printing what the screen shows.
#include "app/records/learning_log.h"
#include "app/records/record_views.h"
#include "app/records/ui/frm_comment.h"
#include "app/records/ui/frm_record_contents.h"
#include "app/records/ui/frm_record_list.h"
#include "app/shell/ui/frm_home.h"
#include "tests/app/ui/exercise_screen_fixture.h"

#include <QFile>
#include <QLabel>
#include <QPointer>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>

#include <gtest/gtest.h>

namespace korvel {
namespace {

class RecordScreensTest : public test::ExerciseScreenTest {
protected:
    void SetUp() override
    {
        ExerciseScreenTest::SetUp();
        QFile global(QStringLiteral(KORVEL_COURSE_DIR) + QStringLiteral("/JisGlobal.xvt"));
        ASSERT_TRUE(global.open(QIODevice::ReadOnly));
        content.write(QStringLiteral("JisGlobal.xvt"), global.readAll());
        openHomeAs(0);
        settle();
    }

    void word(std::int16_t number, bool right)
    {
        put_WordLog(*session, WordLogRecord{clock.at, number, 1, static_cast<std::int16_t>(right ? -1 : 0),
                                            QStringLiteral("ans")});
    }
    void listening(std::int16_t row, bool right)
    {
        put_HExLog(*session, HExLogRecord{row, 1, QStringLiteral("Hello."), 2, 1,
                                          static_cast<std::int16_t>(right ? -1 : 0), clock.at});
    }
    // Some of everything: word 1 wrong then right, word 2 wrong, composition 1
    // wrong with two comments, listening row 1 wrong, a word test run.
    void answerSome()
    {
        clock.at = QDateTime(QDate(2024, 6, 1), QTime(10, 0));
        word(1, false);
        word(2, false);
        put_SentLog(*session, 1, 1, QStringLiteral("I am student."), false, {10001, 4});
        listening(1, false);
        clock.at = QDateTime(QDate(2024, 6, 2), QTime(11, 30));
        word(1, true);
        session->setChapter(1);
        TestRun run;
        run.start(20);
        run.settle(true);
        run.settle(false);
        put_UserLog(*session, run, TestKind::WordTest);
    }

    frm記録一覧* openList()
    {
        auto* list = dynamic_cast<frm記録一覧*>(navigator->open(ScreenId::Records));
        settle();
        return list;
    }
    frm記録内容* openView(int view)
    {
        frm記録一覧* list = openList();
        if (list == nullptr) {
            return nullptr;
        }
        list->CommandView[static_cast<std::size_t>(view - 1)]->click();
        settle();
        return opened<frm記録内容>();
    }
    // The cells the grid widget shows, title rows included.
    static std::vector<QStringList> shown(const QTableWidget* grid)
    {
        std::vector<QStringList> rows;
        for (int r = 0; r < grid->rowCount(); ++r) {
            QStringList cells;
            for (int c = 0; c < grid->columnCount(); ++c) {
                const QTableWidgetItem* item = grid->item(r, c);
                cells << (item != nullptr ? item->text() : QString());
            }
            rows.push_back(cells);
        }
        return rows;
    }
    static std::vector<QStringList> padded(const RecordGrid& grid)
    {
        std::vector<QStringList> rows = grid.titleRows;
        rows.insert(rows.end(), grid.rows.begin(), grid.rows.end());
        for (QStringList& row : rows) {
            while (row.size() < grid.columnCount()) {
                row << QString();
            }
        }
        return rows;
    }
};

TEST_F(RecordScreensTest, EveryButtonOpensItsViewShownCellForCell)
{
    answerSome();
    // The rows each view has from these logs and the bundled course.
    const std::map<int, std::size_t> expectedRows = {{2, 1},  {3, 3},  {4, 1},  {5, 1},  {8, 1}, {9, 0},
                                                     {10, 1}, {13, 2}, {14, 1}, {15, 0}, {16, 1}};
    for (int view = 1; view <= kRecordViewCount; ++view) {
        QPointer<frm記録一覧> list = openList();
        ASSERT_NE(list, nullptr);
        EXPECT_EQ(list->windowTitle(), QStringLiteral("学習記録と一覧"));
        QPushButton* button = list->CommandView[static_cast<std::size_t>(view - 1)];
        EXPECT_EQ(button->text(), recordViewCaption(view));
        button->click();
        settle();
        auto* screen = opened<frm記録内容>();
        ASSERT_NE(screen, nullptr) << view;
        EXPECT_TRUE(list.isNull() || !list->isVisible()) << view;  // the list closes
        EXPECT_EQ(screen->view(), view);
        EXPECT_EQ(screen->LabelCaption->text(), recordViewCaption(view));
        EXPECT_EQ(screen->windowTitle(), recordViewTitle(view));
        EXPECT_EQ(prompt.count(), 0u) << view << prompt.transcript().toStdString();
        // What the screen shows is the grid built afresh from the same logs.
        const RecordGrid built = buildRecordView(view, loadRecordSources(*session, view), screen->options());
        EXPECT_EQ(shown(screen->GridRecords), padded(built)) << view;
        const auto expected = expectedRows.find(view);
        if (expected != expectedRows.end()) {
            EXPECT_EQ(built.rows.size(), expected->second) << view;
        } else {
            EXPECT_FALSE(built.rows.empty()) << view;  // the course's items
        }
        EXPECT_EQ(screen->CommandRetest->isVisibleTo(screen), view == 5 || view == 10 || view == 16) << view;
        EXPECT_EQ(screen->LabelText->isVisibleTo(screen), view == 13) << view;
        screen->CommandList->click();
        settle();
        ASSERT_NE(opened<frm記録一覧>(), nullptr) << view;
        opened<frm記録一覧>()->leave();
        settle();
    }
    EXPECT_EQ(recordViewCaption(13), QStringLiteral("英作文添削で表示された\nコメント一覧"));
}

TEST_F(RecordScreensTest, TheHomeScreensRecordButtonOpensTheListWithoutAChapter)
{
    session->setChapter(0);
    QPointer<HomeScreen> home = dynamic_cast<HomeScreen*>(navigator->open(ScreenId::Home));
    ASSERT_NE(home, nullptr);
    home->CommandFunction[8]->click();
    settle();
    auto* list = opened<frm記録一覧>();
    ASSERT_NE(list, nullptr);
    EXPECT_TRUE(home.isNull() || !home->isVisible());
    EXPECT_EQ(prompt.count(), 0u) << prompt.transcript().toStdString();
    // The list's close box asks whether to quit; Cancel keeps it.
    prompt.next(Prompt::Answer::Cancel);
    list->close();
    EXPECT_TRUE(list->isVisible());
    EXPECT_EQ(prompt.count(), 1u);
}

TEST_F(RecordScreensTest, TheProgressTableShowsItsTitleRowsAndTotals)
{
    answerSome();
    frm記録内容* screen = openView(1);
    ASSERT_NE(screen, nullptr);
    const QTableWidget* grid = screen->GridRecords;
    EXPECT_EQ(grid->columnCount(), 16);
    EXPECT_EQ(grid->rowCount(), 2 + 29);
    EXPECT_EQ(grid->item(0, 0)->text(), QStringLiteral("章"));
    EXPECT_EQ(grid->item(1, 7)->text(), QStringLiteral("総数 "));
    EXPECT_EQ(grid->columnSpan(0, 4), 4);
    EXPECT_EQ(grid->item(30, 0)->text(), QStringLiteral("全体"));
    EXPECT_TRUE(grid->item(30, 2)->text().endsWith(QStringLiteral(" %")));
    EXPECT_EQ(grid->item(2, 8)->text(), QStringLiteral("   1"));  // chapter 1: word 1 right
    EXPECT_EQ(grid->item(2, 9)->text(), QStringLiteral("   1"));  // word 2 wrong
}

TEST_F(RecordScreensTest, OptionsRefillTheGrid)
{
    answerSome();
    frm記録内容* history = openView(3);
    ASSERT_NE(history, nullptr);
    EXPECT_TRUE(history->OptionOrder.buttons[0]->isVisibleTo(history));
    EXPECT_FALSE(history->OptionSort.buttons[0]->isVisibleTo(history));
    EXPECT_EQ(history->GridRecords->item(1, 0)->text(), QStringLiteral("3"));  // newest first
    EXPECT_EQ(history->GridRecords->item(1, 3)->text(), QStringLiteral("I"));
    history->OptionOrder.buttons[1]->click();
    EXPECT_EQ(history->GridRecords->item(1, 0)->text(), QStringLiteral("1"));
    history->OptionAnswers.buttons[1]->click();
    for (int r = 1; r < history->GridRecords->rowCount(); ++r) {
        EXPECT_EQ(history->GridRecords->item(r, 3)->text(), QString()) << r;
    }
    EXPECT_EQ(history->GridRecords->item(1, 2)->text(), QStringLiteral("私は"));  // the Japanese stays
    history->leave();

    frm記録内容* all = openView(6);
    ASSERT_NE(all, nullptr);
    EXPECT_EQ(all->OptionSort.buttons[1]->text(), QStringLiteral("英語ａｂｃ順"));
    all->OptionSort.buttons[1]->click();
    const RecordGrid& grid = all->grid();
    ASSERT_GE(grid.rows.size(), 2u);
    for (std::size_t i = 1; i < grid.rows.size(); ++i) {
        EXPECT_LE(grid.rows[i - 1][3].compare(grid.rows[i][3], Qt::CaseInsensitive), 0) << i;
    }
    all->leave();

    frm記録内容* comments = openView(13);
    ASSERT_NE(comments, nullptr);
    EXPECT_EQ(comments->OptionSort.buttons[0]->text(), QStringLiteral("頻度順"));
    comments->OptionSort.buttons[1]->click();
    EXPECT_EQ(comments->GridRecords->item(1, 1)->text(), QStringLiteral("4"));
    EXPECT_EQ(comments->GridRecords->item(2, 1)->text(), QStringLiteral("10001"));
}

TEST_F(RecordScreensTest, WordReTestOpensTheWordsAnsweredWrongWithTheFocusInTheAnswerBox)
{
    answerSome();
    QPointer<frm記録内容> screen = openView(5);
    ASSERT_NE(screen, nullptr);
    EXPECT_EQ(screen->CommandRetest->text(), QStringLiteral("単語再テスト"));
    screen->CommandRetest->click();
    settle();
    auto* test = opened<frm単語テスト>();
    ASSERT_NE(test, nullptr);
    EXPECT_EQ(session->chapter(), kRetestWords);
    EXPECT_TRUE(screen.isNull() || !screen->isVisible());
    ASSERT_EQ(test->GridTest->rowCount(), 1);  // word 2; word 1 was answered right later
    EXPECT_TRUE(test->GridTest->item(0, 1)->text().endsWith(QStringLiteral("です（I の後で）")));
    EXPECT_EQ(test->focusWidget(), test->TextAnswer);
}

TEST_F(RecordScreensTest, WordReTestWithoutWrongWordsOpensAnEmptyTest)
{
    word(1, false);
    word(1, true);
    frm記録内容* screen = openView(5);
    ASSERT_NE(screen, nullptr);
    EXPECT_EQ(screen->GridRecords->rowCount(), 1);  // the title row only
    screen->CommandRetest->click();
    settle();
    auto* test = opened<frm単語テスト>();
    ASSERT_NE(test, nullptr);
    EXPECT_EQ(test->GridTest->rowCount(), 0);
    EXPECT_FALSE(test->TextAnswer->isEnabled());
}

TEST_F(RecordScreensTest, CompositionAndListeningReTests)
{
    answerSome();
    addStandIn(ScreenId::CompositionTest, QStringLiteral("frm英作文テスト"));
    frm記録内容* compositions = openView(10);
    ASSERT_NE(compositions, nullptr);
    EXPECT_EQ(compositions->LabelRetest->text(),
              QStringLiteral("テストでまちがった英作文を集めて再テストします。（２８章は除く）"));
    compositions->CommandRetest->click();
    settle();
    EXPECT_EQ(chapterSeenBy(QStringLiteral("frm英作文テスト")), kRetestCompositions);

    frm記録内容* listeningView = openView(16);
    ASSERT_NE(listeningView, nullptr);
    EXPECT_EQ(listeningView->LabelRetest->text(),
              QStringLiteral("聞き取りクイズでまちがった英文を集めて再クイズします。"));
    listeningView->CommandRetest->click();
    settle();
    auto* quiz = opened<frm聞き取り>();
    ASSERT_NE(quiz, nullptr);
    EXPECT_EQ(session->chapter(), kRetestListening);
    EXPECT_EQ(quiz->focusWidget(), quiz->TextAnswer);
    EXPECT_EQ(prompt.count(), 0u) << prompt.transcript().toStdString();
}

TEST_F(RecordScreensTest, ListeningReQuizWithoutWrongSentencesEndsAtOnce)
{
    listening(1, false);
    listening(1, true);
    frm記録内容* screen = openView(16);
    ASSERT_NE(screen, nullptr);
    screen->CommandRetest->click();
    settle();
    ASSERT_NE(opened<frm聞き取り>(), nullptr);
    ASSERT_EQ(prompt.count(), 1u) << prompt.transcript().toStdString();
    EXPECT_EQ(prompt.last().title, QStringLiteral("聞き取りクイズ終了"));
    EXPECT_EQ(prompt.last().text, QStringLiteral("聞き取り再クイズは終了しました。"));
}

TEST_F(RecordScreensTest, ARowOfTheCommentViewShowsTheCommentLarge)
{
    answerSome();
    frm記録内容* screen = openView(13);
    ASSERT_NE(screen, nullptr);
    EXPECT_EQ(screen->LabelCaption->text(), QStringLiteral("英作文添削で表示された\nコメント一覧"));
    EXPECT_EQ(screen->comment(), nullptr);
    screen->GridRecords->cellClicked(0, 2);  // a title row opens nothing
    EXPECT_EQ(screen->comment(), nullptr);
    const int row = 1 + static_cast<int>(std::find_if(screen->grid().rows.begin(), screen->grid().rows.end(),
                                                      [](const QStringList& r) { return r[1] == "10001"; }) -
                                         screen->grid().rows.begin());
    screen->GridRecords->cellClicked(row, 3);
    settle();
    frmコメント* comment = screen->comment();
    ASSERT_NE(comment, nullptr);
    EXPECT_TRUE(comment->isVisible());
    EXPECT_TRUE(comment->LabelComment->text().startsWith(QStringLiteral("文の主語には")));
    EXPECT_GE(comment->LabelComment->font().pointSize(), 18);
    EXPECT_TRUE(comment->LabelHeading->text().contains(QStringLiteral("10001")));
    comment->CommandClose->click();
    settle();
    EXPECT_EQ(screen->comment(), nullptr);
    EXPECT_TRUE(screen->isVisible());  // closing the comment asks nothing and leaves the view
    EXPECT_EQ(prompt.count(), 0u);
}

TEST_F(RecordScreensTest, ACommentFileThatIsNotTheGlobalOneEndsTheProgram)
{
    answerSome();
    content.write(QStringLiteral("JisGlobal.xvt"), QByteArray("<root><category><name>Other</name></category></root>"));
    openView(13);  // the screen closes with every other one as the program ends
    ASSERT_EQ(prompt.count(), 1u) << prompt.transcript().toStdString();
    EXPECT_EQ(prompt.last().title, QStringLiteral("データ確認"));
    EXPECT_EQ(prompt.last().text, QStringLiteral("Globalファイルではありません。"));
    settle();
    EXPECT_TRUE(navigator->ending());
    EXPECT_EQ(quits, 1);
}

TEST_F(RecordScreensTest, TheGridIsSavedAsCsvWhereTheDialogSays)
{
    answerSome();
    frm記録内容* screen = openView(8);
    ASSERT_NE(screen, nullptr);
    fileDialog.next.clear();  // cancelled: nothing is written
    screen->CommandExport->click();
    EXPECT_EQ(fileDialog.asked, 1);
    EXPECT_EQ(fileDialog.lastSuggested, QStringLiteral("英作文テスト履歴.csv"));

    const QString path = content.file(QStringLiteral("export/records.csv"));
    content.makeFolder(QStringLiteral("export"));
    fileDialog.next = path;
    screen->CommandExport->click();
    const QByteArray saved = content.read(QStringLiteral("export/records.csv"));
    EXPECT_EQ(saved, gridCsv(screen->grid()));
    EXPECT_TRUE(saved.startsWith("\xEF\xBB\xBF"));
    EXPECT_TRUE(saved.contains(QStringLiteral("No,ID,日本文,英文,章,実施日時,正誤,テストの答\r\n").toUtf8()));
    EXPECT_TRUE(
        saved.contains(QStringLiteral("私は学生です。,I am a student.,1,06/01 10:00,×,I am student.\r\n").toUtf8()));
    EXPECT_EQ(prompt.count(), 0u);

    fileDialog.next = content.file(QStringLiteral("no such folder/records.csv"));
    screen->CommandExport->click();
    ASSERT_EQ(prompt.count(), 1u);
    EXPECT_EQ(prompt.last().title, QStringLiteral("エラー表示"));
    EXPECT_TRUE(prompt.last().text.contains(QStringLiteral("no such folder"))) << prompt.transcript().toStdString();
}

TEST_F(RecordScreensTest, ChartsButtonOpensTheChartsScreen)
{
    QPointer<frm記録一覧> list = openList();
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->CommandCharts->text(), QStringLiteral("グラフで見る"));
    ASSERT_TRUE(list->CommandCharts->isEnabled());
    list->CommandCharts->click();
    settle();
    ASSERT_NE(navigator->lastOpened(), nullptr);
    EXPECT_EQ(navigator->lastOpened()->objectName(), QStringLiteral("frm学習グラフ"));
    ASSERT_FALSE(list.isNull());
    list->CommandHome->click();
    settle();
    EXPECT_TRUE(list.isNull() || !list->isVisible());
    EXPECT_NE(opened<QWidget>(), nullptr);
    EXPECT_TRUE(opened<QWidget>()->objectName().startsWith(QStringLiteral("frmホーム")));
}

#ifdef KORVEL_EXECUTABLE
TEST_F(RecordScreensTest, KorvelRecordsPrintsWhatTheScreenShows)
{
    answerSome();
    for (const int view : {1, 2, 3, 6, 8, 13, 14}) {
        frm記録内容* screen = openView(view);
        ASSERT_NE(screen, nullptr);
        QByteArray out;
        QByteArray err;
        int status = -1;
        // A failure of the sanitizer's leak-check tracer itself at exit says
        // nothing about the program: such a run is made again.
        for (int attempt = 0; attempt < 3; ++attempt) {
            QProcess korvel;
            korvel.start(QStringLiteral(KORVEL_EXECUTABLE),
                         {QStringLiteral("--records"), QString::number(view), QStringLiteral("--user"),
                          QStringLiteral("0"), QStringLiteral("--content"), content.path()});
            ASSERT_TRUE(korvel.waitForFinished(120000)) << view;
            status = korvel.exitCode();
            out = korvel.readAllStandardOutput();
            err = korvel.readAllStandardError();
            if (!err.contains("LeakSanitizer has encountered a fatal error")) {
                break;
            }
        }
        EXPECT_EQ(status, 0) << view << err.toStdString();
        EXPECT_EQ(out, gridTsv(screen->grid())) << view;
        screen->leave();
        settle();
    }
}
#endif

}  // namespace
}  // namespace korvel
