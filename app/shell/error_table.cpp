#include "app/shell/error_table.h"

#include "app/files/sjis_text.h"
#include "app/files/tab_fields.h"

namespace korvel {

namespace {

QString fixedTrimmed(const QString& text, int width)
{
    return sjis::trimBlanks(sjis::trimBlanks(text).left(width));
}

}  // namespace

ErrorMsgRow ErrorMsgTable::parseLine(const QString& line)
{
    ErrorMsgRow row;
    TabCursor fields(line);
    row.number = leadingInt16(fields.next());
    row.kind = fixedTrimmed(fields.next(), 1);
    if (fields.tabFollows()) {
        row.message = fixedTrimmed(fields.next(), 50);
        if (fields.tabFollows()) {
            row.field4 = fixedTrimmed(fields.next(), 20);
            row.field5 = fixedTrimmed(fields.next(), 50);
        }
    }
    return row;
}

bool ErrorMsgTable::load(const QString& path, QString* error)
{
    rows_.clear();
    const sjis::TextFile file = sjis::readLines(path, kMaxRows);
    if (file.status != sjis::ReadStatus::Ok) {
        if (error != nullptr) {
            *error = file.error;
        }
        return false;
    }
    for (const QString& line : file.lines) {
        rows_.append(parseLine(line));
    }
    return true;
}

QString ErrorMsgTable::message(int row) const
{
    if (row < 0 || row >= rows_.size()) {
        return {};
    }
    return rows_[row].message;
}

}  // namespace korvel
