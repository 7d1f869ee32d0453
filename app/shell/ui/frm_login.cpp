#include "app/shell/ui/frm_login.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace korvel {

namespace {

// How many names one column of the log-in list holds.
constexpr int kRowsPerColumn = 10;

}  // namespace

frmログイン::frmログイン(Navigator& navigator) : FormBase(navigator), flow_(navigator.session())
{
    setObjectName(QStringLiteral("frmログイン"));
    setWindowTitle(QStringLiteral(" NEVRIN1　ログイン"));
    buttonSlot_.fill(-1);
    buildControls();
    load();
}

void frmログイン::buildControls()
{
    setFont(screenFont(11));
    auto* outer = new QHBoxLayout(this);

    // Left: the picture and the clock.
    auto* left = new QVBoxLayout;
    ImageJacket = new QLabel(this);
    ImageJacket->setFixedSize(300, 220);
    ImageJacket->setScaledContents(true);
    ImageJacket->setVisible(false);
    left->addWidget(ImageJacket);
    LabelClock = new QLabel(QStringLiteral("yyyy/mm/dd/hh:mm "), this);
    LabelClock->setFont(screenFont(12));
    left->addWidget(LabelClock);
    left->addStretch(1);
    outer->addLayout(left);

    // Right: the dialogue.
    auto* right = new QVBoxLayout;
    LabelGuide = new QLabel(QStringLiteral("ユーザ登録済ですか？"), this);
    LabelGuide->setFont(screenFont(13, true));
    right->addWidget(LabelGuide);
    auto* modeRow = new QHBoxLayout;
    modeGroup_ = new QButtonGroup(this);
    OptionNewUser[0] = new QRadioButton(QStringLiteral("はい（登録済み）"), this);
    OptionNewUser[1] = new QRadioButton(QStringLiteral("いいえ（新しく登録する）"), this);
    for (int i = 0; i < 2; ++i) {
        modeGroup_->addButton(OptionNewUser[static_cast<std::size_t>(i)], i);
        modeRow->addWidget(OptionNewUser[static_cast<std::size_t>(i)]);
    }
    modeRow->addStretch(1);
    right->addLayout(modeRow);

    listBox_ = new QWidget(this);
    listGrid_ = new QGridLayout(listBox_);
    listGrid_->setContentsMargins(0, 0, 0, 0);
    listGroup_ = new QButtonGroup(this);
    for (int i = 0; i < kMaxUsers; ++i) {
        auto* button = new QRadioButton(listBox_);
        button->setVisible(false);
        OptionUserName[static_cast<std::size_t>(i)] = button;
        listGroup_->addButton(button, i);
        connect(button, &QRadioButton::clicked, this, [this, i] { chooseName(i); });
    }
    listBox_->setVisible(false);
    right->addWidget(listBox_);

    LabelUserName = new QLabel(QStringLiteral("ユーザ名（２０文字までの英数字、スペース、ハイフン、アンダーバー）を入力"
                                              "し、Enter　キーを押してください。"),
                               this);
    LabelUserName->setWordWrap(true);
    TextNewName = new QLineEdit(this);
    TextNewName->setMaxLength(40);
    right->addWidget(LabelUserName);
    right->addWidget(TextNewName);
    LabelUserName->setVisible(false);
    TextNewName->setVisible(false);

    LabelPassWord = new QLabel(QStringLiteral("ユーザＩＤ（８文字までの英数字）"), this);
    TextPassWord = new QLineEdit(this);
    TextPassWord->setMaxLength(kUserIdWidth);
    TextPassWord->setEchoMode(QLineEdit::Password);
    right->addWidget(LabelPassWord);
    right->addWidget(TextPassWord);
    LabelPassWord->setVisible(false);
    TextPassWord->setVisible(false);

    LabelMessage = new QLabel(this);
    LabelMessage->setWordWrap(true);
    LabelMessage->setStyleSheet(QStringLiteral("color: rgb(0, 0, 160);"));
    right->addWidget(LabelMessage);

    auto* balance = new QGroupBox(QStringLiteral("画面表示のバランス"), this);
    auto* balanceLayout = new QVBoxLayout(balance);
    auto* fontGroup = new QButtonGroup(this);
    OptionFont[0] = new QRadioButton(QStringLiteral("●広げる"), balance);
    OptionFont[1] = new QRadioButton(QStringLiteral("●縮める"), balance);
    auto* fontRow = new QHBoxLayout;
    for (int i = 0; i < 2; ++i) {
        fontGroup->addButton(OptionFont[static_cast<std::size_t>(i)], i);
        fontRow->addWidget(OptionFont[static_cast<std::size_t>(i)]);
        connect(OptionFont[static_cast<std::size_t>(i)], &QRadioButton::clicked, this, [this, i] { chooseFont(i); });
    }
    fontRow->addStretch(1);
    balanceLayout->addLayout(fontRow);
    for (const QString& hint :
         {QStringLiteral(
              "「ログイン画面に戻る」、「終了」ボタンが表示されない時は画面表示のバランスを ●縮める にしてください。"),
          QStringLiteral("画面全体が小さい時は　画面表示のバランスを ●広げる にしてください。")}) {
        auto* label = new QLabel(hint, balance);
        label->setWordWrap(true);
        label->setFont(screenFont(9));
        balanceLayout->addWidget(label);
    }
    right->addWidget(balance);
    right->addStretch(1);

    auto* buttons = new QHBoxLayout;
    CommandExit = new QPushButton(QStringLiteral("終了"), this);
    CommandHome = new QPushButton(QStringLiteral("ホーム"), this);
    CommandHome->setVisible(false);
    buttons->addWidget(CommandExit);
    buttons->addStretch(1);
    buttons->addWidget(CommandHome);
    right->addLayout(buttons);
    outer->addLayout(right, 1);

    connect(OptionNewUser[0], &QRadioButton::clicked, this, [this] { chooseRegistered(); });
    connect(OptionNewUser[1], &QRadioButton::clicked, this, [this] { chooseNewUser(); });
    connect(TextNewName, &QLineEdit::returnPressed, this, [this] { enterName(); });
    connect(TextPassWord, &QLineEdit::returnPressed, this, [this] { enterId(true); });
    connect(CommandHome, &QPushButton::clicked, this, [this] { enterId(false); });
    connect(CommandExit, &QPushButton::clicked, this, [this] { session().chk_Exit(); });
    resize(860, 620);
}

