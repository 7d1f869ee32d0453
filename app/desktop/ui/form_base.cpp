#include "app/desktop/ui/form_base.h"

#include <QCloseEvent>

namespace korvel {

FormBase::FormBase(Navigator& navigator, QWidget* parent) : QWidget(parent), navigator_(navigator)
{
}

QWidget* FormBase::replaceWith(ScreenId id)
{
    QWidget* next = navigator_.open(id);
    if (next != nullptr) {
        leave();
    }
    return next;
}

void FormBase::leave()
{
    leaving_ = true;
    close();
}

void FormBase::closeEvent(QCloseEvent* event)
{
    if (leaving_ || navigator_.ending()) {
        event->accept();
        return;
    }
    if (session().chk_Exit() == 0) {
        event->ignore();
        return;
    }
    event->accept();
}

QFont screenFont(int pointSize, bool bold)
{
    QFont font(QStringLiteral("Noto Sans CJK JP"));
    font.setPointSize(pointSize);
    font.setBold(bold);
    return font;
}

}  // namespace korvel
