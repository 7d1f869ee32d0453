#include "app/records/record_sources.h"

#include "app/correction/message_table.h"
#include "app/lessons/lesson_readers.h"
#include "app/records/learning_log.h"
#include "app/records/log_file.h"
#include "app/shell/session.h"

namespace korvel {

namespace {

enum Need : unsigned {
    Words = 1,
    Compositions = 2,
    Sentences = 4,
    UserLogNeed = 8,
    WordLogNeed = 16,
    SentLogNeed = 32,
    HExLogNeed = 64,
    CommentsNeed = 128,
};

unsigned needsOf(int view)
{
    if (view == 1) {
        return Words | Compositions | Sentences | WordLogNeed | SentLogNeed | HExLogNeed;
    }
    if (view == 2) {
        return UserLogNeed;
    }
    if (view >= 3 && view <= 7) {
        return Words | WordLogNeed;
    }
    if (view >= 8 && view <= 12) {
        return Compositions | SentLogNeed;
    }
    if (view == 13) {
        return SentLogNeed | CommentsNeed;
    }
    if (view >= 14 && view <= 18) {
        return Sentences | HExLogNeed;
    }
    return 0;
}

// The chapter in use for the length of a reader that works on it.
class ChapterScope {
public:
    ChapterScope(Session& session, std::int16_t chapter) : session_(session), saved_(session.chapter())
    {
        session_.setChapter(chapter);
    }
    ~ChapterScope() { session_.setChapter(saved_); }
    ChapterScope(const ChapterScope&) = delete;
    ChapterScope& operator=(const ChapterScope&) = delete;

private:
    Session& session_;
    std::int16_t saved_;
};

// All sentences of the listening quiz: the quiz's own reader over every
// chapter, as the re-quiz reads it.
std::vector<SentenceEntry> get_聞き取り英文(Session& session)
{
    const ChapterScope all(session, kRetestListening);
    return get_聞き取り基本文(session);
}

template <class Record, class Decode, class InTable>
std::optional<std::vector<Record>> readAll(Session& session, LogName log, const QString& routine, std::int16_t row,
                                           Decode decode, InTable inTable)
{
    const QString path = currentLogPath(session, log);
    const LogRead read = readLogNewestFirst(path, recordLength(log));
    if (!read.ok) {
        session.dsp_ErrorMsg(row, routine, path + QStringLiteral(" フォルダー名 "));
        return std::nullopt;
    }
    std::vector<Record> records;
    records.reserve(static_cast<std::size_t>(read.newestFirst.size()));
    for (const QByteArray& bytes : read.newestFirst) {
        Record record = decode(bytes);
        if (!inTable(record)) {
            session.dsp_ErrorMsg(4, routine, path + QStringLiteral(" フォルダー名 "));
            break;
        }
        records.push_back(std::move(record));
    }
    return records;
}

}  // namespace

const SentenceEntry* RecordSources::sentence(int row) const
{
    for (const SentenceEntry& entry : sentences) {
        if (entry.row == row) {
            return &entry;
        }
    }
    return nullptr;
}

const WordEntry* RecordSources::word(int number) const
{
    if (number < 1 || number > kCourseWords) {
        return nullptr;
    }
    const WordEntry& entry = words.slots[static_cast<std::size_t>(number - 1)];
    return entry.number == number ? &entry : nullptr;
}

const CompositionEntry* RecordSources::composition(int row) const
{
    if (row < 1 || row > kCourseCompositions) {
        return nullptr;
    }
    const CompositionEntry& entry = compositions.slots[static_cast<std::size_t>(row - 1)];
    return entry.row == row ? &entry : nullptr;
}

RecordSources loadRecordSources(Session& session, int view)
{
    RecordSources s;
    const unsigned needs = needsOf(view);
    if ((needs & Words) != 0) {
        get_AllWord(session, s.words);
    }
    if ((needs & Compositions) != 0) {
        get_AllExSent(session, s.compositions);
    }
    if ((needs & Sentences) != 0) {
        s.sentences = get_聞き取り英文(session);
    }
    if ((needs & UserLogNeed) != 0) {
        s.userLog = readAll<UserLogRecord>(session, LogName::UserLog, QStringLiteral("get_UserLog"), 4, decodeUserLog,
                                           [](const UserLogRecord&) { return true; });
    }
    if ((needs & WordLogNeed) != 0) {
        s.wordLog =
            readAll<WordLogRecord>(session, LogName::WordLog, QStringLiteral("get_WordLogAll"), 4, decodeWordLog,
                                   [](const WordLogRecord& r) { return r.word >= 1 && r.word <= kCourseWords; });
    }
    if ((needs & SentLogNeed) != 0) {
        const bool list = view >= 8 && view <= 10;
        s.sentLog = readAll<SentLogRecord>(
            session, LogName::SentLog, list ? QStringLiteral("get_SentLog") : QStringLiteral("get_SentLogAll"),
            list ? 3 : 4, decodeSentLog, [](const SentLogRecord& r) { return r.row >= 0 && r.row < 1001; });
    }
    if ((needs & HExLogNeed) != 0) {
        s.hexLog = readAll<HExLogRecord>(session, LogName::HExLog, QStringLiteral("get_HExLogAll"), 4, decodeHExLog,
                                         [](const HExLogRecord& r) { return r.row >= 0 && r.row <= 500; });
    }
    if ((needs & CommentsNeed) != 0) {
        s.comments.prepare(set_MessageTable());
        s.commentStatus = set_GlobalComm(session, s.comments);
    }
    return s;
}

std::map<int, WordLogRecord> newestWordRecords(const std::vector<WordLogRecord>& newestFirst)
{
    std::map<int, WordLogRecord> newest;
    for (const WordLogRecord& record : newestFirst) {
        newest.emplace(record.word, record);
    }
    return newest;
}

std::map<int, SentLogRecord> newestSentRecords(const std::vector<SentLogRecord>& newestFirst)
{
    std::map<int, SentLogRecord> newest;
    for (const SentLogRecord& record : newestFirst) {
        newest.emplace(record.row, record);
    }
    return newest;
}

std::map<int, ListeningRecord> newestListeningRecords(const std::vector<HExLogRecord>& newestFirst)
{
    std::map<int, ListeningRecord> newest;
    for (const HExLogRecord& record : newestFirst) {
        const auto at = newest.try_emplace(record.row, ListeningRecord{record, 0}).first;
        ++at->second.attempts;
    }
    return newest;
}

}  // namespace korvel
