// frm聞き取り: the listening quiz screen. The speaker plays the sentence, the
// answer box takes what the learner heard, Enter checks, F10 shows the model,
// "次の聞き取りクイズ" (or Down) goes on; the results so far stand in a grid,
// newest first. ListeningQuiz decides every step.
#pragma once

#include "app/desktop/ui/form_base.h"
#include "app/exercises/listening_quiz.h"
#include "app/exercises/ui/screen_parts.h"

#include <memory>

class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QTableWidget;

namespace korvel {

class FunctionBar;
class SoundOut;

class frm聞き取り : public FormBase {
public:
    frm聞き取り(Navigator& navigator, SoundOut* sound = nullptr);

    QLabel* LabelCaption = nullptr;
    QPushButton* CommandSpeaker = nullptr;
    QLabel* LabelVerdict = nullptr;
    QLabel* LabelModel = nullptr;
    QLabel* LabelPlays = nullptr;
    QLabel* LabelFixed = nullptr;
    QLabel* LabelChapter = nullptr;
    YesNo OptionAgain;
    YesNo OptionSpeed;  // 0 normal, 1 "ゆっくり"
    QSpinBox* SpinChapter = nullptr;
    QLineEdit* TextAnswer = nullptr;
    QPushButton* CommandNext = nullptr;
    QTableWidget* GridResults = nullptr;
    FunctionBar* Bar = nullptr;

    ListeningQuiz& quiz() { return quiz_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    bool handleKey(int key);
    void restart();
    void showState();
    void showResults();
    void play();
    void check();
    void next();
    void chooseFunction(int index);

    ListeningQuiz quiz_;
    std::unique_ptr<SoundOut> ownSound_;
    SoundOut* sound_;
    bool filling_ = false;
    bool left_ = false;
};

}  // namespace korvel
