#include "app/exercises/ui/frm_composition_test.h"

#include "app/correction/engine_binding.h"
#include "app/exercises/ui/function_bar.h"

#include <QButtonGroup>
#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QVBoxLayout>

namespace korvel {

namespace {

constexpr int kWideJapaneseWidth = 28;
constexpr int kNarrowJapaneseWidth = 22;

QString shownText(QString text)
{
    return text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
}

}  // namespace

const QColor frm英作文テスト::kWrongCell(255, 192, 192);

frm英作文テスト::frm英作文テスト(Navigator& navigator, CompositionTestLinks links)
    : FormBase(navigator),
      test_(navigator.session(),
            navigator.session().currentUser().wideDisplay == -1 ? kWideJapaneseWidth : kNarrowJapaneseWidth),
      links_(std::move(links))
{
    setObjectName(QStringLiteral("frm英作文テスト"));
    EngineBinding::shared().initialise(session().folders().contentRoot);
    buildControls(session().currentUser().wideDisplay == -1);
    restart();
    if (!test_.grid().empty()) {
        TextAnswer->setFocus();
    }
}

void frm英作文テスト::buildControls(bool wide)
{
    setFont(screenFont(wide ? 11 : 9));
    auto* outer = new QVBoxLayout(this);

    auto* top = new QHBoxLayout;
    LabelCaption = new QLabel(this);
    LabelCaption->setFont(screenFont(wide ? 15 : 12, true));
    LabelUser = new QLabel(session().clockText() + QLatin1Char(' ') + session().currentUser().name, this);
    top->addWidget(LabelCaption);
    top->addStretch(1);
    top->addWidget(LabelUser);
    outer->addLayout(top);

    Bar = new FunctionBar(
        navigator(), [this](int index) { chooseFunction(index); }, this);
    outer->addWidget(Bar);

    auto* options = new QHBoxLayout;
    LabelOption = new QLabel(QStringLiteral("1度習得した英作文を再テストしますか？"), this);
    OptionAgain[0] = new QRadioButton(QStringLiteral("はい"), this);
    OptionAgain[1] = new QRadioButton(QStringLiteral("いいえ"), this);
    auto* group = new QButtonGroup(this);
    LabelFixed = new QLabel(QStringLiteral("（テスト開始後は変更不可）"), this);
    options->addWidget(LabelOption);
    for (int i = 0; i < 2; ++i) {
        group->addButton(OptionAgain[static_cast<std::size_t>(i)], i);
        options->addWidget(OptionAgain[static_cast<std::size_t>(i)]);
    }
    options->addWidget(LabelFixed);
    options->addSpacing(24);
    LabelChapter = new QLabel(QStringLiteral("章の指定"), this);
    SpinChapter = new QSpinBox(this);
    SpinChapter->setRange(1, kChapterCount);
    options->addWidget(LabelChapter);
    options->addWidget(SpinChapter);
    options->addStretch(1);
    outer->addLayout(options);

    LabelNote = new QLabel(
        QStringLiteral("(注)　２８章のテストで×の英作文再テストは　第２８章の【英作文テスト】で行ってください。"),
        this);
    outer->addWidget(LabelNote);

    LabelInstruction = new QLabel(
        QStringLiteral("次の日本文を英文にしてみましょう。（入力後のＥｎｔｅｒキーでチェックします。）"), this);
    LabelQuote =
        new QLabel(QStringLiteral("会話文の「　」は、英文ではダブルクォーテーション \"　\" で書きます。"), this);
    outer->addWidget(LabelInstruction);
    outer->addWidget(LabelQuote);

    TextAnswer = new QLineEdit(this);
    TextAnswer->setObjectName(QStringLiteral("TextAnswer"));
    TextAnswer->installEventFilter(this);
    outer->addWidget(TextAnswer);

    GridTest = new QTableWidget(this);
    GridTest->setEditTriggers(QAbstractItemView::NoEditTriggers);
    GridTest->setSelectionBehavior(QAbstractItemView::SelectRows);
    GridTest->setSelectionMode(QAbstractItemView::SingleSelection);
    GridTest->verticalHeader()->setVisible(false);
    GridTest->setWordWrap(true);
    GridTest->setMinimumSize(wide ? QSize(1000, 420) : QSize(820, 340));
    outer->addWidget(GridTest, 1);

    LabelCounts = new QLabel(this);
    outer->addWidget(LabelCounts);

    connect(group, &QButtonGroup::idClicked, this, [this](int id) {
        if (!filling_) {
            test_.setTestAgain(id == 0 ? TestAgain::Yes : TestAgain::No);
            showGrid();
        }
    });
    connect(SpinChapter, &QSpinBox::valueChanged, this, [this](int chapter) {
        if (!filling_ && test_.setChapter(chapter)) {
            showGrid();
        }
    });
    connect(GridTest, &QTableWidget::cellClicked, this, [this](int row, int) { review(row + 1); });
}

void frm英作文テスト::restart()
{
    test_.start();
    showGrid();
}

void frm英作文テスト::showOptions()
{
    filling_ = true;
    const bool retest = test_.retest();
    OptionAgain[test_.testAgain() == TestAgain::Yes ? 0 : 1]->setChecked(true);
    if (!retest) {
        SpinChapter->setValue(session().chapter());
    }
    for (QWidget* w : std::initializer_list<QWidget*>{LabelOption, OptionAgain[0], OptionAgain[1], LabelFixed,
                                                      LabelChapter, SpinChapter}) {
        w->setVisible(!retest);
        w->setEnabled(!test_.started());
    }
    LabelNote->setVisible(retest);
    filling_ = false;
}

void frm英作文テスト::showGrid()
{
    setWindowTitle(test_.caption());
    LabelCaption->setText(test_.caption());
    Bar->update(session().chapter());
    showOptions();
    const QStringList titles = test_.columnTitles();
    GridTest->clear();
    GridTest->setColumnCount(static_cast<int>(titles.size()));
    GridTest->setHorizontalHeaderLabels(titles);
    GridTest->setRowCount(static_cast<int>(test_.grid().size()));
    for (int r = 1; r <= static_cast<int>(test_.grid().size()); ++r) {
        showRow(r);
    }
    QHeaderView* header = GridTest->horizontalHeader();
    header->setSectionResizeMode(CompositionTest::kNumberColumn, QHeaderView::ResizeToContents);
    header->setSectionResizeMode(CompositionTest::kJapaneseColumn, QHeaderView::Stretch);
    header->setSectionResizeMode(CompositionTest::kEnglishColumn, QHeaderView::Stretch);
    header->setSectionResizeMode(CompositionTest::kMarkColumn, QHeaderView::ResizeToContents);
    if (titles.size() > CompositionTest::kChapterColumn) {
        header->setSectionResizeMode(CompositionTest::kChapterColumn, QHeaderView::ResizeToContents);
    }
    showSelection();
    showCounts();
}

void frm英作文テスト::showRow(int row)
{
    const CompositionTest::GridRow& shown = test_.grid()[static_cast<std::size_t>(row - 1)];
    const int r = row - 1;
    auto put = [&](int column, const QString& text) {
        auto* item = new QTableWidgetItem(text);
        if (column == CompositionTest::kMarkColumn || column == CompositionTest::kNumberColumn ||
            column == CompositionTest::kChapterColumn) {
            item->setTextAlignment(Qt::AlignCenter);
        }
        if (column == CompositionTest::kMarkColumn && shown.mark == kWrongMark) {
            item->setBackground(kWrongCell);
        }
        GridTest->setItem(r, column, item);
    };
    put(CompositionTest::kNumberColumn, shown.number);
    put(CompositionTest::kJapaneseColumn, shownText(shown.japanese));
    put(CompositionTest::kEnglishColumn, shown.answer);
    put(CompositionTest::kMarkColumn, shown.mark);
    if (test_.retest()) {
        put(CompositionTest::kChapterColumn, shown.chapter);
    }
    const int line = GridTest->fontMetrics().height() + 8;
    GridTest->setRowHeight(r, shown.twoLines ? 2 * line : line);
}

void frm英作文テスト::showSelection()
{
    const int row = test_.selectedRow();
    if (row >= 1) {
        GridTest->setCurrentCell(row - 1, CompositionTest::kEnglishColumn);
        GridTest->scrollToItem(GridTest->item(row - 1, CompositionTest::kEnglishColumn));
    }
    TextAnswer->setText(test_.selectedAnswer());
    TextAnswer->setEnabled(row >= 1);
}

void frm英作文テスト::showCounts()
{
    const TestRun& run = test_.run();
    LabelCounts->setText(QStringLiteral("問題数 %1　　解答数 %2　　○ %3　　× %4")
                             .arg(run.questions)
                             .arg(run.answered)
                             .arg(run.right)
                             .arg(run.wrong));
}

bool frm英作文テスト::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == TextAnswer && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Up) {
            answerKey(CompositionTest::Key::Up);
            return true;
        }
        if (key == Qt::Key_Down) {
            answerKey(CompositionTest::Key::Down);
            return true;
        }
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            answerKey(CompositionTest::Key::Enter);
            return true;
        }
    }
    return FormBase::eventFilter(watched, event);
}

