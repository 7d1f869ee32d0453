// What a screen hands to the correction screen frm添削 and what it gets back.
// Widget-free, so the composition test and its tests build requests without
// the correction screen's header.
#pragma once

#include "app/correction/correction.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <functional>

namespace korvel {

inline constexpr int kMaxSubItems = 11;  // prompts 0 to 10
inline constexpr int kSentLogAnswerWidth = 100;

// One SentLog record's content: the outcome of the first correction of an
// answer submitted from the composition test.
struct SentLogEntry {
    QDateTime when;
    std::int16_t rowNumber = 0;  // the composition row (column 1 of "英作文.txt")
    std::int16_t chapter = 0;    // the item's own chapter
    std::int16_t item = 0;       // the item number within the chapter
    bool right = false;
    QString answer;              // the sentence as typed
    QList<std::int16_t> commentKinds;  // at most 51
};

// Appends SentLog records; the learning records provide the real writer. The
// result is false when the file could not be written (the writer has already
// reported it).
class SentLogWriter {
public:
    virtual ~SentLogWriter() = default;
    virtual bool put_SentLog(const SentLogEntry& entry) = 0;
};

// The outcome of one check as the opening screen reads it.
struct CorrectionOutcome {
    bool made = false;              // a check was made (not refused, not empty)
    std::int16_t errorCount = -1;   // -1 failed or not made, 0 right, else the errors
    std::int16_t quoteFlags = 0;
    bool right = false;
    QString sentence;               // as typed
    QList<std::int16_t> commentKinds;
};

struct CorrectionRequest {
    std::int16_t mode = kModeScreen;
    std::int16_t chapter = 0;       // the item's own chapter (also in the re-test)
    std::int16_t item = 0;          // item number within the chapter
    QStringList prompts;            // the Japanese prompts of the item's rows (at most 11)
    QList<std::int16_t> rowNumbers; // the composition row of each prompt, for the SentLog
    int selected = 0;               // the row being answered
    QString answer;                 // the learner's answer to it
    // Set by the composition test: the first check of the visit is logged.
    bool logRequest = false;
    SentLogWriter* sentLog = nullptr;

    // Called when the screen closes, with the check made on opening (the one
    // the composition test marks) and the latest check of the visit.
    std::function<void(const CorrectionOutcome& opening, const CorrectionOutcome& latest)> onClosed;

    QString exercise() const { return exerciseName(chapter, item); }
    // The item identifier: two-digit chapter, "-", two-digit item ("05-03").
    QString identifier() const
    {
        return QStringLiteral("%1-%2").arg(chapter, 2, 10, QLatin1Char('0')).arg(item, 2, 10, QLatin1Char('0'));
    }
    QString selectedPrompt() const { return selected >= 0 && selected < prompts.size() ? prompts[selected] : QString(); }
};

// The outcome of a check result.
CorrectionOutcome outcomeOf(const CorrectionResult& result);

}  // namespace korvel
