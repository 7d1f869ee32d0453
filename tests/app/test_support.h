// Shared helpers of the korvel and tanduid tests: temporary content folders,
// users-file bytes built by hand, and scripted versions of the desktop seams
// (message boxes answered from a queue, a fixed clock, fixed random values).
#pragma once

#include "app/desktop/services.h"
#include "app/shell/session.h"
#include "tests/app/file_support.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdint>
#include <deque>
#include <memory>
#include <ostream>
#include <vector>

namespace korvel::test {

// A message box that answers from a queue: `next` sets the answer of the next
// message box; without a queued answer the first button is pressed.
class ScriptedPrompt final : public Prompt {
public:
    struct Shown {
        QString title;
        QString text;
        Buttons buttons;
        QStringList captions;
    };

    void next(Answer answer) { answers_.push_back(answer); }
    Answer ask(const QString& title, const QString& text, Buttons buttons, Icon icon,
               const QStringList& captions) override;

    const std::vector<Shown>& shown() const { return shown_; }
    const Shown& last() const { return shown_.back(); }
    std::size_t count() const { return shown_.size(); }
    void clear() { shown_.clear(); }
    // Every text shown so far, one per line, for failure messages.
    QString transcript() const;
    std::size_t unusedAnswers() const { return answers_.size(); }

private:
    std::deque<Answer> answers_;
    std::vector<Shown> shown_;
};

// A save dialog that answers with `next` (empty: cancelled) and keeps what it was asked.
class ScriptedFileDialog final : public FileDialog {
public:
    QString next;
    int asked = 0;
    QString lastSuggested;
    QString saveFileName(const QString&, const QString& suggested, const QString&) override
    {
        ++asked;
        lastSuggested = suggested;
        return next;
    }
};

class FixedClock final : public Clock {
public:
    QDateTime at{QDate(2024, 4, 1), QTime(9, 5, 42)};
    QDateTime now() const override { return at; }
};

class SequenceRandom final : public Random {
public:
    std::vector<double> values{0.5};
    int reseeds = 0;
    void reseed(const Clock&) override { ++reseeds; }
    double next() override;

private:
    std::size_t position_ = 0;
};

// A content root in a temporary folder with the seams scripted.
class AppTest : public ::testing::Test {
protected:
    AppTest();

    // Copies the bundled course files (Lesson/ErrorMsg.txt, Lesson/目次.txt)
    // into the content root and makes the user folder.
    void installCourse() const;
    // Writes user.dat from whole records (and any extra trailing bytes).
    void writeUsers(const std::vector<QByteArray>& records, const QByteArray& trailing = {}) const;
    QByteArray usersFile() const { return content.read(QStringLiteral("Korveluser/user.dat")); }
    // A new session on the content root; the error table is loaded unless
    // the caller leaves that to the screen under test.
    Session& startSession(bool loadErrors = true);

    TempDir content;
    ScriptedPrompt prompt;
    FixedClock clock;
    SequenceRandom random;
    ScriptedFileDialog fileDialog;
    int endCalls = 0;
    std::unique_ptr<Session> session;
};

}  // namespace korvel::test
