// The composition test without its screen: the state table and the test list
// of the chapter, the question order, the grid's texts, what a key in the
// answer box does, the marks after a correction, the counters and the
// UserLog record on leaving. frm英作文テスト shows this and forwards to it.
#pragma once

#include "app/correction/correction.h"
#include "app/lessons/composition_item.h"
#include "app/lessons/composition_lists.h"
#include "app/records/test_run.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace korvel {

class Session;

inline const QString kRightMark = QStringLiteral("○");
inline const QString kWrongMark = QStringLiteral("×");
inline const QString kMasteredMark = QStringLiteral("済");

class CompositionTest {
public:
    // Grid columns; kChapterColumn only in the re-test.
    enum Column { kNumberColumn = 0, kJapaneseColumn = 1, kEnglishColumn = 2, kMarkColumn = 3, kChapterColumn = 4 };

    struct GridRow {
        int entry = 0;     // index into list()
        QString number;    // column 0
        QString japanese;  // column 1, split with a CR when longer than the width
        bool twoLines = false;
        QString answer;   // column 2
        QString mark;     // column 3: "", "○", "×" or "済"
        QString chapter;  // column 4 in the re-test
    };

    // What a returned correction did to the row.
    enum class Mark { None, Right, Wrong };

    // What a key in the answer box leads to.
    struct KeyOutcome {
        enum class Kind { Nothing, Moved, Forbidden, Correct } kind = Kind::Nothing;
        std::optional<CompositionRequest> request;  // with Correct
    };
    enum class Key { Up, Down, Enter };

    // `japaneseWidth`: characters of the Japanese column before the split.
    explicit CompositionTest(Session& session, int japaneseWidth = 28);

    bool retest() const;
    QString caption() const;
    QStringList columnTitles() const;

    // The option "1度習得した英作文を再テストしますか？".
    TestAgain testAgain() const { return again_; }
    // Chapter or option changes restart the test; refused once it has started.
    bool setTestAgain(TestAgain again);
    bool setChapter(int chapter);
    bool started() const { return started_; }

    // Builds the test: counters, states, selection, list, order and grid.
    void start();

    const std::vector<TestListEntry>& list() const { return list_; }
    const std::vector<GridRow>& grid() const { return grid_; }  // grid row r is grid()[r - 1]
    const TestRun& run() const { return run_; }
    const CompositionStates& states() const { return states_; }

    // The selected grid row (1-based; 0 when the grid is empty).
    int selectedRow() const { return selected_; }
    void select(int row);
    // The text the answer box shows for the selected row.
    QString selectedAnswer() const;

    // A key in the answer box holding `text`.
    KeyOutcome key(Key key, const QString& text);
    // The correction of the selected row returned: the mark and the counters.
    // The verdict decides the mark, so an answer whose only fault is its
    // quotation marks is wrong too. The feedback sound is not played here:
    // the correction screen played it when it showed that same check.
    Mark finish(const CompositionResult& result);
    // A click on a grid row: a review request when the row is marked "○" or "×".
    std::optional<CompositionRequest> click(int row);

    // Leaving the screen: the UserLog record (kind 2) when something was answered.
    void leave();
    // The chapter to set when the function bar opens function `index` (0..7);
    // in the re-test the word test becomes the word re-test (98) and every
    // other function chapter 1.
    std::int16_t chapterForFunction(int index) const;

    // The request for the item of grid row `row`.
    CompositionRequest requestFor(int row) const;

private:
    void fillGrid();
    bool marked(int row) const;

    Session& session_;
    int japaneseWidth_;
    TestAgain again_ = TestAgain::No;
    bool started_ = false;
    CompositionStates states_;
    std::vector<TestListEntry> list_;
    std::vector<GridRow> grid_;
    TestRun run_;
    int selected_ = 0;
    int correcting_ = 0;  // the row sent to the correction, 0 for none
};

}  // namespace korvel
