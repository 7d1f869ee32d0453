// frm添削 driven through its widgets on the offscreen platform, over a
// scripted engine library; the SentLog is read back from the learner's file. With KORVEL_SCREENSHOT_DIR set, the screen
// after a wrong answer is saved there in both display balances.
#include "app/correction/engine_binding.h"
#include "app/correction/ui/frm_correction.h"
#include "app/correction/ui/result_picture.h"
#include "app/correction/ui/screen_audio.h"
#include "tests/app/core/correction_fixture.h"

#include <QApplication>
#include <QDir>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTableWidget>
#include <QTest>

#include <gtest/gtest.h>

namespace korvel {
namespace {

class RecordingAudio final : public AudioOut {
public:
    void play(const QString& path) override { played.push_back(QFileInfo(path).fileName()); }
    QStringList played;
};

// The engine's report for "i is student" on chapter 1, item 1.
QString wrongReport()
{
    return QStringLiteral(
        "<div><div><B>17</B><span>i</span></div>\n"
        "<div><B>8</B><span></span><font>I</font></div>\n"
        "<div><B>3648</B><span>is</span><font>am</font><font>'m</font><p>10005</p></div>\n"
        "<div><B>576</B><div><B>520</B><span></span><font>a</font><p>10003</p></div>\n"
        "<span>student</span><font>a student</font><p>10003</p></div>\n"
        "<div><B>8</B><span></span><font>.</font></div>\n"
        "</div>\n"
        "<div><div><B>10005</B>\n<span>With the subject \"I\" the verb \"be\" is \"am\".</span>\n"
        "<span>主語が I のとき、be動詞は am を使います。I am（短くすると I'm）です。</span>\n</div>\n"
        "<div><B>10003</B>\n<span>One needs \"a\".</span>\n"
        "<span>数えられる名詞が1つのときは、前に a（母音の前では an）が必要です。</span>\n</div>\n"
        "</div>\n<div><P>templates/Lesson01-01.xvt</P><P>I am a student</P></div>\n<div></div>\n");
}

QString rightReport()
{
    return test::reportOf(test::span(QStringLiteral("I")) +
                          QStringLiteral("<div><B>1600</B><span>am</span><font>am</font><p>10008</p></div>\n") +
                          test::span(QStringLiteral("a")) + test::span(QStringLiteral("student")) +
                          test::span(QStringLiteral(".")));
}

class CorrectionScreen : public test::AppTest {
protected:
    void SetUp() override
    {
        installCourse();
        for (int n = 1; n <= 5; ++n) {
            content.write(QStringLiteral("AudioOKNG/ok_%1.mp3").arg(n), "mp3");
        }
        for (int n = 1; n <= 3; ++n) {
            content.write(QStringLiteral("AudioOKNG/ng_%1.mp3").arg(n), "mp3");
        }
        content.write(QStringLiteral("AudioExSent/e01-01.mp3"), "mp3");
        content.write(QStringLiteral("AudioSent/s23-12-h1.mp3"), "mp3");
        QFile speaker(QStringLiteral(KORVEL_COURSE_DIR "/Image/speaker_L.gif"));
        if (speaker.open(QIODevice::ReadOnly)) {
            content.write(QStringLiteral("Image/speaker_L.gif"), speaker.readAll());
        }
        writeUsers({test::userRecordBytes("Taro Yamada", -1, -1, "")});
        startSession();
        session->users().get_UserData();
        session->users().chooseLearner(0);
        auto calls = std::make_unique<test::ScriptedZintra>();
        engine = calls.get();
        binding = std::make_unique<EngineBinding>(std::move(calls));
        setScreenAudio(&audio);
        before_ = QDir::currentPath();
    }
    void TearDown() override
    {
        screen.reset();
        setScreenAudio(nullptr);
        QDir::setCurrent(before_);
    }

