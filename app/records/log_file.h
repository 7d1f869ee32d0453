// The learner's log files in the user folder: their names, the append of one
// record and the reading of the whole records, newest first.
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

namespace korvel {

enum class LogName { UserLog, WordLog, HExLog, SentLog };

int recordLength(LogName log);
// The writers' spelling: "SentLog" + user number + ".dat".
QString logFileName(LogName log, int user);
// The file in `folder`: an existing file whose name matches regardless of
// letter case (the readers also spell "Sentlog", "sentlog" ...), else the
// writers' spelling.
QString logFilePath(const QString& folder, LogName log, int user);

struct LogAppend {
    bool ok = false;
    QString error;
};
// Appends `record` at record number (whole records) + 1: a partial trailing
// record left by an earlier cut-short write is overwritten. The write is
// complete or the file keeps its length and bytes; the records before it are
// never touched. A missing file is created when its folder exists.
LogAppend appendLogRecord(const QString& path, const QByteArray& record);

struct LogRead {
    bool ok = false;  // the file could be opened (a missing one counts as empty)
    QString error;
    QList<QByteArray> newestFirst;  // whole records only, the last one first
};
// Reads every whole record; a missing file is an empty log when its folder
// exists, a failure when it does not.
LogRead readLogNewestFirst(const QString& path, int recordLength);

}  // namespace korvel
