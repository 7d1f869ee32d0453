#include "app/shell/ui/frm_functions.h"

#include "app/shell/ui/frm_home.h"

#include <QCloseEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace korvel {

frm機能::frm機能(HomeScreen& home) : QWidget(&home, Qt::Tool), home_(home)
{
    setObjectName(QStringLiteral("frm機能"));
    setWindowTitle(QStringLiteral("機能"));
    setFont(home.font());
    auto* layout = new QVBoxLayout(this);
    LabelChapter = new QLabel(this);
    LabelChapter->setAlignment(Qt::AlignCenter);
    LabelChapter->setFont(screenFont(home.font().pointSize() + 3, true));
    layout->addWidget(LabelChapter);
    for (int i = 0; i < 8; ++i) {
        auto* button = new QPushButton(functionCaption(i), this);
        button->setMinimumHeight(32);
        CommandFunction[static_cast<std::size_t>(i)] = button;
        layout->addWidget(button);
        connect(button, &QPushButton::clicked, this, [this, i] {
            chosen_ = true;
            home_.chooseFunction(i);
            chosen_ = false;
        });
    }
    CommandClose = new QPushButton(QStringLiteral("閉じる"), this);
    layout->addWidget(CommandClose);
    connect(CommandClose, &QPushButton::clicked, this, [this] { close(); });
    setMinimumWidth(200);
}

void frm機能::showFor(int chapter)
{
    LabelChapter->setText(QStringLiteral("第") + QString::number(chapter) + QStringLiteral("章"));
    updateButtons();
    show();
    raise();
}

void frm機能::updateButtons()
{
    for (int i = 0; i < 8; ++i) {
        CommandFunction[static_cast<std::size_t>(i)]->setEnabled(home_.functionEnabled(i));
    }
}

void frm機能::closeEvent(QCloseEvent* event)
{
    event->accept();
    if (!chosen_) {
        home_.popupClosedWithoutChoice();
    }
}

}  // namespace korvel
