// The word readers: "単語.txt" and "例文データ.txt".
#include "app/files/sjis_text.h"
#include "app/files/tab_fields.h"
#include "app/lessons/content_text.h"
#include "app/lessons/lesson_readers.h"
#include "app/lessons/lesson_reading.h"
#include "app/shell/session.h"

namespace korvel {

using lesson_reading::field;

namespace {

const QString kWordFile = QStringLiteral("単語.txt");
const QString kExampleFile = QStringLiteral("例文データ.txt");

// Everything after the cursor's position, TABs included: the last column.
QString restOfLine(TabCursor& cursor)
{
    QString rest = cursor.next();
    while (!cursor.atEnd()) {
        rest += QLatin1Char('\t') + cursor.next();
    }
    return rest;
}

WordEntry parseWordRow(const QString& line)
{
    TabCursor cursor(line);
    WordEntry word;
    word.number = leadingInt16(cursor.next());
    word.chapter = leadingInt16(cursor.next());
    word.listing = leadingInt16(cursor.next());
    word.numberInChapter = sjis::trimBlanks(cursor.next());
    word.meaning = field(cursor.next(), kMeaningWidth);
    word.spelling = field(stripCellQuotes(cursor.next()), kSpellingWidth);
    word.second = field(cursor.next(), kSpellingWidth);
    word.kind = field(restOfLine(cursor), kWordKindWidth);
    return word;
}

// A leading double quote drops the first and the last character.
QString dropEnclosingQuotes(const QString& text)
{
    const QString trimmed = sjis::trimBlanks(text);
    if (trimmed.startsWith(QLatin1Char('"'))) {
        return trimmed.size() >= 2 ? trimmed.mid(1, trimmed.size() - 2) : QString();
    }
    return trimmed;
}

}  // namespace

bool get_AllWord(Session& session, CourseWords& words)
{
    const QString routine = QStringLiteral("get_AllWord");
    words = CourseWords{};
    const auto lines = lesson_reading::lessonLines(session, kWordFile, routine);
    if (!lines) {
        return false;
    }
    for (const QString& line : *lines) {
        const WordEntry word = parseWordRow(line);
        if (word.number <= 0) {
            continue;
        }
        if (word.number > kCourseWords) {
            lesson_reading::reportFull(session, kWordFile, routine);
            return false;
        }
        words.slots[static_cast<std::size_t>(word.number - 1)] = word;
        words.count = word.number;
    }
    return true;
}

std::vector<WordEntry> set_WordText(Session& session, const std::function<bool(std::int16_t)>& leaveOut)
{
    const QString routine = QStringLiteral("set_WordText");
    std::vector<WordEntry> list;
    const auto lines = lesson_reading::lessonLines(session, kWordFile, routine);
    if (!lines) {
        return list;
    }
    const std::int16_t chapter = session.chapter();
    for (const QString& line : *lines) {
        const WordEntry word = parseWordRow(line);
        if (word.number <= 0) {
            if (list.empty()) {
                list.push_back(word);  // the title row
            }
            continue;
        }
        if (word.chapter != chapter || word.listing != 0 || (leaveOut && leaveOut(word.number))) {
            continue;
        }
        if (list.empty()) {
            list.emplace_back();  // no title row in the file: row 0 stays blank
        }
        if (list.size() >= static_cast<std::size_t>(kScreenWords)) {
            lesson_reading::reportFull(session, kWordFile, routine);
            break;
        }
        list.push_back(word);
    }
    return list;
}

std::vector<WordEntry> get_Word(Session& session, const std::function<bool(const WordEntry&)>& take)
{
    const QString routine = QStringLiteral("get_Word");
    std::vector<WordEntry> list;
    const auto lines = lesson_reading::lessonLines(session, kWordFile, routine);
    if (!lines) {
        return list;
    }
    const std::int16_t chapter = session.chapter();
    const bool courseChapter = chapter >= 1 && chapter <= kChapterCount;
    for (const QString& line : *lines) {
        const WordEntry word = parseWordRow(line);
        if (word.number <= 0) {
            continue;
        }
        if (courseChapter && word.chapter > chapter) {
            break;
        }
        if (sjis::trimBlanks(word.kind) == kSpokenPhrase || (take && !take(word))) {
            continue;
        }
        if (list.size() >= static_cast<std::size_t>(kCourseWords)) {
            lesson_reading::reportFull(session, kWordFile, routine);
            break;
        }
        list.push_back(word);
    }
    return list;
}

std::vector<WordExample> set_WordExampe(Session& session)
{
    const QString routine = QStringLiteral("set_WordExampe");
    std::vector<WordExample> list;
    const auto lines = lesson_reading::lessonLines(session, kExampleFile, routine);
    if (!lines) {
        return list;
    }
    const std::int16_t chapter = session.chapter();
    for (qsizetype i = 1; i < lines->size(); ++i) {
        TabCursor cursor((*lines)[i]);
        cursor.next();
        const QString id = sjis::trimBlanks(cursor.next());
        WordExample example;
        example.chapter = leadingInt16(id);
        const qsizetype dash = id.indexOf(QLatin1Char('-'));
        example.number = dash < 0 ? 0 : leadingInt16(id.mid(dash + 1));
        if (example.chapter != chapter) {
            continue;
        }
        example.title = field(dropEnclosingQuotes(cursor.next()), kExampleTitleWidth);
        example.kind = leadingInt16(cursor.next());
        example.text = field(dropEnclosingQuotes(cursor.next()), kExampleTextWidth);
        if (list.size() >= static_cast<std::size_t>(kWordExamples)) {
            lesson_reading::reportFull(session, kExampleFile, routine);
            break;
        }
        list.push_back(example);
    }
    return list;
}

}  // namespace korvel
