// The fixture of the record view tests: a small course of two chapters written
// by the test, a learner logged in, and helpers that answer through the
// application's own log writers at a given time.
#pragma once

#include "app/records/learning_log.h"
#include "app/records/record_views.h"
#include "tests/app/core/exercise_fixture.h"

#include <QDir>

namespace korvel::test {

class RecordsTest : public ExerciseTest {
protected:
    void SetUp() override
    {
        ExerciseTest::SetUp();
        lessonFile(QStringLiteral("単語.txt"), {
                                                   QStringLiteral("番号\t章\t表示\t章内\t日本語\t英語\t補足\t種別"),
                                                   QStringLiteral("1\t1\t0\t1\t私は\tI\t\t代名詞"),
                                                   QStringLiteral("2\t1\t0\t2\t少年\tboy\t\t名詞"),
                                                   QStringLiteral("3\t1\t0\t3\tこんにちは\tHello\t\t話し言葉"),
                                                   QStringLiteral("4\t2\t0\t1\tりんご\tapple\t\t名詞"),
                                                   QStringLiteral("5\t2\t0\t2\t本\tBook\t\t名詞"),
                                               });
        lessonFile(QStringLiteral("英作文.txt"), {
                                                     QStringLiteral("番号\t章\t項目\t日本文\t英文"),
                                                     QStringLiteral("1\t1\t1\t私は少年です。\tI am a boy."),
                                                     QStringLiteral("2\t1\t2\tこれは本です。\tThis is a book."),
                                                     QStringLiteral("3\t2\t1\tそれはりんごです。\tIt is an apple."),
                                                 });
        lessonFile(QStringLiteral("基本文.txt"), {
                                                     QStringLiteral("番号\t章\t文\t日本語\t英語\t種別\t別"),
                                                     QStringLiteral("1\t1\t1\t私はトムです。\tI am Tom.\t0\t"),
                                                     QStringLiteral("2\t1\t2\tこんにちは。\tHello.\t10\t"),
                                                     QStringLiteral("3\t2\t1\tそれは本です。\tIt is a book.\t0\t"),
                                                     QStringLiteral("4\t2\t2\tはい。\tYes.\t0\t"),
                                                 });
    }

    void at(int day, int hour = 10, int minute = 0) { clock.at = QDateTime(QDate(2024, 5, day), QTime(hour, minute)); }

    void word(std::int16_t number, std::int16_t chapter, bool right, const QString& answer = QStringLiteral("x"))
    {
        put_WordLog(*session,
                    WordLogRecord{clock.at, number, chapter, static_cast<std::int16_t>(right ? -1 : 0), answer});
    }
    void composition(std::int16_t row, std::int16_t chapter, bool right, const std::vector<std::int16_t>& comments = {},
                     const QString& answer = QStringLiteral("my answer"))
    {
        put_SentLog(*session, row, chapter, answer, right, comments);
    }
    void listening(std::int16_t row, std::int16_t chapter, bool right, std::int16_t plays = 1, std::int16_t checks = 1)
    {
        put_HExLog(*session, HExLogRecord{row, chapter, QStringLiteral("typed"), plays, checks,
                                          static_cast<std::int16_t>(right ? -1 : 0), clock.at});
    }
    void testRun(std::int16_t chapter, TestKind kind, int questions, int right, int wrong)
    {
        const std::int16_t saved = session->chapter();
        session->setChapter(chapter);
        TestRun run;
        run.start(questions);
        for (int i = 0; i < right; ++i) {
            run.settle(true);
        }
        for (int i = 0; i < wrong; ++i) {
            run.settle(false);
        }
        put_UserLog(*session, run, kind);
        session->setChapter(saved);
    }

    RecordGrid view(int number, const RecordViewOptions& options = {})
    {
        return buildRecordView(number, loadRecordSources(*session, number), options);
    }
    // The column of every row.
    static QStringList column(const RecordGrid& grid, int c)
    {
        QStringList out;
        for (const QStringList& row : grid.rows) {
            out << row.value(c);
        }
        return out;
    }
    void installGlobalComments() const
    {
        QFile in(QStringLiteral(KORVEL_COURSE_DIR) + QStringLiteral("/JisGlobal.xvt"));
        ASSERT_TRUE(in.open(QIODevice::ReadOnly));
        content.write(QStringLiteral("JisGlobal.xvt"), in.readAll());
    }
};

}  // namespace korvel::test
