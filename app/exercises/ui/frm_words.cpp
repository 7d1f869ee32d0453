#include "app/exercises/ui/frm_words.h"

#include "app/exercises/sound_out.h"
#include "app/exercises/ui/frm_word_aid.h"
#include "app/exercises/ui/function_bar.h"
#include "app/lessons/lesson_readers.h"

#include <QButtonGroup>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QRadioButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QVBoxLayout>

namespace korvel {

frm単語::frm単語(Navigator& navigator, SoundOut* sound) : FormBase(navigator), sound_(sound)
{
    setObjectName(QStringLiteral("frm単語"));
    sound_ = soundOrOwn(sound_, ownSound_, this);
    const bool wide = session().currentUser().wideDisplay == -1;
    const ExerciseFrame frame =
        addExerciseFrame(*this, navigator, wide, [this](int index) { openFunction(*this, index); });
    QVBoxLayout* outer = frame.outer;
    LabelCaption = frame.caption;
    Bar = frame.bar;

    auto* chapterRow = new QHBoxLayout;
    chapterRow->addWidget(new QLabel(QStringLiteral("章の指定"), this));
    SpinChapter = new QSpinBox(this);
    SpinChapter->setRange(0, 99);
    chapterRow->addWidget(SpinChapter);
    chapterRow->addStretch(1);
    outer->addLayout(chapterRow);

    auto* reviewRow = new QHBoxLayout;
    OptionReview = addYesNo(this, reviewRow, QStringLiteral("単語テストで正解した単語を復習しますか？"));
    LabelFixed = new QLabel(QStringLiteral("（開始後は変更不可）"), this);
    reviewRow->addWidget(LabelFixed);
    reviewRow->addStretch(1);
    outer->addLayout(reviewRow);
    auto* aidRow = new QHBoxLayout;
    OptionEnglish = addYesNo(this, aidRow, QStringLiteral("オタスケ画面で英語を表示しますか？"));
    aidRow->addSpacing(24);
    OptionSound = addYesNo(this, aidRow, QStringLiteral("最初、単語の音声を出しますか？"));
    aidRow->addStretch(1);
    outer->addLayout(aidRow);

    auto* hint = new QHBoxLayout;
    auto* learn = new QLabel(QStringLiteral("次の単語を覚えましょう。"), this);
    learn->setFont(screenFont(wide ? 13 : 11, true));
    hint->addWidget(learn);
    hint->addStretch(1);
    for (const QString& text : {QStringLiteral("覚えたい単語の行をクリックすれば"), QStringLiteral("単語習得オタスケ"),
                                QStringLiteral("画面が表示されます。")}) {
        hint->addWidget(new QLabel(text, this));
    }
    outer->addLayout(hint);

    GridWords = new QTableWidget(this);
    GridWords->setEditTriggers(QAbstractItemView::NoEditTriggers);
    GridWords->setSelectionBehavior(QAbstractItemView::SelectRows);
    GridWords->setSelectionMode(QAbstractItemView::SingleSelection);
    GridWords->verticalHeader()->setVisible(false);
    GridWords->setMinimumSize(wide ? QSize(1000, 440) : QSize(820, 340));
    outer->addWidget(GridWords, 1);

    connect(OptionReview.group, &QButtonGroup::idClicked, this, [this] {
        if (!filling_) {
            load();
        }
    });
    connect(SpinChapter, &QSpinBox::editingFinished, this, [this] {
        const int chapter = SpinChapter->value();
        if (chapter != session().chapter()) {
            if (chapter >= 1 && chapter <= kChapterCount) {
                session().setChapter(static_cast<std::int16_t>(chapter));
            }
            load();
        }
    });
    connect(GridWords, &QTableWidget::cellClicked, this, [this](int row, int) { openAid(row + 1); });
    load();
}

WordsOptions frm単語::options() const
{
    return WordsOptions{OptionReview.yes(), OptionEnglish.yes(), OptionSound.yes()};
}

void frm単語::load()
{
    filling_ = true;
    if (aid_) {
        aid_->close();
    }
    const QString caption = QStringLiteral("第") + QString::number(session().chapter()) + QStringLiteral("章");
    LabelCaption->setText(caption);
    setWindowTitle(caption + QStringLiteral("　単語習得"));
    SpinChapter->setValue(session().chapter());
    Bar->update(session().chapter());
    examples_ = set_WordExampe(session());
    words_ = wordsList(session(), OptionReview.yes());
    const QStringList titles{QStringLiteral("No."), QStringLiteral("意味"), QStringLiteral("英語"),
                             QStringLiteral("品詞")};
    GridWords->clear();
    GridWords->setColumnCount(4);
    GridWords->setHorizontalHeaderLabels(titles);
    const int rows = words_.empty() ? 0 : static_cast<int>(words_.size()) - 1;
    GridWords->setRowCount(rows);
    for (int r = 1; r <= rows; ++r) {
        const WordEntry& word = words_[static_cast<std::size_t>(r)];
        const QString cells[4] = {QString::number(r), word.meaning, word.spelling, word.kind};
        for (int c = 0; c < 4; ++c) {
            auto* item = new QTableWidgetItem(cells[c]);
            if (c == 0) {
                item->setTextAlignment(Qt::AlignCenter);
            }
            GridWords->setItem(r - 1, c, item);
        }
    }
    QHeaderView* header = GridWords->horizontalHeader();
    header->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    header->setSectionResizeMode(1, QHeaderView::Stretch);
    header->setSectionResizeMode(2, QHeaderView::Stretch);
    header->setSectionResizeMode(3, QHeaderView::ResizeToContents);
    if (rows > 0) {
        GridWords->selectRow(0);
    }
    filling_ = false;
}

void frm単語::openAid(int row)
{
    if (row < 1 || row >= static_cast<int>(words_.size())) {
        return;
    }
    OptionReview.setEnabled(false);
    LabelFixed->setEnabled(false);
    if (aid_) {
        aid_->close();
    }
    aid_ = new frm単語おたすけ(session(), words_, examples_, options(), *sound_, this);
    aid_->show();
    aid_->showWord(row);
}

}  // namespace korvel
