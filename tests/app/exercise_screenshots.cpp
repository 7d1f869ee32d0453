// Renders the exercise screens and study aids to PNG files with the bundled
// course (chapters 1 to 9), each in a state a learner reaches:
//   korvel_exercise_screenshots OUTPUT_DIR
// Run it under a display (xvfb-run -a korvel_exercise_screenshots out/).
#include "app/correction/engine_binding.h"
#include "app/exercises/sound_out.h"
#include "app/exercises/ui/frm_basic_sentences.h"
#include "app/exercises/ui/frm_glossary.h"
#include "app/exercises/ui/frm_goals.h"
#include "app/exercises/ui/frm_guide.h"
#include "app/exercises/ui/frm_listening.h"
#include "app/exercises/ui/frm_rearrangement.h"
#include "app/exercises/ui/frm_summary.h"
#include "app/exercises/ui/frm_word_aid.h"
#include "app/exercises/ui/frm_word_test.h"
#include "app/exercises/ui/frm_words.h"
#include "app/exercises/ui/page_viewer.h"
#include "app/screen_table.h"
#include "tests/app/core/correction_fixture.h"
#include "tests/app/test_support.h"

#include <QApplication>
#include <QDir>
#include <QDirIterator>
#include <QEventLoop>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
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
        for (const char* folder : {"Lesson", "HTML", "Image"}) {
            QDirIterator files(course + QLatin1Char('/') + QString::fromLatin1(folder), QDir::Files);
            while (files.hasNext()) {
                const QString path = files.next();
                QFile in(path);
                if (in.open(QIODevice::ReadOnly)) {
                    content.write(QString::fromLatin1(folder) + QLatin1Char('/') + QFileInfo(path).fileName(),
                                  in.readAll());
                }
            }
        }
        writeUsers({test::userRecordBytes("Taro Yamada", 0, -1, ""), test::userRecordBytes("Hana", 0, 0, "")});
        random.values = {0.7, 0.2, 0.9, 0.4, 0.1, 0.6};
    }
    Session& start() { return startSession(); }
};

}  // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: korvel_exercise_screenshots OUTPUT_DIR\n");
        return 2;
    }
    const QString out = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(out);
    const QString before = QDir::currentPath();
    Content content;
    content.prepare();
    Session& session = content.start();
    session.users().get_UserData();
    session.users().chooseLearner(0);
    Navigator navigator(session);
    navigator.setQuit([] {});
    registerScreens(navigator);
    Silent silent;
    auto calls = std::make_unique<test::ScriptedZintra>();
    calls->reply = test::shiftJis(test::reportOf(test::span(QStringLiteral("I")) + test::span(QStringLiteral("am")) +
                                                 test::span(QStringLiteral("Ken")) + test::span(QStringLiteral("."))));
    EngineBinding engine(std::move(calls));
    bool ok = true;
    session.setChapter(1);

    {
        frm単語 words(navigator, &silent);
        words.show();
        ok &= save(&words, out + QStringLiteral("/words.png"));
        words.openAid(5);
        words.aid()->TextTyping->setText(QStringLiteral("student"));
        QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
        QApplication::sendEvent(words.aid()->TextTyping, &enter);
        ok &= save(words.aid(), out + QStringLiteral("/word_aid.png"));
        words.openAid(20);
        ok &= save(words.aid(), out + QStringLiteral("/word_aid_spoken.png"));
    }
    {
        frm単語テスト test(navigator, &silent);
        test.show();
        for (const char* answer : {"I", "am", "an", "student"}) {
            test.TextAnswer->setText(QString::fromLatin1(answer));
            QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
            QApplication::sendEvent(test.TextAnswer, &enter);
        }
        ok &= save(&test, out + QStringLiteral("/word_test.png"));
        test.hide();
    }
    {
        frm基本文 sentences(navigator, &silent, &engine);
        sentences.show();
        ok &= save(&sentences, out + QStringLiteral("/basic_sentences.png"));
        sentences.openAid(2);
        sentences.aid()->TextTyping->setText(QStringLiteral("I am Ken."));
        QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
        QApplication::sendEvent(sentences.aid()->TextTyping, &enter);
        ok &= save(sentences.aid(), out + QStringLiteral("/sentence_aid.png"));
        QDir::setCurrent(before);
    }
    {
        frm並べ替え quiz(navigator, &silent);
        quiz.show();
        quiz.CommandNext->click();
        quiz.CommandNext->click();
        ok &= save(&quiz, out + QStringLiteral("/rearrangement.png"));
        quiz.CommandCheck->click();
        ok &= save(&quiz, out + QStringLiteral("/rearrangement_checked.png"));
    }
    {
        frm聞き取り quiz(navigator, &silent);
        quiz.show();
        quiz.CommandSpeaker->click();
        const QString model = quiz.quiz().current()->english;
        QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
        quiz.TextAnswer->setText(QStringLiteral("I am"));
        QApplication::sendEvent(quiz.TextAnswer, &enter);
        quiz.TextAnswer->setText(model);
        QApplication::sendEvent(quiz.TextAnswer, &enter);
        quiz.CommandNext->click();
        quiz.CommandSpeaker->click();
        quiz.CommandNext->click();
        quiz.TextAnswer->setText(QStringLiteral("Hello"));
        QApplication::sendEvent(quiz.TextAnswer, &enter);
        ok &= save(&quiz, out + QStringLiteral("/listening.png"));
        quiz.hide();
    }
    {
        frm学習目標 goals(navigator);
        goals.show();
        ok &= save(&goals, out + QStringLiteral("/goals.png"));
        goals.Pages->showPage(2);
        ok &= save(&goals, out + QStringLiteral("/goals_page2.png"));
    }
    {
        frmまとめ summary(navigator);
        summary.show();
        ok &= save(&summary, out + QStringLiteral("/summary.png"));
    }
    {
        frm用語一覧 glossary(navigator);
        glossary.show();
        glossary.selectRow(4);
        ok &= save(&glossary, out + QStringLiteral("/glossary.png"));
    }
    {
        frm手引き guide(navigator);
        guide.show();
        ok &= save(&guide, out + QStringLiteral("/guide.png"));
    }
    // The narrow display balance.
    session.users().chooseLearner(1);
    session.setChapter(2);
    {
        frm学習目標 goals(navigator);
        goals.show();
        ok &= save(&goals, out + QStringLiteral("/goals_narrow.png"));
    }
    {
        frm単語テスト test(navigator, &silent);
        test.show();
        ok &= save(&test, out + QStringLiteral("/word_test_narrow.png"));
        test.hide();
    }
    navigator.endProgram();
    return ok ? 0 : 1;
}
