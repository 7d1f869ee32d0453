// The composition test end to end over the real engine: the bundled course of
// data/course, libzintra.so of this build with the bundled engine data and
// the chapter templates. A learner logs in, opens chapter 1's composition
// test from the home screen, answers one item wrongly and one rightly; each
// answer opens the real frm添削, whose result comes back as the mark.
#include "app/correction/engine_binding.h"
#include "app/correction/ui/frm_correction.h"
#include "app/correction/ui/result_picture.h"
#include "app/correction/ui/screen_audio.h"
#include "app/exercises/ui/frm_composition_test.h"
#include "app/exercises/ui/frm_goals.h"
#include "app/exercises/ui/frm_words.h"
#include "app/exercises/ui/function_bar.h"
#include "app/exercises/ui/page_viewer.h"
#include "app/records/log_records.h"
#include "app/shell/ui/frm_home.h"
#include "app/shell/ui/frm_login.h"
#include "tests/app/ui/screen_fixture.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTest>
#include <QTextBrowser>

#include <gtest/gtest.h>

#ifdef KORVEL_ZINTRA_LIBRARY

namespace korvel {
namespace {

class RecordingAudio final : public AudioOut {
public:
    void play(const QString& path) override { played.push_back(QFileInfo(path).fileName()); }
    QStringList played;
};

void copyTree(const QString& from, const QString& to)
{
    QDirIterator it(from, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString file = it.next();
        const QString target = to + QLatin1Char('/') + QDir(from).relativeFilePath(file);
        QDir().mkpath(QFileInfo(target).path());
        QFile::remove(target);
        ASSERT_TRUE(QFile::copy(file, target)) << target.toStdString();
    }
}

class CompositionEndToEnd : public test::ScreenTest {
protected:
    void SetUp() override
    {
        ScreenTest::SetUp();
        copyTree(QStringLiteral(KORVEL_COURSE_DIR), content.path());
        // The engine's configuration in the content root, naming the bundled
        // data and templates by absolute path.
        const QString data = QStringLiteral(KORVEL_ENGINE_DATA);
        QFile ini(data + QStringLiteral("/zintra.ini"));
        ASSERT_TRUE(ini.open(QIODevice::ReadOnly));
        QString text = QString::fromUtf8(ini.readAll());
        for (const char* key : {"DICTIONARY_FILE", "LEXICALRULEFILE", "BIGRAMS", "COMPOUND_FILE", "CONTEXTUALRULEFILE",
                                "TEMPLATES_DIR", "GRAMMAR_FILE"}) {
            const QString name = QString::fromLatin1(key) + QLatin1Char(' ');
            text.replace(QLatin1Char('\n') + name, QLatin1Char('\n') + name + data + QLatin1Char('/'));
        }
        content.write(QStringLiteral("zintra.ini"), text.toUtf8());
        // The sound effects are made at set-up, not committed: stand-ins.
        for (int n = 1; n <= 5; ++n) {
            content.write(QStringLiteral("AudioOKNG/ok_%1.mp3").arg(n), "mp3");
        }
        for (int n = 1; n <= 3; ++n) {
            content.write(QStringLiteral("AudioOKNG/ng_%1.mp3").arg(n), "mp3");
        }
        writeUsers({test::userRecordBytes("Taro", -1, -1, "")});
        random.values = {0.0};  // equal keys: the grid keeps the file order; ok_1 and ng_1
        before_ = QDir::currentPath();
        EngineBinding::replaceSharedLibrary(loadZintraLibrary(QStringLiteral(KORVEL_ZINTRA_LIBRARY)));
        setScreenAudio(&audio);
    }
    void TearDown() override
    {
        ScreenTest::TearDown();
        setScreenAudio(nullptr);
        QDir::setCurrent(before_);
    }

    // Types `answer` into the selected row and takes the correction screen it opens.
    frm添削* answer(frm英作文テスト* screen, const QString& answer)
    {
        type(screen->TextAnswer, answer, true);
        settle();
        return dynamic_cast<frm添削*>(navigator->lastOpened());
    }
    static QString cell(frm英作文テスト* screen, int row, int column)
    {
        const QTableWidgetItem* item = screen->GridTest->item(row - 1, column);
        return item == nullptr ? QString() : item->text();
    }
    QByteArray log(const char* name) const
    {
        return content.read(QStringLiteral("Korveluser/") + QString::fromLatin1(name));
    }

