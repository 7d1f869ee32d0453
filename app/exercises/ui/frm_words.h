// frm単語: the words of a chapter in a grid with the screen's three options;
// clicking a row opens the word study aid for that word.
#pragma once

#include "app/desktop/ui/form_base.h"
#include "app/exercises/ui/frm_word_aid.h"
#include "app/exercises/ui/screen_parts.h"
#include "app/exercises/word_study.h"

#include <QPointer>

#include <memory>
#include <vector>

class QLabel;
class QSpinBox;
class QTableWidget;

namespace korvel {

class FunctionBar;
class SoundOut;

class frm単語 : public FormBase {
public:
    frm単語(Navigator& navigator, SoundOut* sound = nullptr);

    QLabel* LabelCaption = nullptr;
    QLabel* LabelFixed = nullptr;
    YesNo OptionReview;
    YesNo OptionEnglish;
    YesNo OptionSound;
    QSpinBox* SpinChapter = nullptr;
    QTableWidget* GridWords = nullptr;
    FunctionBar* Bar = nullptr;

    const std::vector<WordEntry>& words() const { return words_; }
    frm単語おたすけ* aid() const { return aid_; }
    // A click on grid row `row` (1-based, as in the list).
    void openAid(int row);

private:
    void load();
    WordsOptions options() const;

    std::unique_ptr<SoundOut> ownSound_;
    SoundOut* sound_;
    std::vector<WordEntry> words_;
    std::vector<WordExample> examples_;
    QPointer<frm単語おたすけ> aid_;
    bool filling_ = false;
};

}  // namespace korvel
