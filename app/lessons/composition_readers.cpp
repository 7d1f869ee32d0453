// The readers of "英作文.txt".
#include "app/files/sjis_text.h"
#include "app/files/tab_fields.h"
#include "app/lessons/composition_lists.h"
#include "app/lessons/content_text.h"
#include "app/lessons/lesson_readers.h"
#include "app/lessons/lesson_reading.h"
#include "app/shell/session.h"

namespace korvel {

using lesson_reading::field;

namespace {

const QString kCompositionFile = QStringLiteral("英作文.txt");

}  // namespace

CompositionEntry parseCompositionRow(const QString& line)
{
    TabCursor cursor(line);
    CompositionEntry entry;
    entry.row = leadingInt16(cursor.next());
    entry.chapter = leadingInt16(cursor.next());
    entry.item = field(cursor.next(), kItemNumberWidth);
    entry.japanese = field(cursor.next(), kJapaneseWidth);
    entry.english = field(unquote_cell(cursor.next(), CellMode::Line), kEnglishWidth);
    return entry;
}

bool get_AllExSent(Session& session, CourseCompositions& compositions)
{
    const QString routine = QStringLiteral("get_AllExSent");
    compositions = CourseCompositions{};
    const auto lines = lesson_reading::lessonLines(session, kCompositionFile, routine);
    if (!lines) {
        return false;
    }
    for (const QString& line : *lines) {
        const CompositionEntry entry = parseCompositionRow(line);
        if (entry.row <= 0) {
            continue;
        }
        if (entry.row > kCourseCompositions) {
            lesson_reading::reportFull(session, kCompositionFile, routine);
            return false;
        }
        compositions.slots[static_cast<std::size_t>(entry.row - 1)] = entry;
        compositions.count = entry.row;
    }
    return true;
}

bool get_ExSentStrNo(Session& session, CompositionStates& states)
{
    const QString routine = QStringLiteral("get_ExSentStrNo");
    const auto lines = lesson_reading::lessonLines(session, kCompositionFile, routine);
    if (!lines) {
        return false;
    }
    const std::int16_t chapter = session.chapter();
    const bool retest = chapter == kRetestCompositions;
    // Rows of the item being read, and whether the item is selected so far.
    std::vector<int> itemRows;
    bool itemSelected = false;
    auto closeItem = [&] {
        for (int row : itemRows) {
            states.at(row).selected = itemSelected ? -1 : 0;
        }
        itemRows.clear();
        itemSelected = false;
    };
    std::int16_t lastChapter = -1;
    QString lastItem;
    for (const QString& line : *lines) {
        const CompositionEntry entry = parseCompositionRow(line);
        if (entry.row <= 0 || !CompositionStates::inTable(entry.row)) {
            continue;
        }
        if (entry.chapter != lastChapter || entry.item != lastItem) {
            closeItem();
            lastChapter = entry.chapter;
            lastItem = entry.item;
        }
        CompositionItemState& state = states.at(entry.row);
        state.row = entry.row;
        state.chapter = entry.chapter;
        state.item = entry.item;
        itemRows.push_back(entry.row);
        if (chapter == kChapterCount) {
            itemSelected = itemSelected || entry.chapter == kChapterCount;
        } else if (retest) {
            itemSelected = itemSelected || (entry.chapter != kChapterCount && state.state == LastWrong);
        } else {
            itemSelected = itemSelected || state.state < LastRight;
        }
    }
    closeItem();
    return true;
}

std::vector<TestListEntry> get_ExSent_test(Session& session, const CompositionStates& states, TestAgain again)
{
    const QString routine = QStringLiteral("get_ExSent_test");
    std::vector<TestListEntry> list;
    const auto lines = lesson_reading::lessonLines(session, kCompositionFile, routine);
    if (!lines) {
        return list;
    }
    const std::int16_t chapter = session.chapter();
    const bool courseChapter = chapter >= 1 && chapter <= kChapterCount;
    const bool always = courseChapter && (again == TestAgain::Yes || chapter == kChapterCount);
    for (const QString& line : *lines) {
        const CompositionEntry entry = parseCompositionRow(line);
        if (entry.row <= 0) {
            continue;
        }
        if (courseChapter && entry.chapter > chapter) {
            break;
        }
        if (courseChapter && entry.chapter != chapter) {
            continue;
        }
        const bool selected = CompositionStates::inTable(entry.row) && states.at(entry.row).selected != 0;
        if (!always && !selected) {
            continue;
        }
        if (list.size() >= static_cast<std::size_t>(kCourseCompositions)) {
            lesson_reading::reportFull(session, kCompositionFile, routine);
            break;
        }
        TestListEntry test;
        test.entry = entry;
        list.push_back(test);
    }
    return list;
}

}  // namespace korvel
