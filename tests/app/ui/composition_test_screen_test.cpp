// frm英作文テスト through its widgets on the offscreen platform: opened from
// the home screen, answered with the keys of the answer box, corrected by a
// scripted correction (or a stand-in correction screen reached through the
// navigator, or the real one over a missing engine), marked, logged and left
// through the function bar. The run over the real engine is in
// composition_end_to_end_test.cpp.
#include "app/correction/engine_binding.h"
#include "app/correction/ui/frm_correction.h"
#include "app/exercises/correction_handover.h"
#include "app/exercises/ui/frm_composition_test.h"
#include "app/exercises/ui/function_bar.h"
#include "app/records/learning_log.h"
#include "app/shell/ui/frm_home.h"
#include "tests/app/core/correction_fixture.h"
#include "tests/app/ui/screen_fixture.h"

#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QTest>

#include <gtest/gtest.h>

#include <deque>

namespace korvel {
namespace {

using test::le16;
using test::userRecordBytes;

CompositionResult scripted(int comments)
{
    CompositionResult result;
    result.verdict = comments == 0 ? CompositionResult::Verdict::Right : CompositionResult::Verdict::Wrong;
    result.errorCount = comments;
    for (int i = 0; i < comments; ++i) {
        result.commentNumbers.push_back(static_cast<std::int16_t>(10 + i));
    }
    return result;
}

class CompositionTestScreenTest : public test::ScreenTest {
protected:
    void SetUp() override
    {
        ScreenTest::SetUp();
        content.write(
            QStringLiteral("Lesson/英作文.txt"),
            test::shiftJis(QStringList{
                QStringLiteral("No.\t章\t番号\t日本文\t英文"), QStringLiteral("1\t1\t1\t私は少年です。\tI am a boy."),
                QStringLiteral("2\t1\t2\t彼女は少女です。\tShe is a girl."),
                QStringLiteral("3\t1\t3\t彼は言った。\tHe said."), QStringLiteral("4\t1\t3\t私は答えた。\tI answered."),
                QStringLiteral("5\t2\t1\t彼は先生です。\tHe is a teacher.")}
                               .join(QStringLiteral("\r\n"))));
        writeUsers({userRecordBytes("Taro", -1, -1, ""), userRecordBytes("Hana", 0, 0, "")});
        random.values = {0.0};  // equal keys: the grid keeps the file order
        // The test screen initialises the engine when it opens: a scripted one here.
        auto calls = std::make_unique<test::ScriptedZintra>();
        engine = calls.get();
        EngineBinding::replaceSharedLibrary(std::move(calls));
        before_ = QDir::currentPath();
        startNavigator();
    }
    void TearDown() override
    {
        ScreenTest::TearDown();
        QDir::setCurrent(before_);
    }

    // The composition test with the scripted correction: every request is
    // kept, answered from `results` and, as the correction screen does for a
    // new answer, logged with put_SentLog.
    void scriptCorrection()
    {
        navigator->add(ScreenId::CompositionTest, [this](Navigator& nav) {
            CompositionTestLinks links;
            links.correct = [this, &nav](QWidget&, const CompositionRequest& request, CorrectionHandover::Done done) {
                requests.push_back(request);
                const CompositionResult result = results.empty() ? CompositionResult::failed() : results.front();
                if (!results.empty()) {
                    results.pop_front();
                }
                if (request.logRequest && result.verdict != CompositionResult::Verdict::Failed) {
                    put_SentLog(nav.session(), request.current().row, request.chapter, request.answer,
                                result.verdict == CompositionResult::Verdict::Right, result.commentNumbers);
                }
                done(result);
            };
            return new frm英作文テスト(nav, links);
        });
    }

