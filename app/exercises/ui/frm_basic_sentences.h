// frm基本文: the basic sentences of a chapter with the screen's options;
// clicking a row opens the sentence study aid for that sentence.
#pragma once

#include "app/desktop/ui/form_base.h"
#include "app/exercises/ui/frm_sentence_aid.h"
#include "app/exercises/ui/screen_parts.h"

#include <QPointer>

#include <memory>
#include <vector>

class QLabel;
class QSpinBox;
class QTableWidget;

namespace korvel {

class EngineBinding;
class FunctionBar;
class SoundOut;

class frm基本文 : public FormBase {
public:
    // `engine` null: the run's shared engine binding.
    frm基本文(Navigator& navigator, SoundOut* sound = nullptr, EngineBinding* engine = nullptr);

    QLabel* LabelCaption = nullptr;
    YesNo OptionSound;
    YesNo OptionEnglish;
    YesNo OptionSpeed;  // 0 normal, 1 "ゆっくり"
    QSpinBox* SpinChapter = nullptr;
    QTableWidget* GridSentences = nullptr;
    FunctionBar* Bar = nullptr;

    const std::vector<SentenceEntry>& sentences() const { return sentences_; }
    frm基本文おたすけ* aid() const { return aid_; }
    void openAid(int row);

private:
    void load();
    EngineBinding& engineBinding();

    std::unique_ptr<SoundOut> ownSound_;
    SoundOut* sound_;
    EngineBinding* engine_;
    std::vector<SentenceEntry> sentences_;
    QPointer<frm基本文おたすけ> aid_;
};

}  // namespace korvel
