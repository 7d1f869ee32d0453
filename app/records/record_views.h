// The 18 views of the record screens: their captions, the options that apply
// to each, the re-tests of views 5, 10 and 16, and the building of a view's
// grid from the record sources.
#pragma once

#include "app/records/record_grid.h"
#include "app/records/record_sources.h"

#include <QString>

#include <cstdint>

namespace korvel {

inline constexpr int kRecordViewCount = 18;

// The caption of a view's button, which also titles the contents screen.
// View 13 has two lines, separated by LF.
QString recordViewCaption(int view);
// The caption on one line (the line break made a blank), for window titles.
QString recordViewTitle(int view);

enum class RecordOrder { NewestFirst, OldestFirst };
enum class CommentSort { Frequency, Id };
enum class WordSort { JapaneseId, English };

struct RecordViewOptions {
    RecordOrder order = RecordOrder::NewestFirst;      // the history views 2, 3, 8, 14
    bool showAnswers = true;                           // "正解を表示": the English of views 3 to 12
    CommentSort commentSort = CommentSort::Frequency;  // view 13
    WordSort wordSort = WordSort::JapaneseId;          // views 4 to 7
};

bool viewHasOrder(int view);
bool viewHasAnswerOption(int view);
bool viewHasWordSort(int view);
bool viewHasCommentSort(int view);

// The re-test of a view: chapter 98 (view 5), 99 (view 10), 100 (view 16),
// else 0; its button caption and the text beside it.
std::int16_t retestChapter(int view);
QString retestCaption(int view);
QString retestText(int view);
// The text over the comment view.
QString commentViewText();

// The grid of a view: title rows, then the rows. Without the logs the view
// needs (they could not be read) the grid holds only its title rows.
RecordGrid buildRecordView(int view, const RecordSources& sources, const RecordViewOptions& options);

// The learning state of an item: "済" (newest result right), "学習中" (tested,
// newest result wrong), "未習" (never tested).
QString learningStateText(bool tested, bool right);

// The view handed from the record list to the contents screen.
class RecordViewChoice {
public:
    static void set(int view) { view_ = view; }
    static int get() { return view_; }

private:
    static inline int view_ = 1;
};

}  // namespace korvel
