#include "app/records/learning_log.h"

#include "app/records/log_file.h"
#include "app/shell/session.h"

#include <map>
#include <optional>

namespace korvel {

namespace {

QString folderDetail(const QString& path)
{
    return path + QStringLiteral(" フォルダー名 ");
}

bool append(Session& session, LogName log, const QByteArray& record, const QString& routine)
{
    const QString path = currentLogPath(session, log);
    if (!appendLogRecord(path, record).ok) {
        session.dsp_ErrorMsg(3, routine, folderDetail(path));
        return false;
    }
    return true;
}

// The log's whole records, newest first, or nothing after the report.
std::optional<QList<QByteArray>> readLog(Session& session, LogName log, const QString& routine, std::int16_t row)
{
    const QString path = currentLogPath(session, log);
    LogRead read = readLogNewestFirst(path, recordLength(log));
    if (!read.ok) {
        session.dsp_ErrorMsg(row, routine, folderDetail(path));
        return std::nullopt;
    }
    return std::move(read.newestFirst);
}

void stopReader(Session& session, LogName log, const QString& routine)
{
    session.dsp_ErrorMsg(4, routine, folderDetail(currentLogPath(session, log)));
}

bool readSentStates(Session& session, CompositionStates& states, bool currentChapterOnly, const QString& routine)
{
    const auto records = readLog(session, LogName::SentLog, routine, 4);
    if (!records) {
        return false;
    }
    std::vector<bool> decided(CompositionStates::kRows, false);
    for (const QByteArray& bytes : *records) {
        const SentLogRecord record = decodeSentLog(bytes);
        if (currentChapterOnly && record.chapter != session.chapter()) {
            continue;
        }
        if (!CompositionStates::inTable(record.row)) {
            stopReader(session, LogName::SentLog, routine);
            return false;
        }
        if (decided[static_cast<std::size_t>(record.row)]) {
            continue;
        }
        decided[static_cast<std::size_t>(record.row)] = true;
        CompositionItemState& state = states.at(record.row);
        state.state = record.right != 0 ? LastRight : LastWrong;
        if (currentChapterOnly) {
            state.lastAnswer = record.answer;
        }
    }
    return true;
}

bool readWordStates(Session& session, std::vector<WordEntry>& words, bool currentChapterOnly, const QString& routine)
{
    const auto records = readLog(session, LogName::WordLog, routine, 4);
    if (!records) {
        return false;
    }
    std::map<std::int16_t, WordEntry*> byNumber;
    for (WordEntry& word : words) {
        if (word.number > 0) {
            byNumber.emplace(word.number, &word);
        }
    }
    std::vector<bool> decided(kCourseWords + 1, false);
    for (const QByteArray& bytes : *records) {
        const WordLogRecord record = decodeWordLog(bytes);
        if (currentChapterOnly && record.chapter != session.chapter()) {
            continue;
        }
        if (record.word < 1 || record.word > kCourseWords) {
            stopReader(session, LogName::WordLog, routine);
            return false;
        }
        if (decided[static_cast<std::size_t>(record.word)]) {
            continue;
        }
        decided[static_cast<std::size_t>(record.word)] = true;
        const auto found = byNumber.find(record.word);
        if (found != byNumber.end()) {
            found->second->tested = -1;
            found->second->lastCorrect = record.right != 0 ? -1 : 0;
            found->second->lastAnswer = record.answer;
        }
    }
    return true;
}

template <class Record, class Decode>
std::vector<Record> listLog(Session& session, LogName log, const QString& routine, std::int16_t row, Decode decode)
{
    std::vector<Record> list;
    const auto records = readLog(session, log, routine, row);
    if (records) {
        for (const QByteArray& bytes : *records) {
            list.push_back(decode(bytes));
        }
    }
    return list;
}

}  // namespace

std::vector<UserLogRecord> get_UserLog(Session& session)
{
    return listLog<UserLogRecord>(session, LogName::UserLog, QStringLiteral("get_UserLog"), 4, decodeUserLog);
}

std::vector<SentLogRecord> get_SentLog(Session& session)
{
    return listLog<SentLogRecord>(session, LogName::SentLog, QStringLiteral("get_SentLog"), 3, decodeSentLog);
}

QString currentLogPath(const Session& session, LogName log)
{
    return logFilePath(session.folders().userFolder, log, session.currentUser().index);
}

bool put_UserLog(Session& session, TestRun& run, TestKind kind)
{
    if (run.answered == 0) {
        return false;
    }
    UserLogRecord record;
    record.when = session.clock().now();
    record.user = session.currentUser().index;
    record.name = session.currentUser().name.trimmed();
    record.chapter = session.chapter();
    record.kind = static_cast<std::int16_t>(kind);
    record.questions = run.questions;
    record.right = run.right;
    record.wrong = run.wrong;
    const bool ok = append(session, LogName::UserLog, encode(record), QStringLiteral("put_UserLog"));
    run.answered = 0;
    return ok;
}

bool put_WordLog(Session& session, const WordLogRecord& record)
{
    return append(session, LogName::WordLog, encode(record), QStringLiteral("put_WordLog"));
}

bool put_HExLog(Session& session, const HExLogRecord& record)
{
    return append(session, LogName::HExLog, encode(record), QStringLiteral("put_HExLog"));
}

bool put_SentLog(Session& session, std::int16_t row, std::int16_t chapter, const QString& answer, bool right,
                 const std::vector<std::int16_t>& comments)
{
    SentLogRecord record;
    record.when = session.clock().now();
    record.row = row;
    record.chapter = chapter;
    record.right = right ? -1 : 0;
    record.answer = answer;
    record.comments = comments;
    return append(session, LogName::SentLog, encode(record), QStringLiteral("put_SentLog"));
}

bool get_OKsent(Session& session, CompositionStates& states)
{
    return readSentStates(session, states, true, QStringLiteral("get_OKsent"));
}

bool get_NGsent(Session& session, CompositionStates& states)
{
    return readSentStates(session, states, false, QStringLiteral("get_NGsent"));
}

bool get_WordLog(Session& session, std::vector<WordEntry>& words)
{
    return readWordStates(session, words, true, QStringLiteral("get_WordLog"));
}

bool get_OKWord(Session& session, std::vector<WordEntry>& words)
{
    return readWordStates(session, words, true, QStringLiteral("get_OKWord"));
}

bool get_NGWord(Session& session, std::vector<WordEntry>& words)
{
    return readWordStates(session, words, false, QStringLiteral("get_NGWord"));
}

QString wordStateText(const WordEntry& word)
{
    if (word.tested == 0) {
        return QStringLiteral("未テスト");
    }
    return word.lastCorrect != 0 ? QStringLiteral("習得済") : QStringLiteral("未修得");
}

bool get_HExLog(Session& session, ListeningStates& states)
{
    const QString routine = QStringLiteral("get_HExLog");
    const auto records = readLog(session, LogName::HExLog, routine, 4);
    if (!records) {
        return false;
    }
    for (const QByteArray& bytes : *records) {
        const HExLogRecord record = decodeHExLog(bytes);
        if (record.row < 0 || record.row >= kListeningRows) {
            stopReader(session, LogName::HExLog, routine);
            return false;
        }
        ListeningState& state = states[static_cast<std::size_t>(record.row)];
        if (state.seen == 0) {
            state.seen = -1;
            state.right = record.right != 0 ? -1 : 0;
        }
        ++state.attempts;
    }
    return true;
}

}  // namespace korvel
