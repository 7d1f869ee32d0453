#include "app/exercises/ui/function_bar.h"

#include "app/desktop/ui/form_base.h"

#include <QHBoxLayout>
#include <QPushButton>

namespace korvel {

FunctionBar::FunctionBar(Navigator& navigator, std::function<void(int)> chosen, QWidget* parent)
    : QWidget(parent), navigator_(navigator)
{
    setObjectName(QStringLiteral("FunctionBar"));
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    CommandHome = new QPushButton(QStringLiteral("ホーム"), this);
    row->addWidget(CommandHome);
    connect(CommandHome, &QPushButton::clicked, this, [chosen] { chosen(kHome); });
    for (int i = 0; i < 8; ++i) {
        auto* button = new QPushButton(functionCaption(i), this);
        CommandFunction[static_cast<std::size_t>(i)] = button;
        row->addWidget(button);
        connect(button, &QPushButton::clicked, this, [chosen, i] { chosen(i); });
    }
    row->addStretch(1);
}

void FunctionBar::update(int chapter)
{
    for (int i = 0; i < 8; ++i) {
        const bool review = chapter == kChapterCount && i >= 2 && i <= 4;
        CommandFunction[static_cast<std::size_t>(i)]->setEnabled(!review && navigator_.has(functionScreen(i)));
    }
}

}  // namespace korvel
