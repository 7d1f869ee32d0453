// What the record screens read: the course tables and the learner's logs, each
// read only when the view needs it, with the common error report on failure.
// Logs are kept newest record first, as the readers scan them.
#pragma once

#include "app/correction/global_comments.h"
#include "app/lessons/lesson_entries.h"
#include "app/records/log_records.h"

#include <map>
#include <optional>
#include <vector>

namespace korvel {

class Session;

struct RecordSources {
    CourseWords words;
    CourseCompositions compositions;
    // Every sentence of the listening quiz, all chapters, in file order.
    std::vector<SentenceEntry> sentences;
    // Empty when not read, or when the log could not be opened (reported).
    std::optional<std::vector<UserLogRecord>> userLog;
    std::optional<std::vector<WordLogRecord>> wordLog;
    std::optional<std::vector<SentLogRecord>> sentLog;
    std::optional<std::vector<HExLogRecord>> hexLog;
    CommentTable comments;
    GlobalCommStatus commentStatus = GlobalCommStatus::Unreadable;

    // The listening sentence of a row number, or null.
    const SentenceEntry* sentence(int row) const;
    // The course word of a number (1..1201), or null when the slot is empty.
    const WordEntry* word(int number) const;
    const CompositionEntry* composition(int row) const;
};

// Reads what `view` (1 to 18) shows. A log that cannot be opened is reported
// with its path + " フォルダー名 " (row 3 for get_SentLog, 4 for the others)
// and stays empty; a missing log in an existing user folder is an empty log.
// A record whose item number lies outside its table (words 1..1201,
// compositions 0..1000, listening rows 0..500) stops the reading of that log
// through the same report: the newer records read before it stay.
RecordSources loadRecordSources(Session& session, int view);

// The newest record of every item, by item number.
std::map<int, WordLogRecord> newestWordRecords(const std::vector<WordLogRecord>& newestFirst);
std::map<int, SentLogRecord> newestSentRecords(const std::vector<SentLogRecord>& newestFirst);
struct ListeningRecord {
    HExLogRecord newest;
    int attempts = 0;  // every record of the row
};
std::map<int, ListeningRecord> newestListeningRecords(const std::vector<HExLogRecord>& newestFirst);

}  // namespace korvel
