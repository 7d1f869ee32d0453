#include "app/shell/ui/frm_login.h"

#include "app/shell/sjis_text.h"

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

const QString kRegisterTitle = QStringLiteral("ユーザ登録");
const QString kFullMessage =
    QStringLiteral("既に３０人のユーザが登録されていますので新しいユーザは登録できません。");

// How many names one column of the log-in list holds.
constexpr int kRowsPerColumn = 10;

}  // namespace

frmログイン::frmログイン(Navigator& navigator) : FormBase(navigator)
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

    LabelUserName = new QLabel(
        QStringLiteral("ユーザ名（２０文字までの英数字、スペース、ハイフン、アンダーバー）を入力し、Enter　キーを押してください。"),
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
         {QStringLiteral("「ログイン」、「終了」ボタンが表示されない時は画面表示のバランスを ●縮める にしてください。"),
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
    s.get_ErrorMsg();
    UserAccounts& users = s.users();
    users.get_UserData();
    s.resetRunState();
    if (users.count >= 1) {
        users.current.name.clear();
        if (!users.get_LastUserData()) {
            return;
        }
        users.current.soundOn = users.users[static_cast<std::size_t>(users.current.index)].soundOn;
    }
    OptionFont[0]->setChecked(true);
    users.current.wideDisplay = -1;
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
    userChosen_ = false;
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

void frmログイン::chooseRegistered()
{
    Session& s = session();
    UserAccounts& users = s.users();
    users.get_UserData();
    if (users.count == 0) {
        s.prompt().tell(kRegisterTitle, QStringLiteral("まだ誰も登録されておりません。"));
        setNewUserOption(1);
        return;
    }
    LabelUserName->setVisible(false);
    TextNewName->setVisible(false);
    LabelPassWord->setVisible(false);
    TextPassWord->setVisible(false);
    CommandHome->setVisible(false);
    LabelMessage->clear();
    hideUserList();
    if (!users.get_LastUserData()) {
        return;
    }
    const std::vector<NameSlot> sorted = users.sortedNames();
    const int shown = static_cast<int>(sorted.size());
    columns_ = shown <= kRowsPerColumn ? 1 : (shown <= 2 * kRowsPerColumn ? 2 : 3);
    int remembered = -1;
    for (int i = 0; i < shown; ++i) {
        QRadioButton* button = OptionUserName[static_cast<std::size_t>(i)];
        button->setText(sorted[static_cast<std::size_t>(i)].name);
        buttonSlot_[static_cast<std::size_t>(i)] = sorted[static_cast<std::size_t>(i)].index;
        listGrid_->addWidget(button, i % kRowsPerColumn, i / kRowsPerColumn);
        button->setVisible(true);
        if (sorted[static_cast<std::size_t>(i)].index == users.current.index) {
            remembered = i;
        }
    }
    listBox_->setVisible(true);
    if (remembered >= 0) {
        OptionUserName[static_cast<std::size_t>(remembered)]->setChecked(true);
        chooseName(remembered);
    }
}

void frmログイン::chooseNewUser()
{
    Session& s = session();
    if (s.users().isFull()) {
        s.prompt().tell(kRegisterTitle, kFullMessage);
        setNewUserOption(0);
        return;
    }
    hideUserList();
    LabelPassWord->setVisible(false);
    TextPassWord->setVisible(false);
    CommandHome->setVisible(false);
    LabelMessage->clear();
    LabelUserName->setVisible(true);
    TextNewName->setVisible(true);
    TextNewName->setFocus();
}

void frmログイン::chooseName(int button)
{
    const int slot = buttonSlot_[static_cast<std::size_t>(button)];
    if (slot < 0) {
        return;
    }
    UserAccounts& users = session().users();
    const UserData& user = users.users[static_cast<std::size_t>(slot)];
    userChosen_ = true;
    users.current.index = static_cast<std::int16_t>(slot);
    users.current.name = user.name;
    // The learner's own preferences come with the choice, so that logging in
    // never writes another learner's sound flag into this record.
    users.current.soundOn = user.soundOn;
    users.current.wideDisplay = user.wideDisplay;
    OptionFont[user.wideDisplay == -1 ? 0 : 1]->setChecked(true);
    CommandHome->setVisible(true);
    if (!user.id.isEmpty()) {
        LabelMessage->setText(QStringLiteral("ユーザＩＤを入力し、「ホーム」をクリックしてください。"));
        LabelPassWord->setVisible(true);
        TextPassWord->setVisible(true);
        TextPassWord->clear();
        TextPassWord->setFocus();
    } else {
        LabelMessage->setText(QStringLiteral("「ホーム」をクリックしてください。"));
        LabelPassWord->setVisible(false);
        TextPassWord->setVisible(false);
        TextPassWord->clear();
        CommandHome->setFocus();
    }
}

void frmログイン::enterName()
{
    Session& s = session();
    if (s.users().isFull()) {
        s.prompt().tell(kRegisterTitle, kFullMessage);
        return;
    }
    QString name = TextNewName->text();
    if (s.users().chk_UserName(name) != 0) {
        TextNewName->setFocus();
        return;
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
    const QString id = sjis::trimBlanks(TextPassWord->text());
    if (session().users().chk_UserID(id) != 0) {
        TextPassWord->setFocus();
        return;
    }
    if (OptionNewUser[1]->isChecked()) {
        registerNewUser(id);
    } else if (OptionNewUser[0]->isChecked() && userChosen_) {
        loginRegistered(id, fromEnter);
    }
}

void frmログイン::loginRegistered(const QString& id, bool fromEnter)
{
    Session& s = session();
    UserAccounts& users = s.users();
    const QString stored = users.users[static_cast<std::size_t>(users.current.index)].id;
    if (id != stored) {
        const Prompt::Answer answer = s.prompt().ask(QStringLiteral("ユーザＩＤ入力"),
                                                     QStringLiteral("正しいユーザＩＤを入力してください。"),
                                                     Prompt::Buttons::OkCancel, Prompt::Icon::Warning);
        if (answer == Prompt::Answer::Ok) {
            TextPassWord->setFocus();
            TextPassWord->selectAll();
        } else {
            LabelPassWord->setVisible(false);
            TextPassWord->setVisible(false);
            LabelMessage->clear();
            CommandHome->setVisible(false);
            clearListSelection();
        }
        return;
    }
    users.current.id = id;
    if (fromEnter) {
        CommandHome->setVisible(true);
        CommandHome->setFocus();
        return;
    }
    login();
}

void frmログイン::registerNewUser(const QString& id)
{
    Session& s = session();
    UserAccounts& users = s.users();
    if (users.isFull()) {
        s.prompt().tell(kRegisterTitle, kFullMessage);
        return;
    }
    QString name = TextNewName->text();
    if (users.chk_UserName(name) != 0) {
        TextNewName->setFocus();
        return;
    }
    const QString shownId = id.isEmpty() ? QStringLiteral("なし") : id;
    const Prompt::Answer answer =
        s.prompt().ask(QStringLiteral("ユーザ登録の確認"),
                       QStringLiteral("このユーザ名（ ") + name + QStringLiteral(" ）、ユーザＩＤ（ ") + shownId +
                           QStringLiteral(" ）を登録しますか？"),
                       Prompt::Buttons::OkCancel, Prompt::Icon::Question);
    if (answer != Prompt::Answer::Ok) {
        TextNewName->setFocus();
        return;
    }
    if (!id.isEmpty()) {
        s.prompt().tell(kRegisterTitle, QStringLiteral("ユーザＩＤを忘れた時のために　このユーザＩＤ（ ") + id +
                                            QStringLiteral(" ）をひかえておいてください。"));
    }
    if (!users.registerUser(name, id, users.current.wideDisplay)) {
        return;  // reported; the learner can try again
    }
    login();
}

void frmログイン::login()
{
    UserAccounts& users = session().users();
    // A failure here is reported; the learner's record itself is safe, so the
    // log-in goes on.
    users.upd_UserData();
    users.put_LastUserData();
    replaceWith(ScreenId::Home);
}

void frmログイン::chooseFont(int option)
{
    UserAccounts& users = session().users();
    const std::int16_t flag = option == 0 ? -1 : 0;
    users.current.wideDisplay = flag;
    if (OptionNewUser[0]->isChecked() && userChosen_) {
        users.users[static_cast<std::size_t>(users.current.index)].wideDisplay = flag;
    }
}

}  // namespace korvel
