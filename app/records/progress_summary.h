// The learner's progress at a glance, from the four learning logs and the
// course tables: per chapter the share of words, compositions and listening
// sentences mastered, the right answers of the test runs day by day, and the
// comments the corrections gave most often. Widget-free; the charts screen
// only shows what this holds.
//
// An item's state is its newest log record (right: mastered). Items are
// counted in the chapter the course gives them, so the re-tests (98 words,
// 99 compositions, 100 listening) count towards the real chapters of their
// items. Spoken phrases ("話し言葉") are never tested and not counted, nor
// listening rows without English text or left out of the quiz.
#pragma once

#include "app/records/log_records.h"

#include <QDate>
#include <QDateTime>
#include <QString>

#include <array>
#include <cstdint>
#include <vector>

namespace korvel {

class CommentTable;
class Session;

struct KindProgress {
    int right = 0;  // newest result right
    int wrong = 0;  // newest result wrong
    int untested = 0;

    int total() const { return right + wrong + untested; }
    // right / total * 100; 0 when the chapter has no item of the kind.
    double masteredPercent() const;
};

struct ChapterProgress {
    int chapter = 0;  // 1..28
    KindProgress words;
    KindProgress compositions;
    KindProgress listening;
};

// The test runs of one day, by kind (index 0 word test, 1 composition test,
// 2 listening quiz), re-test runs included.
struct DayResults {
    QDate day;
    std::array<int, 3> right{};
    std::array<int, 3> answered{};  // right + wrong
    int runs = 0;

    int totalRight() const { return right[0] + right[1] + right[2]; }
    int totalAnswered() const { return answered[0] + answered[1] + answered[2]; }
};

// One comment number the learner received, with what the comment table says
// of it. Numbers of 10,000 and more are global comments (ID number - 10,000);
// 1 to 16 are the built-in correction messages; others are comments of the
// exercise's own template, which the table does not hold (no text).
struct CommentCount {
    int number = 0;
    int count = 0;
    bool global = false;
    QString text;      // the Japanese comment
    QString category;  // the category path, without the comment's name
    QString name;      // the comment's name (the last part of its path)
    QDateTime last;    // the newest correction that gave it
};

inline constexpr int kTopComments = 10;
inline constexpr int kShownDays = 20;  // the most recent study days shown

struct ProgressSummary {
    std::array<ChapterProgress, 28> chapters{};
    std::vector<DayResults> days;           // oldest first, at most kShownDays
    int daysLeftOut = 0;                    // older study days not in `days`
    std::vector<CommentCount> topComments;  // most frequent first, at most kTopComments
    bool anyRecord = false;                 // some log holds at least one record

    const ChapterProgress& chapter(int n) const { return chapters.at(static_cast<std::size_t>(n - 1)); }
};

// Reads the course tables, the four logs of the current learner and the
// global comments. A missing log is an empty one; a file that cannot be read
// is reported through the common error report and counts as empty.
ProgressSummary summariseProgress(Session& session);

// The parts of the summary, from records already read (newest first, as the
// readers give them).
std::vector<DayResults> resultsByDay(const std::vector<UserLogRecord>& newestFirst, int* daysLeftOut = nullptr);
std::vector<CommentCount> mostFrequentComments(const std::vector<SentLogRecord>& newestFirst, const CommentTable& table,
                                               int limit = kTopComments);
// What the table says of one comment number.
CommentCount describeComment(const CommentTable& table, int number);
// The comment's line on the chart: "［category］" and the start of its text
// (at most `textLength` characters, then "…"), or "コメント番号 N" when the
// table has no text for it.
QString commentChartLabel(const CommentCount& comment, int textLength = 24);
// The day as the chart's axis writes it: "mm/dd", with the year in front
// ("yyyy/mm/dd") when `withYear`.
QString dayLabel(const QDate& day, bool withYear);

}  // namespace korvel
