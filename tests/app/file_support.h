// Helpers of the tests of the shared file formats: temporary folders and
// file bytes built by hand, independent of the code under test.
#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdint>
#include <ostream>

// Readable failure messages for Qt texts and bytes.
inline void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}
inline void PrintTo(const QByteArray& bytes, std::ostream* out)
{
    *out << "bytes " << bytes.toHex(' ').toStdString();
}

namespace korvel::test {

class TempDir {
public:
    TempDir();
    QString path() const { return dir_.path(); }
    QString file(const QString& relative) const { return dir_.path() + QLatin1Char('/') + relative; }
    // Writes bytes to a file (creating its folders) and returns its full path.
    QString write(const QString& relative, const QByteArray& bytes) const;
    QByteArray read(const QString& relative) const;
    bool exists(const QString& relative) const;
    void makeFolder(const QString& relative) const;

private:
    QTemporaryDir dir_;
};

// One users-file record built byte by byte from ASCII texts, independent of
// the code under test.
QByteArray userRecordBytes(const char* name, std::int16_t soundOn, std::int16_t wideDisplay, const char* id);
// Little-endian bytes of a 16-bit value.
QByteArray le16(std::int16_t value);
// The text in Shift-JIS, as the content files hold it.
QByteArray shiftJis(const QString& text);

}  // namespace korvel::test
