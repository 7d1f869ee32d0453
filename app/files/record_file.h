// Files of fixed-length records (users file, last-user file, learning logs):
// read whole records only, write one record in place, never truncate.
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

namespace korvel {

struct RecordReadResult {
    bool ok = false;
    bool opened = false;         // the file was opened (a failure came later, while reading)
    bool folderMissing = false;  // the open failed because the folder does not exist
    QString error;               // the system's description when not ok
    qint64 length = 0;           // the file's length in bytes
    qint64 wholeRecords = 0;     // length / record length
    QList<QByteArray> records;   // records 1.. in order, at most maxRecords
};

// Reads the records of a file; a trailing partial record is ignored. With
// `create`, a missing file is created empty (when its folder exists), as a
// random-access open does; otherwise a missing file is an error.
RecordReadResult readRecords(const QString& path, int recordLength, int maxRecords, bool create);

enum class WriteStatus { Ok, OpenFailed, WriteFailed, BeyondEnd };
struct RecordWriteResult {
    WriteStatus status = WriteStatus::Ok;
    QString error;
    bool ok() const { return status == WriteStatus::Ok; }
};

// Writes `record` (exactly recordLength bytes) as record number `number`
// (1-based) without touching any other byte of the file: the file is opened
// for update, never truncated, and the other records stay as they were even
// when the write fails. Record numbers past the first free slot are refused,
// so a write never leaves a gap. A missing file is created when its folder exists.
RecordWriteResult writeRecord(const QString& path, int recordLength, qint64 number, const QByteArray& record);

}  // namespace korvel
