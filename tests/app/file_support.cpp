#include "tests/app/file_support.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringEncoder>

namespace korvel::test {

TempDir::TempDir()
{
    if (!dir_.isValid()) {
        ADD_FAILURE() << "cannot make a temporary folder";
    }
}

QString TempDir::write(const QString& relative, const QByteArray& bytes) const
{
    const QString path = file(relative);
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile out(path);
    if (!out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size()) {
        ADD_FAILURE() << "cannot write " << path.toStdString();
    }
    return path;
}

QByteArray TempDir::read(const QString& relative) const
{
    QFile in(file(relative));
    if (!in.open(QIODevice::ReadOnly)) {
        return {};
    }
    return in.readAll();
}

bool TempDir::exists(const QString& relative) const
{
    return QFileInfo::exists(file(relative));
}

void TempDir::makeFolder(const QString& relative) const
{
    QDir().mkpath(file(relative));
}

QByteArray le16(std::int16_t value)
{
    const auto bits = static_cast<std::uint16_t>(value);
    QByteArray out;
    out.append(static_cast<char>(bits & 0xFF));
    out.append(static_cast<char>(bits >> 8));
    return out;
}

QByteArray userRecordBytes(const char* name, std::int16_t soundOn, std::int16_t wideDisplay, const char* id)
{
    QByteArray nameField(name);
    nameField.append(20 - nameField.size(), ' ');
    QByteArray idField(id);
    idField.append(8 - idField.size(), ' ');
    return nameField + le16(soundOn) + le16(wideDisplay) + idField;
}

QByteArray shiftJis(const QString& text)
{
    QStringEncoder encoder("Shift_JIS");
    return encoder.encode(text);
}

}  // namespace korvel::test
