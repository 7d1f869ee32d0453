#include "app/exercises/ui/frm_word_aid.h"

#include "app/desktop/ui/form_base.h"
#include "app/exercises/sound_out.h"
#include "app/exercises/ui/screen_parts.h"
#include "app/lessons/lesson_names.h"
#include "app/shell/session.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTextEdit>
#include <QVBoxLayout>

namespace korvel {

frm単語おたすけ::frm単語おたすけ(Session& session, const std::vector<WordEntry>& words,
                                 std::vector<WordExample> examples, WordsOptions options, SoundOut& sound,
                                 QWidget* parent)
    : QWidget(parent, Qt::Window),
      session_(session),
      words_(words),
      examples_(std::move(examples)),
      options_(options),
      sound_(sound)
{
    setObjectName(QStringLiteral("frm単語おたすけ"));
    setWindowTitle(QStringLiteral("単語習得オタスケ"));
    setAttribute(Qt::WA_DeleteOnClose);
    setFont(screenFont(11));
    auto* outer = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    auto* facts = new QGridLayout;
    LabelMeaning = new QLabel(this);
    LabelMeaning->setFont(screenFont(16, true));
    LabelMeaning->setWordWrap(true);
    LabelKind = new QLabel(this);
    LabelState = new QLabel(this);
    LabelSecond = new QLabel(this);
    LabelSpelling = new QLabel(this);
    LabelSpelling->setFont(screenFont(16, true));
    facts->addWidget(new QLabel(QStringLiteral("意味"), this), 0, 0);
    facts->addWidget(LabelMeaning, 0, 1);
    facts->addWidget(new QLabel(QStringLiteral("品詞"), this), 1, 0);
    facts->addWidget(LabelKind, 1, 1);
    facts->addWidget(new QLabel(QStringLiteral("状態"), this), 2, 0);
    facts->addWidget(LabelState, 2, 1);
    facts->addWidget(new QLabel(QStringLiteral("英語"), this), 3, 0);
    facts->addWidget(LabelSpelling, 3, 1);
    facts->addWidget(LabelSecond, 4, 1);
    facts->setColumnStretch(1, 1);
    top->addLayout(facts, 1);
    LabelPicture = new QLabel(this);
    LabelPicture->hide();
    top->addWidget(LabelPicture);
    outer->addLayout(top);

    LabelExampleTitle = new QLabel(this);
    LabelExampleTitle->setFont(screenFont(11, true));
    TextExample = new QTextEdit(this);
    TextExample->setReadOnly(true);
    TextExample->setMaximumHeight(90);
    outer->addWidget(LabelExampleTitle);
    outer->addWidget(TextExample);

    LabelInstruction = new QLabel(this);
    LabelInstruction->setWordWrap(true);
    outer->addWidget(LabelInstruction);
    TextTyping = new QLineEdit(this);
    TextTyping->setObjectName(QStringLiteral("TextTyping"));
    TextTyping->setFont(screenFont(14));
    TextTyping->installEventFilter(this);
    outer->addWidget(TextTyping);
    LabelResult = new QLabel(this);
    LabelResult->setFont(screenFont(14, true));
    outer->addWidget(LabelResult);

    auto* buttons = new QHBoxLayout;
    CommandPrevious = new QPushButton(QStringLiteral("前の単語"), this);
    CommandNext = new QPushButton(QStringLiteral("次の単語"), this);
    CommandSound = new QPushButton(QStringLiteral("音声 (F12)"), this);
    auto* close = new QPushButton(QStringLiteral("閉じる (F9)"), this);
    for (QPushButton* b : {CommandPrevious, CommandNext, CommandSound, close}) {
        buttons->addWidget(b);
    }
    buttons->addStretch(1);
    outer->addLayout(buttons);
    connect(CommandPrevious, &QPushButton::clicked, this, [this] { handleKey(Qt::Key_Up); });
    connect(CommandNext, &QPushButton::clicked, this, [this] { handleKey(Qt::Key_Down); });
    connect(CommandSound, &QPushButton::clicked, this, [this] { playSound(); });
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    resize(720, 480);
}

void frm単語おたすけ::showWord(int row)
{
    if (row < 1 || row >= static_cast<int>(words_.size())) {
        return;
    }
    row_ = row;
    const WordEntry& word = words_[static_cast<std::size_t>(row)];
    const WordAidView view = wordAidView(session_, word, examples_, options_);
    LabelMeaning->setText(view.meaning);
    LabelKind->setText(view.kind);
    LabelState->setText(view.state);
    LabelInstruction->setText(QString(view.instruction).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    TextTyping->setEnabled(view.typing);
    TextTyping->clear();
    LabelResult->clear();
    LabelSecond->setText(view.second);
    LabelSpelling->setText(view.spelling);
    showPicture(LabelPicture, view.picture, 240, 200);
    LabelExampleTitle->setText(view.exampleTitle);
    TextExample->setPlainText(view.exampleText);
    CommandPrevious->setEnabled(row > 1);
    CommandNext->setEnabled(row + 1 < static_cast<int>(words_.size()));
    if (!view.recording.isEmpty()) {
        sound_.play(view.recording);
    }
    if (view.typing) {
        TextTyping->setFocus();
    }
}

void frm単語おたすけ::playSound()
{
    if (row_ >= 1) {
        const WordEntry& word = words_[static_cast<std::size_t>(row_)];
        sound_.play(wordRecording(session_.folders(), word.chapter, word.numberInChapter));
    }
}

void frm単語おたすけ::checkTyped()
{
    if (row_ < 1 || !TextTyping->isEnabled()) {
        return;
    }
    const AidVerdict verdict = checkWordAid(words_[static_cast<std::size_t>(row_)], TextTyping->text());
    if (!verdict.checked) {
        return;
    }
    setColouredText(LabelResult, verdict.text, verdict.right ? kRightColour : kWrongColour);
    if (session_.currentUser().soundOn == -1) {
        sound_.play(feedbackSound(session_.folders(), verdict.right, session_.random(), session_.clock()));
    }
}

bool frm単語おたすけ::handleKey(int key)
{
    switch (key) {
    case Qt::Key_F9: close(); return true;
    case Qt::Key_Up: showWord(row_ - 1); return true;
    case Qt::Key_Down: showWord(row_ + 1); return true;
    case Qt::Key_F12: playSound(); return true;
    case Qt::Key_Return:
    case Qt::Key_Enter: checkTyped(); return true;
    default: return false;
    }
}

bool frm単語おたすけ::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == TextTyping && event->type() == QEvent::KeyPress &&
        handleKey(static_cast<QKeyEvent*>(event)->key())) {
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void frm単語おたすけ::keyPressEvent(QKeyEvent* event)
{
    if (!handleKey(event->key())) {
        QWidget::keyPressEvent(event);
    }
}

}  // namespace korvel
