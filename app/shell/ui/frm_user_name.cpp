#include "app/shell/ui/frm_user_name.h"

#include "app/shell/sjis_text.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace korvel {

namespace {

const QString kCancelled = QStringLiteral("変更を中止しました。");
const QString kNoteDown = QStringLiteral("ユーザＩＤを忘れた時のために　  どこかにひかえておいてください。");
const QString kCrLf = QStringLiteral("\r\n");

QString forLabel(const QString& text)
{
    return QString(text).replace(kCrLf, QStringLiteral("\n"));
}

}  // namespace

frmユーザ名::frmユーザ名(Navigator& navigator) : FormBase(navigator)
{
    setObjectName(QStringLiteral("frmユーザ名"));
    setWindowTitle(QStringLiteral(" NEVRIN1　ユーザ名・ユーザＩＤの変更"));
    buildControls();
    showCurrent();
}

void frmユーザ名::buildControls()
{
    setFont(screenFont(11));
    auto* layout = new QVBoxLayout(this);
    LabelCurrentName = new QLabel(this);
    LabelCurrentId = new QLabel(this);
    LabelCurrentName->setFont(screenFont(12, true));
    LabelCurrentId->setFont(screenFont(12, true));
    layout->addWidget(LabelCurrentName);
    layout->addWidget(LabelCurrentId);
    layout->addSpacing(12);

    auto* grid = new QGridLayout;
    auto* nameLabel = new QLabel(
        QStringLiteral("新しいユーザ名（２０文字までの英数字、スペース、ハイフン、アンダーバー）"), this);
    nameLabel->setWordWrap(true);
    TextNewName = new QLineEdit(this);
    TextNewName->setMaxLength(40);
    auto* idLabel = new QLabel(QStringLiteral("新しいユーザＩＤ（８文字までの英数字）"), this);
    TextNewId = new QLineEdit(this);
    TextNewId->setMaxLength(kUserIdWidth);
    grid->addWidget(nameLabel, 0, 0);
    grid->addWidget(TextNewName, 1, 0);
    grid->addWidget(idLabel, 2, 0);
    grid->addWidget(TextNewId, 3, 0);
    layout->addLayout(grid);

    LabelResult = new QLabel(this);
    LabelResult->setWordWrap(true);
    LabelResult->setMinimumHeight(60);
    LabelResult->setStyleSheet(QStringLiteral("color: rgb(0, 0, 160);"));
    layout->addWidget(LabelResult);
    layout->addStretch(1);

    auto* buttons = new QHBoxLayout;
    CommandChange = new QPushButton(QStringLiteral("変更"), this);
    CommandReturn = new QPushButton(QStringLiteral("ホームに戻る"), this);
    CommandExit = new QPushButton(QStringLiteral("終了"), this);
    buttons->addWidget(CommandChange);
    buttons->addStretch(1);
    buttons->addWidget(CommandReturn);
    buttons->addWidget(CommandExit);
    layout->addLayout(buttons);

    connect(TextNewName, &QLineEdit::textEdited, this, [this] { LabelResult->clear(); });
    connect(TextNewId, &QLineEdit::textEdited, this, [this] { LabelResult->clear(); });
    connect(TextNewName, &QLineEdit::returnPressed, this, [this] { enterName(); });
    connect(TextNewId, &QLineEdit::returnPressed, this, [this] { enterId(); });
    connect(CommandChange, &QPushButton::clicked, this, [this] { change(); });
    connect(CommandReturn, &QPushButton::clicked, this, [this] { replaceWith(ScreenId::Home); });
    connect(CommandExit, &QPushButton::clicked, this, [this] { session().chk_Exit(); });
    resize(640, 420);
}

void frmユーザ名::showCurrent()
{
    const CurrentUser& user = session().currentUser();
    LabelCurrentName->setText(QStringLiteral("現在のユーザ名  　  　") + user.name);
    LabelCurrentId->setText(QStringLiteral("現在のユーザＩＤ　  　") + user.id);
}

void frmユーザ名::enterName()
{
    QString name = TextNewName->text();
    if (sjis::trimBlanks(name).isEmpty()) {
        return;
    }
    if (session().users().chk_UserName(name) != 0) {
        TextNewName->setFocus();
        return;
    }
    CommandChange->setEnabled(true);
}

void frmユーザ名::enterId()
{
    const QString id = sjis::trimBlanks(TextNewId->text());
    if (!id.isEmpty() && session().users().chk_UserID(id) != 0) {
        TextNewId->setFocus();
    }
}

