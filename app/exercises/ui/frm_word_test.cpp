#include "app/exercises/ui/frm_word_test.h"

#include "app/exercises/sound_out.h"
#include "app/exercises/ui/function_bar.h"

#include <QButtonGroup>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QVBoxLayout>

namespace korvel {

namespace {
constexpr int kWideMeaningWidth = 30;
constexpr int kNarrowMeaningWidth = 22;
}  // namespace

frm単語テスト::frm単語テスト(Navigator& navigator, SoundOut* sound)
    : FormBase(navigator),
      test_(navigator.session(),
            navigator.session().currentUser().wideDisplay == -1 ? kWideMeaningWidth : kNarrowMeaningWidth),
      sound_(sound)
{
    setObjectName(QStringLiteral("frm単語テスト"));
    sound_ = soundOrOwn(sound_, ownSound_, this);
    const bool wide = session().currentUser().wideDisplay == -1;
    const ExerciseFrame frame = addExerciseFrame(*this, navigator, wide, [this](int index) { chooseFunction(index); });
    QVBoxLayout* outer = frame.outer;
    LabelCaption = frame.caption;
    Bar = frame.bar;

    auto* options = new QHBoxLayout;
    OptionAgain = addYesNo(this, options, QStringLiteral("1度習得した単語を再テストしますか？"));
    LabelFixed = new QLabel(QStringLiteral("（テスト開始後は変更不可）"), this);
    options->addWidget(LabelFixed);
    options->addSpacing(16);
    OptionOrder =
        addYesNo(this, options, QStringLiteral("出題順"), QStringLiteral("ファイル順"), QStringLiteral("ランダム"));
    options->addSpacing(16);
    LabelChapter = new QLabel(QStringLiteral("章の指定"), this);
    SpinChapter = new QSpinBox(this);
    SpinChapter->setRange(0, 99);
    options->addWidget(LabelChapter);
    options->addWidget(SpinChapter);
    options->addStretch(1);
    outer->addLayout(options);

    outer->addWidget(new QLabel(
        QStringLiteral("次の日本語を英語にしてみましょう。（入力後のＥｎｔｅｒキーでチェックします。）"), this));
    TextAnswer = new QLineEdit(this);
    TextAnswer->setObjectName(QStringLiteral("TextAnswer"));
    TextAnswer->setFont(screenFont(wide ? 14 : 11));
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

    OptionAgain.set(test_.testAgain());
    OptionOrder.set(!test_.randomOrder());
    connect(OptionAgain.group, &QButtonGroup::idClicked, this, [this](int id) {
        if (!filling_ && test_.setTestAgain(id == 0)) {
            showGrid();
        }
    });
    connect(OptionOrder.group, &QButtonGroup::idClicked, this, [this](int id) {
        if (!filling_ && test_.setRandomOrder(id == 1)) {
            showGrid();
        }
    });
    connect(SpinChapter, &QSpinBox::editingFinished, this, [this] {
        if (!filling_ && SpinChapter->value() != session().chapter()) {
            test_.setChapter(SpinChapter->value());
            showGrid();
        }
    });
    connect(GridTest, &QTableWidget::cellClicked, this, [this](int row, int) {
        test_.select(row + 1);
        showSelection();
    });
    test_.start();
    showGrid();
    if (!test_.grid().empty()) {
        TextAnswer->setFocus();
    }
}

void frm単語テスト::showOptions()
{
    filling_ = true;
    const bool retest = test_.retest();
    OptionAgain.set(test_.testAgain());
    OptionOrder.set(!test_.randomOrder());
    SpinChapter->setValue(session().chapter());
    for (QWidget* w : std::initializer_list<QWidget*>{OptionAgain.question, OptionAgain.buttons[0],
                                                      OptionAgain.buttons[1], LabelFixed, LabelChapter, SpinChapter}) {
        w->setVisible(!retest);
    }
    OptionAgain.setEnabled(!test_.started());
    OptionOrder.setEnabled(!test_.started());
    LabelFixed->setEnabled(!test_.started());
    SpinChapter->setEnabled(!test_.started());
    filling_ = false;
}

void frm単語テスト::showGrid()
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
    for (int c = 0; c < static_cast<int>(titles.size()); ++c) {
        const bool wideColumn =
            c == WordTest::kJapaneseColumn || c == WordTest::kEnglishColumn || c == WordTest::kRightColumn;
        header->setSectionResizeMode(c, wideColumn ? QHeaderView::Stretch : QHeaderView::ResizeToContents);
    }
    showSelection();
}

