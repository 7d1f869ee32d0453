// Shift-JIS text and fixed-width fields: the one place where the application
// turns file bytes into text and back. Every file korvel or tanduid reads or
// writes goes through these helpers.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>

#include <cstdint>

namespace korvel::sjis {

QString decode(QByteArrayView bytes);
// Characters that Shift-JIS cannot hold become "?".
QByteArray encode(const QString& text);

// True when the text encodes to at most `width` bytes.
bool fits(const QString& text, int width);

// The text encoded, cut to at most `width` bytes without splitting a
// double-byte character, then padded with blanks to exactly `width` bytes.
QByteArray toField(const QString& text, int width);
// A field's bytes decoded as they are stored (padding included).
QString fromField(QByteArrayView field);
// A field's bytes decoded and trimmed of blanks, the form every comparison uses.
QString fromFieldTrimmed(QByteArrayView field);

// The text cut to `width` characters and padded with blanks to it: the
// in-memory fixed-length text of the content tables.
QString fixedText(const QString& text, int width);
// Blanks (only 0x20) removed from both ends, as the content files are trimmed.
QString trimBlanks(const QString& text);

// Splits Shift-JIS file content into lines. A line ends at CR LF or at a lone
// CR; a lone LF stays inside the line (a line break within a spreadsheet cell).
// A last line without terminator counts; an empty file has no lines.
QStringList splitLines(QByteArrayView content);

enum class ReadStatus { Ok, Missing, Unreadable };
struct TextFile {
    ReadStatus status = ReadStatus::Ok;
    QString error;      // the system's description when not Ok
    QStringList lines;  // at most maxLines
};
// Reads a Shift-JIS text file into lines (see splitLines); maxLines < 0 reads all.
TextFile readLines(const QString& path, int maxLines = -1);

// Little-endian 16-bit integers inside a record.
void putInt16(QByteArray& record, int offset, std::int16_t value);
std::int16_t getInt16(QByteArrayView record, int offset);

}  // namespace korvel::sjis