    // Item `item` of `chapter`; its rows are numbered from 1 in the course file.
    static CompositionRequest request(const QString& answer, QStringList prompts = {QStringLiteral("私は学生です。")},
                                      std::int16_t chapter = 1, int item = 1)
    {
        CompositionRequest r;
        r.chapter = chapter;
        r.item = QString::number(item);
        r.identifier = QStringLiteral("%1-%2").arg(chapter, 2, 10, QLatin1Char('0')).arg(item, 2, 10, QLatin1Char('0'));
        r.exerciseName = QStringLiteral("Lesson") + r.identifier;
        for (int i = 0; i < prompts.size(); ++i) {
            r.rows.push_back({static_cast<std::int16_t>(i + 1), prompts[i], QString(), QString()});
        }
        r.answer = answer;
        r.logRequest = true;
        return r;
    }
    frm添削& open(const QString& report, const CompositionRequest& r)
    {
        engine->reply = test::shiftJis(report);
        screen = std::make_unique<frm添削>(
            *session, r, [this](const CompositionResult& result) { closings.push_back(result); }, nullptr,
            binding.get());
        screen->show();
        QApplication::processEvents();
        return *screen;
    }
    static void key(QWidget* widget, Qt::Key k) { QTest::keyClick(widget, k); }

    test::ScriptedZintra* engine = nullptr;
    std::unique_ptr<EngineBinding> binding;
    std::unique_ptr<frm添削> screen;
    QByteArray sentLog() const { return content.read(QStringLiteral("Korveluser/SentLog0.dat")); }