void frm単語テスト::showRow(int row)
{
    const WordTest::GridRow& shown = test_.grid()[static_cast<std::size_t>(row - 1)];
    const int r = row - 1;
    auto put = [&](int column, const QString& text) {
        auto* item = new QTableWidgetItem(QString(text).replace(QLatin1Char('\r'), QLatin1Char('\n')));
        if (column == WordTest::kMarkColumn || column == WordTest::kNumberColumn ||
            column == WordTest::kChapterColumn) {
            item->setTextAlignment(Qt::AlignCenter);
        }
        if (column == WordTest::kMarkColumn) {
            item->setForeground(shown.mark == QStringLiteral("○") ? kRightColour : kWrongColour);
        }
        GridTest->setItem(r, column, item);
    };
    put(WordTest::kNumberColumn, shown.number);
    put(WordTest::kJapaneseColumn, shown.japanese);
    put(WordTest::kEnglishColumn, shown.answer);
    put(WordTest::kMarkColumn, shown.mark);
    put(WordTest::kRightColumn, shown.right);
    if (test_.retest()) {
        put(WordTest::kChapterColumn, shown.chapter);
    }
    const int line = GridTest->fontMetrics().height() + 8;
    GridTest->setRowHeight(r, shown.twoLines ? 2 * line : line);
}

void frm単語テスト::showSelection()
{
    const int row = test_.selectedRow();
    if (row >= 1) {
        GridTest->setCurrentCell(row - 1, WordTest::kEnglishColumn);
        GridTest->scrollToItem(GridTest->item(row - 1, WordTest::kEnglishColumn));
    }
    TextAnswer->setEnabled(row >= 1);
    const TestRun& run = test_.run();
    LabelCounts->setText(QStringLiteral("問題数 %1　　解答数 %2　　○ %3　　× %4")
                             .arg(run.questions)
                             .arg(run.answered)
                             .arg(run.right)
                             .arg(run.wrong));
}

bool frm単語テスト::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == TextAnswer && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        std::optional<WordTest::Key> pressed;
        if (key == Qt::Key_Up) {
            pressed = WordTest::Key::Up;
        } else if (key == Qt::Key_Down) {
            pressed = WordTest::Key::Down;
        } else if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            pressed = WordTest::Key::Enter;
        }
        if (pressed) {
            const int before = test_.selectedRow();
            const int answered = test_.run().answered;
            if (test_.key(*pressed, TextAnswer->text())) {
                if (test_.run().answered != answered) {
                    showRow(before);
                    showOptions();
                    TextAnswer->clear();
                    const QString file = test_.soundFile(test_.lastSound());
                    if (!file.isEmpty()) {
                        sound_->play(file);
                    }
                }
                showSelection();
            }
            return true;
        }
    }
    return FormBase::eventFilter(watched, event);
}

void frm単語テスト::chooseFunction(int index)
{
    const std::int16_t chapter = test_.chapterForFunction(index);
    const bool retest = test_.retest();
    test_.leave();
    logged_ = true;
    if (index == FunctionBar::kHome) {
        if (retest) {
            session().setChapter(1);
        }
        replaceWith(ScreenId::Home);
        return;
    }
    session().setChapter(chapter);
    if (chapter == kRetestCompositions) {
        if (navigator().openRetest(chapter) != nullptr) {
            leave();
        }
        return;
    }
    replaceWith(functionScreen(index));
}

void frm単語テスト::closeEvent(QCloseEvent* event)
{
    FormBase::closeEvent(event);
    if (event->isAccepted() && !logged_) {
        test_.leave();
        logged_ = true;
    }
}

}  // namespace korvel
