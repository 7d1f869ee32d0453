// frm学習グラフ: the learner's progress at a glance in three charts, drawn from
// the progress summary: per chapter the share of words, compositions and
// listening sentences mastered (grouped bars, 0 to 100 %), the right answers
// of the test runs per study day (stacked by kind), and the ten comments the
// corrections gave most often with their category (horizontal bars). A
// learner without records sees the empty charts and a message saying how
// they fill. "閉じる" goes back to the screen that opened this one.
#pragma once

#include "app/desktop/ui/form_base.h"
#include "app/records/progress_summary.h"

#include <QPointer>

class QBarCategoryAxis;
class QBarSeries;
class QChartView;
class QHorizontalBarSeries;
class QLabel;
class QPushButton;
class QStackedBarSeries;

namespace korvel {

class frm学習グラフ : public FormBase {
public:
    explicit frm学習グラフ(Navigator& navigator);

    const ProgressSummary& summary() const { return summary_; }

    QLabel* LabelCaption = nullptr;
    QLabel* LabelMessage = nullptr;  // shown only when the learner has no record
    QPushButton* CommandClose = nullptr;
    QChartView* ChartChapters = nullptr;
    QChartView* ChartDays = nullptr;
    QChartView* ChartComments = nullptr;
    // Sets in the order 単語, 英作文, 聞き取り; one value per chapter 1 to 28.
    QBarSeries* SeriesChapters = nullptr;
    // Sets in the same order; one value per study day, oldest first.
    QStackedBarSeries* SeriesDays = nullptr;
    QBarCategoryAxis* AxisDays = nullptr;
    // One set; the most frequent comment is the last value (the top bar).
    QHorizontalBarSeries* SeriesComments = nullptr;
    QBarCategoryAxis* AxisComments = nullptr;

private:
    void buildChapterChart(bool wide);
    void buildDayChart(bool wide);
    void buildCommentChart(bool wide);
    void goBack();

    ProgressSummary summary_;
    QPointer<QWidget> opener_;
};

}  // namespace korvel
