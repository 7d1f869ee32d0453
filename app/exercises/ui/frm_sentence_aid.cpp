#include "app/exercises/ui/frm_sentence_aid.h"

#include "app/desktop/ui/form_base.h"
#include "app/exercises/sound_out.h"
#include "app/exercises/study_aids.h"
#include "app/exercises/ui/screen_parts.h"
#include "app/lessons/lesson_names.h"
#include "app/shell/session.h"

#include <QHBoxLayout>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTextEdit>
#include <QVBoxLayout>

namespace korvel {

frm基本文おたすけ::frm基本文おたすけ(Session& session, EngineBinding& engine,
                                     const std::vector<SentenceEntry>& sentences, SentenceAidOptions options,
                                     SoundOut& sound, QWidget* parent)
    : QWidget(parent, Qt::Window),
      session_(session),
      engine_(engine),
      sentences_(sentences),
      options_(options),
      sound_(sound)
{
    setObjectName(QStringLiteral("frm基本文おたすけ"));
    setWindowTitle(QStringLiteral("基本文習得オタスケ"));
    setAttribute(Qt::WA_DeleteOnClose);
    setFont(screenFont(11));
    auto* outer = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    CommandSpeaker = new QPushButton(this);
    CommandSpeaker->setIcon(QIcon(speakerIcon(session.folders(), false)));
    CommandSpeaker->setIconSize(QSize(32, 32));
    CommandSpeaker->setToolTip(QStringLiteral("F12"));
    top->addWidget(CommandSpeaker);
    auto* texts = new QVBoxLayout;
    LabelJapanese = new QLabel(this);
    LabelJapanese->setFont(screenFont(15, true));
    LabelJapanese->setWordWrap(true);
    LabelEnglish = new QLabel(this);
    LabelEnglish->setFont(screenFont(15));
    LabelEnglish->setWordWrap(true);
    texts->addWidget(LabelJapanese);
    texts->addWidget(LabelEnglish);
    top->addLayout(texts, 1);
    outer->addLayout(top);
    LabelInstruction = new QLabel(kSentenceAidInstruction, this);
    LabelInstruction->setWordWrap(true);
    outer->addWidget(LabelInstruction);
    TextTyping = new QLineEdit(this);
    TextTyping->setObjectName(QStringLiteral("TextTyping"));
    TextTyping->setFont(screenFont(14));
    TextTyping->installEventFilter(this);
    outer->addWidget(TextTyping);
    LabelVerdict = new QLabel(this);
    LabelVerdict->setFont(screenFont(15, true));
    outer->addWidget(LabelVerdict);
    TextComments = new QTextEdit(this);
    TextComments->setReadOnly(true);
    outer->addWidget(TextComments, 1);
    auto* buttons = new QHBoxLayout;
    CommandPrevious = new QPushButton(QStringLiteral("前の基本文"), this);
    CommandNext = new QPushButton(QStringLiteral("次の基本文"), this);
    auto* close = new QPushButton(QStringLiteral("閉じる (F9)"), this);
    for (QPushButton* b : {CommandPrevious, CommandNext, close}) {
        buttons->addWidget(b);
    }
    buttons->addStretch(1);
    outer->addLayout(buttons);
    connect(CommandSpeaker, &QPushButton::clicked, this, [this] { play(); });
    connect(CommandPrevious, &QPushButton::clicked, this, [this] { handleKey(Qt::Key_Up); });
    connect(CommandNext, &QPushButton::clicked, this, [this] { handleKey(Qt::Key_Down); });
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    resize(760, 460);
}

void frm基本文おたすけ::showSentence(int row)
{
    if (row < 1 || row >= static_cast<int>(sentences_.size())) {
        return;
    }
    row_ = row;
    const SentenceEntry& sentence = sentences_[static_cast<std::size_t>(row)];
    LabelJapanese->setText(sentence.japanese);
    LabelEnglish->setText(options_.showEnglish ? sentence.english : QString());
    TextTyping->clear();
    LabelVerdict->clear();
    TextComments->clear();
    CommandPrevious->setEnabled(row > 1);
    CommandNext->setEnabled(row + 1 < static_cast<int>(sentences_.size()));
    if (options_.playFirst) {
        play();
    }
    TextTyping->setFocus();
}

void frm基本文おたすけ::play()
{
    if (row_ < 1) {
        return;
    }
    const SentenceEntry& sentence = sentences_[static_cast<std::size_t>(row_)];
    const bool slow = options_.slow && (sentence.chapter == 1 || sentence.chapter == 2);
    sound_.play(
        sentenceRecording(session_.folders(), sentence.chapter, sentence.number, sentence.recordingPart(), slow));
}

void frm基本文おたすけ::check()
{
    if (row_ < 1 || TextTyping->text().trimmed().isEmpty()) {
        return;
    }
    const SentenceEntry& sentence = sentences_[static_cast<std::size_t>(row_)];
    const SentenceAidResult result =
        checkBasicSentence(session_, engine_, sentence.chapter, sentence.number, TextTyping->text());
    if (result.kind != SentenceAidResult::Kind::Right && result.kind != SentenceAidResult::Kind::Wrong) {
        TextTyping->setFocus();
        return;
    }
    const bool right = result.kind == SentenceAidResult::Kind::Right;
    setColouredText(LabelVerdict, result.verdict, right ? kRightColour : kWrongColour);
    TextComments->setPlainText(QString(result.comments).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    if (session_.currentUser().soundOn == -1) {
        sound_.play(feedbackSound(session_.folders(), right, session_.random(), session_.clock()));
    }
}

bool frm基本文おたすけ::handleKey(int key)
{
    switch (key) {
    case Qt::Key_F9: close(); return true;
    case Qt::Key_Up: showSentence(row_ - 1); return true;
    case Qt::Key_Down: showSentence(row_ + 1); return true;
    case Qt::Key_F12: play(); return true;
    case Qt::Key_Return:
    case Qt::Key_Enter: check(); return true;
    default: return false;
    }
}

bool frm基本文おたすけ::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == TextTyping && event->type() == QEvent::KeyPress &&
        handleKey(static_cast<QKeyEvent*>(event)->key())) {
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void frm基本文おたすけ::keyPressEvent(QKeyEvent* event)
{
    if (!handleKey(event->key())) {
        QWidget::keyPressEvent(event);
    }
}

}  // namespace korvel
