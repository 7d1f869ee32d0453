// The seams between the application's logic and the desktop: message boxes,
// the save-file dialog, the clock, the random generator and the end of the
// program. The real versions talk to Qt and the system; tests put scripted
// ones in their place so that whole screen flows run without a person at the
// screen.
#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>

#include <functional>
#include <random>

namespace korvel {

// One message box: a title, a text, a set of buttons; the answer is the
// button pressed.
class Prompt {
public:
    enum class Buttons { Ok, OkCancel, YesNo, YesNoCancel };
    enum class Icon { Information, Question, Warning, Critical };
    enum class Answer { Ok, Cancel, Yes, No };

    virtual ~Prompt() = default;
    // `captions` optionally renames the buttons, in the order of `buttons`.
    virtual Answer ask(const QString& title, const QString& text, Buttons buttons, Icon icon = Icon::Information,
                       const QStringList& captions = {}) = 0;

    void tell(const QString& title, const QString& text, Icon icon = Icon::Information)
    {
        ask(title, text, Buttons::Ok, icon);
    }
};

// The dialog that asks where to save a file.
class FileDialog {
public:
    virtual ~FileDialog() = default;
    // The path chosen, or empty when the learner cancelled. `suggested` is the
    // file name offered first, `filter` the dialog's file-type filter.
    virtual QString saveFileName(const QString& title, const QString& suggested, const QString& filter) = 0;
};

class Clock {
public:
    virtual ~Clock() = default;
    virtual QDateTime now() const = 0;
};

// Uniform values in [0, 1) after a reseed from the clock, as the feedback
// sounds and the question shuffles draw them.
class Random {
public:
    virtual ~Random() = default;
    virtual void reseed(const Clock& clock) = 0;
    virtual double next() = 0;
};

class SystemClock final : public Clock {
public:
    QDateTime now() const override { return QDateTime::currentDateTime(); }
};

class SystemRandom final : public Random {
public:
    void reseed(const Clock& clock) override;
    double next() override;

private:
    std::mt19937_64 engine_{std::random_device{}()};
};

// The current date and time without its seconds: the text of every clock label.
QString clockText(const QDateTime& when);

struct Services {
    Prompt* prompt = nullptr;
    Clock* clock = nullptr;
    Random* random = nullptr;
    FileDialog* fileDialog = nullptr;  // null where no file can be chosen
    // Ends the program at once (all windows closed, nothing further saved).
    std::function<void()> endProgram;
};

}  // namespace korvel
