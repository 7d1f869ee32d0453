// frmホーム and frmホームL: the home screen in its two layouts (normal and
// shrunken display balance) with one behaviour. The learner picks a chapter,
// then a course function for it, on the screen or in the popup frm機能.
#pragma once

#include "app/desktop/ui/form_base.h"
#include "app/lessons/chapter_index.h"

#include <QColor>

#include <array>

class QLabel;
class QPushButton;
class QRadioButton;

namespace korvel {

class frm機能;

class HomeScreen : public FormBase {
public:
    enum class Layout { Wide, Narrow };

    static const QColor kUnselected;  // RGB 192, 255, 192
    static const QColor kSelected;    // RGB 128, 255, 128
    // Chapter buttons 0..27 are chapters 1..28; button 28 is the listening re-quiz (100).
    static constexpr int kRequizButton = 28;

    HomeScreen(Navigator& navigator, Layout layout);

    QLabel* LabelUser = nullptr;
    std::array<QPushButton*, 29> CommandChapter{};
    std::array<QPushButton*, kFunctionCount> CommandFunction{};
    QPushButton* CommandUserName = nullptr;
    QPushButton* CommandGlossary = nullptr;
    QPushButton* CommandLogin = nullptr;
    QPushButton* CommandExit = nullptr;
    QPushButton* CommandHint = nullptr;
    std::array<QRadioButton*, 2> OptionSound{};  // 0 play, 1 "出さない"

    Layout layout() const { return layout_; }
    // The popup of the chosen chapter (null until a chapter was chosen).
    frm機能* popup() const { return popup_; }
    // The colour a chapter button shows now.
    QColor chapterColour(int button) const;

    // Chapter 1..28 or a re-test number 98, 99, 100 chosen.
    void chooseChapter(int chapter);
    // Function index 0..8 chosen on this screen or in the popup.
    void chooseFunction(int index);
    // The popup closed without a choice.
    void popupClosedWithoutChoice();
    // Whether function index 0..8 may be chosen now.
    bool functionEnabled(int index) const;

private:
    void buildControls();
    void open();
    void paintChapter(int button, bool selected);
    void updateFunctionButtons();
    void placePopup();
    static int buttonOfChapter(int chapter);

    Layout layout_;
    ChapterTitles titles_;
    frm機能* popup_ = nullptr;
};

class frmホーム : public HomeScreen {
public:
    explicit frmホーム(Navigator& navigator) : HomeScreen(navigator, Layout::Wide) {}
};

class frmホームL : public HomeScreen {
public:
    explicit frmホームL(Navigator& navigator) : HomeScreen(navigator, Layout::Narrow) {}
};

}  // namespace korvel
