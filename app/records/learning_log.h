// Writing and reading the learner's logs: the writers append one record each,
// the readers scan from the newest record back so that the newest record of
// an item decides its state. Failures go through the common error report
// with the file's path + " フォルダー名 ": row 3 for the writers and
// get_SentLog, row 4 for the other readers.
#pragma once

#include "app/lessons/composition_lists.h"
#include "app/lessons/lesson_entries.h"
#include "app/records/log_file.h"
#include "app/records/log_records.h"
#include "app/records/test_run.h"

#include <QString>

#include <array>
#include <cstdint>
#include <vector>

namespace korvel {

class Session;

// Writes the run's questions, right and wrong with the current user, name
// and chapter, then sets the answered counter to 0. Nothing is written (and
// false returned) when nothing was answered.
bool put_UserLog(Session& session, TestRun& run, TestKind kind);
bool put_WordLog(Session& session, const WordLogRecord& record);
bool put_HExLog(Session& session, const HExLogRecord& record);
// One composition answer: the item row, its chapter, the answer as typed, the
// verdict and the comment numbers in the order found (the first 51 are kept;
// a right answer has none).
bool put_SentLog(Session& session, std::int16_t row, std::int16_t chapter, const QString& answer, bool right,
                 const std::vector<std::int16_t>& comments);

// The composition states from SentLog: state 1 (last answer wrong) or 2 (right)
// of every row with a record. get_OKsent takes the current chapter only and
// also the last answers; get_NGsent takes every chapter. A row number outside
// 0..1001 stops the reader through the error report; the states read so far
// stay. False when the log could not be read or was stopped.
bool get_OKsent(Session& session, CompositionStates& states);
bool get_NGsent(Session& session, CompositionStates& states);

// The word states from WordLog into `words` (matched by word number): tested,
// last answer right and the last answer. get_WordLog and get_OKWord take the
// current chapter, get_NGWord every chapter. Word numbers outside 1..1201 stop.
bool get_WordLog(Session& session, std::vector<WordEntry>& words);
bool get_OKWord(Session& session, std::vector<WordEntry>& words);
bool get_NGWord(Session& session, std::vector<WordEntry>& words);
// "習得済" (tested, right), "未修得" (tested, wrong) or "未テスト".
QString wordStateText(const WordEntry& word);

struct ListeningState {
    std::int16_t seen = 0;   // -1 when the row has a record
    std::int16_t right = 0;  // the newest record's right flag
    int attempts = 0;        // records of the row
};
inline constexpr int kListeningRows = 501;  // rows 0..500
using ListeningStates = std::array<ListeningState, kListeningRows>;
// The listening states from HExLog; rows outside 0..500 stop.
bool get_HExLog(Session& session, ListeningStates& states);

// Every record of the learner's UserLog and SentLog, newest first, for the
// record screens. get_SentLog reports a failure with row 3.
std::vector<UserLogRecord> get_UserLog(Session& session);
std::vector<SentLogRecord> get_SentLog(Session& session);

// The path of one of the current learner's logs.
QString currentLogPath(const Session& session, LogName log);

}  // namespace korvel
