// The one navigation point of the application: every screen is opened here by
// its identifier. A screen that exists registers a factory; a screen that does
// not is simply absent, and the buttons that would open it stay disabled.
#pragma once

#include "app/shell/session.h"

#include <QList>
#include <QPointer>
#include <QWidget>

#include <functional>
#include <map>

namespace korvel {

enum class ScreenId {
    Login,
    Home,   // frmホーム, display balance "●広げる"
    HomeL,  // frmホームL, display balance "●縮める"
    UserName,
    // The course functions, in the order of their indexes 0 to 8.
    Goals,
    Words,
    BasicSentences,
    Rearrangement,
    Listening,
    Summary,
    WordTest,
    CompositionTest,
    Records,
    RecordContents,  // frm記録内容, the view chosen on the record list
    Glossary,
    Correction,  // frm添削, opened over the composition test
    Guide,       // frm手引き
    ProgressCharts,
};

inline constexpr int kFunctionCount = 9;  // indexes 0 to 8; 8 is the record list
// The screen of function index 0..8.
ScreenId functionScreen(int index);
QString functionCaption(int index);

class Navigator {
public:
    using Factory = std::function<QWidget*(Navigator&)>;

    explicit Navigator(Session& session);
    Navigator(const Navigator&) = delete;
    Navigator& operator=(const Navigator&) = delete;

    Session& session() { return session_; }
    const Session& session() const { return session_; }

    void add(ScreenId id, Factory factory);
    bool has(ScreenId id) const;
    // The home screen of the current display flag: -1 frmホーム, else frmホームL.
    ScreenId homeScreen() const;

    // Builds and shows a screen (Home picks the variant by the display flag);
    // null when the screen does not exist. The caller closes itself afterwards.
    QWidget* open(ScreenId id);
    // The re-tests 98 (word test), 99 (composition test), 100 (listening quiz):
    // sets the chapter and opens the screen.
    QWidget* openRetest(std::int16_t chapter);
    static ScreenId retestScreen(std::int16_t chapter);

    QWidget* lastOpened() const { return lastOpened_; }

    // Ends the program: every open screen closes without a question, then
    // `quit` runs (by default the application's event loop ends).
    void endProgram();
    bool ending() const { return ending_; }
    void setQuit(std::function<void()> quit) { quit_ = std::move(quit); }

private:
    Session& session_;
    std::map<ScreenId, Factory> factories_;
    QPointer<QWidget> lastOpened_;
    QList<QPointer<QWidget>> opened_;
    bool ending_ = false;
    std::function<void()> quit_;
};

}  // namespace korvel