    // KORVEL_SCREENSHOTS=DIR keeps pictures for a person to look at (run under
    // a display, e.g. xvfb-run, with the platform it gives).
    static void shoot(QWidget* widget, const QString& name)
    {
        const QString dir = qEnvironmentVariable("KORVEL_SCREENSHOTS");
        if (dir.isEmpty()) {
            return;
        }
        QDir().mkpath(dir);
        QTest::qWait(300);
        EXPECT_TRUE(widget->grab().save(dir + QLatin1Char('/') + name));
    }

    RecordingAudio audio;
    QString before_;
};

TEST_F(CompositionEndToEnd, OneWrongAndOneRightAnswerThroughTheRealEngine)
{
    // Log in: the registered learner, then the home screen's chapter 1 and
    // its composition-test button.
    frmログイン* login = openLogin();
    ASSERT_NE(login, nullptr);
    login->OptionNewUser[0]->click();
    login->CommandHome->click();
    settle();
    auto* home = dynamic_cast<HomeScreen*>(navigator->lastOpened());
    ASSERT_NE(home, nullptr) << prompt.transcript().toStdString();
    home->CommandChapter[0]->click();
    ASSERT_TRUE(home->CommandFunction[7]->isEnabled());
    home->CommandFunction[7]->click();
    settle();
    QPointer<frm英作文テスト> screen = opened<frm英作文テスト>();
    ASSERT_NE(screen, nullptr);
    EXPECT_TRUE(EngineBinding::shared().initialised());
    EXPECT_EQ(screen->windowTitle(), QStringLiteral("第1章　英作文テスト"));
    ASSERT_EQ(screen->GridTest->rowCount(), 9);
    EXPECT_EQ(cell(screen, 1, 1), QStringLiteral("私は学生です。"));
    EXPECT_EQ(cell(screen, 2, 1), QStringLiteral("私はケンです。"));

    // A wrong answer: the correction screen opens with the engine's comments
    // and the wrong parts in red; the wrong sound plays once.
    frm添削* correction = answer(screen, QStringLiteral("i is student"));
    ASSERT_NE(correction, nullptr);
    EXPECT_EQ(correction->parentWidget(), screen.data());
    EXPECT_TRUE(correction->isWindow());
    EXPECT_EQ(correction->windowModality(), Qt::ApplicationModal);
    EXPECT_EQ(prompt.count(), 0u) << prompt.transcript().toStdString();
    EXPECT_EQ(correction->lastResult().request, QStringLiteral("<H1>Lesson01-01</H1><P>i is student</P>"));
    const QString comments = correction->TextComment->toPlainText();
    EXPECT_TRUE(
        comments.startsWith(QStringLiteral("コメント(1)  ・この部分は必要ありません。\n"
                                           "コメント(2)  ・この部分に必要な何か (I) が抜けています。\n")))
        << comments.toStdString();
    EXPECT_TRUE(comments.contains(QStringLiteral("コメント(3)  ・主語が I のとき、be動詞は am を使います。")));
    EXPECT_TRUE(comments.endsWith(QStringLiteral("コメント(6)  ・文章の終りにピリオドがありません。")));
    EXPECT_EQ(correction->PictureResult->redTexts(),
              (QStringList{QStringLiteral("i"), QStringLiteral("XXX"), QStringLiteral("is"), QStringLiteral("XXX"),
                           QStringLiteral("XXX")}));
    EXPECT_TRUE(correction->Command[2]->isEnabled());
    EXPECT_EQ(audio.played, QStringList{QStringLiteral("ng_1.mp3")});
    EXPECT_EQ(cell(screen, 1, 3), QString());  // marked when the correction closes
    shoot(correction, QStringLiteral("frm添削_wrong.png"));
    QTest::keyClick(correction->TextInput, Qt::Key_F10);
    shoot(correction, QStringLiteral("frm添削_wrong_corrected.png"));
    QTest::keyClick(correction->TextInput, Qt::Key_F9);
    settle();
    EXPECT_EQ(cell(screen, 1, 3), QStringLiteral("×"));
    EXPECT_EQ(cell(screen, 1, 2), QStringLiteral("i is student"));
    EXPECT_EQ(audio.played.size(), 1);  // the test screen adds no second sound

    // A right answer on the next row.
    QTest::keyClick(screen->TextAnswer, Qt::Key_Return);
    ASSERT_EQ(screen->GridTest->currentRow(), 1);
    correction = answer(screen, QStringLiteral("I am Ken."));
    ASSERT_NE(correction, nullptr);
    EXPECT_EQ(correction->parentWidget(), screen.data());  // also the second time
    EXPECT_TRUE(correction->lastResult().right());
    EXPECT_EQ(correction->TextComment->toPlainText(), QString());
    EXPECT_TRUE(correction->PictureResult->redTexts().isEmpty());
    EXPECT_FALSE(correction->Command[2]->isEnabled());
    correction->CommandClose->click();
    settle();
    EXPECT_EQ(cell(screen, 2, 3), QStringLiteral("○"));
    EXPECT_EQ(audio.played, (QStringList{QStringLiteral("ng_1.mp3"), QStringLiteral("ok_1.mp3")}));
    EXPECT_EQ(screen->LabelCounts->text(), QStringLiteral("問題数 9　　解答数 2　　○ 1　　× 1"));
    EXPECT_EQ(prompt.count(), 0u) << prompt.transcript().toStdString();
    shoot(screen, QStringLiteral("frm英作文テスト_marked.png"));

    // A click on the wrong row reviews it: the correction opens again and
    // checks the same answer, but marks, counters and the SentLog stay.
    screen->GridTest->cellClicked(0, 1);
    settle();
    correction = dynamic_cast<frm添削*>(navigator->lastOpened());
    ASSERT_NE(correction, nullptr);
    EXPECT_EQ(correction->TextInput->text(), QStringLiteral("i is student"));
    EXPECT_EQ(correction->lastResult().errorCount, 6);
    correction->close();
    settle();
    EXPECT_EQ(cell(screen, 1, 3), QStringLiteral("×"));
    EXPECT_EQ(screen->LabelCounts->text(), QStringLiteral("問題数 9　　解答数 2　　○ 1　　× 1"));

    // Two SentLog records of 218 bytes, one per answer.
    const QByteArray sent = log("SentLog0.dat");
    ASSERT_EQ(sent.size(), 2 * 218);
    const SentLogRecord wrong = decodeSentLog(QByteArrayView(sent).first(218));
    EXPECT_EQ(wrong.when, QDateTime(QDate(2024, 4, 1), QTime(9, 5, 42)));
    EXPECT_EQ(wrong.row, 1);
    EXPECT_EQ(wrong.chapter, 1);
    EXPECT_EQ(wrong.right, 0);
    EXPECT_EQ(wrong.answer, QStringLiteral("i is student"));
    EXPECT_EQ(wrong.comments, (std::vector<std::int16_t>{7, 6, 10005, 6, 10003, 5}));
    EXPECT_EQ(sent.mid(116 + 12, 218 - 116 - 12), QByteArray(218 - 116 - 12, '\0'));
    const SentLogRecord right = decodeSentLog(QByteArrayView(sent).sliced(218));
    EXPECT_EQ(right.row, 2);
    EXPECT_EQ(right.chapter, 1);
    EXPECT_EQ(right.right, -1);
    EXPECT_EQ(right.answer, QStringLiteral("I am Ken."));
    EXPECT_TRUE(right.comments.empty());

    // Leaving for the home screen writes one UserLog record of 40 bytes.
    EXPECT_TRUE(log("UserLog0.dat").isEmpty());
    screen->Bar->CommandHome->click();
    settle();
    const QByteArray user = log("UserLog0.dat");
    ASSERT_EQ(user.size(), 40);
    const UserLogRecord run = decodeUserLog(user);
    EXPECT_EQ(run.when, QDateTime(QDate(2024, 4, 1), QTime(9, 5, 42)));
    EXPECT_EQ(run.user, 0);
    EXPECT_EQ(run.name, QStringLiteral("Taro"));
    EXPECT_EQ(run.chapter, 1);
    EXPECT_EQ(run.kind, 2);
    EXPECT_EQ(run.questions, 9);
    EXPECT_EQ(run.right, 1);
    EXPECT_EQ(run.wrong, 1);
    EXPECT_EQ(user.mid(10, 20), QByteArray("Taro") + QByteArray(16, ' '));
    EXPECT_EQ(log("SentLog0.dat").size(), 2 * 218);
}

// Chapters further on, through the same screens: a typical error of the
// chapter's first composition item is marked wrong with the wrong word in
// red and a comment, and the chapter's word list and explanation pages open
// with the chapter's content.
TEST_F(CompositionEndToEnd, LaterChaptersCorrectTheirTypicalErrorsAndShowTheirPages)
{
    struct Case {
        int chapter;
        QString wrong;
        QString red;
    };
    const Case cases[] = {{3, QStringLiteral("You is a student."), QStringLiteral("is")},
                          {14, QStringLiteral("I goed to the park yesterday."), QStringLiteral("goed")}};
    frmログイン* login = openLogin();
    ASSERT_NE(login, nullptr);
    login->OptionNewUser[0]->click();
    login->CommandHome->click();
    settle();
    auto goHome = [this](FunctionBar* bar) {
        bar->CommandHome->click();
        settle();
        return dynamic_cast<HomeScreen*>(navigator->lastOpened());
    };
    auto* home = dynamic_cast<HomeScreen*>(navigator->lastOpened());
    for (const Case& c : cases) {
        const QString prefix = QStringLiteral("ch%1_").arg(c.chapter, 2, 10, QLatin1Char('0'));
        ASSERT_NE(home, nullptr) << prompt.transcript().toStdString();
        home->CommandChapter[static_cast<std::size_t>(c.chapter - 1)]->click();
        home->CommandFunction[7]->click();
        settle();
        QPointer<frm英作文テスト> screen = opened<frm英作文テスト>();
        ASSERT_NE(screen, nullptr);
        EXPECT_EQ(screen->windowTitle(), QStringLiteral("第%1章　英作文テスト").arg(c.chapter));
        frm添削* correction = answer(screen, c.wrong);
        ASSERT_NE(correction, nullptr);
        EXPECT_EQ(correction->lastResult().request,
                  QStringLiteral("<H1>Lesson%1-01</H1><P>%2</P>").arg(c.chapter, 2, 10, QLatin1Char('0')).arg(c.wrong));
        EXPECT_FALSE(correction->lastResult().right());
        EXPECT_TRUE(correction->PictureResult->redTexts().contains(c.red))
            << correction->PictureResult->redTexts().join(QLatin1Char(' ')).toStdString();
        EXPECT_TRUE(correction->TextComment->toPlainText().startsWith(QStringLiteral("コメント(1)")));
        EXPECT_EQ(prompt.count(), 0u) << prompt.transcript().toStdString();
        shoot(correction, prefix + QStringLiteral("frm添削_wrong.png"));
        correction->CommandClose->click();
        settle();
        EXPECT_EQ(cell(screen, 1, 3), QStringLiteral("×"));
        shoot(screen, prefix + QStringLiteral("frm英作文テスト_marked.png"));
        home = goHome(screen->Bar);
        ASSERT_NE(home, nullptr);

        home->CommandFunction[1]->click();
        settle();
        auto* words = opened<frm単語>();
        ASSERT_NE(words, nullptr);
        EXPECT_GE(words->GridWords->rowCount(), 15);
        shoot(words, prefix + QStringLiteral("frm単語.png"));
        home = goHome(words->Bar);
        ASSERT_NE(home, nullptr);

        home->CommandFunction[0]->click();
        settle();
        auto* goals = opened<frm学習目標>();
        ASSERT_NE(goals, nullptr);
        EXPECT_GE(goals->Pages->count(), 2);
        EXPECT_FALSE(goals->Pages->Browser->toPlainText().trimmed().isEmpty());
        shoot(goals, prefix + QStringLiteral("frm学習目標_page1.png"));
        goals->Pages->showPage(2);
        EXPECT_FALSE(goals->Pages->Browser->toPlainText().trimmed().isEmpty());
        shoot(goals, prefix + QStringLiteral("frm学習目標_page2.png"));
        home = goHome(goals->Bar);
    }
}

}  // namespace
}  // namespace korvel

#endif
