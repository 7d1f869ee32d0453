// The word test without its screen: the selection of the words, the order,
// the grid's texts, the check of each answer with its WordLog record, the
// counters and the UserLog record (kind 1) on leaving. In the re-test
// (chapter 98) the words of every chapter whose newest answer was wrong.
#pragma once

#include "app/lessons/lesson_entries.h"
#include "app/records/test_run.h"

#include <QString>
#include <QStringList>

#include <cstdint>
#include <vector>

namespace korvel {

class Session;

class WordTest {
public:
    enum Column { kNumberColumn = 0, kJapaneseColumn, kEnglishColumn, kMarkColumn, kRightColumn, kChapterColumn };
    enum class Sound { None, Right, Wrong };
    enum class Key { Up, Down, Enter };

    struct GridRow {
        int entry = 0;     // index into list()
        QString number;    // the row's number in the test
        QString japanese;  // split with a CR when longer than the width
        bool twoLines = false;
        QString answer;
        QString mark;     // "", "○" or "×"
        QString right;    // the spelling, after a wrong answer
        QString chapter;  // the word's chapter, in the re-test
    };

    // `meaningWidth`: characters of the Japanese column before the split.
    explicit WordTest(Session& session, int meaningWidth = 24);

    bool retest() const;
    QString caption() const;
    QStringList columnTitles() const;

    // "1度習得した単語を再テストしますか？" and the order pair; each change
    // restarts the test and is refused once an answer was checked.
    bool testAgain() const { return again_; }
    bool randomOrder() const { return random_; }
    bool setTestAgain(bool yes);
    bool setRandomOrder(bool random);
    bool setChapter(int chapter);
    bool started() const { return started_; }

    void start();

    const std::vector<WordEntry>& list() const { return list_; }
    const std::vector<GridRow>& grid() const { return grid_; }  // row r is grid()[r - 1]
    const TestRun& run() const { return run_; }
    int selectedRow() const { return selected_; }
    void select(int row);

    // A key in the answer box; true when something changed.
    bool key(Key key, const QString& text);
    // The sound after the last check (None before any).
    Sound lastSound() const { return sound_; }
    QString soundFile(Sound sound) const;

    // Leaving: the UserLog record of kind 1 when something was answered.
    void leave();
    // The chapter for function `index` of the function bar; in the re-test the
    // composition test becomes the composition re-test (99), the rest chapter 1.
    std::int16_t chapterForFunction(int index) const;

private:
    bool marked(int row) const;
    void check(const QString& text);

    Session& session_;
    int meaningWidth_;
    bool again_ = false;
    bool random_ = true;
    bool started_ = false;
    std::vector<WordEntry> course_;  // the states, by word number - 1
    std::vector<WordEntry> list_;
    std::vector<GridRow> grid_;
    TestRun run_;
    int selected_ = 0;
    Sound sound_ = Sound::None;
};

// The text split after every `width` characters with a CR (one split at most).
QString splitMeaning(const QString& text, int width, bool* twoLines);

}  // namespace korvel
