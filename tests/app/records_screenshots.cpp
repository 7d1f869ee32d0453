// Renders the record screens to PNG files with the bundled course and logs
// made by the application itself (a word test answered through its screen,
// the other logs through the log writers):
//   korvel_records_screenshots OUTPUT_DIR
// Run it under a display (xvfb-run -a korvel_records_screenshots out/).
#include "app/exercises/sound_out.h"
#include "app/exercises/ui/frm_word_test.h"
#include "app/records/learning_log.h"
#include "app/records/ui/frm_comment.h"
#include "app/records/ui/frm_record_contents.h"
#include "app/records/ui/frm_record_list.h"
#include "app/screen_table.h"
#include "tests/app/test_support.h"

#include <QApplication>
#include <QDir>
#include <QDirIterator>
#include <QEventLoop>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTableWidget>
#include <QTimer>

#include <cstdio>

namespace {

using namespace korvel;

class Silent final : public SoundOut {
public:
    void play(const QString&) override {}
};

void settle()
{
    QEventLoop loop;
    QTimer::singleShot(300, &loop, &QEventLoop::quit);
    loop.exec();
}

bool save(QWidget* widget, const QString& path)
{
    widget->move(0, 0);
    settle();
    const bool ok = widget->grab().save(path);
    std::printf("%s %s\n", ok ? "wrote" : "FAILED", qPrintable(path));
    return ok;
}

class Content : public test::AppTest {
public:
    void TestBody() override {}
    void prepare()
    {
        installCourse();
        const QString course = QStringLiteral(KORVEL_COURSE_DIR);
        QDirIterator files(course + QStringLiteral("/Lesson"), QDir::Files);
        while (files.hasNext()) {
            const QString path = files.next();
            QFile in(path);
            if (in.open(QIODevice::ReadOnly)) {
                content.write(QStringLiteral("Lesson/") + QFileInfo(path).fileName(), in.readAll());
            }
        }
        QFile global(course + QStringLiteral("/JisGlobal.xvt"));
        if (global.open(QIODevice::ReadOnly)) {
            content.write(QStringLiteral("JisGlobal.xvt"), global.readAll());
        }
        writeUsers({test::userRecordBytes("Taro Yamada", 0, -1, "")});
        random.values = {0.0};
    }
    Session& start() { return startSession(); }
    QDateTime now() const { return clock.at; }
    void at(int day, int hour, int minute) { clock.at = QDateTime(QDate(2024, 6, day), QTime(hour, minute)); }
};

void enter(QLineEdit* field, const QString& text)
{
    field->setText(text);
    QKeyEvent key(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(field, &key);
}

}  // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: korvel_records_screenshots OUTPUT_DIR\n");
        return 2;
    }
    const QString out = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(out);
    Content content;
    content.prepare();
    Session& session = content.start();
    session.users().get_UserData();
    session.users().chooseLearner(0);
    Navigator navigator(session);
    navigator.setQuit([] {});
    registerScreens(navigator);
    Silent silent;

    // A word test of chapter 1 answered through its screen: right, right,
    // wrong, right, wrong; leaving it writes the test run.
    content.at(3, 9, 12);
    session.setChapter(1);
    {
        frm単語テスト test(navigator, &silent);
        for (const char* answer : {"I", "am", "an", "student", "teecher"}) {
            enter(test.TextAnswer, QString::fromLatin1(answer));
        }
        test.test().leave();
    }
    // Compositions with the comments their corrections showed.
    content.at(4, 20, 45);
    session.setChapter(1);
    put_SentLog(session, 1, 1, QStringLiteral("I am student."), false, {10007, 4});
    put_SentLog(session, 2, 1, QStringLiteral("I am Ken."), true, {});
    put_SentLog(session, 3, 1, QStringLiteral("Me am an English teacher."), false, {10001, 10007, 1});
    content.at(5, 7, 30);
    put_SentLog(session, 4, 1, QStringLiteral("you are a student."), false, {1, 10002});
    put_SentLog(session, 1, 1, QStringLiteral("I am a student."), true, {});
    TestRun run;
    run.start(9);
    run.settle(true);
    run.settle(false);
    run.settle(false);
    run.settle(false);
    put_UserLog(session, run, TestKind::CompositionTest);
    // Listening sentences of chapter 1.
    for (std::int16_t row = 1; row <= 6; ++row) {
        put_HExLog(session, HExLogRecord{row, 1, QStringLiteral("I am Ken."), static_cast<std::int16_t>(row % 3 + 1),
                                         static_cast<std::int16_t>(row % 2 + 1),
                                         static_cast<std::int16_t>(row % 3 == 0 ? 0 : -1), content.now()});
    }
    run.start(6);
    for (int i = 0; i < 4; ++i) {
        run.settle(true);
    }
    run.settle(false);
    run.settle(false);
    put_UserLog(session, run, TestKind::ListeningQuiz);
    session.setChapter(kRetestWords);
    run.start(2);
    run.settle(true);
    run.settle(false);
    put_UserLog(session, run, TestKind::WordTest);

    bool ok = true;
    {
        frm記録一覧 list(navigator);
        list.show();
        ok &= save(&list, out + QStringLiteral("/record_list.png"));
        list.hide();
    }
    for (const auto& [view, name] : std::vector<std::pair<int, const char*>>{{1, "progress_table"},
                                                                             {2, "test_results"},
                                                                             {3, "word_history"},
                                                                             {5, "words_wrong"},
                                                                             {13, "comments"},
                                                                             {14, "listening_history"}}) {
        frm記録内容 contents(navigator, view);
        contents.show();
        ok &= save(&contents, out + QStringLiteral("/") + QString::fromLatin1(name) + QStringLiteral(".png"));
        if (view == 13) {
            contents.GridRecords->cellClicked(5, 2);  // the longest comment
            settle();
            if (contents.comment() != nullptr) {
                ok &= save(contents.comment(), out + QStringLiteral("/comment.png"));
            }
        }
        contents.hide();
    }
    // The shrunken display balance.
    session.users().setWideDisplay(0);
    {
        frm記録一覧 list(navigator);
        list.show();
        ok &= save(&list, out + QStringLiteral("/record_list_narrow.png"));
        list.hide();
    }
    for (const auto& [view, name] :
         std::vector<std::pair<int, const char*>>{{1, "progress_table_narrow"}, {13, "comments_narrow"}}) {
        frm記録内容 contents(navigator, view);
        contents.show();
        ok &= save(&contents, out + QStringLiteral("/") + QString::fromLatin1(name) + QStringLiteral(".png"));
        contents.hide();
    }
    return ok ? 0 : 1;
}
