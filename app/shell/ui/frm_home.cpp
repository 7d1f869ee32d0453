#include "app/shell/ui/frm_home.h"

#include "app/desktop/screen_fit.h"

#include "app/shell/ui/frm_functions.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace korvel {

namespace {

// The popup's place is measured in twips from chapter button 10, as the
// screens were designed: 400 below its top, 100 left of its left edge.
constexpr int kTwipsPerPixel = 15;
constexpr int kPopupBelowTwips = 400;
constexpr int kPopupLeftTwips = 100;
constexpr int kAnchorChapter = 10;

QString buttonStyle(const QColor& colour)
{
    return QStringLiteral(
               "QPushButton { background-color: rgb(%1, %2, %3); border: 1px solid rgb(96, 128, 96);"
               " border-radius: 3px; padding: 2px; }"
               " QPushButton:disabled { color: rgb(128, 128, 128); }")
        .arg(colour.red())
        .arg(colour.green())
        .arg(colour.blue());
}

}  // namespace

const QColor HomeScreen::kUnselected(192, 255, 192);
const QColor HomeScreen::kSelected(128, 255, 128);

HomeScreen::HomeScreen(Navigator& navigator, Layout layout) : FormBase(navigator), layout_(layout)
{
    if (layout_ == Layout::Wide) {
        setObjectName(QStringLiteral("frmホーム"));
        setWindowTitle(QStringLiteral(" NEVRIN1 ホーム"));
    } else {
        setObjectName(QStringLiteral("frmホームL"));
        setWindowTitle(QStringLiteral(" NEVRIN1　ホーム　（画面表示のバランス　●縮める　を選択）"));
    }
    buildControls();
    open();
}

int HomeScreen::buttonOfChapter(int chapter)
{
    if (chapter >= 1 && chapter <= kChapterCount) {
        return chapter - 1;
    }
    return chapter == kRetestListening ? kRequizButton : -1;
}

void HomeScreen::buildControls()
{
    const bool wide = layout_ == Layout::Wide;
    const int textSize = wide ? 11 : 9;
    setFont(screenFont(textSize));
    auto* outer = new QVBoxLayout(this);

    auto* top = new QHBoxLayout;
    LabelUser = new QLabel(this);
    LabelUser->setFont(screenFont(textSize + 2, true));
    top->addWidget(LabelUser);
    top->addStretch(1);
    CommandUserName = new QPushButton(QStringLiteral("ユーザ名　　・　 ユーザＩＤ  変更"), this);
    CommandHint = new QPushButton(QStringLiteral("画面表示のバランス"), this);
    CommandLogin = new QPushButton(QStringLiteral("ログイン画面に戻る"), this);
    CommandExit = new QPushButton(QStringLiteral("終了"), this);
    for (QPushButton* button : {CommandUserName, CommandHint, CommandLogin, CommandExit}) {
        top->addWidget(button);
    }
    outer->addLayout(top);

    auto* middle = new QHBoxLayout;
    auto* chapters = new QGroupBox(QStringLiteral("章を選んでください"), this);
    auto* grid = new QGridLayout(chapters);
    const QSize chapterSize = wide ? QSize(232, 54) : QSize(186, 42);
    const QFont chapterFont = screenFont(wide ? 10 : 8);
    constexpr int kColumns = 4;
    for (int i = 0; i < 29; ++i) {
        auto* button = new QPushButton(chapters);
        button->setFixedSize(chapterSize);
        // Set on the button itself: a style sheet change must not reset it.
        button->setFont(chapterFont);
        CommandChapter[static_cast<std::size_t>(i)] = button;
        const int chapter = i < kRequizButton ? i + 1 : kRetestListening;
        connect(button, &QPushButton::clicked, this, [this, chapter] { chooseChapter(chapter); });
        if (i < kRequizButton) {
            grid->addWidget(button, i / kColumns, i % kColumns);
        } else {
            button->setText(QStringLiteral("聞き取り再クイズ"));
            grid->addWidget(button, kChapterCount / kColumns, 0);
        }
        paintChapter(i, false);
    }
    middle->addWidget(chapters);

    auto* functions = new QVBoxLayout;
    for (int i = 0; i < kFunctionCount; ++i) {
        auto* button = new QPushButton(functionCaption(i), this);
        button->setMinimumHeight(wide ? 40 : 30);
        button->setMinimumWidth(wide ? 170 : 140);
        CommandFunction[static_cast<std::size_t>(i)] = button;
        connect(button, &QPushButton::clicked, this, [this, i] { chooseFunction(i); });
        if (i == 8) {
            functions->addSpacing(16);
        }
        functions->addWidget(button);
        // The shrunken layout leaves the course functions to the popup.
        if (!wide && i < 8) {
            button->setVisible(false);
        }
    }
    CommandGlossary = new QPushButton(QStringLiteral("用語一覧"), this);
    CommandGlossary->setMinimumHeight(wide ? 40 : 30);
    functions->addWidget(CommandGlossary);
    functions->addStretch(1);
    middle->addLayout(functions);
    outer->addLayout(middle);

    auto* sound = new QHBoxLayout;
    sound->addWidget(new QLabel(QStringLiteral("「合格、残念」や○､×の表示の際に音声を"), this));
    auto* soundGroup = new QButtonGroup(this);
    OptionSound[0] = new QRadioButton(QStringLiteral("出す"), this);
    OptionSound[1] = new QRadioButton(QStringLiteral("出さない"), this);
    for (int i = 0; i < 2; ++i) {
        QRadioButton* option = OptionSound[static_cast<std::size_t>(i)];
        soundGroup->addButton(option, i);
        sound->addWidget(option);
        connect(option, &QRadioButton::clicked, this, [this, i] {
            session().users().setSoundOn(i == 0 ? -1 : 0);
            session().users().upd_UserData();
        });
    }
    sound->addStretch(1);
    outer->addLayout(sound);

    connect(CommandUserName, &QPushButton::clicked, this, [this] { replaceWith(ScreenId::UserName); });
    connect(CommandGlossary, &QPushButton::clicked, this, [this] { replaceWith(ScreenId::Glossary); });
    connect(CommandLogin, &QPushButton::clicked, this, [this] { replaceWith(ScreenId::Login); });
    connect(CommandExit, &QPushButton::clicked, this, [this] { session().chk_Exit(); });
    connect(CommandHint, &QPushButton::clicked, this, [this] {
        const QString hint =
            layout_ == Layout::Wide
                ? QStringLiteral(
                      "「ログイン画面に戻る」、「終了」ボタンが表示されない時は画面表示のバランスを ●縮める "
                      "にしてください。")
                : QStringLiteral("画面全体が小さい時は　画面表示のバランスを ●広げる にしてください。");
        const Prompt::Answer answer =
            session().prompt().ask(QStringLiteral("画面表示のバランス"), hint, Prompt::Buttons::OkCancel,
                                   Prompt::Icon::Information, {QStringLiteral("OK"), QStringLiteral("ログイン画面へ")});
        if (answer == Prompt::Answer::Cancel) {
            replaceWith(ScreenId::Login);
        }
    });
    adjustSize();
}