void frmログイン::load()
{
    Session& s = session();
    const QPixmap jacket(s.folders().image + QStringLiteral("/jacket.bmp"));
    if (!jacket.isNull()) {
        ImageJacket->setPixmap(jacket);
        ImageJacket->setVisible(true);
    }
    LabelClock->setText(s.clockText());
    if (flow_.start()) {
        OptionFont[0]->setChecked(true);
    }
}

void frmログイン::setNewUserOption(int option)
{
    OptionNewUser[static_cast<std::size_t>(option)]->setChecked(true);
    if (option == 0) {
        chooseRegistered();
    } else {
        chooseNewUser();
    }
}

void frmログイン::clearListSelection()
{
    listGroup_->setExclusive(false);
    for (QRadioButton* button : OptionUserName) {
        button->setChecked(false);
    }
    listGroup_->setExclusive(true);
}

void frmログイン::hideUserList()
{
    clearListSelection();
    for (QRadioButton* button : OptionUserName) {
        button->setVisible(false);
    }
    listBox_->setVisible(false);
    buttonSlot_.fill(-1);
    columns_ = 0;
}

void frmログイン::hideIdEntry()
{
    LabelPassWord->setVisible(false);
    TextPassWord->setVisible(false);
    CommandHome->setVisible(false);
    LabelMessage->clear();
}