bool frmユーザ名::askCarryOver(bool& dropLogs)
{
    const Prompt::Answer answer = session().prompt().ask(
        QStringLiteral("テスト結果引き継ぎの確認"),
        QStringLiteral("前ユーザのテスト結果を引き継ぎますか？") + kCrLf +
            QStringLiteral("[いいえ]　にすると今までの成績集計データが全て消去されます。"),
        Prompt::Buttons::YesNoCancel, Prompt::Icon::Question);
    if (answer == Prompt::Answer::Cancel) {
        LabelResult->setText(kCancelled);
        return false;
    }
    dropLogs = answer == Prompt::Answer::No;
    return true;
}

bool frmユーザ名::save(const QString& name, const QString& id)
{
    UserAccounts& users = session().users();
    CurrentUser& current = users.current;
    UserData& record = users.users[static_cast<std::size_t>(current.index)];
    const UserData before = record;
    record.name = name;
    record.id = id;
    const RecordWriteResult result = users.writeUser(current.index, QStringLiteral("frmユーザ名 put_UserData"));
    if (!result.ok()) {
        record = before;
        if (result.status != WriteStatus::OpenFailed) {
            LabelResult->setText(QStringLiteral("\\user.datがありません。"));
        }
        return false;
    }
    current.name = name;
    current.id = id;
    showCurrent();
    return true;
}

void frmユーザ名::change()
{
    UserAccounts& users = session().users();
    const CurrentUser& current = users.current;
    const QString currentName = sjis::trimBlanks(current.name);
    const QString currentId = sjis::trimBlanks(current.id);

    QString name = sjis::trimBlanks(TextNewName->text());
    if (name.isEmpty()) {
        name = currentName;
        TextNewName->setText(name);
    } else if (users.chk_UserName(name) != 0) {
        TextNewName->setFocus();
        return;
    }
    const QString id = sjis::trimBlanks(TextNewId->text());
    if (!id.isEmpty() && users.chk_UserID(id) != 0) {
        TextNewId->setFocus();
        return;
    }

    const bool nameChanged = name != currentName;
    const bool idChanged = id != currentId;
    Prompt& prompt = session().prompt();
    const auto yes = [&prompt](const QString& title, const QString& question) {
        return prompt.ask(title, question, Prompt::Buttons::YesNo, Prompt::Icon::Question) == Prompt::Answer::Yes;
    };

    if (!nameChanged && !idChanged) {
        LabelResult->setText(QStringLiteral("ユーザ名とユーザＩＤが変更されていません。"));
        return;
    }
    if (!nameChanged) {
        const QString title = QStringLiteral("ユーザＩＤ設定");
        const bool emptied = id.isEmpty();
        if (!yes(title, emptied ? QStringLiteral("ユーザＩＤなしに変更しますか？")
                                : QStringLiteral("新しいユーザＩＤに変更しますか？"))) {
            LabelResult->setText(kCancelled);
            return;
        }
        if (save(name, id)) {
            LabelResult->setText(forLabel(
                emptied ? QStringLiteral("ユーザＩＤなしに変更しました。")
                        : QStringLiteral("新しいユーザＩＤ（ ") + id + QStringLiteral(" ）に変更しました。") + kCrLf + kNoteDown));
        }
        return;
    }
    const QString title = idChanged ? QStringLiteral("ユーザ名・ユーザＩＤの変更") : QStringLiteral("ユーザ名設定");
    const QString question = idChanged ? QStringLiteral("ユーザ名とユーザＩＤを新しいものに変更しますか？")
                                       : QStringLiteral("ユーザ名を新しいものに変更しますか？");
    if (!yes(title, question)) {
        LabelResult->setText(kCancelled);
        if (idChanged) {
            CommandChange->setEnabled(false);
        }
        return;
    }
    bool dropLogs = false;
    if (!askCarryOver(dropLogs)) {
        return;
    }
    // The logs go only once the new name is safely written, so a failed save
    // never costs the learner's results.
    if (!save(name, id)) {
        return;
    }
    if (dropLogs) {
        users.del_UserLogs();
    }
    QString done;
    if (!idChanged) {
        done = QStringLiteral("新しいユーザ名（ ") + name + QStringLiteral(" ）に変更しました。");
    } else if (id.isEmpty()) {
        done = QStringLiteral("新しいユーザ名（ ") + name + QStringLiteral(" ）、ユーザＩＤなしに変更しました。");
    } else {
        done = QStringLiteral("新しいユーザ名（ ") + name + QStringLiteral(" ）、ユーザＩＤ（ ") + id +
               QStringLiteral(" ）に変更しました。") + kCrLf + kNoteDown;
    }
    LabelResult->setText(forLabel(done));
}

}  // namespace korvel
