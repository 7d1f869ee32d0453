// frm学習グラフ on the bundled course with logs written by the application's
// own writers: the series show what the progress summary says, a learner
// without logs sees empty charts and the message, and "閉じる" goes back to
// where the learner came from. With KORVEL_SCREENSHOTS=DIR (under a display)
// the charts with a term's worth of logs are saved for a person to look at.
#include "app/lessons/lesson_readers.h"
#include "app/records/progress_summary.h"
#include "app/records/ui/frm_progress_charts.h"
#include "tests/app/ui/exercise_screen_fixture.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QHorizontalBarSeries>
#include <QLabel>
#include <QPushButton>
#include <QStackedBarSeries>

#include <gtest/gtest.h>

namespace korvel::test {
namespace {

const QDateTime kStart(QDate(2024, 4, 1), QTime(19, 0));

class ProgressChartsScreen : public ExerciseScreenTest {
protected:
    void SetUp() override
    {
        ExerciseScreenTest::SetUp();
        QFile global(QStringLiteral(KORVEL_COURSE_DIR) + QStringLiteral("/JisGlobal.xvt"));
        ASSERT_TRUE(global.open(QIODevice::ReadOnly));
        content.write(QStringLiteral("JisGlobal.xvt"), global.readAll());
    }

    // Logs in the learner of `slot` and opens the charts over the home screen.
    frm学習グラフ* openCharts(int slot = 0)
    {
        openHomeAs(slot);
        auto* screen = dynamic_cast<frm学習グラフ*>(navigator->open(ScreenId::ProgressCharts));
        settle();
        return screen;
    }

    void word(std::int16_t number, std::int16_t chapter, bool right)
    {
        ASSERT_TRUE(put_WordLog(
            *session, {clock.at, number, chapter, static_cast<std::int16_t>(right ? -1 : 0), QStringLiteral("typed")}));
    }
    void run(std::int16_t chapter, TestKind kind, int right, int wrong)
    {
        session->setChapter(chapter);
        TestRun testRun;
        testRun.start(right + wrong);
        for (int i = 0; i < right + wrong; ++i) {
            testRun.settle(i < right);
        }
        put_UserLog(*session, testRun, kind);
    }

    // A few answers of chapters 1 and 2 over two days.
    void writeSomeLogs()
    {
        clock.at = kStart;
        word(1, 1, false);
        word(1, 1, true);
        word(2, 1, false);
        run(1, TestKind::WordTest, 1, 2);
        ASSERT_TRUE(put_SentLog(*session, 1, 1, QStringLiteral("I is a student."), false, {10001, 5}));
        ASSERT_TRUE(put_SentLog(*session, 2, 1, QStringLiteral("I am Ken"), false, {5}));
        run(1, TestKind::CompositionTest, 0, 2);
        clock.at = kStart.addDays(1);
        ASSERT_TRUE(put_HExLog(*session, {1, 1, QStringLiteral("Hello."), 3, 2, -1, clock.at}));
        run(1, TestKind::ListeningQuiz, 1, 0);
        ASSERT_TRUE(put_SentLog(*session, 1, 1, QStringLiteral("I am a student."), true, {}));
        run(kRetestCompositions, TestKind::CompositionTest, 1, 0);
        session->setChapter(1);
    }

    // A term of study: chapters 1 to 9 worked through over 24 days, with
    // answers right and wrong in a fixed pattern and the comments of the
    // bundled course.
    void writeTermOfLogs()
    {
        CourseWords words;
        ASSERT_TRUE(get_AllWord(*session, words));
        CourseCompositions compositions;
        ASSERT_TRUE(get_AllExSent(*session, compositions));
        const std::vector<std::int16_t> comments = {10001, 10024, 10025, 10002, 10003, 5, 6, 7, 10004, 10043, 10026};
        for (int day = 0; day < 24; ++day) {
            clock.at = kStart.addDays(day + day / 3);
            const int chapter = 1 + day * 9 / 24;
            int wordsRight = 0;
            int wordsWrong = 0;
            for (int i = 0; i < words.count; ++i) {
                const WordEntry& entry = words.slots[static_cast<std::size_t>(i)];
                if (entry.number > 0 && entry.chapter == chapter && entry.kind != kSpokenPhrase) {
                    const bool right = (entry.number + day) % 4 != 0;
                    word(entry.number, entry.chapter, right);
                    ++(right ? wordsRight : wordsWrong);
                }
            }
            run(static_cast<std::int16_t>(chapter), TestKind::WordTest, wordsRight, wordsWrong);
            int sentRight = 0;
            int sentWrong = 0;
            for (int i = 0; i < compositions.count; ++i) {
                const CompositionEntry& entry = compositions.slots[static_cast<std::size_t>(i)];
                if (entry.row > 0 && entry.chapter == chapter && (entry.row + day) % 2 == 0) {
                    const bool right = (entry.row * 7 + day) % 3 == 0;
                    std::vector<std::int16_t> given;
                    if (!right) {
                        given = {comments[static_cast<std::size_t>((entry.row + day) % 11)],
                                 comments[static_cast<std::size_t>(entry.row % 5)]};
                    }
                    ASSERT_TRUE(
                        put_SentLog(*session, entry.row, entry.chapter, QStringLiteral("answer"), right, given));
                    ++(right ? sentRight : sentWrong);
                }
            }
            run(static_cast<std::int16_t>(chapter), TestKind::CompositionTest, sentRight, sentWrong);
            session->setChapter(static_cast<std::int16_t>(chapter));
            int heard = 0;
            for (const SentenceEntry& entry : get_聞き取り基本文(*session)) {
                if (entry.row % 3 != day % 3) {
                    const bool right = entry.row % 5 != 0;
                    ASSERT_TRUE(put_HExLog(*session, {entry.row, entry.chapter, entry.english, 2, 1,
                                                      static_cast<std::int16_t>(right ? -1 : 0), clock.at}));
                    heard += right ? 1 : 0;
                }
            }
            run(static_cast<std::int16_t>(chapter), TestKind::ListeningQuiz, heard, 1);
        }
        session->setChapter(1);
    }

