// frmログイン: the start screen. Its load sets up the run (folders, error
// table, users); then a learner registers or picks a name, gives the ID and
// goes home.
#pragma once

#include "app/desktop/ui/form_base.h"
#include "app/files/user_records.h"
#include "app/shell/login_flow.h"

#include <array>

class QButtonGroup;
class QGridLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QWidget;

namespace korvel {

class frmログイン : public FormBase {
public:
    explicit frmログイン(Navigator& navigator);

    // The controls, named as the screen's design names them (tests drive them).
    QLabel* LabelGuide = nullptr;
    std::array<QRadioButton*, 2> OptionNewUser{};  // 0 registered, 1 new user
    std::array<QRadioButton*, kMaxUsers> OptionUserName{};
    QLabel* LabelUserName = nullptr;
    QLineEdit* TextNewName = nullptr;
    QLabel* LabelPassWord = nullptr;
    QLineEdit* TextPassWord = nullptr;
    std::array<QRadioButton*, 2> OptionFont{};  // 0 "●広げる", 1 "●縮める"
    QLabel* LabelMessage = nullptr;             // the step-by-step guide
    QPushButton* CommandExit = nullptr;
    QPushButton* CommandHome = nullptr;
    QLabel* ImageJacket = nullptr;
    QLabel* LabelClock = nullptr;

    // The slot of the learner behind a list button (-1 for a hidden button).
    int slotOfButton(int button) const { return buttonSlot_[static_cast<std::size_t>(button)]; }
    int columnsInUse() const { return columns_; }

private:
    void buildControls();
    void load();
    void chooseRegistered();
    void chooseNewUser();
    void chooseName(int button);
    void enterName();
    void enterId(bool fromEnter);
    void chooseFont(int option);
    void clearListSelection();
    void hideUserList();
    void hideIdEntry();
    void setNewUserOption(int option);

    LoginFlow flow_;
    QWidget* listBox_ = nullptr;
    QGridLayout* listGrid_ = nullptr;
    QButtonGroup* listGroup_ = nullptr;
    QButtonGroup* modeGroup_ = nullptr;
    std::array<int, kMaxUsers> buttonSlot_{};
    int columns_ = 0;
};

}  // namespace korvel