void HomeScreen::open()
{
    Session& s = session();
    LabelUser->setText(s.clockText() + QLatin1Char(' ') + s.currentUser().name);
    titles_ = get_Index(s);
    for (int i = 0; i < kChapterCount; ++i) {
        QString title = titles_[static_cast<std::size_t>(i)];
        if (title.isEmpty()) {
            title = QStringLiteral("第%1章").arg(i + 1);
        }
        CommandChapter[static_cast<std::size_t>(i)]->setText(
            title.replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    }
    const int chapter = s.chapter();
    if (chapter >= 1 && chapter <= kChapterCount) {
        paintChapter(buttonOfChapter(chapter), true);
    }
    OptionSound[s.currentUser().soundOn == -1 ? 0 : 1]->setChecked(true);
    CommandChapter[kRequizButton]->setEnabled(navigator().has(ScreenId::Listening));
    CommandUserName->setEnabled(navigator().has(ScreenId::UserName));
    CommandGlossary->setEnabled(navigator().has(ScreenId::Glossary));
    CommandLogin->setEnabled(navigator().has(ScreenId::Login));
    updateFunctionButtons();
}

void HomeScreen::paintChapter(int button, bool selected)
{
    if (button < 0) {
        return;
    }
    QPushButton* target = CommandChapter[static_cast<std::size_t>(button)];
    target->setStyleSheet(buttonStyle(selected ? kSelected : kUnselected));
    target->setProperty("selectedChapter", selected);
}

QColor HomeScreen::chapterColour(int button) const
{
    return CommandChapter[static_cast<std::size_t>(button)]->property("selectedChapter").toBool() ? kSelected
                                                                                                  : kUnselected;
}

bool HomeScreen::functionEnabled(int index) const
{
    if (index < 0 || index >= kFunctionCount) {
        return false;
    }
    // Chapter 28 is the review chapter: no basic sentences, rearrangement or listening.
    if (navigator().session().chapter() == kChapterCount && index >= 2 && index <= 4) {
        return false;
    }
    return navigator().has(functionScreen(index));
}

void HomeScreen::updateFunctionButtons()
{
    for (int i = 0; i < kFunctionCount; ++i) {
        CommandFunction[static_cast<std::size_t>(i)]->setEnabled(functionEnabled(i));
    }
    if (popup_ != nullptr) {
        popup_->updateButtons();
    }
}

void HomeScreen::placePopup()
{
    const QPushButton* anchor = CommandChapter[kAnchorChapter - 1];
    const QPoint corner = anchor->mapToGlobal(QPoint(0, 0));
    popup_->move(corner.x() - kPopupLeftTwips / kTwipsPerPixel, corner.y() + kPopupBelowTwips / kTwipsPerPixel);
    // Where that place lies partly past an edge, the popup is moved inside.
    moveOnScreen(popup_);
}

void HomeScreen::chooseChapter(int chapter)
{
    Session& s = session();
    paintChapter(buttonOfChapter(s.chapter()), false);
    s.setChapter(static_cast<std::int16_t>(chapter));
    paintChapter(buttonOfChapter(chapter), true);
    if (chapter < kRetestWords) {
        if (popup_ == nullptr) {
            popup_ = new frm機能(*this);
        }
        popup_->showFor(chapter);
        placePopup();
    }
    updateFunctionButtons();
    if (chapter >= kRetestWords && navigator().openRetest(static_cast<std::int16_t>(chapter)) != nullptr) {
        leave();
    }
}

void HomeScreen::chooseFunction(int index)
{
    if (index == 8) {
        replaceWith(ScreenId::Records);
        return;
    }
    const int chapter = session().chapter();
    if (chapter == 0 || chapter >= kRetestWords) {
        session().prompt().tell(QStringLiteral("機能選択"),
                                QStringLiteral("章番号を選んでから機能を指定してください。"));
        return;
    }
    if (!functionEnabled(index)) {
        return;
    }
    replaceWith(functionScreen(index));
}

void HomeScreen::popupClosedWithoutChoice()
{
    if (CommandFunction[0]->isHidden()) {
        paintChapter(buttonOfChapter(session().chapter()), false);
    }
}

}  // namespace korvel
