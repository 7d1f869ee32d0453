// The error-message table read from "ErrorMsg.txt": the texts of the common
// error report.
#pragma once

#include <QList>
#include <QString>

#include <cstdint>

namespace korvel {

struct ErrorMsgRow {
    std::int16_t number = 0;
    QString kind;     // 1 character
    QString message;  // up to 50 characters, trimmed: the text the report shows
    QString field4;   // up to 20 characters, trimmed
    QString field5;   // up to 50 characters, trimmed
};

class ErrorMsgTable {
public:
    static constexpr int kMaxRows = 31;

    // Parses one line of the file. Field 1 is a number, field 2 the kind;
    // fields 3 and 4 are taken only when a TAB follows them; field 5 runs from
    // after the fourth TAB to the next TAB or the end of the line.
    static ErrorMsgRow parseLine(const QString& line);

    // Loads the rows of the file, in file order, at most kMaxRows. On failure
    // the table is left empty and `error` receives the system's description.
    bool load(const QString& path, QString* error);

    void clear() { rows_.clear(); }
    int count() const { return static_cast<int>(rows_.size()); }
    // The trimmed message of a row; empty for a row that is not loaded.
    QString message(int row) const;
    const QList<ErrorMsgRow>& rows() const { return rows_; }

private:
    QList<ErrorMsgRow> rows_;
};

}  // namespace korvel
