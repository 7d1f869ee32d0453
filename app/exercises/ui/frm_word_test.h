// frm単語テスト: the word test screen. The grid asks the Japanese meanings, the
// answer box takes the English, Enter checks and marks the row; what a key
// does is decided by WordTest.
#pragma once

#include "app/desktop/ui/form_base.h"
#include "app/exercises/ui/screen_parts.h"
#include "app/exercises/word_test.h"

#include <memory>

class QLabel;
class QLineEdit;
class QSpinBox;
class QTableWidget;

namespace korvel {

class FunctionBar;
class SoundOut;

class frm単語テスト : public FormBase {
public:
    frm単語テスト(Navigator& navigator, SoundOut* sound = nullptr);

    QLabel* LabelCaption = nullptr;
    QLabel* LabelFixed = nullptr;
    QLabel* LabelCounts = nullptr;
    YesNo OptionAgain;
    YesNo OptionOrder;  // 0 file order, 1 random
    QLabel* LabelChapter = nullptr;
    QSpinBox* SpinChapter = nullptr;
    QTableWidget* GridTest = nullptr;
    QLineEdit* TextAnswer = nullptr;
    FunctionBar* Bar = nullptr;

    WordTest& test() { return test_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void showGrid();
    void showRow(int row);
    void showSelection();
    void showOptions();
    void chooseFunction(int index);

    WordTest test_;
    std::unique_ptr<SoundOut> ownSound_;
    SoundOut* sound_;
    bool filling_ = false;
    bool logged_ = false;
};

}  // namespace korvel
