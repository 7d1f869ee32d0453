// The comment table: rows 1 to 16 the built-in correction messages, rows 17 to
// 600 the Japanese comments of "JisGlobal.xvt" (comment ID n in row n + 16),
// read by set_GlobalComm. The record screens name the comments a learner
// received from it.
#pragma once

#include "app/correction/message_table.h"

#include <QString>

#include <array>
#include <cstdint>

namespace korvel {

class Session;

inline constexpr int kCommentRows = 601;  // 0 to 600
inline constexpr int kBuiltInMessages = 16;
inline constexpr int kGlobalCommentBase = 10000;  // log numbers of global comments start here
inline constexpr int kCommentContentWidth = 200;
inline constexpr int kCommentPathWidth = 40;
inline constexpr int kCategoryDepth = 11;  // stack entries 0 to 10
inline constexpr int kPathLevels = 4;

struct CommentRow {
    std::int16_t number = 0;
    QString content;  // at most 200 characters
    QString path;     // category path and the comment's name, at most 40 characters
};

class CommentTable {
public:
    // Rows 1 to 16 take the built-in messages and paths, the contents of rows
    // 17 to 516 are cleared and the number of all these rows is set to 0.
    void prepare(const MessageTable& messages);

    const CommentRow& row(int n) const { return rows_.at(static_cast<std::size_t>(n)); }
    CommentRow& row(int n) { return rows_.at(static_cast<std::size_t>(n)); }
    // The row a comment number of the learning log names: 1 to 16 the
    // built-in messages, 10,000 + n the global comment n (row n + 16); null
    // for any other number or a row past the table.
    const CommentRow* received(int number) const;

private:
    std::array<CommentRow, kCommentRows> rows_{};
};

enum class GlobalCommStatus {
    Loaded,
    Unreadable,  // reported through dsp_ErrorMsg row 4
    NotGlobal,   // the caller shows its message and ends the program
};

// Reads "JisGlobal.xvt" of the content root into the table. Loading stops at a
// comment whose row would be past 600; the rows stored before stay.
GlobalCommStatus set_GlobalComm(Session& session, CommentTable& table);
// The same from a file's text, for callers that hold it already.
GlobalCommStatus readGlobalComments(const QString& joined, CommentTable& table);
// The lines of the file joined as the reader sees them: with one blank after
// each line when the first line is exactly one character long, else with
// nothing between them.
QString joinGlobalLines(const QStringList& lines);

// The message of a file that is not a global comment file.
QString notGlobalTitle();
QString notGlobalText();

}  // namespace korvel
