// The fixture of the exercise logic tests: a content root with lesson files
// written by the test, a learner logged in, and the records of a log read
// back byte for byte.
#pragma once

#include "app/records/learning_log.h"
#include "app/shell/session.h"
#include "tests/app/test_support.h"

#include <QFile>
#include <QStringList>

namespace korvel::test {

class ExerciseTest : public AppTest {
protected:
    void SetUp() override
    {
        installCourse();
        writeUsers({userRecordBytes("Taro", -1, -1, ""), userRecordBytes("Hana", -1, -1, "")});
        startSession();
        session->users().get_UserData();
        session->users().chooseLearner(1);
        session->setChapter(1);
    }

    void lessonFile(const QString& name, const QStringList& rows) const
    {
        content.write(QStringLiteral("Lesson/") + name, shiftJis(rows.join(QStringLiteral("\r\n"))));
    }

    // The records of one of the learner's logs, oldest first.
    std::vector<QByteArray> records(LogName log) const
    {
        QFile file(currentLogPath(*session, log));
        std::vector<QByteArray> out;
        if (!file.open(QIODevice::ReadOnly)) {
            return out;
        }
        const QByteArray all = file.readAll();
        const int length = recordLength(log);
        for (qsizetype at = 0; at + length <= all.size(); at += length) {
            out.push_back(all.mid(at, length));
        }
        return out;
    }
};

}  // namespace korvel::test
