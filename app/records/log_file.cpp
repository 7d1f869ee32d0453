#include "app/records/log_file.h"

#include "app/records/log_records.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>

namespace korvel {

int recordLength(LogName log)
{
    switch (log) {
    case LogName::UserLog: return kUserLogLength;
    case LogName::WordLog: return kWordLogLength;
    case LogName::HExLog: return kHExLogLength;
    case LogName::SentLog: return kSentLogLength;
    }
    return 0;
}

QString logFileName(LogName log, int user)
{
    static const char* const kNames[] = {"UserLog", "WordLog", "HExLog", "SentLog"};
    return QString::fromLatin1(kNames[static_cast<int>(log)]) + QString::number(user) + QStringLiteral(".dat");
}

QString logFilePath(const QString& folder, LogName log, int user)
{
    const QString wanted = logFileName(log, user);
    const QString exact = folder + QLatin1Char('/') + wanted;
    if (QFileInfo::exists(exact)) {
        return exact;
    }
    const QStringList names = QDir(folder).entryList(QDir::Files);
    for (const QString& name : names) {
        if (name.compare(wanted, Qt::CaseInsensitive) == 0) {
            return folder + QLatin1Char('/') + name;
        }
    }
    return exact;
}

LogAppend appendLogRecord(const QString& path, const QByteArray& record)
{
    LogAppend result;
    QFile file(path);
    // ReadWrite never truncates; Unbuffered makes a failing write show at once.
    if (!file.open(QIODevice::ReadWrite | QIODevice::Unbuffered)) {
        result.error = file.errorString();
        return result;
    }
    const qint64 length = file.size();
    const qint64 offset = length - length % record.size();
    const QByteArray tail = file.seek(offset) ? file.readAll() : QByteArray();
    if (file.seek(offset) && file.write(record) == record.size() && file.flush()) {
        result.ok = true;
        return result;
    }
    result.error = file.errorString();
    // Put the file back as it was: its length, and the bytes after the last
    // whole record (there are none but a partial record's).
    file.resize(length);
    if (!tail.isEmpty() && file.seek(offset)) {
        file.write(tail);
    }
    return result;
}

LogRead readLogNewestFirst(const QString& path, int recordLength)
{
    LogRead result;
    QFile file(path);
    if (!file.exists()) {
        result.ok = QFileInfo(QFileInfo(path).absolutePath()).isDir();
        if (!result.ok) {
            result.error = QStringLiteral("folder not found");
        }
        return result;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        result.error = file.errorString();
        return result;
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        result.error = file.errorString();
        return result;
    }
    const qsizetype count = bytes.size() / recordLength;
    result.newestFirst.reserve(count);
    for (qsizetype i = count; i-- > 0;) {
        result.newestFirst.append(bytes.mid(i * recordLength, recordLength));
    }
    result.ok = true;
    return result;
}

}  // namespace korvel
