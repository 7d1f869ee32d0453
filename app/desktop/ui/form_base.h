// What every screen of korvel shares: the session, the navigator, replacing
// itself by another screen, and the close box that asks whether to quit.
#pragma once

#include "app/desktop/ui/navigator.h"

#include <QWidget>

class QCloseEvent;

namespace korvel {

class FormBase : public QWidget {
public:
    explicit FormBase(Navigator& navigator, QWidget* parent = nullptr);

    Navigator& navigator() { return navigator_; }
    const Navigator& navigator() const { return navigator_; }
    Session& session() { return navigator_.session(); }

    // Opens another screen and closes this one without the exit question.
    // Returns the new screen, or null (and this screen stays) when it does not exist.
    QWidget* replaceWith(ScreenId id);
    // Closes this screen without the exit question.
    void leave();

protected:
    // The system close box: the exit question; Cancel keeps the screen open.
    void closeEvent(QCloseEvent* event) override;

private:
    Navigator& navigator_;
    bool leaving_ = false;
};

// The standard fonts of the screens.
QFont screenFont(int pointSize, bool bold = false);

}  // namespace korvel
