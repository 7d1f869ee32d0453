#include "app/records/progress_summary.h"

#include "app/correction/global_comments.h"
#include "app/correction/message_table.h"
#include "app/files/sjis_text.h"
#include "app/lessons/composition_lists.h"
#include "app/lessons/lesson_readers.h"
#include "app/records/learning_log.h"
#include "app/shell/session.h"

#include <algorithm>
#include <map>
#include <memory>

namespace korvel {

namespace {

KindProgress* kindOf(ProgressSummary& summary, int chapter, KindProgress ChapterProgress::*kind)
{
    if (chapter < 1 || chapter > kChapterCount) {
        return nullptr;
    }
    return &(summary.chapters[static_cast<std::size_t>(chapter - 1)].*kind);
}

void count(KindProgress* kind, bool tested, bool right)
{
    if (kind == nullptr) {
        return;
    }
    if (!tested) {
        ++kind->untested;
    } else if (right) {
        ++kind->right;
    } else {
        ++kind->wrong;
    }
}

// Returns whether any word has a record.
bool countWords(Session& session, ProgressSummary& summary)
{
    CourseWords course;
    get_AllWord(session, course);
    std::vector<WordEntry> words;
    for (const WordEntry& word : course.slots) {
        if (word.number > 0 && sjis::trimBlanks(word.kind) != kSpokenPhrase) {
            words.push_back(word);
        }
    }
    // Every chapter's records: a word answered in the re-test counts in its own chapter.
    get_NGWord(session, words);
    bool any = false;
    for (const WordEntry& word : words) {
        count(kindOf(summary, word.chapter, &ChapterProgress::words), word.tested != 0, word.lastCorrect != 0);
        any = any || word.tested != 0;
    }
    return any;
}

bool countCompositions(Session& session, ProgressSummary& summary)
{
    CourseCompositions course;
    get_AllExSent(session, course);
    CompositionStates states;
    get_NGsent(session, states);
    bool any = false;
    for (const CompositionEntry& entry : course.slots) {
        if (entry.row <= 0 || !CompositionStates::inTable(entry.row)) {
            continue;
        }
        const std::int16_t state = states.at(entry.row).state;
        count(kindOf(summary, entry.chapter, &ChapterProgress::compositions), state != NotTested, state == LastRight);
        any = any || state != NotTested;
    }
    return any;
}

bool countListening(Session& session, ProgressSummary& summary)
{
    // The listening reader takes the current chapter, every chapter in the
    // re-quiz: read as the re-quiz does, then put the learner's chapter back.
    const std::int16_t chapter = session.chapter();
    session.setChapter(kRetestListening);
    const std::vector<SentenceEntry> sentences = get_聞き取り基本文(
        session, [](const SentenceEntry& entry) { return !sjis::trimBlanks(entry.english).isEmpty(); });
    session.setChapter(chapter);
    ListeningStates states{};
    get_HExLog(session, states);
    bool any = false;
    for (const SentenceEntry& entry : sentences) {
        const bool inTable = entry.row >= 0 && entry.row < kListeningRows;
        const ListeningState state = inTable ? states[static_cast<std::size_t>(entry.row)] : ListeningState{};
        count(kindOf(summary, entry.chapter, &ChapterProgress::listening), state.seen != 0, state.right != 0);
        any = any || state.seen != 0;
    }
    return any;
}

int kindIndex(std::int16_t kind)
{
    return kind >= 1 && kind <= 3 ? kind - 1 : -1;
}

}  // namespace

double KindProgress::masteredPercent() const
{
    const int all = total();
    return all == 0 ? 0.0 : 100.0 * right / all;
}

std::vector<DayResults> resultsByDay(const std::vector<UserLogRecord>& newestFirst, int* daysLeftOut)
{
    std::map<QDate, DayResults> byDay;
    for (const UserLogRecord& record : newestFirst) {
        const int kind = kindIndex(record.kind);
        if (kind < 0 || !record.when.isValid()) {
            continue;
        }
        DayResults& day = byDay[record.when.date()];
        day.day = record.when.date();
        const int right = std::max<int>(record.right, 0);
        const int wrong = std::max<int>(record.wrong, 0);
        day.right[static_cast<std::size_t>(kind)] += right;
        day.answered[static_cast<std::size_t>(kind)] += right + wrong;
        ++day.runs;
    }
    std::vector<DayResults> days;
    for (const auto& entry : byDay) {
        days.push_back(entry.second);
    }
    const int leftOut = std::max(0, static_cast<int>(days.size()) - kShownDays);
    days.erase(days.begin(), days.begin() + leftOut);
    if (daysLeftOut != nullptr) {
        *daysLeftOut = leftOut;
    }
    return days;
}

CommentCount describeComment(const CommentTable& table, int number)
{
    CommentCount comment;
    comment.number = number;
    comment.global = number >= kGlobalCommentBase;
    const CommentRow* row = table.received(number);
    if (row == nullptr) {
        return comment;
    }
    comment.text = row->content;
    const qsizetype slash = row->path.lastIndexOf(QLatin1Char('/'));
    comment.category = slash < 0 ? QString() : row->path.left(slash);
    comment.name = row->path.mid(slash + 1);
    return comment;
}

QString commentChartLabel(const CommentCount& comment, int textLength)
{
    QString label;
    if (!comment.category.isEmpty()) {
        label = QStringLiteral("［") + comment.category + QStringLiteral("］");
    }
    const QString text = sjis::trimBlanks(comment.text);
    if (text.isEmpty()) {
        return label + QStringLiteral("コメント番号 ") + QString::number(comment.number);
    }
    return label + (text.size() > textLength ? text.left(textLength) + QStringLiteral("…") : text);
}

QString dayLabel(const QDate& day, bool withYear)
{
    return day.toString(withYear ? QStringLiteral("yyyy/MM/dd") : QStringLiteral("MM/dd"));
}

std::vector<CommentCount> mostFrequentComments(const std::vector<SentLogRecord>& newestFirst, const CommentTable& table,
                                               int limit)
{
    struct Tally {
        int count = 0;
        QDateTime last;
    };
    std::map<int, Tally> tallies;
    for (const SentLogRecord& record : newestFirst) {
        for (const std::int16_t number : record.comments) {
            if (number <= 0) {
                continue;  // unused places
            }
            Tally& tally = tallies[number];
            if (tally.count++ == 0) {
                tally.last = record.when;
            }
        }
    }
    std::vector<std::pair<int, Tally>> ordered(tallies.begin(), tallies.end());
    // Highest frequency first; equal ones by comment number.
    std::stable_sort(ordered.begin(), ordered.end(),
                     [](const auto& a, const auto& b) { return a.second.count > b.second.count; });
    std::vector<CommentCount> top;
    for (const auto& [number, tally] : ordered) {
        if (static_cast<int>(top.size()) >= limit) {
            break;
        }
        CommentCount comment = describeComment(table, number);
        comment.count = tally.count;
        comment.last = tally.last;
        top.push_back(comment);
    }
    return top;
}

ProgressSummary summariseProgress(Session& session)
{
    ProgressSummary summary;
    for (int n = 1; n <= kChapterCount; ++n) {
        summary.chapters[static_cast<std::size_t>(n - 1)].chapter = n;
    }
    const bool words = countWords(session, summary);
    const bool compositions = countCompositions(session, summary);
    const bool listening = countListening(session, summary);

    const std::vector<UserLogRecord> runs = get_UserLog(session);
    summary.days = resultsByDay(runs, &summary.daysLeftOut);

    const std::vector<SentLogRecord> corrections = get_SentLog(session);
    const bool anyComment = std::any_of(corrections.begin(), corrections.end(),
                                        [](const SentLogRecord& record) { return !record.comments.empty(); });
    if (anyComment) {
        // The texts and categories come from the comment table; without the
        // global comment file the chart still shows the numbers.
        auto table = std::make_unique<CommentTable>();
        table->prepare(set_MessageTable());
        if (set_GlobalComm(session, *table) == GlobalCommStatus::NotGlobal) {
            session.prompt().tell(notGlobalTitle(), notGlobalText(), Prompt::Icon::Warning);
        }
        summary.topComments = mostFrequentComments(corrections, *table);
    }
    summary.anyRecord = words || compositions || listening || !runs.empty() || !corrections.empty();
    return summary;
}

}  // namespace korvel