    frm英作文テスト* openFromHome(int slot = 0, int chapter = 1)
    {
        auto* home = dynamic_cast<HomeScreen*>(openHomeAs(slot));
        EXPECT_NE(home, nullptr);
        if (home == nullptr) {
            return nullptr;
        }
        home->CommandChapter[static_cast<std::size_t>(chapter - 1)]->click();
        EXPECT_TRUE(home->CommandFunction[7]->isEnabled());
        home->CommandFunction[7]->click();
        settle();
        return opened<frm英作文テスト>();
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

    test::ScriptedZintra* engine = nullptr;
    QString before_;
    std::deque<CompositionResult> results;
    std::vector<CompositionRequest> requests;
};

TEST_F(CompositionTestScreenTest, TheHomeScreensButtonOpensTheChaptersTest)
{
    frm英作文テスト* screen = openFromHome();
    ASSERT_NE(screen, nullptr);
    EXPECT_EQ(screen->objectName(), QStringLiteral("frm英作文テスト"));
    EXPECT_EQ(screen->windowTitle(), QStringLiteral("第1章　英作文テスト"));
    EXPECT_EQ(screen->GridTest->rowCount(), 4);
    EXPECT_EQ(screen->GridTest->columnCount(), 4);
    EXPECT_EQ(screen->GridTest->horizontalHeaderItem(3)->text(), QStringLiteral("判"));
    EXPECT_EQ(cell(screen, 1, 1), QStringLiteral("私は少年です。"));
    EXPECT_TRUE(screen->SpinChapter->isVisibleTo(screen));
    EXPECT_FALSE(screen->LabelNote->isVisibleTo(screen));
    EXPECT_EQ(screen->SpinChapter->value(), 1);
    EXPECT_EQ(prompt.count(), 0u) << prompt.transcript().toStdString();
}

TEST_F(CompositionTestScreenTest, OneWrongAndOneRightAnswerAreMarkedLoggedAndCounted)
{
    scriptCorrection();
    frm英作文テスト* screen = openFromHome();
    ASSERT_NE(screen, nullptr);
    results = {scripted(3), scripted(0)};

    type(screen->TextAnswer, QStringLiteral("I is a boy."), true);
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].exerciseName, QStringLiteral("Lesson01-01"));
    EXPECT_EQ(requests[0].answer, QStringLiteral("I is a boy."));
    EXPECT_EQ(cell(screen, 1, 3), QStringLiteral("×"));
    EXPECT_EQ(cell(screen, 1, 2), QStringLiteral("I is a boy."));
    EXPECT_EQ(screen->GridTest->item(0, 3)->background().color(), frm英作文テスト::kWrongCell);
    // The first opening initialised the engine with the content root's configuration.
    EXPECT_EQ(engine->inits, 1);
    EXPECT_EQ(engine->config, QByteArray("zintra.ini"));
    // The options are fixed once the test has started.
    EXPECT_FALSE(screen->OptionAgain[0]->isEnabled());
    EXPECT_FALSE(screen->SpinChapter->isEnabled());

    // Enter on the marked row moves to the next one; Down answers there.
    QTest::keyClick(screen->TextAnswer, Qt::Key_Return);
    EXPECT_EQ(screen->GridTest->currentRow(), 1);
    EXPECT_EQ(screen->TextAnswer->text(), QString());
    type(screen->TextAnswer, QStringLiteral("She is a girl."));
    QTest::keyClick(screen->TextAnswer, Qt::Key_Down);
    EXPECT_EQ(cell(screen, 2, 3), QStringLiteral("○"));
    EXPECT_EQ(screen->LabelCounts->text(), QStringLiteral("問題数 4　　解答数 2　　○ 1　　× 1"));
    // KORVEL_SCREENSHOTS=DIR keeps a picture of the marked grid for a person to look at.
    if (const QString shots = qEnvironmentVariable("KORVEL_SCREENSHOTS"); !shots.isEmpty()) {
        EXPECT_TRUE(screen->grab().save(shots + QStringLiteral("/frm英作文テスト.png")));
    }

    const QByteArray sent = log("SentLog0.dat");
    ASSERT_EQ(sent.size(), 2 * 218);
    EXPECT_EQ(sent.mid(8, 6), le16(1) + le16(1) + le16(0));
    EXPECT_EQ(sent.mid(114, 8), le16(3) + le16(10) + le16(11) + le16(12));
    EXPECT_EQ(sent.mid(218 + 8, 6), le16(2) + le16(1) + le16(-1));

    // A click on the marked row reviews it: no new record, no new count.
    screen->GridTest->cellClicked(0, 1);
    ASSERT_EQ(requests.size(), 3u);
    EXPECT_FALSE(requests[2].logRequest);
    EXPECT_EQ(log("SentLog0.dat").size(), 2 * 218);
    EXPECT_EQ(screen->LabelCounts->text(), QStringLiteral("問題数 4　　解答数 2　　○ 1　　× 1"));

