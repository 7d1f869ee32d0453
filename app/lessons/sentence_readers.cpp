// The readers of "基本文.txt": the basic-sentence screen and the two quizzes.
#include "app/files/sjis_text.h"
#include "app/files/tab_fields.h"
#include "app/lessons/content_text.h"
#include "app/lessons/lesson_readers.h"
#include "app/lessons/lesson_reading.h"
#include "app/shell/session.h"

namespace korvel {

using lesson_reading::field;

namespace {

const QString kSentenceFile = QStringLiteral("基本文.txt");

enum class Use { Screen, Quiz };

// One row; for the quizzes a non-empty column 7 replaces column 5.
SentenceEntry parseSentenceRow(const QString& line, Use use)
{
    const bool screen = use == Use::Screen;
    TabCursor cursor(line);
    SentenceEntry entry;
    entry.row = leadingInt16(cursor.next());
    entry.chapter = leadingInt16(cursor.next());
    entry.number = field(cursor.next(), screen ? kSentenceNumberWidthScreen : kSentenceNumberWidth);
    entry.japanese = field(cursor.next(), kJapaneseWidth);
    entry.english = field(unquote_cell(cursor.next(), CellMode::Line), screen ? kEnglishWidthScreen : kEnglishWidth);
    entry.flags = leadingInt16(cursor.next());
    const QString quizText = field(unquote_cell(cursor.next(), CellMode::Line), kEnglishWidth);
    if (!screen && !quizText.isEmpty()) {
        entry.english = quizText;
    }
    return entry;
}

}  // namespace

std::vector<SentenceEntry> set_Sentence(Session& session)
{
    const QString routine = QStringLiteral("set_Sentence");
    std::vector<SentenceEntry> list;
    const auto lines = lesson_reading::lessonLines(session, kSentenceFile, routine);
    if (!lines) {
        return list;
    }
    const std::int16_t chapter = session.chapter();
    for (const QString& line : *lines) {
        const SentenceEntry entry = parseSentenceRow(line, Use::Screen);
        if (entry.row <= 0) {
            if (list.empty()) {
                list.push_back(entry);  // the title row
            }
            continue;
        }
        if (entry.chapter > chapter) {
            break;
        }
        if (entry.chapter != chapter) {
            continue;
        }
        if (list.empty()) {
            list.emplace_back();
        }
        if (list.size() >= static_cast<std::size_t>(kScreenSentences)) {
            lesson_reading::reportFull(session, kSentenceFile, routine);
            break;
        }
        list.push_back(entry);
    }
    return list;
}

std::vector<SentenceEntry> get_並べ替え基本文(Session& session)
{
    const QString routine = QStringLiteral("get_並べ替え基本文");
    std::vector<SentenceEntry> list;
    const auto lines = lesson_reading::lessonLines(session, kSentenceFile, routine);
    if (!lines) {
        return list;
    }
    const std::int16_t chapter = session.chapter();
    for (const QString& line : *lines) {
        const SentenceEntry entry = parseSentenceRow(line, Use::Quiz);
        if (entry.row <= 0 || entry.chapter != chapter) {
            continue;
        }
        if (list.size() >= static_cast<std::size_t>(kQuizSentences)) {
            lesson_reading::reportFull(session, kSentenceFile, routine);
            break;
        }
        list.push_back(entry);
    }
    return list;
}

std::vector<SentenceEntry> get_聞き取り基本文(Session& session, const std::function<bool(const SentenceEntry&)>& take)
{
    const QString routine = QStringLiteral("get_聞き取り基本文");
    std::vector<SentenceEntry> list;
    const auto lines = lesson_reading::lessonLines(session, kSentenceFile, routine);
    if (!lines) {
        return list;
    }
    const std::int16_t chapter = session.chapter();
    const bool anyChapter = chapter == kRetestListening;
    for (const QString& line : *lines) {
        const SentenceEntry entry = parseSentenceRow(line, Use::Quiz);
        if (entry.row <= 0 || !entry.inListeningQuiz() || (!anyChapter && entry.chapter != chapter)) {
            continue;
        }
        if (take && !take(entry)) {
            continue;
        }
        if (list.size() >= static_cast<std::size_t>(kQuizSentences)) {
            lesson_reading::reportFull(session, kSentenceFile, routine);
            break;
        }
        list.push_back(entry);
    }
    return list;
}

}  // namespace korvel
