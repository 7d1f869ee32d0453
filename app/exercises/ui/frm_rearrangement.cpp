#include "app/exercises/ui/frm_rearrangement.h"

#include "app/exercises/sound_out.h"
#include "app/exercises/ui/function_bar.h"
#include "app/exercises/ui/screen_parts.h"
#include "app/lessons/lesson_names.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include <algorithm>

namespace korvel {

frm並べ替え::frm並べ替え(Navigator& navigator, SoundOut* sound)
    : FormBase(navigator), quiz_(navigator.session()), sound_(sound)
{
    setObjectName(QStringLiteral("frm並べ替え"));
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
    auto* hint =
        new QLabel(QStringLiteral("日本文に合うように単語をドラッグして、並べ替えて英文を完成してみましょう"), this);
    hint->setFont(screenFont(wide ? 13 : 11, true));
    outer->addWidget(hint);
    LabelQuestion = new QLabel(this);
    LabelQuestion->setFont(screenFont(wide ? 16 : 13));
    outer->addWidget(LabelQuestion);
    Board = new QWidget(this);
    Board->setObjectName(QStringLiteral("Board"));
    Board->setMinimumSize(wide ? QSize(1100, 160) : QSize(860, 130));
    Board->setAutoFillBackground(true);
    QPalette palette = Board->palette();
    palette.setColor(QPalette::Window, QColor(255, 255, 224));
    Board->setPalette(palette);
    outer->addWidget(Board);
    LabelResult = new QLabel(this);
    LabelResult->setFont(screenFont(wide ? 16 : 13, true));
    outer->addWidget(LabelResult);
    auto* buttons = new QHBoxLayout;
    CommandCheck = new QPushButton(QStringLiteral("チェック"), this);
    CommandNext = new QPushButton(QStringLiteral("次の並べ替えクイズ"), this);
    buttons->addWidget(CommandCheck);
    buttons->addWidget(CommandNext);
    buttons->addStretch(1);
    outer->addLayout(buttons);
    outer->addStretch(1);

    connect(CommandCheck, &QPushButton::clicked, this, [this] { check(); });
    connect(CommandNext, &QPushButton::clicked, this, [this] {
        quiz_.next();
        showQuestion();
    });
    connect(SpinChapter, &QSpinBox::editingFinished, this, [this] {
        if (SpinChapter->value() != session().chapter()) {
            quiz_.setChapter(SpinChapter->value());
            showQuestion();
        }
    });
    quiz_.start();
    showQuestion();
}

void frm並べ替え::showQuestion()
{
    setWindowTitle(quiz_.caption());
    LabelCaption->setText(quiz_.caption());
    SpinChapter->setValue(session().chapter());
    Bar->update(session().chapter());
    LabelQuestion->setText(quiz_.questionText());
    LabelResult->clear();
    for (QLabel* card : LabelCard) {
        delete card;
    }
    LabelCard.clear();
    const bool wide = session().currentUser().wideDisplay == -1;
    for (const Card& card : quiz_.cards()) {
        auto* label = new QLabel(card.text, Board);
        label->setFont(screenFont(wide ? 16 : 13));
        label->setFrameShape(QFrame::Box);
        label->setMargin(6);
        label->setAutoFillBackground(true);
        QPalette palette = label->palette();
        palette.setColor(QPalette::Window, Qt::white);
        label->setPalette(palette);
        label->setCursor(Qt::OpenHandCursor);
        label->installEventFilter(this);
        label->adjustSize();
        label->show();
        LabelCard.push_back(label);
    }
    CommandCheck->setEnabled(!LabelCard.empty());
    CommandNext->setEnabled(quiz_.count() > 0);
    layoutCards();
}

void frm並べ替え::layoutCards()
{
    const auto& cards = quiz_.cards();
    int x = quiz_.question() >= 10 ? 2 * kCardGap : kCardGap;
    for (std::size_t i = 0; i < LabelCard.size() && i < cards.size(); ++i) {
        QLabel* label = LabelCard[i];
        label->setText(cards[i].text);
        label->adjustSize();
        label->move(x, 40);
        x += label->width() + kCardGap;
    }
}

void frm並べ替え::check()
{
    const int errors = quiz_.check();
    const bool right = errors == 0;
    if (right) {
        setColouredText(LabelResult, kRightArrangement, kRightColour);
    } else {
        setColouredText(LabelResult, QString::number(errors) + kWrongPlacesSuffix, kOrangeColour);
    }
    if (session().currentUser().soundOn == -1) {
        sound_->play(feedbackSound(session().folders(), right, session().random(), session().clock()));
    }
    layoutCards();
}

bool frm並べ替え::eventFilter(QObject* watched, QEvent* event)
{
    auto* card = qobject_cast<QLabel*>(watched);
    if (card == nullptr || card->parentWidget() != Board) {
        return FormBase::eventFilter(watched, event);
    }
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() != Qt::LeftButton) {
            return false;
        }
        quiz_.pickUp();
        LabelResult->clear();
        dragged_ = card;
        grip_ = mouse->position().toPoint();
        card->raise();
        return true;
    }
    case QEvent::MouseMove:
        if (dragged_ == card) {
            const QPoint at = card->mapToParent(static_cast<QMouseEvent*>(event)->position().toPoint()) - grip_;
            card->move(std::clamp(at.x(), 0, std::max(0, Board->width() - card->width())),
                       std::clamp(at.y(), 0, std::max(0, Board->height() - card->height())));
            return true;
        }
        return false;
    case QEvent::MouseButtonRelease:
        if (dragged_ == card) {
            dragged_ = nullptr;
            std::vector<int> x;
            for (QLabel* label : LabelCard) {
                x.push_back(label->x());
            }
            quiz_.reorderByPositions(x);
            layoutCards();
            return true;
        }
        return false;
    default: return false;
    }
}

}  // namespace korvel
