#include "app/shell/ui/frm_user_name.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace korvel {

namespace {

const QString kCrLf = QStringLiteral("\r\n");

QString forLabel(const QString& text)
{
    return QString(text).replace(kCrLf, QStringLiteral("\n"));
}

}  // namespace

frmユーザ名::frmユーザ名(Navigator& navigator) : FormBase(navigator), flow_(navigator.session())
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
    auto* nameLabel =
        new QLabel(QStringLiteral("新しいユーザ名（２０文字までの英数字、スペース、ハイフン、アンダーバー）"), this);
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
    switch (flow_.enterName(TextNewName->text())) {
    case RenameFlow::Entry::Ignored: return;
    case RenameFlow::Entry::Rejected: TextNewName->setFocus(); return;
    case RenameFlow::Entry::Accepted: CommandChange->setEnabled(true); return;
    }
}

void frmユーザ名::enterId()
{
    if (flow_.enterId(TextNewId->text()) == RenameFlow::Entry::Rejected) {
        TextNewId->setFocus();
    }
}

void frmユーザ名::change()
{
    const RenameFlow::Result result = flow_.change(TextNewName->text(), TextNewId->text());
    if (result.fillName) {
        TextNewName->setText(result.filledName);
    }
    if (result.focus == RenameFlow::Result::Focus::Name) {
        TextNewName->setFocus();
    } else if (result.focus == RenameFlow::Result::Focus::Id) {
        TextNewId->setFocus();
    }
    if (result.saved) {
        showCurrent();
    }
    if (result.showMessage) {
        LabelResult->setText(forLabel(result.message));
    }
    if (result.disableChange) {
        CommandChange->setEnabled(false);
    }
}

}  // namespace korvel