void frmログイン::chooseRegistered()
{
    const LoginFlow::Listing listing = flow_.chooseRegistered();
    if (listing == LoginFlow::Listing::NoneRegistered) {
        setNewUserOption(1);
        return;
    }
    LabelUserName->setVisible(false);
    TextNewName->setVisible(false);
    hideIdEntry();
    hideUserList();
    if (listing == LoginFlow::Listing::Failed) {
        return;
    }
    const std::vector<NameSlot>& names = flow_.names();
    const int shown = static_cast<int>(names.size());
    columns_ = shown <= kRowsPerColumn ? 1 : (shown <= 2 * kRowsPerColumn ? 2 : 3);
    for (int i = 0; i < shown; ++i) {
        QRadioButton* button = OptionUserName[static_cast<std::size_t>(i)];
        button->setText(names[static_cast<std::size_t>(i)].name);
        buttonSlot_[static_cast<std::size_t>(i)] = names[static_cast<std::size_t>(i)].index;
        listGrid_->addWidget(button, i % kRowsPerColumn, i / kRowsPerColumn);
        button->setVisible(true);
    }
    listBox_->setVisible(true);
    const int remembered = flow_.rememberedRow();
    if (remembered >= 0) {
        OptionUserName[static_cast<std::size_t>(remembered)]->setChecked(true);
        chooseName(remembered);
    }
}

void frmログイン::chooseNewUser()
{
    if (!flow_.chooseNewUser()) {
        setNewUserOption(0);
        return;
    }
    hideUserList();
    hideIdEntry();
    LabelUserName->setVisible(true);
    TextNewName->setVisible(true);
    TextNewName->setFocus();
}

void frmログイン::chooseName(int button)
{
    const LoginFlow::Learner learner = flow_.chooseLearner(buttonSlot_[static_cast<std::size_t>(button)]);
    if (learner == LoginFlow::Learner::None) {
        return;
    }
    OptionFont[session().currentUser().wideDisplay == -1 ? 0 : 1]->setChecked(true);
    CommandHome->setVisible(true);
    TextPassWord->clear();
    if (learner == LoginFlow::Learner::AskId) {
        LabelMessage->setText(QStringLiteral("ユーザＩＤを入力し、「ホーム」をクリックしてください。"));
        LabelPassWord->setVisible(true);
        TextPassWord->setVisible(true);
        TextPassWord->setFocus();
    } else {
        LabelMessage->setText(QStringLiteral("「ホーム」をクリックしてください。"));
        LabelPassWord->setVisible(false);
        TextPassWord->setVisible(false);
        CommandHome->setFocus();
    }
}

void frmログイン::enterName()
{
    switch (flow_.enterName(TextNewName->text())) {
    case RegistrationFlow::NameEntry::Full: return;
    case RegistrationFlow::NameEntry::Rejected: TextNewName->setFocus(); return;
    case RegistrationFlow::NameEntry::Accepted: break;
    }
    LabelMessage->setText(
        QStringLiteral("あなたのユーザＩＤ（８文字までの英数字）を入力し、｢ホーム」をクリックしてください。"));
    LabelPassWord->setVisible(true);
    TextPassWord->setVisible(true);
    CommandHome->setVisible(true);
    TextPassWord->setFocus();
}

void frmログイン::enterId(bool fromEnter)
{
    switch (flow_.enterId(TextPassWord->text(), fromEnter, TextNewName->text())) {
    case LoginFlow::IdOutcome::Nothing: return;
    case LoginFlow::IdOutcome::IdRejected: TextPassWord->setFocus(); return;
    case LoginFlow::IdOutcome::NameRejected: TextNewName->setFocus(); return;
    case LoginFlow::IdOutcome::RetryId:
        TextPassWord->setFocus();
        TextPassWord->selectAll();
        return;
    case LoginFlow::IdOutcome::ChoiceDropped:
        hideIdEntry();
        clearListSelection();
        return;
    case LoginFlow::IdOutcome::AwaitHome:
        CommandHome->setVisible(true);
        CommandHome->setFocus();
        return;
    case LoginFlow::IdOutcome::Home: replaceWith(ScreenId::Home); return;
    }
}

void frmログイン::chooseFont(int option)
{
    flow_.chooseDisplay(option == 0 ? -1 : 0);
}

}  // namespace korvel
