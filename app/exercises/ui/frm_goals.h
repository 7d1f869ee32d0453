// frm学習目標: the chapter's learning goal, its skit picture (the lettered
// skits of chapters 24 to 26 one after the other) and its explanation pages.
#pragma once

#include "app/desktop/ui/form_base.h"

class QLabel;
class QPushButton;
class QSpinBox;

namespace korvel {

class FunctionBar;
class PageViewer;

class frm学習目標 : public FormBase {
public:
    explicit frm学習目標(Navigator& navigator);

    QLabel* LabelCaption = nullptr;
    QLabel* LabelGoal = nullptr;
    QLabel* PictureSkit = nullptr;
    QPushButton* CommandSkit = nullptr;  // the next skit, chapters 24 to 26
    QPushButton* CommandGuide = nullptr;
    QSpinBox* SpinChapter = nullptr;
    PageViewer* Pages = nullptr;
    FunctionBar* Bar = nullptr;

    int skit() const { return skit_; }
    void showSkit(int skit);

private:
    void load();

    int skit_ = 1;
};

}  // namespace korvel
