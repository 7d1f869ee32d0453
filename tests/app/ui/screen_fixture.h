// The fixture of the screen tests: a content root with the bundled course, a
// session with scripted message boxes and clock, and the navigator with the
// application's screens.
#pragma once

#include "app/desktop/ui/navigator.h"
#include "app/shell/ui/frm_login.h"
#include "tests/app/test_support.h"

#include <QLineEdit>
#include <QString>

#include <map>
#include <memory>

namespace korvel::test {

class ScreenTest : public AppTest {
protected:
    void SetUp() override;
    void TearDown() override;

    // Starts the session and the navigator (with the application's screens).
    Navigator& startNavigator();
    // Opens the log-in screen as the program does at start.
    frmログイン* openLogin();
    // Logs the learner of `slot` in without the log-in screen and opens home.
    QWidget* openHomeAs(int slot);
    // A stand-in for a screen that later work provides: an empty window named
    // `name`; it records the chapter it was opened with.
    void addStandIn(ScreenId id, const QString& name);
    int chapterSeenBy(const QString& name) const;

    template <class T>
    T* opened() const
    {
        return dynamic_cast<T*>(navigator->lastOpened());
    }

    // Types text into a field as a learner does, optionally pressing Enter.
    static void type(QLineEdit* field, const QString& text, bool enter = false);
    // Lets pending layout and deletion events run.
    static void settle();

    std::unique_ptr<Navigator> navigator;
    int quits = 0;
    std::map<QString, int> seenChapters;
};

}  // namespace korvel::test