void frm英作文テスト::answerKey(CompositionTest::Key key)
{
    if (correcting_) {
        return;
    }
    const CompositionTest::KeyOutcome outcome = test_.key(key, TextAnswer->text());
    switch (outcome.kind) {
    case CompositionTest::KeyOutcome::Kind::Nothing: return;
    case CompositionTest::KeyOutcome::Kind::Moved: showSelection(); return;
    case CompositionTest::KeyOutcome::Kind::Forbidden: TextAnswer->setFocus(); return;
    case CompositionTest::KeyOutcome::Kind::Correct: break;
    }
    showRow(test_.selectedRow());
    showOptions();
    showCounts();
    correcting_ = true;
    QPointer<frm英作文テスト> self(this);
    auto done = [self](const CompositionResult& result) {
        if (self) {
            self->applyResult(result);
        }
    };
    if (links_.correct) {
        links_.correct(*this, *outcome.request, done);
    } else {
        done(CompositionResult::failed());
    }
}

void frm英作文テスト::applyResult(const CompositionResult& result)
{
    correcting_ = false;
    const int row = test_.selectedRow();
    test_.finish(result);
    showRow(row);
    showSelection();
    showCounts();
    TextAnswer->setFocus();
}

void frm英作文テスト::review(int row)
{
    if (correcting_) {
        return;
    }
    const std::optional<CompositionRequest> request = test_.click(row);
    showSelection();
    if (request && links_.correct) {
        // A review changes nothing: its result is not used.
        links_.correct(*this, *request, [](const CompositionResult&) {});
    }
}

