#include "app/exercises/ui/frm_basic_sentences.h"

#include "app/correction/engine_binding.h"
#include "app/exercises/sound_out.h"
#include "app/exercises/ui/function_bar.h"
#include "app/lessons/lesson_readers.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QRadioButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QVBoxLayout>

namespace korvel {

frm基本文::frm基本文(Navigator& navigator, SoundOut* sound, EngineBinding* engine)
    : FormBase(navigator), sound_(sound), engine_(engine)
{
    setObjectName(QStringLiteral("frm基本文"));
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
    chapterRow->addSpacing(24);
    OptionSpeed =
        addYesNo(this, chapterRow, QStringLiteral("音声の速さ"), QStringLiteral("ふつう"), QStringLiteral("ゆっくり"));
    chapterRow->addStretch(1);
    outer->addLayout(chapterRow);
    auto* options = new QHBoxLayout;
    OptionSound = addYesNo(this, options, QStringLiteral("最初、音声を出しますか？"));
    options->addSpacing(24);
    OptionEnglish = addYesNo(this, options, QStringLiteral("オタスケ画面で英文を表示しますか？"));
    options->addStretch(1);
    outer->addLayout(options);
    auto* hint = new QHBoxLayout;
    auto* learn = new QLabel(QStringLiteral("次の基本文を覚えましょう。"), this);
    learn->setFont(screenFont(wide ? 13 : 11, true));
    hint->addWidget(learn);
    hint->addStretch(1);
    for (const QString& text : {QStringLiteral("覚えたい基本文の行をクリックすれば"),
                                QStringLiteral("基本文習得オタスケ"), QStringLiteral("画面が表示されます。")}) {
        hint->addWidget(new QLabel(text, this));
    }
    outer->addLayout(hint);
    GridSentences = new QTableWidget(this);
    GridSentences->setEditTriggers(QAbstractItemView::NoEditTriggers);
    GridSentences->setSelectionBehavior(QAbstractItemView::SelectRows);
    GridSentences->setSelectionMode(QAbstractItemView::SingleSelection);
    GridSentences->verticalHeader()->setVisible(false);
    GridSentences->setWordWrap(true);
    GridSentences->setMinimumSize(wide ? QSize(1000, 440) : QSize(820, 340));
    outer->addWidget(GridSentences, 1);

    connect(SpinChapter, &QSpinBox::editingFinished, this, [this] {
        const int chapter = SpinChapter->value();
        if (chapter != session().chapter()) {
            if (chapter >= 1 && chapter < kChapterCount) {
                session().setChapter(static_cast<std::int16_t>(chapter));
            }
            load();
        }
    });
    connect(GridSentences, &QTableWidget::cellClicked, this, [this](int row, int) { openAid(row + 1); });
    OptionSpeed.set(true);
    // The engine is initialised (once per run) when this screen opens, so the
    // study aid's first check does not wait for it.
    engineBinding().initialise(session().folders().contentRoot);
    load();
}

EngineBinding& frm基本文::engineBinding()
{
    return engine_ != nullptr ? *engine_ : EngineBinding::shared();
}

void frm基本文::load()
{
    if (aid_) {
        aid_->close();
    }
    const std::int16_t chapter = session().chapter();
    const QString caption = QStringLiteral("第") + QString::number(chapter) + QStringLiteral("章");
    LabelCaption->setText(caption);
    setWindowTitle(caption + QStringLiteral("　基本文習得"));
    SpinChapter->setValue(chapter);
    Bar->update(chapter);
    const bool slowOffered = chapter == 1 || chapter == 2;
    if (!slowOffered) {
        OptionSpeed.set(true);
    }
    OptionSpeed.setEnabled(slowOffered);
    sentences_ = set_Sentence(session());
    GridSentences->clear();
    GridSentences->setColumnCount(3);
    GridSentences->setHorizontalHeaderLabels({QStringLiteral("No."), QStringLiteral("日本語"), QStringLiteral("英語")});
    const int rows = sentences_.empty() ? 0 : static_cast<int>(sentences_.size()) - 1;
    GridSentences->setRowCount(rows);
    for (int r = 1; r <= rows; ++r) {
        const SentenceEntry& sentence = sentences_[static_cast<std::size_t>(r)];
        const QString cells[3] = {sentence.number, sentence.japanese, sentence.english};
        for (int c = 0; c < 3; ++c) {
            auto* item = new QTableWidgetItem(cells[c]);
            if (c == 0) {
                item->setTextAlignment(Qt::AlignCenter);
            }
            GridSentences->setItem(r - 1, c, item);
        }
    }
    QHeaderView* header = GridSentences->horizontalHeader();
    header->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    header->setSectionResizeMode(1, QHeaderView::Stretch);
    header->setSectionResizeMode(2, QHeaderView::Stretch);
}

void frm基本文::openAid(int row)
{
    if (row < 1 || row >= static_cast<int>(sentences_.size())) {
        return;
    }
    if (aid_) {
        aid_->close();
    }
    EngineBinding& engine = engineBinding();
    const SentenceAidOptions options{OptionEnglish.yes(), OptionSound.yes(), !OptionSpeed.yes()};
    aid_ = new frm基本文おたすけ(session(), engine, sentences_, options, *sound_, this);
    aid_->show();
    aid_->showSentence(row);
}

}  // namespace korvel