    // Leaving through the function bar writes one UserLog record.
    EXPECT_TRUE(log("UserLog0.dat").isEmpty());
    screen->Bar->CommandHome->click();
    settle();
    const QByteArray user = log("UserLog0.dat");
    ASSERT_EQ(user.size(), 40);
    EXPECT_EQ(user.mid(8),
              le16(0) + QByteArray("Taro") + QByteArray(16, ' ') + le16(1) + le16(2) + le16(4) + le16(1) + le16(1));
    auto* home = dynamic_cast<HomeScreen*>(navigator->lastOpened());
    ASSERT_NE(home, nullptr);
    // Opened again in the same run: the engine is not initialised a second time.
    home->CommandFunction[7]->click();
    settle();
    ASSERT_NE(opened<frm英作文テスト>(), nullptr);
    EXPECT_EQ(engine->inits, 1);
}

TEST_F(CompositionTestScreenTest, AForbiddenCharacterIsRefusedAndNeverSent)
{
    scriptCorrection();
    frm英作文テスト* screen = openFromHome();
    ASSERT_NE(screen, nullptr);
    type(screen->TextAnswer, QStringLiteral("a < b"), true);
    EXPECT_TRUE(requests.empty());
    ASSERT_EQ(prompt.count(), 1u);
    EXPECT_EQ(prompt.last().title, QStringLiteral("英作文入力"));
    EXPECT_EQ(cell(screen, 1, 2), QString());
    EXPECT_EQ(screen->TextAnswer->text(), QStringLiteral("a < b"));  // the typed text stays
}

TEST_F(CompositionTestScreenTest, TheTwoRowsOfAnItemGoToTheCorrectionTogether)
{
    scriptCorrection();
    frm英作文テスト* screen = openFromHome();
    ASSERT_NE(screen, nullptr);
    results = {scripted(1)};
    QTest::keyClick(screen->TextAnswer, Qt::Key_Down);
    QTest::keyClick(screen->TextAnswer, Qt::Key_Down);
    QTest::keyClick(screen->TextAnswer, Qt::Key_Down);
    type(screen->TextAnswer, QStringLiteral("I answerd."), true);
    ASSERT_EQ(requests.size(), 1u);
    const CompositionRequest& request = requests[0];
    EXPECT_EQ(request.exerciseName, QStringLiteral("Lesson01-03"));
    ASSERT_EQ(request.rows.size(), 2u);
    EXPECT_EQ(request.selected, 1);
    EXPECT_EQ(request.rows[0].model, QStringLiteral("He said."));
    EXPECT_EQ(request.rows[1].answer, QStringLiteral("I answerd."));
    EXPECT_EQ(cell(screen, 4, 3), QStringLiteral("×"));
}

TEST_F(CompositionTestScreenTest, TheCorrectionScreenIsReachedThroughTheNavigator)
{
    // A stand-in correction screen: it takes the waiting request and, when it
    // is closed, reports two comments.
    std::optional<CompositionRequest> taken;
    QPointer<QWidget> correction;
    navigator->add(ScreenId::Correction, [&](Navigator&) {
        taken = CorrectionHandover::takeRequest();
        correction = new QWidget;
        correction->setObjectName(QStringLiteral("frm添削"));
        return correction.data();
    });
    frm英作文テスト* screen = openFromHome(1);  // Hana: sound effects off
    ASSERT_NE(screen, nullptr);
    type(screen->TextAnswer, QStringLiteral("I am boy."), true);
    ASSERT_TRUE(taken.has_value());
    EXPECT_EQ(taken->answer, QStringLiteral("I am boy."));
    ASSERT_TRUE(correction);
    EXPECT_EQ(correction->windowModality(), Qt::ApplicationModal);
    EXPECT_EQ(cell(screen, 1, 3), QString());  // not marked while the correction is open
    CorrectionHandover::finish(scripted(2));
    EXPECT_EQ(cell(screen, 1, 3), QStringLiteral("×"));
    correction->close();
}

TEST_F(CompositionTestScreenTest, AFailedCorrectionLeavesTheAnswerUnmarked)
{
    // The real correction screen over an engine library that cannot be loaded.
    EngineBinding::replaceSharedLibrary(loadZintraLibrary(content.file(QStringLiteral("no/libzintra.so"))));
    frm英作文テスト* screen = openFromHome();
    ASSERT_NE(screen, nullptr);
    type(screen->TextAnswer, QStringLiteral("I am a boy."), true);
    auto* correction = dynamic_cast<frm添削*>(navigator->lastOpened());
    ASSERT_NE(correction, nullptr);
    ASSERT_EQ(prompt.count(), 1u);
    EXPECT_TRUE(prompt.last().text.startsWith(QStringLiteral("エラー：　英文添削エンジンの処理に失敗しました。")));
    EXPECT_TRUE(prompt.last().text.endsWith(QStringLiteral("prc_zintraMatch"))) << prompt.last().text.toStdString();
    EXPECT_EQ(correction->TextInput->text(), QStringLiteral("I am a boy."));  // the typed text stays
    correction->close();
    settle();
    EXPECT_EQ(cell(screen, 1, 3), QString());
    EXPECT_EQ(cell(screen, 1, 2), QString());
    EXPECT_EQ(screen->LabelCounts->text(), QStringLiteral("問題数 4　　解答数 1　　○ 0　　× 0"));
    EXPECT_TRUE(log("SentLog0.dat").isEmpty());
}

TEST_F(CompositionTestScreenTest, TheReTestShowsTheChapterColumnAndTheNote)
{
    scriptCorrection();
    openHomeAs(0);
    session->setChapter(1);
    ASSERT_TRUE(put_SentLog(*session, 5, 2, QStringLiteral("He is teacher."), false, {1}));
    ASSERT_NE(navigator->openRetest(kRetestCompositions), nullptr);
    settle();
    auto* screen = opened<frm英作文テスト>();
    ASSERT_NE(screen, nullptr);
    EXPECT_EQ(screen->windowTitle(), QStringLiteral("テストで×の英作文　再テスト"));
    ASSERT_EQ(screen->GridTest->columnCount(), 5);
    EXPECT_EQ(screen->GridTest->horizontalHeaderItem(4)->text(), QStringLiteral("章"));
    ASSERT_EQ(screen->GridTest->rowCount(), 1);
    EXPECT_EQ(cell(screen, 1, 4), QStringLiteral("2"));
    EXPECT_TRUE(screen->LabelNote->isVisibleTo(screen));
    EXPECT_FALSE(screen->SpinChapter->isVisibleTo(screen));
    EXPECT_FALSE(screen->OptionAgain[0]->isVisibleTo(screen));

    results = {scripted(0)};
    type(screen->TextAnswer, QStringLiteral("He is a teacher."), true);
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].exerciseName, QStringLiteral("Lesson02-01"));  // the item's own chapter
    screen->Bar->CommandHome->click();
    settle();
    EXPECT_EQ(session->chapter(), 1);
    EXPECT_EQ(log("UserLog0.dat").mid(30, 2), le16(kRetestCompositions));
}