    RecordingAudio audio;
    std::vector<CompositionResult> closings;
    QString before_;
};

TEST_F(CorrectionScreen, WrongAnswerIsCommentedMarkedInRedAndLoggedOnce)
{
    random.values = {0.5};
    frm添削& s = open(wrongReport(), request(QStringLiteral("i is student")));
    EXPECT_EQ(engine->request, QByteArray("<H1>Lesson01-01</H1><P>i is student</P>"));
    const QString comments = s.TextComment->toPlainText();
    EXPECT_TRUE(comments.startsWith(QStringLiteral(
        "コメント(1)  ・この部分は必要ありません。\nコメント(2)  ・この部分に必要な何か (I) が抜けています。")))
        << comments.toStdString();
    EXPECT_TRUE(comments.contains(QStringLiteral("コメント(3)  ・主語が I のとき、be動詞は am を使います。")));
    EXPECT_TRUE(comments.endsWith(QStringLiteral("コメント(6)  ・文章の終りにピリオドがありません。")));
    // The red spans are the wrong words and the places of the missing ones.
    const QStringList red = s.PictureResult->redTexts();
    ASSERT_EQ(red.size(), 5);
    EXPECT_EQ(red[0], QStringLiteral("i"));
    EXPECT_EQ(red[1], QStringLiteral("XXX"));
    EXPECT_EQ(red[2], QStringLiteral("is"));
    EXPECT_TRUE(s.Command[2]->isEnabled());
    EXPECT_EQ(audio.played, QStringList{QStringLiteral("ng_2.mp3")});
    EXPECT_EQ(random.reseeds, 1);
    EXPECT_EQ(s.LabelHeader->text(), QStringLiteral("2024/04/01 09:05 Taro Yamada"));

    // One 218-byte record: row 1, chapter 1, wrong, the answer, six comment kinds, 45 zeros.
    const QByteArray record = sentLog();
    ASSERT_EQ(record.size(), 218);
    EXPECT_EQ(record.mid(8, 6), test::le16(1) + test::le16(1) + test::le16(0));
    EXPECT_EQ(record.mid(14, 100), QByteArray("i is student") + QByteArray(88, ' '));
    EXPECT_EQ(record.mid(114, 14), test::le16(6) + test::le16(7) + test::le16(6) + test::le16(10005) + test::le16(6) +
                                       test::le16(10003) + test::le16(5));
    EXPECT_EQ(record.mid(128), QByteArray(90, '\0'));

    // F10 twice: the corrected sentence is appended once.
    key(s.TextInput, Qt::Key_F10);
    key(s.TextInput, Qt::Key_F10);
    const QString block = QStringLiteral("添削の結果を反映すると以下のような正解文になります。\nI am a student.\n");
    EXPECT_TRUE(s.TextComment->toPlainText().endsWith(block));
    EXPECT_EQ(s.TextComment->toPlainText().count(QStringLiteral("添削の結果を反映すると")), 1);
    EXPECT_FALSE(s.Command[2]->isEnabled());
    EXPECT_TRUE(s.LabelCommand[2]->isHidden());

    // The learner corrects the answer: checked again, not logged again.
    engine->reply = test::shiftJis(rightReport());
    s.TextInput->setText(QStringLiteral("I am a student."));
    key(s.TextInput, Qt::Key_Return);
    EXPECT_TRUE(s.lastResult().right());
    EXPECT_EQ(sentLog().size(), 218);
    EXPECT_EQ(engine->matches, 2);

    // The opener takes back the check made on opening, the one the SentLog keeps.
    key(s.TextInput, Qt::Key_F9);
    ASSERT_EQ(closings.size(), 1u);
    EXPECT_EQ(closings[0].verdict, CompositionResult::Verdict::Wrong);
    EXPECT_EQ(closings[0].errorCount, 6);
    EXPECT_EQ(closings[0].commentNumbers, (std::vector<std::int16_t>{7, 6, 10005, 6, 10003, 5}));
}

TEST_F(CorrectionScreen, RightAnswerLeavesTheCorrectedSentenceButtonOff)
{
    random.values = {0.99};
    frm添削& s = open(rightReport(), request(QStringLiteral("I am a student.")));
    EXPECT_TRUE(s.lastResult().right());
    EXPECT_FALSE(s.Command[2]->isEnabled());
    EXPECT_EQ(s.TextComment->toPlainText(), QString());
    EXPECT_TRUE(s.PictureResult->redTexts().isEmpty());
    EXPECT_EQ(audio.played, QStringList{QStringLiteral("ok_5.mp3")});
    const QByteArray record = sentLog();
    ASSERT_EQ(record.size(), 218);
    EXPECT_EQ(record.mid(12, 2), test::le16(-1));
    EXPECT_EQ(record.mid(114), QByteArray(104, '\0'));
    key(s.TextInput, Qt::Key_F10);
    EXPECT_EQ(s.TextComment->toPlainText(), QString());
}

TEST_F(CorrectionScreen, ForbiddenCharactersNeverReachTheEngine)
{
    frm添削& s = open(rightReport(), request(QStringLiteral("I am a student.")));
    ASSERT_EQ(engine->matches, 1);
    prompt.clear();
    s.TextInput->setText(QStringLiteral("a < b"));
    key(s.TextInput, Qt::Key_Return);
    EXPECT_EQ(engine->matches, 1);
    ASSERT_EQ(prompt.count(), 1u);
    EXPECT_EQ(prompt.last().title, QStringLiteral("英作文入力"));
    EXPECT_EQ(prompt.last().text, QStringLiteral(" & , < , >　は入力文字として使用できません。 "));
    EXPECT_EQ(s.TextInput->text(), QStringLiteral("a < b"));
    for (const QString& bad : {QStringLiteral("Tom & Ken"), QStringLiteral("x > y")}) {
        s.TextInput->setText(bad);
        s.Command[0]->click();
    }
    EXPECT_EQ(engine->matches, 1);
    EXPECT_EQ(prompt.count(), 3u);
}

TEST_F(CorrectionScreen, EngineFailureKeepsTheScreenAndTheText)
{
    engine->result = 0;
    session->users().setSoundOn(-1);
    frm添削& s = open(rightReport(), request(QStringLiteral("I am a student.")));
    ASSERT_EQ(prompt.count(), 1u);
    EXPECT_TRUE(prompt.last().text.endsWith(QStringLiteral("prc_zintraMatch")));
    EXPECT_TRUE(s.lastResult().failed());
    EXPECT_TRUE(audio.played.isEmpty());
    EXPECT_TRUE(sentLog().isEmpty());  // a failed correction writes nothing
    EXPECT_FALSE(s.Command[2]->isEnabled());
    EXPECT_EQ(s.TextInput->text(), QStringLiteral("I am a student."));
    s.close();
    ASSERT_EQ(closings.size(), 1u);
    EXPECT_EQ(closings[0].verdict, CompositionResult::Verdict::Failed);
    EXPECT_EQ(closings[0].errorCount, -1);
}

TEST_F(CorrectionScreen, OneSubItemHidesTheAllPromptsButtonAndItsKeys)
{
    frm添削& s = open(rightReport(), request(QStringLiteral("I am a student.")));
    EXPECT_TRUE(s.Command[4]->isHidden());
    // The current prompt in one pink column.
    ASSERT_FALSE(s.GridPrompt->isHidden());
    EXPECT_EQ(s.GridPrompt->columnCount(), 1);
    EXPECT_EQ(s.GridPrompt->item(0, 0)->text(), QStringLiteral("私は学生です。"));
    EXPECT_EQ(s.GridPrompt->item(0, 0)->background().color(), QColor(255, 192, 255));
    EXPECT_EQ(s.GridPrompt->geometry().top(), s.PictureResult->geometry().bottom() + 1 + 7);
    audio.played.clear();
    key(s.TextInput, Qt::Key_F8);
    key(s.TextInput, Qt::Key_F11);
    EXPECT_EQ(s.GridPrompt->rowCount(), 1);
    EXPECT_TRUE(audio.played.isEmpty());
    key(s.TextInput, Qt::Key_F12);
    EXPECT_EQ(audio.played, QStringList{QStringLiteral("e01-01.mp3")});
}

TEST_F(CorrectionScreen, AllPromptsScrollToTheSelectedOne)
{
    CompositionRequest r =
        request(QStringLiteral("I am a student."), {QStringLiteral("一"), QStringLiteral("二\r行"),
                                                    QStringLiteral("三"), QStringLiteral("四"), QStringLiteral("五")});
    r.selected = 3;
    frm添削& s = open(rightReport(), r);
    EXPECT_FALSE(s.Command[4]->isHidden());
    EXPECT_EQ(s.GridPrompt->columnCount(), 2);
    EXPECT_EQ(s.GridPrompt->item(0, 0)->text(), QStringLiteral("d"));
    key(s.TextInput, Qt::Key_F8);
    ASSERT_EQ(s.GridPrompt->rowCount(), 5);
    EXPECT_EQ(s.GridPrompt->item(1, 1)->text(), QStringLiteral("二行"));
    EXPECT_EQ(s.GridPrompt->item(3, 1)->background().color(), QColor(255, 192, 255));
    EXPECT_EQ(s.GridPrompt->item(2, 1)->background().color(), QColor(Qt::white));
    EXPECT_EQ(s.GridPrompt->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    EXPECT_EQ(s.GridPrompt->rowAt(2), 1);  // the top row is the selected one less two
    EXPECT_LT(s.GridPrompt->height(), 4 * s.GridPrompt->rowHeight(0));
    EXPECT_EQ(s.lastResult().request, QStringLiteral("<H1>Lesson01-01</H1><P>I am a student.</P>"));
}

TEST_F(CorrectionScreen, ChaptersTwentyThreeToTwentySevenPlayFromTheSentenceFolder)
{
    const CompositionRequest r = request(QStringLiteral("I am a student."), {QStringLiteral("私は学生です。")}, 23, 12);
    frm添削& s = open(rightReport(), r);
    EXPECT_EQ(engine->request, QByteArray("<H1>Lesson23-12</H1><P>I am a student.</P>"));
    audio.played.clear();
    QTest::mouseClick(s.PictureSpeaker[0], Qt::LeftButton);
    EXPECT_EQ(audio.played, QStringList{QStringLiteral("s23-12-h1.mp3")});
    QTest::mouseClick(s.PictureSpeaker[1], Qt::LeftButton);  // s23-12.mp3 is absent: nothing plays
    EXPECT_EQ(audio.played.size(), 1);
}

TEST_F(CorrectionScreen, ThirtyOneMarkedPartsShowTheMessage)
{
    ResultPicture picture;
    picture.resize(600, 120);
    QString display;
    for (int i = 0; i < 33; ++i) {
        display += QStringLiteral(" [w%1](%1)").arg(i);
    }
    const ResultRuns runs = picture.setDisplay(display);
    EXPECT_TRUE(runs.tooManySpans);
    EXPECT_EQ(picture.redTexts().size(), 31);
    EXPECT_EQ(picture.fontPointSize(), 11);  // more than 100 characters
    EXPECT_GT(picture.lineCount(), 1);       // wrapped
    for (const ResultPicture::Piece& piece : picture.pieces()) {
        EXPECT_LE(piece.rect.left(), 0.96 * picture.width() + 1) << piece.text.toStdString();
    }
    EXPECT_FALSE(splitResultRuns(QStringLiteral(" [a](1) ")).tooManySpans);
}

TEST_F(CorrectionScreen, DiagnosticWindowShowsTheRequestAndReport)
{
    frm添削& s = open(wrongReport(), request(QStringLiteral("i is student")));
    QWidget* test = s.openTest();
    ASSERT_NE(test, nullptr);
    const auto edits = test->findChildren<QPlainTextEdit*>();
    ASSERT_EQ(edits.size(), 2);
    EXPECT_EQ(edits[0]->toPlainText(), QStringLiteral("<H1>Lesson01-01</H1><P>i is student</P>"));
    EXPECT_TRUE(edits[1]->toPlainText().contains(QStringLiteral("<B>3648</B>")));
}

TEST_F(CorrectionScreen, ScreenshotsAfterAWrongAnswer)
{
    const QString dir = qEnvironmentVariable("KORVEL_SCREENSHOT_DIR");
    if (dir.isEmpty()) {
        GTEST_SKIP() << "KORVEL_SCREENSHOT_DIR not set";
    }
    QDir().mkpath(dir);
    for (const std::int16_t wide : {std::int16_t(-1), std::int16_t(0)}) {
        session->users().setWideDisplay(wide);
        frm添削& s = open(wrongReport(), request(QStringLiteral("i is student")));
        key(s.TextInput, Qt::Key_F10);
        QTest::qWait(300);
        const QString file = dir + (wide ? QStringLiteral("/frm添削_wide.png") : QStringLiteral("/frm添削_narrow.png"));
        EXPECT_TRUE(s.grab().save(file));
        std::printf("wrote %s\n", qPrintable(file));
    }
    // An item of five rows, the fourth answered, all prompts shown (F8).
    CompositionRequest r =
        request(QStringLiteral("i is student"), {QStringLiteral("私は学生です。"), QStringLiteral("あなたは先生です。"),
                                                 QStringLiteral("彼は医者です。"), QStringLiteral("彼女は歌手です。"),
                                                 QStringLiteral("私たちは友達です。")});
    r.selected = 3;
    frm添削& s = open(wrongReport(), r);
    key(s.TextInput, Qt::Key_F8);
    QTest::qWait(300);
    const QString file = dir + QStringLiteral("/frm添削_all_prompts.png");
    EXPECT_TRUE(s.grab().save(file));
    std::printf("wrote %s\n", qPrintable(file));
}

// The real player: on a machine without a sound device (as here and in CI) a
// sound is skipped instead of crashing the program.
TEST(ScreenAudio, PlayingAFileDoesNotCrashWithoutASoundDevice)
{
    setScreenAudio(nullptr);
    test::TempDir dir;
    const QString file = dir.write(QStringLiteral("ok_1.mp3"), QByteArray(64, '\0'));
    screenAudio().play(file);
    screenAudio().play(file);
    QTest::qWait(300);
    SUCCEED();
}

}  // namespace
}  // namespace korvel
