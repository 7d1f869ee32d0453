// What the analysis reads out of an engine report: the sentence items with
// their error codes, candidates and comment numbers, and the comment blocks.
#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <vector>

namespace korvel {

// Application codes beside the engine's: quotation pseudo-items and the
// misplaced-word repair.
inline constexpr int kCodeOpeningMissing = -11;
inline constexpr int kCodeClosingMissing = -12;
inline constexpr int kCodeOpeningWrong = -13;
inline constexpr int kCodeClosingWrong = -14;
inline constexpr int kCodeMisplacedOne = -15;
inline constexpr int kCodeMisplacedSome = -16;
inline constexpr int kCodeIdiom = 576;
inline constexpr int kCodeCorrectBlock = 1600;

inline constexpr int kMaxItems = 30;       // a 31st item is refused (the table has rows 0 to 30)
inline constexpr int kMaxCandidates = 11;  // per item
inline constexpr int kMaxCommentNumbers = 11;
inline constexpr int kMaxCommentBlocks = 51;
inline constexpr int kIdiomClosingGroup = 99;

struct CorrectionItem {
    QString word;            // empty for a missing word
    std::int16_t group = 0;  // 0 not in an idiom; 1..98 position in one; 99 its closing entry
    bool inIdiom = false;    // a word of an idiom block that contained an error
    bool error = false;
    std::int16_t errorNumber = 0;
    int code = 0;
    QStringList candidates;        // at most 11; the first one goes into the corrected sentence
    QList<std::int16_t> comments;  // comment numbers, at most 11

    QString firstCandidate() const { return candidates.isEmpty() ? QString() : candidates.front(); }
};

struct CommentBlock {
    std::int16_t number = 0;
    QString text;
};

// One comment given for an item: its kind (a message number or a comment
// number of the report) and its text.
struct ItemComment {
    int kind = 0;
    QString text;
};

}  // namespace korvel
