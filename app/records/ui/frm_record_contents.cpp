#include "app/records/ui/frm_record_contents.h"

#include "app/records/ui/frm_comment.h"

#include <QBrush>
#include <QButtonGroup>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSaveFile>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>

namespace korvel {

namespace {

const QColor kTitleBackground(224, 224, 224);
constexpr int kWidestColumn = 420;
constexpr int kWidestColumnNarrow = 320;

}  // namespace

frm記録内容::frm記録内容(Navigator& navigator, int view)
    : FormBase(navigator), view_(std::clamp(view, 1, kRecordViewCount))
{
    setObjectName(QStringLiteral("frm記録内容"));
    setWindowTitle(recordViewTitle(view_));
    const bool wide = session().currentUser().wideDisplay == -1;
    setFont(screenFont(wide ? 11 : 9));
    auto* outer = new QVBoxLayout(this);
    LabelCaption = addHeading(*this, outer, wide);
    LabelCaption->setText(recordViewCaption(view_));

    auto* options = new QHBoxLayout;
    OptionOrder =
        addYesNo(this, options, QStringLiteral("表示順"), QStringLiteral("新しい順"), QStringLiteral("古い順"));
    options->addSpacing(16);
    OptionAnswers =
        addYesNo(this, options, QStringLiteral("正解を表示"), QStringLiteral("表示する"), QStringLiteral("表示しない"));
    options->addSpacing(16);
    if (viewHasCommentSort(view_)) {
        OptionSort =
            addYesNo(this, options, QStringLiteral("並べ順"), QStringLiteral("頻度順"), QStringLiteral("ＩＤ順"));
    } else {
        OptionSort = addYesNo(this, options, QStringLiteral("並べ順"), QStringLiteral("日本語ＩＤ順"),
                              QStringLiteral("英語ａｂｃ順"));
    }
    options->addStretch(1);
    outer->addLayout(options);
    auto showPair = [](YesNo& pair, bool shown) {
        pair.question->setVisible(shown);
        pair.buttons[0]->setVisible(shown);
        pair.buttons[1]->setVisible(shown);
        pair.set(true);
    };
    showPair(OptionOrder, viewHasOrder(view_));
    showPair(OptionAnswers, viewHasAnswerOption(view_));
    showPair(OptionSort, viewHasWordSort(view_) || viewHasCommentSort(view_));

    LabelText = new QLabel(commentViewText(), this);
    LabelText->setWordWrap(true);
    LabelText->setVisible(viewHasCommentSort(view_));
    outer->addWidget(LabelText);

    auto* retest = new QHBoxLayout;
    LabelRetest = new QLabel(retestText(view_), this);
    CommandRetest = new QPushButton(retestCaption(view_), this);
    CommandRetest->setObjectName(QStringLiteral("CommandRetest"));
    retest->addWidget(LabelRetest);
    retest->addWidget(CommandRetest);
    retest->addStretch(1);
    outer->addLayout(retest);
    LabelRetest->setVisible(retestChapter(view_) != 0);
    CommandRetest->setVisible(retestChapter(view_) != 0);

    GridRecords = new QTableWidget(this);
    GridRecords->setObjectName(QStringLiteral("GridRecords"));
    GridRecords->setEditTriggers(QAbstractItemView::NoEditTriggers);
    GridRecords->setSelectionBehavior(QAbstractItemView::SelectRows);
    GridRecords->setSelectionMode(QAbstractItemView::SingleSelection);
    GridRecords->horizontalHeader()->setVisible(false);
    GridRecords->verticalHeader()->setVisible(false);
    GridRecords->setMinimumSize(wide ? QSize(1100, 460) : QSize(880, 360));
    GridRecords->setWordWrap(false);
    outer->addWidget(GridRecords, 1);

    auto* bottom = new QHBoxLayout;
    CommandHome = new QPushButton(QStringLiteral("ホーム"), this);
    CommandList = new QPushButton(QStringLiteral("記録一覧へ"), this);
    CommandExport = new QPushButton(QStringLiteral("CSVファイルに保存"), this);
    CommandExport->setEnabled(session().fileDialog() != nullptr);
    bottom->addWidget(CommandHome);
    bottom->addWidget(CommandList);
    bottom->addStretch(1);
    bottom->addWidget(CommandExport);
    outer->addLayout(bottom);

    connect(CommandHome, &QPushButton::clicked, this, [this] { replaceWith(ScreenId::Home); });
    connect(CommandList, &QPushButton::clicked, this, [this] { replaceWith(ScreenId::Records); });
    connect(CommandExport, &QPushButton::clicked, this, [this] { exportCsv(); });
    connect(CommandRetest, &QPushButton::clicked, this, [this] { startRetest(); });
    for (YesNo* pair : {&OptionOrder, &OptionAnswers, &OptionSort}) {
        connect(pair->group, &QButtonGroup::idClicked, this, [this](int) {
            if (!filling_) {
                fill();
            }
        });
    }
    connect(GridRecords, &QTableWidget::cellClicked, this, [this](int row, int) { openComment(row); });

    sources_ = loadRecordSources(session(), view_);
    if (view_ == 13 && sources_.commentStatus == GlobalCommStatus::NotGlobal) {
        // A comment file that is not the global one ends the program.
        session().prompt().tell(notGlobalTitle(), notGlobalText());
        QTimer::singleShot(0, this, [this] { this->navigator().endProgram(); });
    }
    fill();
}

RecordViewOptions frm記録内容::options() const
{
    RecordViewOptions o;
    o.order = OptionOrder.yes() ? RecordOrder::NewestFirst : RecordOrder::OldestFirst;
    o.showAnswers = OptionAnswers.yes();
    o.commentSort = OptionSort.yes() ? CommentSort::Frequency : CommentSort::Id;
    o.wordSort = OptionSort.yes() ? WordSort::JapaneseId : WordSort::English;
    return o;
}

void frm記録内容::fill()
{
    filling_ = true;
    grid_ = buildRecordView(view_, sources_, options());
    const int titles = static_cast<int>(grid_.titleRows.size());
    GridRecords->clear();
    GridRecords->setColumnCount(grid_.columnCount());
    GridRecords->setRowCount(titles + static_cast<int>(grid_.rows.size()));
    QFont bold = GridRecords->font();
    bold.setBold(true);
    auto put = [&](int r, const QStringList& cells, bool title) {
        for (int c = 0; c < static_cast<int>(cells.size()); ++c) {
            auto* item = new QTableWidgetItem(cells[c]);
            const bool right =
                std::find(grid_.rightAligned.begin(), grid_.rightAligned.end(), c) != grid_.rightAligned.end();
            if (title) {
                item->setFont(bold);
                item->setBackground(QBrush(kTitleBackground));
                item->setTextAlignment(Qt::AlignCenter);
            } else if (cells[c] == QStringLiteral("○") || cells[c] == QStringLiteral("×")) {
                item->setTextAlignment(Qt::AlignCenter);
            } else {
                item->setTextAlignment(Qt::AlignVCenter | (right ? Qt::AlignRight : Qt::AlignLeft));
            }
            GridRecords->setItem(r, c, item);
        }
    };
    for (int r = 0; r < titles; ++r) {
        put(r, grid_.titleRows[static_cast<std::size_t>(r)], true);
    }
    for (int r = 0; r < static_cast<int>(grid_.rows.size()); ++r) {
        put(titles + r, grid_.rows[static_cast<std::size_t>(r)], false);
    }
    if (view_ == 1) {
        // The group names over their four detail columns.
        for (int c = 4; c < 16; c += 4) {
            GridRecords->setSpan(0, c, 1, 4);
        }
    }
    GridRecords->resizeColumnsToContents();
    // A long text (a comment, a sentence) is cut at the column's edge so that
    // the columns after it stay in sight; the comment view shows it whole on
    // frmコメント.
    const int widest = session().currentUser().wideDisplay == -1 ? kWidestColumn : kWidestColumnNarrow;
    for (int c = 0; c < GridRecords->columnCount(); ++c) {
        GridRecords->setColumnWidth(c, std::min(GridRecords->columnWidth(c), widest));
    }
    GridRecords->resizeRowsToContents();
    filling_ = false;
}

void frm記録内容::openComment(int gridRow)
{
    const int row = gridRow - static_cast<int>(grid_.titleRows.size());
    if (view_ != 13 || row < 0 || row >= static_cast<int>(grid_.rows.size())) {
        return;
    }
    const QStringList& cells = grid_.rows[static_cast<std::size_t>(row)];
    if (comment_ == nullptr) {
        comment_ = new frmコメント(this);
    }
    comment_->showComment(cells.value(1), cells.value(4), cells.value(2));
    comment_->show();
    comment_->raise();
}

void frm記録内容::startRetest()
{
    const std::int16_t chapter = retestChapter(view_);
    if (chapter != 0 && navigator().openRetest(chapter) != nullptr) {
        leave();
    }
}

bool frm記録内容::exportCsv()
{
    FileDialog* dialog = session().fileDialog();
    if (dialog == nullptr) {
        return false;
    }
    const QString path = dialog->saveFileName(QStringLiteral("CSVファイルに保存"),
                                              recordViewTitle(view_).remove(QLatin1Char(' ')) + QStringLiteral(".csv"),
                                              QStringLiteral("CSV (*.csv)"));
    if (path.isEmpty()) {
        return false;
    }
    QSaveFile file(path);
    const QByteArray bytes = gridCsv(grid_);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        session().dsp_ErrorMsg(3, QStringLiteral("put_RecordCsv"), path + QStringLiteral(" フォルダー名 "));
        return false;
    }
    return true;
}

}  // namespace korvel
