// The composition test's lists built from "英作文.txt": the course item state
// table with its selection, and the test list in file order.
#pragma once

#include "app/lessons/lesson_entries.h"

#include <QString>

#include <cstdint>
#include <vector>

namespace korvel {

class Session;

// The learning state of a composition row, from the SentLog.
enum CompositionState : std::int16_t { NotTested = 0, LastWrong = 1, LastRight = 2 };

struct CompositionItemState {
    std::int16_t row = 0;
    std::int16_t chapter = 0;
    QString item;
    std::int16_t selected = 0;  // -1 selected for the test
    std::int16_t state = NotTested;
    QString lastAnswer;
};

// One entry per row number 0..1001 (a row's number is its index).
struct CompositionStates {
    static constexpr int kRows = kCourseCompositions + 1;
    std::vector<CompositionItemState> rows = std::vector<CompositionItemState>(kRows);

    static bool inTable(int row) { return row >= 0 && row < kRows; }
    CompositionItemState& at(int row) { return rows[static_cast<std::size_t>(row)]; }
    const CompositionItemState& at(int row) const { return rows[static_cast<std::size_t>(row)]; }
    void clear() { rows.assign(kRows, CompositionItemState{}); }
};

struct TestListEntry {
    CompositionEntry entry;
    std::int16_t right = 0;   // -1 when answered right in this test
    std::int16_t tested = 0;  // -1 once answered in this test
    QString text;
};

// The option "1度習得した英作文を再テストしますか？": yes tests everything again.
enum class TestAgain { Yes, No };

// Marks the selected rows, item by item (the rows of an item are consecutive
// and share chapter and item number): chapter 28 selects all of its rows; the
// re-test (99) skips chapter 28 and selects an item with a row last answered
// wrong; any other chapter selects an item with a row never answered right.
// False when the file could not be read (the report was shown).
bool get_ExSentStrNo(Session& session, CompositionStates& states);

// The test list: rows with a number of 1 or more; for chapters 1 to 28 the
// current chapter's rows, reading no further than its last; a row enters when
// it is selected, or always with the option yes and in chapter 28. At most 1001.
std::vector<TestListEntry> get_ExSent_test(Session& session, const CompositionStates& states, TestAgain again);

// One row of "英作文.txt".
CompositionEntry parseCompositionRow(const QString& line);

}  // namespace korvel
