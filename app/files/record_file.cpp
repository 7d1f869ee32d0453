#include "app/files/record_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>

namespace korvel {

namespace {

bool folderExists(const QString& path)
{
    return QFileInfo(QFileInfo(path).absolutePath()).isDir();
}

}  // namespace

RecordReadResult readRecords(const QString& path, int recordLength, int maxRecords, bool create)
{
    RecordReadResult result;
    QFile file(path);
    const bool exists = QFileInfo::exists(path);
    if (!exists && !create) {
        result.error = QStringLiteral("file not found");
        result.folderMissing = !folderExists(path);
        return result;
    }
    // An existing file is only read, so a read-only installation still lists
    // its users; a missing one is created empty as a random-access open would.
    const QIODevice::OpenMode mode = exists ? QIODevice::ReadOnly : QIODevice::ReadWrite;
    if (!file.open(mode)) {
        result.error = file.errorString();
        result.folderMissing = !folderExists(path);
        return result;
    }
    result.opened = true;
    result.length = file.size();
    result.wholeRecords = result.length / recordLength;
    const qint64 wanted = std::min<qint64>(result.wholeRecords, maxRecords);
    for (qint64 i = 0; i < wanted; ++i) {
        QByteArray record = file.read(recordLength);
        if (record.size() != recordLength) {
            result.error = file.errorString();
            result.records.clear();
            return result;
        }
        result.records.append(record);
    }
    result.ok = true;
    return result;
}

RecordWriteResult writeRecord(const QString& path, int recordLength, qint64 number, const QByteArray& record)
{
    RecordWriteResult result;
    if (record.size() != recordLength || number < 1) {
        result.status = WriteStatus::WriteFailed;
        result.error = QStringLiteral("bad record");
        return result;
    }
    QFile file(path);
    // ReadWrite never truncates (WriteOnly would); Unbuffered makes a failing
    // write show at once instead of at close.
    if (!file.open(QIODevice::ReadWrite | QIODevice::Unbuffered)) {
        result.status = WriteStatus::OpenFailed;
        result.error = file.errorString();
        return result;
    }
    const qint64 offset = (number - 1) * recordLength;
    if (offset > file.size()) {
        result.status = WriteStatus::BeyondEnd;
        result.error = QStringLiteral("record %1 lies beyond the end of the file").arg(number);
        return result;
    }
    if (!file.seek(offset) || file.write(record) != recordLength || !file.flush()) {
        result.status = WriteStatus::WriteFailed;
        result.error = file.errorString();
        return result;
    }
    file.close();
    if (file.error() != QFileDevice::NoError) {
        result.status = WriteStatus::WriteFailed;
        result.error = file.errorString();
    }
    return result;
}

}  // namespace korvel