TEST_F(CompositionTestScreenTest, ChangingTheChapterOrOptionRestartsTheTest)
{
    scriptCorrection();
    frm英作文テスト* screen = openFromHome();
    ASSERT_NE(screen, nullptr);
    screen->SpinChapter->setValue(2);
    EXPECT_EQ(session->chapter(), 2);
    EXPECT_EQ(screen->windowTitle(), QStringLiteral("第2章　英作文テスト"));
    EXPECT_EQ(screen->GridTest->rowCount(), 1);
    screen->OptionAgain[0]->click();
    EXPECT_EQ(screen->test().testAgain(), TestAgain::Yes);
    EXPECT_EQ(screen->GridTest->rowCount(), 1);
}

TEST_F(CompositionTestScreenTest, TheCloseBoxAsksAndCancelKeepsTheTest)
{
    scriptCorrection();
    frm英作文テスト* screen = openFromHome();
    ASSERT_NE(screen, nullptr);
    results = {scripted(0)};
    type(screen->TextAnswer, QStringLiteral("I am a boy."), true);
    prompt.next(Prompt::Answer::Cancel);
    screen->close();
    settle();
    EXPECT_TRUE(screen->isVisible());
    EXPECT_TRUE(log("UserLog0.dat").isEmpty());
    prompt.next(Prompt::Answer::Ok);  // end the program: the record is written on the way out
    screen->close();
    settle();
    EXPECT_EQ(log("UserLog0.dat").size(), 40);
}

}  // namespace
}  // namespace korvel
