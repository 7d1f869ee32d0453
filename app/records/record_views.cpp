#include "app/records/record_views.h"

#include "app/records/record_rounding.h"
#include "app/records/record_view_parts.h"
#include "app/shell/session.h"

#include <algorithm>
#include <array>
#include <numeric>

namespace korvel {

namespace {

const std::array<QString, kRecordViewCount> kCaptions = {
    QStringLiteral("進み具合一覧表"),
    QStringLiteral("テスト結果一覧表"),
    QStringLiteral("単語テスト履歴"),
    QStringLiteral("テストで ○ の単語"),
    QStringLiteral("テストで × の単語"),
    QStringLiteral("単語習得に出てくる語句"),
    QStringLiteral("テストしてない単語"),
    QStringLiteral("英作文テスト履歴"),
    QStringLiteral("テストで ○ の英作文"),
    QStringLiteral("テストで × の英作文"),
    QStringLiteral("テストに出てくる英作文"),
    QStringLiteral("テストしてない英作文"),
    QStringLiteral("英作文添削で表示された\nコメント一覧"),
    QStringLiteral("聞き取りクイズ履歴"),
    QStringLiteral("聞き取りクイズで ○ の英文"),
    QStringLiteral("聞き取りクイズで × の英文"),
    QStringLiteral("聞き取りクイズの英文"),
    QStringLiteral("聞き取りしてない英文"),
};

QString kindName(std::int16_t kind)
{
    switch (kind) {
    case 1: return QStringLiteral("単語");
    case 2: return QStringLiteral("英作文");
    case 3: return QStringLiteral("聞き取り");
    default: return {};
    }
}

// Counts of the test results: "##0 ".
QString countText(int n)
{
    return QString::number(n) + QLatin1Char(' ');
}

}  // namespace

QString recordViewCaption(int view)
{
    return view >= 1 && view <= kRecordViewCount ? kCaptions[static_cast<std::size_t>(view - 1)] : QString();
}

QString recordViewTitle(int view)
{
    return recordViewCaption(view).replace(QLatin1Char('\n'), QLatin1Char(' '));
}

bool viewHasOrder(int view)
{
    return view == 2 || view == 3 || view == 8 || view == 14;
}

bool viewHasAnswerOption(int view)
{
    return view >= 3 && view <= 12;
}

bool viewHasWordSort(int view)
{
    return view >= 4 && view <= 7;
}

bool viewHasCommentSort(int view)
{
    return view == 13;
}

std::int16_t retestChapter(int view)
{
    switch (view) {
    case 5: return kRetestWords;
    case 10: return kRetestCompositions;
    case 16: return kRetestListening;
    default: return 0;
    }
}

QString retestCaption(int view)
{
    switch (view) {
    case 5: return QStringLiteral("単語再テスト");
    case 10: return QStringLiteral("英作文再テスト");
    case 16: return QStringLiteral("聞き取り再クイズ");
    default: return {};
    }
}

QString retestText(int view)
{
    switch (view) {
    case 5: return QStringLiteral("テストでまちがった単語を集めて再テストします。");
    case 10: return QStringLiteral("テストでまちがった英作文を集めて再テストします。（２８章は除く）");
    case 16: return QStringLiteral("聞き取りクイズでまちがった英文を集めて再クイズします。");
    default: return {};
    }
}

QString commentViewText()
{
    return QStringLiteral(
        "コメント文が全文表示されていなかったり、見にくい場合　その行をクリックすると別画面で大きく再表示"
        "します。");
}

QString learningStateText(bool tested, bool right)
{
    if (!tested) {
        return QStringLiteral("未習");
    }
    return right ? QStringLiteral("済") : QStringLiteral("学習中");
}

RecordGrid buildRecordView(int view, const RecordSources& sources, const RecordViewOptions& options)
{
    using namespace record_views;
    if (view == 1) {
        return progressTable(sources);
    }
    if (view == 2) {
        return testResults(sources, options);
    }
    if (view >= 3 && view <= 7) {
        return wordView(view, sources, options);
    }
    if (view >= 8 && view <= 12) {
        return compositionView(view, sources, options);
    }
    if (view == 13) {
        return commentView(sources, options);
    }
    if (view >= 14 && view <= 18) {
        return listeningView(view, sources, options);
    }
    RecordGrid none;
    none.complete = false;
    return none;
}

namespace record_views {

QString markText(std::int16_t right)
{
    return right != 0 ? QStringLiteral("○") : QStringLiteral("×");
}

QString dateText(const QDateTime& when)
{
    return when.isValid() ? recordDateText(when) : QString();
}

RecordGrid titled(int view, const QStringList& titles)
{
    RecordGrid grid;
    grid.view = view;
    grid.titleRows.push_back(titles);
    return grid;
}

std::vector<std::size_t> historyOrder(std::size_t n, RecordOrder order)
{
    std::vector<std::size_t> indexes(n);
    std::iota(indexes.begin(), indexes.end(), std::size_t{0});
    if (order == RecordOrder::OldestFirst) {
        std::reverse(indexes.begin(), indexes.end());
    }
    return indexes;
}

RecordGrid testResults(const RecordSources& sources, const RecordViewOptions& options)
{
    RecordGrid grid = titled(2, {QStringLiteral("No"), QStringLiteral("章"), QStringLiteral("種類"),
                                 QStringLiteral("実施日時"), QStringLiteral("問題数　"), QStringLiteral("解答数　"),
                                 QStringLiteral("正解数　"), QStringLiteral("正解率 ☆ 10%")});
    grid.rightAligned = {0, 4, 5, 6};
    if (!sources.userLog) {
        grid.complete = false;
        return grid;
    }
    const std::vector<UserLogRecord>& log = *sources.userLog;
    for (const std::size_t i : historyOrder(log.size(), options.order)) {
        const UserLogRecord& r = log[i];
        const bool retest =
            r.chapter == kRetestWords || r.chapter == kRetestCompositions || r.chapter == kRetestListening;
        // The log's own record number: the oldest record is 1.
        const int number = static_cast<int>(log.size() - i);
        grid.addRow({QString::number(number), retest ? QStringLiteral("いろいろ") : QString::number(r.chapter),
                     kindName(r.kind), dateText(r.when), countText(r.questions), countText(r.right + r.wrong),
                     countText(r.right), starsText(r.right, r.wrong)});
    }
    return grid;
}

}  // namespace record_views
}  // namespace korvel
