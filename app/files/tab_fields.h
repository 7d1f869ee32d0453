// Reading TAB-separated lines of the content files field by field.
#pragma once

#include <QString>

#include <cstdint>

namespace korvel {

// Walks a line from field to field. Each field runs from after the previous
// TAB to the next one; once no further TAB follows, the field runs to the end
// of the line and every later field is empty.
class TabCursor {
public:
    explicit TabCursor(QString line) : line_(std::move(line)) {}

    // The next field; empty once the line is used up.
    QString next();
    // True when a TAB follows the current position (the next field is not the last).
    bool tabFollows() const;
    bool atEnd() const { return pos_ > line_.size(); }

private:
    QString line_;
    qsizetype pos_ = 0;
};

// The number the text starts with (after leading blanks: sign, digits, a
// fraction), 0 when it starts with none, as the content readers parse numbers.
double leadingNumber(const QString& text);
// leadingNumber truncated toward zero and held to the 16-bit range.
std::int16_t leadingInt16(const QString& text);

}  // namespace korvel
