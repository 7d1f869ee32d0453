// Pieces the exercise screens share: the heading row with the screen's caption
// and the learner, the function bar's choices, yes/no option pairs, pictures
// that hide when their file is missing, and the feedback colours.
#pragma once

#include "app/desktop/ui/form_base.h"

#include <QColor>
#include <QString>

#include <array>
#include <functional>
#include <memory>

class QBoxLayout;
class QButtonGroup;
class QLabel;
class QRadioButton;
class QVBoxLayout;

namespace korvel {

class FunctionBar;
class Navigator;
class SoundOut;

inline const QColor kRightColour(0, 0, 255);
inline const QColor kWrongColour(255, 0, 0);
inline const QColor kOrangeColour(255, 128, 0);

// The caption label (bold) and the clock and learner's name, in one row.
QLabel* addHeading(FormBase& form, QBoxLayout* outer, bool wide);

// The sound output a screen was given, or else its own media player, made
// into `own` as a child of `owner` (tests hand in a recording output).
SoundOut* soundOrOwn(SoundOut* given, std::unique_ptr<SoundOut>& own, QObject* owner);

// What every exercise screen opens with: the font of its display balance,
// the outer layout, the heading row and the function bar whose choices go
// to `chosen`.
struct ExerciseFrame {
    QVBoxLayout* outer = nullptr;
    QLabel* caption = nullptr;
    FunctionBar* bar = nullptr;
};
ExerciseFrame addExerciseFrame(FormBase& form, Navigator& navigator, bool wide, std::function<void(int)> chosen);

// The function bar's choice from a screen of the current chapter: kHome (-1)
// opens the home screen, an index 0..7 that function's screen; this screen
// closes when the other one opens.
void openFunction(FormBase& form, int index);

// A yes/no pair with its question; button 0 is "はい", 1 "いいえ".
struct YesNo {
    QLabel* question = nullptr;
    std::array<QRadioButton*, 2> buttons{};
    QButtonGroup* group = nullptr;
    bool yes() const;
    void set(bool yes);
    void setEnabled(bool enabled);
};
YesNo addYesNo(QWidget* owner, QBoxLayout* row, const QString& question,
               const QString& yesText = QStringLiteral("はい"), const QString& noText = QStringLiteral("いいえ"));

// Shows the picture, or hides the label when the file cannot be loaded.
void showPicture(QLabel* label, const QString& path, int maxWidth = 0, int maxHeight = 0);

// A label's text in one colour.
void setColouredText(QLabel* label, const QString& text, const QColor& colour);

}  // namespace korvel
