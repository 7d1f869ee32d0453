#include "app/records/ui/frm_progress_charts.h"

#include "app/exercises/ui/screen_parts.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QHBoxLayout>
#include <QHorizontalBarSeries>
#include <QLabel>
#include <QLegend>
#include <QPushButton>
#include <QStackedBarSeries>
#include <QVBoxLayout>
#include <QValueAxis>

#include <algorithm>

namespace korvel {

namespace {

const QStringList kKindNames = {QStringLiteral("単語"), QStringLiteral("英作文"), QStringLiteral("聞き取り")};
const std::array<QColor, 3> kKindColours = {QColor(54, 114, 196), QColor(230, 126, 34), QColor(46, 160, 90)};

QChartView* newChartView(QChart* chart, QWidget* parent, const QSize& minimum)
{
    auto* view = new QChartView(chart, parent);
    view->setRenderHint(QPainter::Antialiasing);
    view->setMinimumSize(minimum);
    return view;
}

QChart* newChart(const QString& title, bool wide)
{
    auto* chart = new QChart;
    chart->setTitle(title);
    chart->setTitleFont(screenFont(wide ? 12 : 10, true));
    chart->setFont(screenFont(wide ? 10 : 9));
    chart->legend()->setFont(screenFont(wide ? 10 : 9));
    chart->setAnimationOptions(QChart::NoAnimation);
    chart->setMargins(QMargins(4, 4, 4, 4));
    return chart;
}

QBarSet* newKindSet(int kind, QObject* parent)
{
    auto* set = new QBarSet(kKindNames[kind], parent);
    set->setColor(kKindColours[static_cast<std::size_t>(kind)]);
    set->setBorderColor(kKindColours[static_cast<std::size_t>(kind)].darker(120));
    return set;
}

// A count axis from 0 with whole-number ticks at 1, 2 or 5 times a power of
// ten, at least up to 5.
QValueAxis* countAxis(int largest, const QString& title, bool wide)
{
    int interval = 1;
    for (int scale = 1; interval * 5 < largest; scale *= 10) {
        for (int step : {1, 2, 5}) {
            interval = step * scale;
            if (interval * 5 >= largest) {
                break;
            }
        }
    }
    const int top = std::max(5, (largest + interval - 1) / interval * interval);
    auto* axis = new QValueAxis;
    axis->setRange(0, top);
    axis->setTickType(QValueAxis::TicksDynamic);
    axis->setTickAnchor(0);
    axis->setTickInterval(interval);
    axis->setLabelFormat(QStringLiteral("%d"));
    axis->setTitleText(title);
    axis->setTitleFont(screenFont(wide ? 10 : 9));
    axis->setLabelsFont(screenFont(wide ? 10 : 9));
    return axis;
}

QBarCategoryAxis* categoryAxis(const QStringList& categories, const QString& title, bool wide)
{
    auto* axis = new QBarCategoryAxis;
    axis->append(categories);
    // The labels are short already (dates, chapter numbers, cut comments):
    // shown whole, never cut to "…" by the chart.
    axis->setTruncateLabels(false);
    axis->setTitleText(title);
    axis->setTitleFont(screenFont(wide ? 10 : 9));
    axis->setLabelsFont(screenFont(wide ? 10 : 9));
    return axis;
}

}  // namespace

frm学習グラフ::frm学習グラフ(Navigator& navigator) : FormBase(navigator), opener_(navigator.lastOpened())
{
    setObjectName(QStringLiteral("frm学習グラフ"));
    setWindowTitle(QStringLiteral("学習グラフ"));
    const bool wide = session().currentUser().wideDisplay == -1;
    setFont(screenFont(wide ? 11 : 9));
    summary_ = summariseProgress(session());

    auto* outer = new QVBoxLayout(this);
    LabelCaption = addHeading(*this, outer, wide);
    LabelCaption->setText(QStringLiteral("学習グラフ　進み具合をひと目で"));
    auto* top = new QHBoxLayout;
    CommandClose = new QPushButton(QStringLiteral("閉じる"), this);
    top->addWidget(CommandClose);
    LabelMessage =
        new QLabel(QStringLiteral("まだ学習の記録がありません。単語テスト、英作文テスト、聞き取りクイズをすると、"
                                  "その結果がここにグラフで表示されます。"),
                   this);
    LabelMessage->setWordWrap(true);
    LabelMessage->setFont(screenFont(wide ? 12 : 10, true));
    LabelMessage->setVisible(!summary_.anyRecord);
    top->addWidget(LabelMessage, 1);
    top->addStretch(0);
    outer->addLayout(top);

    buildChapterChart(wide);
    buildDayChart(wide);
    buildCommentChart(wide);
    // The chapters and the days side by side; the comments, whose labels
    // are long, over the whole width below.
    auto* upper = new QHBoxLayout;
    upper->addWidget(ChartChapters, 5);
    upper->addWidget(ChartDays, 4);
    outer->addLayout(upper, 1);
    outer->addWidget(ChartComments, 1);
    connect(CommandClose, &QPushButton::clicked, this, [this] { goBack(); });
}

void frm学習グラフ::buildChapterChart(bool wide)
{
    QChart* chart = newChart(QStringLiteral("章ごとの習得率（最後の答えが正解の割合）"), wide);
    SeriesChapters = new QBarSeries(chart);
    std::array<QBarSet*, 3> sets{};
    for (int kind = 0; kind < 3; ++kind) {
        sets[static_cast<std::size_t>(kind)] = newKindSet(kind, SeriesChapters);
    }
    QStringList chapters;
    for (const ChapterProgress& chapter : summary_.chapters) {
        chapters.append(QString::number(chapter.chapter));
        sets[0]->append(chapter.words.masteredPercent());
        sets[1]->append(chapter.compositions.masteredPercent());
        sets[2]->append(chapter.listening.masteredPercent());
    }
    for (QBarSet* set : sets) {
        SeriesChapters->append(set);
    }
    chart->addSeries(SeriesChapters);
    QBarCategoryAxis* axisX = categoryAxis(chapters, QStringLiteral("章"), wide);
    axisX->setLabelsFont(screenFont(wide ? 9 : 8));  // 28 chapter numbers side by side
    auto* axisY = new QValueAxis;
    axisY->setRange(0, 100);
    axisY->setTickCount(6);
    axisY->setLabelFormat(QStringLiteral("%d%%"));
    axisY->setTitleText(QStringLiteral("習得率"));
    axisY->setTitleFont(screenFont(wide ? 10 : 9));
    axisY->setLabelsFont(screenFont(wide ? 10 : 9));
    chart->addAxis(axisX, Qt::AlignBottom);
    chart->addAxis(axisY, Qt::AlignLeft);
    SeriesChapters->attachAxis(axisX);
    SeriesChapters->attachAxis(axisY);
    chart->legend()->setAlignment(Qt::AlignBottom);
    ChartChapters = newChartView(chart, this, wide ? QSize(600, 360) : QSize(530, 300));
}

void frm学習グラフ::buildDayChart(bool wide)
{
    QString title = QStringLiteral("日ごとの正解数（テストとクイズ、再テストも含む）");
    if (summary_.days.empty()) {
        title = QStringLiteral("日ごとの正解数（まだテストの記録がありません）");
    } else if (summary_.daysLeftOut > 0) {
        title = QStringLiteral("日ごとの正解数（最近の%1日分）").arg(kShownDays);
    }
    QChart* chart = newChart(title, wide);
    SeriesDays = new QStackedBarSeries(chart);
    std::array<QBarSet*, 3> sets{};
    for (int kind = 0; kind < 3; ++kind) {
        sets[static_cast<std::size_t>(kind)] = newKindSet(kind, SeriesDays);
    }
    const bool withYear = !summary_.days.empty() && summary_.days.front().day.year() != summary_.days.back().day.year();
    QStringList days;
    int largest = 0;
    for (const DayResults& day : summary_.days) {
        days.append(dayLabel(day.day, withYear));
        for (int kind = 0; kind < 3; ++kind) {
            sets[static_cast<std::size_t>(kind)]->append(day.right[static_cast<std::size_t>(kind)]);
        }
        largest = std::max(largest, day.totalRight());
    }
    for (QBarSet* set : sets) {
        SeriesDays->append(set);
    }
    chart->addSeries(SeriesDays);
    // An empty category axis would draw its title in the chart's corner.
    AxisDays = categoryAxis(days, days.isEmpty() ? QString() : QStringLiteral("日付"), wide);
    // Standing labels in a small type: one per day fits up to kShownDays days.
    AxisDays->setLabelsAngle(days.size() > 8 ? -90 : 0);
    AxisDays->setLabelsFont(screenFont(wide ? 8 : 7));
    QValueAxis* axisY = countAxis(largest, QStringLiteral("正解数"), wide);
    chart->addAxis(AxisDays, Qt::AlignBottom);
    chart->addAxis(axisY, Qt::AlignLeft);
    SeriesDays->attachAxis(AxisDays);
    SeriesDays->attachAxis(axisY);
    chart->legend()->setAlignment(Qt::AlignBottom);
    ChartDays = newChartView(chart, this, wide ? QSize(520, 360) : QSize(420, 300));
}

void frm学習グラフ::buildCommentChart(bool wide)
{
    const QString title = summary_.topComments.empty()
                              ? QStringLiteral("よく受けたコメント（まだ添削の記録がありません）")
                              : QStringLiteral("よく受けたコメント ベスト%1（［分類］とコメント）").arg(kTopComments);
    QChart* chart = newChart(title, wide);
    SeriesComments = new QHorizontalBarSeries(chart);
    auto* set = new QBarSet(QStringLiteral("回数"), SeriesComments);
    set->setColor(QColor(192, 57, 43));
    set->setBorderColor(QColor(192, 57, 43).darker(120));
    // The axis lists its categories from the bottom up: the most frequent last, on top.
    QStringList labels;
    int largest = 0;
    for (auto comment = summary_.topComments.rbegin(); comment != summary_.topComments.rend(); ++comment) {
        QString label = commentChartLabel(*comment, wide ? 24 : 18);
        while (labels.contains(label)) {
            label += QLatin1Char(' ');  // the axis needs distinct labels
        }
        labels.append(label);
        set->append(comment->count);
        largest = std::max(largest, comment->count);
    }
    SeriesComments->append(set);
    chart->addSeries(SeriesComments);
    AxisComments = categoryAxis(labels, QString(), wide);
    AxisComments->setLabelsFont(screenFont(wide ? 9 : 8));
    QValueAxis* axisX = countAxis(largest, QStringLiteral("回数"), wide);
    chart->addAxis(AxisComments, Qt::AlignLeft);
    chart->addAxis(axisX, Qt::AlignBottom);
    SeriesComments->attachAxis(AxisComments);
    SeriesComments->attachAxis(axisX);
    chart->legend()->setVisible(false);
    ChartComments = newChartView(chart, this, wide ? QSize(1140, 370) : QSize(950, 330));
}

void frm学習グラフ::goBack()
{
    // The opener stays open beneath this screen: back to it. When it closed
    // as this one opened, the record list is opened again (the home screen
    // while there is no record list).
    if (opener_ && opener_->isVisible()) {
        leave();
        return;
    }
    if (replaceWith(navigator().has(ScreenId::Records) ? ScreenId::Records : ScreenId::Home) == nullptr) {
        leave();
    }
}

}  // namespace korvel
