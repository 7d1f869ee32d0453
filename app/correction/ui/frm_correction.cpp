#include "app/correction/ui/frm_correction.h"

#include "app/correction/correction_audio.h"
#include "app/correction/engine_binding.h"
#include "app/correction/ui/frm_test.h"
#include "app/correction/ui/result_picture.h"
#include "app/correction/ui/screen_audio.h"
#include "app/desktop/ui/form_base.h"
#include "app/lessons/lesson_names.h"
#include "app/records/learning_log.h"
#include "app/shell/session.h"

#include <QCloseEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTableWidget>

namespace korvel {

namespace {

const QColor kPink(255, 192, 255);
const QColor kGreen(192, 255, 192);

QString forBox(const QString& text)
{
    return QString(text).replace(QLatin1String("\r\n"), QLatin1String("\n"));
}

// A prompt as the grid shows it: its first carriage return taken out.
QString promptCell(QString prompt)
{
    const qsizetype cr = prompt.indexOf(QLatin1Char('\r'));
    if (cr >= 0) {
        prompt.remove(cr, 1);
    }
    return prompt;
}

// Sizes of the two display balances, in pixels (15 units of the original
// layout per pixel: the prompt column is 9500 or 9200 units, the letter 500).
struct Metrics {
    int width;
    int height;
    int column;
    int letter;
    int rowHeight;
    int fontSize;
};
constexpr Metrics kWide{730, 660, 633, 33, 26, 11};
constexpr Metrics kNarrow{705, 610, 613, 33, 24, 10};

}  // namespace

frm添削::frm添削(Session& session, CompositionRequest request, Done done, QWidget* parent, EngineBinding* engine)
    : QWidget(parent, Qt::Window),
      session_(session),
      request_(std::move(request)),
      done_(std::move(done)),
      engine_(engine != nullptr ? *engine : EngineBinding::shared()),
      correction_(session, engine_)
{
    setObjectName(QStringLiteral("frm添削"));
    wide_ = session_.currentUser().wideDisplay != 0;
    if (request_.rows.size() > static_cast<std::size_t>(kMaxSubItems)) {
        request_.rows.resize(static_cast<std::size_t>(kMaxSubItems));
    }
    request_.selected = std::clamp(request_.selected, 0, std::max(0, subItems() - 1));
    buildControls();
    layOut();

    // Loading: header, the message table (in the correction), the prompts,
    // and in mode 1 the first check of the answer, logged once per visit.
    LabelHeader->setText(session_.clockText() + QLatin1Char(' ') + session_.currentUser().name);
    TextInput->setText(request_.answer);
    if (mode() == kModeScreen) {
        setWindowTitle(QStringLiteral(" NEVRIN1　英作文添削"));
        LabelCaption->setText(QStringLiteral("英作文添削　") + request_.identifier);
        LabelCaption->setFont(screenFont(14, true));
        logPending_ = request_.logRequest;
        showPrompt();
        runCheck(true);
        if (!lastResult().failed() && logPending_) {
            put_SentLog(lastResult());
            logPending_ = false;
        }
    } else {
        setWindowTitle(QStringLiteral("添削ＴＯＯＬ結果表示"));
        LabelCaption->setText(QStringLiteral("添削ＴＯＯＬ結果表示"));
        CommandTest->hide();
        if (request_.mode == CompositionRequest::Mode::ResultOnly) {
            TextInput->hide();
        }
    }
    TextInput->setFocus();
}

frm添削::~frm添削() = default;

void frm添削::buildControls()
{
    const Metrics& m = wide_ ? kWide : kNarrow;
    setFont(screenFont(m.fontSize));
    LabelHeader = new QLabel(this);
    LabelHeader->setFont(screenFont(10));
    LabelCaption = new QLabel(this);
    TextInput = new QLineEdit(this);
    TextInput->setObjectName(QStringLiteral("TextInput"));
    TextInput->setFont(screenFont(12));
    TextInput->installEventFilter(this);
    TextComment = new QPlainTextEdit(this);
    TextComment->setReadOnly(true);
    TextComment->setFont(screenFont(12));
    PictureResult = new ResultPicture(this);
    GridPrompt = new QTableWidget(this);
    GridPrompt->horizontalHeader()->hide();
    GridPrompt->verticalHeader()->hide();
    GridPrompt->setEditTriggers(QAbstractItemView::NoEditTriggers);
    GridPrompt->setSelectionMode(QAbstractItemView::NoSelection);
    GridPrompt->setFocusPolicy(Qt::NoFocus);
    GridPrompt->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    GridPrompt->setWordWrap(true);
    GridPrompt->setStyleSheet(QStringLiteral("QTableWidget { background: white; }"));
    GridPrompt->hide();

    const char* captions[5] = {"添削する", nullptr, "正解文を見る", "問題文", "全問題文"};
    const char* keys[5] = {"Enter", nullptr, "F10", "F7", "F8"};
    for (int i : {0, 2, 3, 4}) {
        Command[static_cast<std::size_t>(i)] = new QPushButton(QString::fromUtf8(captions[i]), this);
        Command[static_cast<std::size_t>(i)]->setFocusPolicy(Qt::NoFocus);
        LabelCommand[static_cast<std::size_t>(i)] = new QLabel(QString::fromUtf8(keys[i]), this);
        LabelCommand[static_cast<std::size_t>(i)]->setAlignment(Qt::AlignCenter);
        LabelCommand[static_cast<std::size_t>(i)]->setFont(screenFont(9));
    }
    Command[2]->setEnabled(false);
    CommandClose = new QPushButton(QStringLiteral("戻る (F9)"), this);
    CommandClose->setFocusPolicy(Qt::NoFocus);
    CommandTest = new QPushButton(QStringLiteral("送受信の表示"), this);
    CommandTest->setFocusPolicy(Qt::NoFocus);
    CommandTest->setFont(screenFont(8));
    const bool several = subItems() > 1;
    Command[4]->setVisible(several);
    LabelCommand[4]->setVisible(several);

    const QPixmap speaker(session_.folders().image + QStringLiteral("/speaker_L.gif"));
    const char* speakerKeys[2] = {"F12", "F11"};
    for (std::size_t i = 0; i < 2; ++i) {
        PictureSpeaker[i] = new QLabel(this);
        PictureSpeaker[i]->setAlignment(Qt::AlignCenter);
        if (!speaker.isNull()) {
            PictureSpeaker[i]->setPixmap(speaker.scaled(36, 36, Qt::KeepAspectRatio, Qt::SmoothTransformation));
        } else {
            PictureSpeaker[i]->setText(QStringLiteral("♪"));
        }
        PictureSpeaker[i]->setToolTip(QString::fromLatin1(speakerKeys[i]));
        PictureSpeaker[i]->setCursor(Qt::PointingHandCursor);
        PictureSpeaker[i]->installEventFilter(this);
    }

    connect(Command[0], &QPushButton::clicked, this, [this] { check(); });
    connect(Command[2], &QPushButton::clicked, this, [this] { showCorrected(); });
    connect(Command[3], &QPushButton::clicked, this, [this] { showPrompt(); });
    connect(Command[4], &QPushButton::clicked, this, [this] { showAllPrompts(); });
    connect(CommandClose, &QPushButton::clicked, this, [this] { close(); });
    connect(CommandTest, &QPushButton::clicked, this, [this] { openTest(); });
}

void frm添削::layOut()
{
    const Metrics& m = wide_ ? kWide : kNarrow;
    const int left = 20;
    const int inner = m.column + m.letter;
    resize(m.width, m.height);
    LabelHeader->setGeometry(left, 6, inner, 20);
    LabelCaption->setGeometry(left, 26, inner, 32);
    auto* inputLabel = new QLabel(QStringLiteral("あなたの英作文（Ｅｎｔｅｒキーで添削します）"), this);
    inputLabel->setGeometry(left, 60, inner, 22);
    TextInput->setGeometry(left, 84, inner, 32);

    int x = left;
    for (int i : {0, 2, 3, 4}) {
        const int w = i == 2 ? 120 : 96;
        Command[static_cast<std::size_t>(i)]->setGeometry(x, 124, w, 30);
        LabelCommand[static_cast<std::size_t>(i)]->setGeometry(x, 154, w, 16);
        x += w + 6;
    }
    CommandClose->setGeometry(x, 124, 96, 30);
    PictureSpeaker[0]->setGeometry(left + inner - 96, 120, 40, 40);
    PictureSpeaker[1]->setGeometry(left + inner - 48, 120, 40, 40);
    CommandTest->setGeometry(left + inner - 96, 160, 88, 18);

    auto* resultLabel = new QLabel(QStringLiteral("添削結果"), this);
    resultLabel->setGeometry(left, 172, inner, 20);
    PictureResult->setGeometry(left, 194, inner, wide_ ? 96 : 88);
    // The prompt grid goes below the picture (placeGrid); the comments below it.
    const int gridRoom = 3 * m.rowHeight + 5 + 14;
    const int commentTop = PictureResult->geometry().bottom() + 8 + gridRoom;
    auto* commentLabel = new QLabel(QStringLiteral("コメント"), this);
    commentLabel->setGeometry(left, commentTop, inner, 20);
    TextComment->setGeometry(left, commentTop + 22, inner, m.height - commentTop - 22 - 14);
}

void frm添削::check()
{
    runCheck(false);
}

void frm添削::runCheck(bool automatic)
{
    PictureResult->clearPicture();
    TextComment->clear();
    const QString text = TextInput->text();
    if (hasForbiddenCharacter(text)) {
        session_.prompt().tell(kForbiddenInputTitle, kForbiddenInputMessage);
        TextInput->setFocus();
        return;
    }
    Command[2]->setEnabled(true);
    LabelCommand[2]->show();
    Command[3]->setEnabled(true);
    Command[4]->setEnabled(true);

    CorrectionInput input;
    input.mode = mode();
    input.exercise = request_.exerciseName;
    input.prompt = prompt(request_.selected);
    input.sentence = text;
    input.logging = mode() == kModeScreen;
    const CorrectionResult& r = correction_.check(input);
    checked_ = true;
    if (automatic) {
        opening_ = compositionResultOf(r);
    }
    if (r.empty || r.failed()) {
        Command[2]->setEnabled(false);
    } else {
        Command[2]->setEnabled(!r.right());
    }
    if (!r.empty) {
        const ResultRuns runs = PictureResult->setDisplay(r.displayText);
        if (runs.tooManySpans) {
            session_.prompt().tell(tooManySpansTitle(), tooManySpansText());
        }
    }
    TextComment->setPlainText(forBox(r.commentText));
    if (r.sent && !r.failed() && session_.currentUser().soundOn != 0) {
        playFeedback(r.right());
    }
    TextInput->setFocus();
}

void frm添削::showCorrected()
{
    if (!Command[2]->isEnabled()) {
        return;
    }
    if (!lastResult().failed()) {
        TextComment->setPlainText(TextComment->toPlainText() + forBox(correction_.modelBlock()));
    }
    Command[2]->setEnabled(false);
    LabelCommand[2]->hide();
}

void frm添削::showPrompt()
{
    const Metrics& m = wide_ ? kWide : kNarrow;
    GridPrompt->clear();
    GridPrompt->setRowCount(1);
    const bool several = subItems() > 1;
    GridPrompt->setColumnCount(several ? 2 : 1);
    int column = 0;
    if (several) {
        GridPrompt->setColumnWidth(0, m.letter);
        GridPrompt->setItem(0, 0, new QTableWidgetItem(QString(QChar(u'a' + request_.selected))));
        column = 1;
    }
    GridPrompt->setColumnWidth(column, m.column);
    GridPrompt->setItem(0, column, new QTableWidgetItem(promptCell(prompt(request_.selected))));
    for (int c = 0; c < GridPrompt->columnCount(); ++c) {
        GridPrompt->item(0, c)->setBackground(kPink);
    }
    placeGrid(1);
}

void frm添削::showAllPrompts()
{
    if (Command[4]->isHidden()) {
        return;
    }
    const Metrics& m = wide_ ? kWide : kNarrow;
    const int rows = std::max(1, subItems());
    GridPrompt->clear();
    GridPrompt->setRowCount(rows);
    const bool single = subItems() <= 1;
    GridPrompt->setColumnCount(single ? 1 : 2);
    if (single) {
        GridPrompt->setColumnWidth(0, m.column);
        auto* cell = new QTableWidgetItem(promptCell(prompt(request_.selected)));
        cell->setBackground(kGreen);
        GridPrompt->setItem(0, 0, cell);
    } else {
        GridPrompt->setColumnWidth(0, m.letter);
        GridPrompt->setColumnWidth(1, m.column);
        for (int r = 0; r < rows; ++r) {
            GridPrompt->setItem(r, 0, new QTableWidgetItem(QString(QChar(u'a' + r))));
            GridPrompt->setItem(r, 1, new QTableWidgetItem(promptCell(prompt(r))));
            const QColor colour = r == request_.selected ? kPink : QColor(Qt::white);
            GridPrompt->item(r, 0)->setBackground(colour);
            GridPrompt->item(r, 1)->setBackground(colour);
        }
    }
    placeGrid(rows);
    if (rows >= 4 && request_.selected > 1) {
        GridPrompt->verticalScrollBar()->setValue(request_.selected - 2);
        GridPrompt->scrollToItem(GridPrompt->item(request_.selected - 2, 0), QAbstractItemView::PositionAtTop);
    }
}

void frm添削::placeGrid(int rows)
{
    const Metrics& m = wide_ ? kWide : kNarrow;
    for (int r = 0; r < rows; ++r) {
        GridPrompt->setRowHeight(r, m.rowHeight);
    }
    const bool scrolls = rows >= 4;
    GridPrompt->setVerticalScrollBarPolicy(scrolls ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    GridPrompt->setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    int width = 2 * GridPrompt->frameWidth();
    for (int c = 0; c < GridPrompt->columnCount(); ++c) {
        width += GridPrompt->columnWidth(c);
    }
    if (scrolls) {
        width += GridPrompt->verticalScrollBar()->sizeHint().width();
    }
    const int shown = scrolls ? 3 : rows;
    const QRect picture = PictureResult->geometry();
    GridPrompt->setGeometry(picture.left(), picture.top() + picture.height() + 7, width,
                            m.rowHeight * shown + 5 + 2 * GridPrompt->frameWidth());
    GridPrompt->show();
}

QString frm添削::prompt(int row) const
{
    return row >= 0 && row < subItems() ? request_.rows[static_cast<std::size_t>(row)].japanese : QString();
}

void frm添削::playFeedback(bool right)
{
    playIfPresent(screenAudio(), feedbackSound(session_.folders(), right, session_.random(), session_.clock()));
}

void frm添削::playModel(int picture)
{
    playIfPresent(screenAudio(),
                  modelRecording(session_.folders(), request_.chapter, request_.identifier, picture, subItems()));
}

QWidget* frm添削::openTest()
{
    if (testWindow_ != nullptr) {
        testWindow_->close();
    }
    auto* window = new frmTest(engine_.lastRequest(), engine_.lastReport(), this);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->show();
    testWindow_ = window;
    return window;
}

void frm添削::put_SentLog(const CorrectionResult& result)
{
    if (subItems() == 0) {
        return;
    }
    const CompositionPromptRow& row = request_.rows[static_cast<std::size_t>(request_.selected)];
    const std::vector<std::int16_t> kinds(result.commentKinds.begin(), result.commentKinds.end());
    // A failed write has been reported; the result stays on the screen.
    korvel::put_SentLog(session_, row.row, request_.chapter, result.typed, result.right(), kinds);
}

bool frm添削::eventFilter(QObject* watched, QEvent* event)
{
    for (int i = 0; i < 2; ++i) {
        if (watched == PictureSpeaker[static_cast<std::size_t>(i)] && event->type() == QEvent::MouseButtonPress) {
            if (PictureSpeaker[static_cast<std::size_t>(i)]->isEnabled()) {
                playModel(i);
            }
            return true;
        }
    }
    if (watched != TextInput || event->type() != QEvent::KeyPress) {
        return QWidget::eventFilter(watched, event);
    }
    switch (static_cast<QKeyEvent*>(event)->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter: check(); return true;
    case Qt::Key_F7: showPrompt(); return true;
    case Qt::Key_F8: showAllPrompts(); return true;
    case Qt::Key_F9: close(); return true;
    case Qt::Key_F10:
        showCorrected();
        TextInput->setFocus();
        return true;
    case Qt::Key_F11:
        if (!Command[4]->isHidden()) {
            playModel(1);
        }
        return true;
    case Qt::Key_F12:
        if (PictureSpeaker[0]->isEnabled()) {
            playModel(0);
        }
        return true;
    default: return QWidget::eventFilter(watched, event);
    }
}

void frm添削::closeEvent(QCloseEvent* event)
{
    if (testWindow_ != nullptr) {
        testWindow_->close();
    }
    event->accept();
    if (!closedReported_) {
        closedReported_ = true;
        if (done_) {
            done_(opening_);
        }
    }
}

frm添削* openCorrectionScreen(Session& session, const CompositionRequest& request, frm添削::Done done, QWidget* parent)
{
    auto* screen = new frm添削(session, request, std::move(done), parent);
    screen->setAttribute(Qt::WA_DeleteOnClose);
    screen->setWindowModality(Qt::ApplicationModal);
    if (parent != nullptr) {
        // Below the opening screen's top edge, so its grid stays in view above.
        screen->move(parent->geometry().left() + 20, parent->geometry().top() + 60);
    }
    screen->show();
    return screen;
}

}  // namespace korvel