void frm英作文テスト::chooseFunction(int index)
{
    const std::int16_t chapter = test_.chapterForFunction(index);
    test_.leave();
    logged_ = true;
    if (index == FunctionBar::kHome) {
        if (test_.retest()) {
            session().setChapter(1);
        }
        replaceWith(ScreenId::Home);
        return;
    }
    session().setChapter(chapter);
    if (chapter == kRetestWords) {
        if (navigator().openRetest(chapter) != nullptr) {
            leave();
        }
        return;
    }
    if (replaceWith(functionScreen(index)) == nullptr) {
        logged_ = false;
    }
}

void frm英作文テスト::closeEvent(QCloseEvent* event)
{
    FormBase::closeEvent(event);
    if (event->isAccepted() && !logged_) {
        test_.leave();
        logged_ = true;
    }
}

CorrectionOpener correctionThroughNavigator(Navigator& navigator)
{
    return [&navigator](QWidget& opener, const CompositionRequest& request, CorrectionHandover::Done done) {
        if (!navigator.has(ScreenId::Correction)) {
            navigator.session().dsp_ErrorMsg(2, QStringLiteral("frm英作文テスト"),
                                             QStringLiteral(" データ名 ") + request.exerciseName);
            done(CompositionResult::failed());
            return;
        }
        CorrectionHandover::post(request, std::move(done));
        QWidget* screen = navigator.open(ScreenId::Correction);
        if (screen == nullptr) {
            CorrectionHandover::finish(CompositionResult::failed());
            return;
        }
        // A window of the test screen, so it never outlives it. Reparenting
        // hides it; the modality takes effect when it is shown again.
        screen->setParent(&opener, Qt::Window);
        screen->move(opener.geometry().left() + 20, opener.geometry().top() + 60);
        screen->setWindowModality(Qt::ApplicationModal);
        screen->show();
    };
}

}  // namespace korvel
