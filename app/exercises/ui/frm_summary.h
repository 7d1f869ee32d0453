// frmまとめ: the chapter's summary in a read-only text box, with the chapter
// selector (1 to 28; another number goes back to the current chapter).
#pragma once

#include "app/desktop/ui/form_base.h"

class QLabel;
class QPlainTextEdit;
class QSpinBox;

namespace korvel {

class FunctionBar;

class frmまとめ : public FormBase {
public:
    explicit frmまとめ(Navigator& navigator);

    QLabel* LabelCaption = nullptr;
    QSpinBox* SpinChapter = nullptr;
    QPlainTextEdit* TextSummary = nullptr;
    FunctionBar* Bar = nullptr;

private:
    void load();
};

}  // namespace korvel