    static std::vector<double> values(const QBarSet* set)
    {
        std::vector<double> out;
        for (int i = 0; i < set->count(); ++i) {
            out.push_back(set->at(i));
        }
        return out;
    }
};

TEST_F(ProgressChartsScreen, TheSeriesShowWhatTheSummarySays)
{
    openHomeAs(0);
    writeSomeLogs();
    const ProgressSummary summary = summariseProgress(*session);
    auto* screen = dynamic_cast<frm学習グラフ*>(navigator->open(ScreenId::ProgressCharts));
    settle();
    ASSERT_NE(screen, nullptr);
    EXPECT_EQ(screen->objectName(), QStringLiteral("frm学習グラフ"));
    EXPECT_FALSE(screen->LabelMessage->isVisible());
    EXPECT_EQ(prompt.count(), 0u) << prompt.transcript().toStdString();

    // Per chapter: words, compositions, listening, 28 values each.
    const QList<QBarSet*> chapterSets = screen->SeriesChapters->barSets();
    ASSERT_EQ(chapterSets.size(), 3);
    EXPECT_EQ(chapterSets[0]->label(), QStringLiteral("単語"));
    EXPECT_EQ(chapterSets[1]->label(), QStringLiteral("英作文"));
    EXPECT_EQ(chapterSets[2]->label(), QStringLiteral("聞き取り"));
    std::array<std::vector<double>, 3> expected;
    for (const ChapterProgress& chapter : summary.chapters) {
        expected[0].push_back(chapter.words.masteredPercent());
        expected[1].push_back(chapter.compositions.masteredPercent());
        expected[2].push_back(chapter.listening.masteredPercent());
    }
    for (int kind = 0; kind < 3; ++kind) {
        EXPECT_EQ(values(chapterSets[kind]), expected[static_cast<std::size_t>(kind)]) << kind;
    }
    // Word 1 wrong then right is mastered, word 2 is not; composition 1 was right at last.
    const ChapterProgress& first = summary.chapter(1);
    EXPECT_EQ(first.words.right, 1);
    EXPECT_EQ(first.words.wrong, 1);
    EXPECT_GT(first.words.untested, 0);
    EXPECT_DOUBLE_EQ(chapterSets[0]->at(0), 100.0 / first.words.total());
    EXPECT_DOUBLE_EQ(chapterSets[1]->at(0), 100.0 / first.compositions.total());
    EXPECT_DOUBLE_EQ(chapterSets[2]->at(0), 100.0 / first.listening.total());
    EXPECT_EQ(chapterSets[0]->at(1), 0.0);

    // Per day: the right answers of each kind, the re-test run included.
    EXPECT_EQ(screen->AxisDays->categories(), (QStringList{QStringLiteral("04/01"), QStringLiteral("04/02")}));
    const QList<QBarSet*> daySets = screen->SeriesDays->barSets();
    ASSERT_EQ(daySets.size(), 3);
    EXPECT_EQ(values(daySets[0]), (std::vector<double>{1, 0}));
    EXPECT_EQ(values(daySets[1]), (std::vector<double>{0, 1}));
    EXPECT_EQ(values(daySets[2]), (std::vector<double>{0, 1}));

    // The comments, the most frequent on top (the last category of the axis).
    ASSERT_EQ(summary.topComments.size(), 2u);
    const QStringList labels = screen->AxisComments->categories();
    ASSERT_EQ(labels.size(), 2);
    EXPECT_EQ(labels[1], commentChartLabel(summary.topComments[0]));
    EXPECT_EQ(labels[1], QStringLiteral("［語法/解説］文章の終りにピリオドがありません。"));
    EXPECT_TRUE(labels[0].startsWith(QStringLiteral("［代名詞/")));
    ASSERT_EQ(screen->SeriesComments->barSets().size(), 1);
    EXPECT_EQ(values(screen->SeriesComments->barSets()[0]), (std::vector<double>{1, 2}));
    EXPECT_TRUE(screen->ChartComments->chart()->title().startsWith(QStringLiteral("よく受けたコメント ベスト10")));
}

TEST_F(ProgressChartsScreen, ALearnerWithoutLogsSeesEmptyChartsAndTheMessage)
{
    frm学習グラフ* screen = openCharts(1);
    ASSERT_NE(screen, nullptr);
    EXPECT_EQ(prompt.count(), 0u) << prompt.transcript().toStdString();
    EXPECT_TRUE(screen->LabelMessage->isVisible());
    EXPECT_TRUE(screen->LabelMessage->text().startsWith(QStringLiteral("まだ学習の記録がありません。")));
    for (const QBarSet* set : screen->SeriesChapters->barSets()) {
        EXPECT_EQ(values(set), std::vector<double>(28, 0.0));
    }
    EXPECT_TRUE(screen->AxisDays->categories().isEmpty());
    for (const QBarSet* set : screen->SeriesDays->barSets()) {
        EXPECT_EQ(set->count(), 0);
    }
    EXPECT_EQ(screen->SeriesComments->barSets().front()->count(), 0);
    EXPECT_EQ(screen->ChartDays->chart()->title(), QStringLiteral("日ごとの正解数（まだテストの記録がありません）"));
    EXPECT_EQ(screen->ChartComments->chart()->title(),
              QStringLiteral("よく受けたコメント（まだ添削の記録がありません）"));
}

TEST_F(ProgressChartsScreen, CloseGoesBackToTheScreenBeneath)
{
    QPointer<QWidget> home = openHomeAs(0);
    ASSERT_FALSE(home.isNull());
    QPointer<frm学習グラフ> screen = dynamic_cast<frm学習グラフ*>(navigator->open(ScreenId::ProgressCharts));
    ASSERT_FALSE(screen.isNull());
    settle();
    screen->CommandClose->click();
    settle();
    EXPECT_TRUE(screen.isNull());
    // Nothing new was opened and no question asked: the learner is back on the home screen.
    EXPECT_EQ(navigator->lastOpened(), nullptr);
    ASSERT_FALSE(home.isNull());
    EXPECT_TRUE(home->isVisible());
    EXPECT_EQ(prompt.count(), 0u) << prompt.transcript().toStdString();
}

TEST_F(ProgressChartsScreen, CloseOpensTheRecordListAgainWhenItClosedBehind)
{
    openHomeAs(0);
    addStandIn(ScreenId::Records, QStringLiteral("frm記録一覧"));
    QWidget* records = navigator->open(ScreenId::Records);
    ASSERT_NE(records, nullptr);
    auto* screen = dynamic_cast<frm学習グラフ*>(navigator->open(ScreenId::ProgressCharts));
    ASSERT_NE(screen, nullptr);
    records->close();  // the record list replaced itself by the charts
    settle();
    screen->CommandClose->click();
    settle();
    ASSERT_NE(navigator->lastOpened(), nullptr);
    EXPECT_EQ(navigator->lastOpened()->objectName(), QStringLiteral("frm記録一覧"));
    EXPECT_TRUE(navigator->lastOpened()->isVisible());
}

TEST_F(ProgressChartsScreen, ScreenshotsWithATermOfLogs)
{
    const QString dir = qEnvironmentVariable("KORVEL_SCREENSHOTS");
    if (dir.isEmpty()) {
        GTEST_SKIP() << "KORVEL_SCREENSHOTS not set";
    }
    // A learner without logs, then the wide and the narrow display balance.
    frm学習グラフ* empty = openCharts(0);
    ASSERT_NE(empty, nullptr);
    EXPECT_TRUE(empty->grab().save(dir + QStringLiteral("/frm学習グラフ_記録なし.png")));
    empty->CommandClose->click();
    settle();
    for (int slot : {0, 1}) {
        openHomeAs(slot);
        writeTermOfLogs();
        auto* screen = dynamic_cast<frm学習グラフ*>(navigator->open(ScreenId::ProgressCharts));
        ASSERT_NE(screen, nullptr);
        settle();
        const QString name = slot == 0 ? QStringLiteral("/frm学習グラフ.png") : QStringLiteral("/frm学習グラフL.png");
        EXPECT_TRUE(screen->grab().save(dir + name));
        screen->CommandClose->click();
        settle();
    }
}

}  // namespace
}  // namespace korvel::test
