#include "app/exercises/ui/frm_listening.h"

#include "app/exercises/sound_out.h"
#include "app/exercises/ui/function_bar.h"
#include "app/lessons/lesson_names.h"

#include <QButtonGroup>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QVBoxLayout>

namespace korvel {

frm聞き取り::frm聞き取り(Navigator& navigator, SoundOut* sound)
    : FormBase(navigator), quiz_(navigator.session()), sound_(sound)
{
    setObjectName(QStringLiteral("frm聞き取り"));
    sound_ = soundOrOwn(sound_, ownSound_, this);
    const bool wide = session().currentUser().wideDisplay == -1;
    const ExerciseFrame frame = addExerciseFrame(*this, navigator, wide, [this](int index) { chooseFunction(index); });
    QVBoxLayout* outer = frame.outer;
    LabelCaption = frame.caption;
    Bar = frame.bar;

    auto* options = new QHBoxLayout;
    OptionAgain = addYesNo(this, options, QStringLiteral("1度聞き取れた英文を再度聞き取りしますか？"));
    LabelFixed = new QLabel(QStringLiteral("（クイズ開始後は変更不可）"), this);
    options->addWidget(LabelFixed);
    options->addSpacing(16);
    OptionSpeed =
        addYesNo(this, options, QStringLiteral("音声の速さ"), QStringLiteral("ふつう"), QStringLiteral("ゆっくり"));
    options->addSpacing(16);
    LabelChapter = new QLabel(QStringLiteral("章の指定"), this);
    SpinChapter = new QSpinBox(this);
    SpinChapter->setRange(0, 99);
    options->addWidget(LabelChapter);
    options->addWidget(SpinChapter);
    options->addStretch(1);
    outer->addLayout(options);

    auto* speakerRow = new QHBoxLayout;
    CommandSpeaker = new QPushButton(this);
    CommandSpeaker->setIcon(QIcon(speakerIcon(session().folders(), true)));
    CommandSpeaker->setIconSize(QSize(48, 48));
    CommandSpeaker->setToolTip(QStringLiteral("F12"));
    speakerRow->addWidget(CommandSpeaker);
    auto* lines = new QVBoxLayout;
    lines->addWidget(
        new QLabel(QStringLiteral("をクリックして聞き取りしましょう。聞き取れるまでくり返していいですよ。"), this));
    lines->addWidget(new QLabel(
        QStringLiteral("聞き取れたらその結果を下に入力 しましょう。 （入力後のＥｎｔｅｒキーでチェックします。）"),
        this));
    speakerRow->addLayout(lines, 1);
    LabelPlays = new QLabel(this);
    speakerRow->addWidget(LabelPlays);
    outer->addLayout(speakerRow);

    TextAnswer = new QLineEdit(this);
    TextAnswer->setObjectName(QStringLiteral("TextAnswer"));
    TextAnswer->setFont(screenFont(wide ? 14 : 11));
    TextAnswer->installEventFilter(this);
    outer->addWidget(TextAnswer);
    LabelVerdict = new QLabel(this);
    LabelVerdict->setFont(screenFont(wide ? 14 : 11, true));
    outer->addWidget(LabelVerdict);
    LabelModel = new QLabel(this);
    LabelModel->setFont(screenFont(wide ? 13 : 10));
    outer->addWidget(LabelModel);
    auto* buttons = new QHBoxLayout;
    CommandNext = new QPushButton(QStringLiteral("次の聞き取りクイズ"), this);
    buttons->addWidget(CommandNext);
    buttons->addWidget(new QLabel(QStringLiteral("F10: 正解文を表示"), this));
    buttons->addStretch(1);
    outer->addLayout(buttons);

    auto* resultTitle = new QHBoxLayout;
    resultTitle->addWidget(new QLabel(QStringLiteral("これまでの聞き取りクイズ結果"), this));
    resultTitle->addStretch(1);
    resultTitle->addWidget(new QLabel(QStringLiteral("聞き取り最終結果"), this));
    outer->addLayout(resultTitle);
    GridResults = new QTableWidget(this);
    GridResults->setEditTriggers(QAbstractItemView::NoEditTriggers);
    GridResults->verticalHeader()->setVisible(false);
    GridResults->setColumnCount(4);
    GridResults->setHorizontalHeaderLabels({QStringLiteral("No."), QStringLiteral("音声回数"), QStringLiteral("結果"),
                                            QStringLiteral("  正　　解　　文 　（ﾁｪｯｸ回数）  ")});
    GridResults->horizontalHeader()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    GridResults->horizontalHeader()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
    GridResults->horizontalHeader()->setSectionResizeMode(2, QHeaderView::ResizeToContents);
    GridResults->horizontalHeader()->setSectionResizeMode(3, QHeaderView::Stretch);
    GridResults->setMinimumSize(wide ? QSize(1000, 300) : QSize(820, 240));
    outer->addWidget(GridResults, 1);

    connect(CommandSpeaker, &QPushButton::clicked, this, [this] { play(); });
    connect(CommandNext, &QPushButton::clicked, this, [this] { next(); });
    connect(OptionAgain.group, &QButtonGroup::idClicked, this, [this](int id) {
        if (!filling_ && quiz_.setListenAgain(id == 0, TextAnswer->text())) {
            restart();
        }
    });
    connect(OptionSpeed.group, &QButtonGroup::idClicked, this, [this](int id) {
        if (!filling_) {
            quiz_.setSlow(id == 1);
        }
    });
    connect(SpinChapter, &QSpinBox::editingFinished, this, [this] {
        if (!filling_ && SpinChapter->value() != session().chapter()) {
            quiz_.setChapter(SpinChapter->value(), TextAnswer->text());
            restart();
        }
    });
    OptionAgain.set(false);
    quiz_.start();
    restart();
    if (!quiz_.ended()) {
        TextAnswer->setFocus();
    }
}

void frm聞き取り::restart()
{
    TextAnswer->clear();
    LabelVerdict->clear();
    LabelModel->clear();
    showResults();
    showState();
    if (quiz_.ended()) {
        session().prompt().tell(QStringLiteral("聞き取りクイズ終了"), quiz_.endMessage());
    }
}

void frm聞き取り::showState()
{
    filling_ = true;
    setWindowTitle(quiz_.caption());
    LabelCaption->setText(quiz_.caption());
    Bar->update(session().chapter());
    const bool retest = quiz_.retest();
    const bool open = !quiz_.played();
    OptionAgain.set(quiz_.listenAgain());
    OptionSpeed.set(!quiz_.slow());
    SpinChapter->setValue(session().chapter());
    for (QWidget* w : std::initializer_list<QWidget*>{OptionAgain.question, OptionAgain.buttons[0],
                                                      OptionAgain.buttons[1], LabelFixed, LabelChapter, SpinChapter}) {
        w->setVisible(!retest);
    }
    OptionAgain.setEnabled(open);
    LabelFixed->setEnabled(open);
    SpinChapter->setEnabled(open);
    OptionSpeed.setEnabled(open && quiz_.slowOffered());
    const bool going = !quiz_.ended();
    TextAnswer->setEnabled(going);
    CommandSpeaker->setEnabled(going);
    CommandNext->setEnabled(going);
    LabelPlays->setText(
        going ? QStringLiteral("%1 / %2　　音声 %3 回").arg(quiz_.position()).arg(quiz_.count()).arg(quiz_.plays())
              : QString());
    filling_ = false;
}

void frm聞き取り::showResults()
{
    const auto& results = quiz_.results();
    GridResults->setRowCount(static_cast<int>(results.size()));
    for (int r = 0; r < static_cast<int>(results.size()); ++r) {
        const auto& result = results[static_cast<std::size_t>(r)];
        const QString cells[4] = {result.number, result.plays, result.mark, result.model};
        for (int c = 0; c < 4; ++c) {
            auto* item = new QTableWidgetItem(cells[c]);
            if (c < 3) {
                item->setTextAlignment(Qt::AlignCenter);
            }
            if (c == 2) {
                item->setForeground(result.mark == QStringLiteral("○") ? kRightColour : kWrongColour);
            }
            GridResults->setItem(r, c, item);
        }
    }
}

void frm聞き取り::play()
{
    const QString file = quiz_.play();
    if (!file.isEmpty()) {
        sound_->play(file);
    }
    showState();
    TextAnswer->setFocus();
}

void frm聞き取り::check()
{
    const ListeningQuiz::Verdict verdict = quiz_.check(TextAnswer->text());
    switch (verdict) {
    case ListeningQuiz::Verdict::None: return;
    case ListeningQuiz::Verdict::Shown: session().prompt().tell(kListeningTitle, kAnswerShownMessage); return;
    case ListeningQuiz::Verdict::Right:
    case ListeningQuiz::Verdict::Wrong: break;
    }
    const bool right = verdict == ListeningQuiz::Verdict::Right;
    setColouredText(LabelVerdict, quiz_.verdictText(), right ? kRightColour : kWrongColour);
    if (session().currentUser().soundOn == -1) {
        sound_->play(feedbackSound(session().folders(), right, session().random(), session().clock()));
    }
    showState();
}

void frm聞き取り::next()
{
    const QString file = quiz_.next(TextAnswer->text());
    TextAnswer->clear();
    LabelVerdict->clear();
    LabelModel->clear();
    showResults();
    showState();
    if (quiz_.ended()) {
        session().prompt().tell(QStringLiteral("聞き取りクイズ終了"), quiz_.endMessage());
        return;
    }
    if (!file.isEmpty()) {
        sound_->play(file);
    }
    TextAnswer->setFocus();
}

bool frm聞き取り::handleKey(int key)
{
    switch (key) {
    case Qt::Key_F12: play(); return true;
    case Qt::Key_F10: LabelModel->setText(quiz_.showAnswer()); return true;
    case Qt::Key_Down: next(); return true;
    case Qt::Key_Return:
    case Qt::Key_Enter: check(); return true;
    default: return false;
    }
}

bool frm聞き取り::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == TextAnswer && event->type() == QEvent::KeyPress &&
        handleKey(static_cast<QKeyEvent*>(event)->key())) {
        return true;
    }
    return FormBase::eventFilter(watched, event);
}

void frm聞き取り::keyPressEvent(QKeyEvent* event)
{
    if (quiz_.ended() || !handleKey(event->key())) {
        FormBase::keyPressEvent(event);
    }
}

void frm聞き取り::chooseFunction(int index)
{
    const bool retest = quiz_.retest();
    quiz_.leave(TextAnswer->text());
    left_ = true;
    if (retest) {
        session().setChapter(1);
    }
    openFunction(*this, index);
}

void frm聞き取り::closeEvent(QCloseEvent* event)
{
    FormBase::closeEvent(event);
    if (event->isAccepted() && !left_) {
        quiz_.leave(TextAnswer->text());
        left_ = true;
    }
}

}  // namespace korvel
