// frm並べ替え: the rearrangement quiz screen. The Japanese translation above a
// row of word cards that the learner drags with the mouse; on release the
// cards are put in order of their positions. "チェック" checks and
// "次の並べ替えクイズ" goes on; RearrangementQuiz decides both.
#pragma once

#include "app/desktop/ui/form_base.h"
#include "app/exercises/rearrangement.h"

#include <QPoint>

#include <memory>
#include <vector>

class QLabel;
class QPushButton;
class QSpinBox;

namespace korvel {

class FunctionBar;
class SoundOut;

class frm並べ替え : public FormBase {
public:
    static constexpr int kCardGap = 13;  // 200 twips at 96 dots per inch

    frm並べ替え(Navigator& navigator, SoundOut* sound = nullptr);

    QLabel* LabelCaption = nullptr;
    QLabel* LabelQuestion = nullptr;
    QLabel* LabelResult = nullptr;
    QSpinBox* SpinChapter = nullptr;
    QWidget* Board = nullptr;
    std::vector<QLabel*> LabelCard;  // in their order on the board
    QPushButton* CommandCheck = nullptr;
    QPushButton* CommandNext = nullptr;
    FunctionBar* Bar = nullptr;

    RearrangementQuiz& quiz() { return quiz_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showQuestion();
    void layoutCards();
    void check();

    RearrangementQuiz quiz_;
    std::unique_ptr<SoundOut> ownSound_;
    SoundOut* sound_;
    QLabel* dragged_ = nullptr;
    QPoint grip_;
};

}  // namespace korvel
