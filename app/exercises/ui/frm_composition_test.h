// frm英作文テスト: the composition test screen. It shows the chapter's items
// in a grid, takes the learner's answers in the answer box, has each answer
// corrected by the correction screen and marks the row "○" or "×". What
// happens after a key or a click is decided by CompositionTest. Its first
// opening in a run initialises the engine. The right/wrong sound of an answer
// is played by the correction screen, which shows the verdict first.
#pragma once

#include "app/desktop/ui/form_base.h"
#include "app/exercises/composition_test.h"
#include "app/exercises/correction_handover.h"

#include <array>
#include <functional>

class QLabel;
class QLineEdit;
class QRadioButton;
class QSpinBox;
class QTableWidget;

namespace korvel {

class FunctionBar;

// Opens the correction for one request over the opening screen; `done`
// receives its result once (at once or when the correction screen closes).
using CorrectionOpener = std::function<void(QWidget& opener, const CompositionRequest&, CorrectionHandover::Done done)>;

struct CompositionTestLinks {
    CorrectionOpener correct;
};

class frm英作文テスト : public FormBase {
public:
    static const QColor kWrongCell;  // the background of the mark "×"

    frm英作文テスト(Navigator& navigator, CompositionTestLinks links);

    QLabel* LabelCaption = nullptr;
    QLabel* LabelUser = nullptr;
    QLabel* LabelInstruction = nullptr;
    QLabel* LabelQuote = nullptr;
    QLabel* LabelOption = nullptr;
    QLabel* LabelFixed = nullptr;  // "（テスト開始後は変更不可）"
    QLabel* LabelChapter = nullptr;
    QLabel* LabelNote = nullptr;  // the re-test's note on chapter 28
    QLabel* LabelCounts = nullptr;
    std::array<QRadioButton*, 2> OptionAgain{};  // 0 yes, 1 no
    QSpinBox* SpinChapter = nullptr;
    QTableWidget* GridTest = nullptr;
    QLineEdit* TextAnswer = nullptr;
    FunctionBar* Bar = nullptr;

    CompositionTest& test() { return test_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void buildControls(bool wide);
    void restart();
    void showGrid();
    void showRow(int row);
    void showSelection();
    void showCounts();
    void showOptions();
    void answerKey(CompositionTest::Key key);
    void applyResult(const CompositionResult& result);
    void review(int row);
    void chooseFunction(int index);

    CompositionTest test_;
    CompositionTestLinks links_;
    bool correcting_ = false;
    bool filling_ = false;
    bool logged_ = false;
};

// The correction through the navigator: the request waits in the hand-over and
// the correction screen (ScreenId::Correction) is opened as a modal window of
// the opening screen, near its top left corner. Without a correction screen
// the correction fails (error row 2) and nothing is marked.
CorrectionOpener correctionThroughNavigator(Navigator& navigator);

}  // namespace korvel
