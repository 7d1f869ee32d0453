// frmユーザ名: the logged-in learner changes the user name, the user ID or
// both; a new name may keep or drop the results so far.
#pragma once

#include "app/desktop/ui/form_base.h"
#include "app/shell/rename_flow.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace korvel {

class frmユーザ名 : public FormBase {
public:
    explicit frmユーザ名(Navigator& navigator);

    QLabel* LabelCurrentName = nullptr;
    QLabel* LabelCurrentId = nullptr;
    QLineEdit* TextNewName = nullptr;
    QLineEdit* TextNewId = nullptr;
    QLabel* LabelResult = nullptr;
    QPushButton* CommandChange = nullptr;
    QPushButton* CommandReturn = nullptr;
    QPushButton* CommandExit = nullptr;

private:
    void buildControls();
    void showCurrent();
    void change();
    void enterName();
    void enterId();

    RenameFlow flow_;
};

}  // namespace korvel
