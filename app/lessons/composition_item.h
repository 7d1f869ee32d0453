// What the composition test hands to the correction screen for one item, and
// what it takes back. Plain values, no widgets.
#pragma once

#include <QString>

#include <cstdint>
#include <vector>

namespace korvel {

inline constexpr int kMaxSubItems = 11;  // the rows of one item, 0 to 10

// One row (sub-item) of a composition item.
struct CompositionPromptRow {
    std::int16_t row = 0;  // row number in "英作文.txt", as the SentLog records it
    QString japanese;      // the prompt
    QString model;         // the model answer
    QString answer;        // the learner's answer so far (empty when not answered)
};

struct CompositionRequest {
    enum class Mode : int { Test = 1, ResultOnly = 2, Tool = 3 };

    QString exerciseName;                    // the template: "Lesson" + identifier, e.g. "Lesson01-03"
    QString identifier;                      // "01-03": the item's own chapter and its number
    std::int16_t chapter = 0;                // the item's own chapter (also in the re-test)
    QString item;                            // the item number as written in the file
    std::vector<CompositionPromptRow> rows;  // the item's rows, at most kMaxSubItems
    int selected = 0;                        // the row answered now, an index into rows
    QString answer;                          // the answer to correct (trimmed)
    Mode mode = Mode::Test;
    // Set for a new answer: the first successful correction writes one SentLog
    // record. Cleared for a review of an answer already marked.
    bool logRequest = true;

    const CompositionPromptRow& current() const { return rows.at(static_cast<std::size_t>(selected)); }
};

// The outcome of the check made when the correction screen opened.
struct CompositionResult {
    enum class Verdict { Failed, Right, Wrong };
    // Right: no comment at all (no error and no quotation-mark message).
    Verdict verdict = Verdict::Failed;
    // The engine's error count; -1 when the check failed or was not made.
    // A wrong verdict may come with 0 errors when only the quotation marks are wrong.
    int errorCount = -1;
    std::vector<std::int16_t> commentNumbers;  // the comment kinds, in the order found

    static CompositionResult failed() { return {}; }
};

}  // namespace korvel
