#include "tools/userlist/frm_user_id.h"

#include "tools/userlist/user_listing.h"

#include <QFont>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace tanduid {

frmUserID::frmUserID(const QString& userFolder, korvel::Prompt& prompt, const korvel::Clock& clock) : clock_(clock)
{
    setObjectName(QStringLiteral("frmUserID"));
    setWindowTitle(QStringLiteral(" NEVRIN1　ユーザＩＤ照会"));
    QFont font(QStringLiteral("Noto Sans Mono CJK JP"));
    font.setPointSize(11);
    font.setStyleHint(QFont::Monospace);
    setFont(font);

    auto* layout = new QVBoxLayout(this);
    LabelClock = new QLabel(QStringLiteral("yyyy/mm/dd/hh:mm "), this);
    LabelClock->setAlignment(Qt::AlignRight);
    layout->addWidget(LabelClock);
    TextList = new QPlainTextEdit(this);
    TextList->setReadOnly(true);
    TextList->setLineWrapMode(QPlainTextEdit::NoWrap);
    layout->addWidget(TextList, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    CommandClose = new QPushButton(QStringLiteral("終了"), this);
    buttons->addWidget(CommandClose);
    layout->addLayout(buttons);
    connect(CommandClose, &QPushButton::clicked, this, [this] { close(); });

    // The clock shows the date and time at once, then without seconds on every tick.
    LabelClock->setText(clock_.now().toString(QStringLiteral("yyyy/MM/dd HH:mm:ss")));
    Timer = new QTimer(this);
    Timer->setInterval(1000);
    connect(Timer, &QTimer::timeout, this, [this] { tick(); });
    Timer->start();

    const UserListing users = listUsers(userFolder);
    listing_ = users.text;
    TextList->setPlainText(QString(listing_).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    if (!users.ok) {
        prompt.tell(QStringLiteral("tanduid"), errorText(users.errorNumber), korvel::Prompt::Icon::Critical);
    }
    resize(560, 520);
}

void frmUserID::tick()
{
    LabelClock->setText(korvel::clockText(clock_.now()));
}

}  // namespace tanduid
