// The study aids through their widgets on the bundled course: frm基本文 and
// its sentence study aid with a scripted engine, the goal screen's pages and
// skit, the summary, the glossary's pictures and the guide; and every function
// button of the home screen and the function bar opening its screen.
#include "app/correction/engine_binding.h"
#include "app/exercises/ui/frm_glossary.h"
#include "app/exercises/ui/frm_goals.h"
#include "app/exercises/ui/frm_guide.h"
#include "app/exercises/ui/frm_summary.h"
#include "app/exercises/ui/function_bar.h"
#include "app/exercises/ui/page_viewer.h"
#include "app/shell/ui/frm_home.h"
#include "tests/app/core/correction_fixture.h"
#include "tests/app/ui/exercise_screen_fixture.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QTest>
#include <QTextBrowser>
#include <QTextEdit>

#include <gtest/gtest.h>

namespace korvel {
namespace {

class StudyAidScreensTest : public test::ExerciseScreenTest {
protected:
    void SetUp() override
    {
        ExerciseScreenTest::SetUp();
        before_ = QDir::currentPath();
        auto calls = std::make_unique<test::ScriptedZintra>();
        zintra = calls.get();
        binding = std::make_unique<EngineBinding>(std::move(calls));
        engine = binding.get();
    }
    void TearDown() override
    {
        ExerciseScreenTest::TearDown();
        QDir::setCurrent(before_);  // the binding makes the content root current
    }

    test::ScriptedZintra* zintra = nullptr;
    std::unique_ptr<EngineBinding> binding;

private:
    QString before_;
};

TEST_F(StudyAidScreensTest, SentenceAidSendsItsTemplateAndShowsTheVerdict)
{
    auto* sentences = openAs<frm基本文>(ScreenId::BasicSentences, 1);
    ASSERT_NE(sentences, nullptr);
    EXPECT_EQ(zintra->inits, 1);  // initialised when the screen opens
    EXPECT_TRUE(sentences->OptionSpeed.buttons[1]->isEnabled());
    ASSERT_GT(sentences->GridSentences->rowCount(), 4);
    EXPECT_EQ(sentences->GridSentences->item(1, 2)->text(), QStringLiteral("I am Ken."));
    sentences->GridSentences->cellClicked(1, 0);
    settle();
    frm基本文おたすけ* aid = sentences->aid();
    ASSERT_NE(aid, nullptr);
    EXPECT_EQ(aid->windowTitle(), QStringLiteral("基本文習得オタスケ"));
    EXPECT_EQ(aid->LabelJapanese->text(), QStringLiteral("私はケンです。"));
    EXPECT_EQ(aid->LabelEnglish->text(), QStringLiteral("I am Ken."));
    EXPECT_EQ(aid->LabelInstruction->text(), kSentenceAidInstruction);
    EXPECT_TRUE(sound.played.last().endsWith(QStringLiteral("AudioSent/s01-02.mp3")));

    aid->TextTyping->setText(QStringLiteral("I am　Ken."));  // a full-width blank
    QTest::keyClick(aid->TextTyping, Qt::Key_Return);
    EXPECT_EQ(zintra->matches, 0);
    EXPECT_EQ(prompt.last().text, QStringLiteral("英作文回答にに全角ブランクがあります。 "));

    zintra->reply = test::shiftJis(test::reportOf(test::span(QStringLiteral("I")) + test::span(QStringLiteral("am")) +
                                                  test::span(QStringLiteral("Ken")) + test::span(QStringLiteral("."))));
    aid->TextTyping->clear();
    type(aid->TextTyping, QStringLiteral("I  am Ken."), true);
    EXPECT_EQ(zintra->request, QByteArray("<H1>khnbun01-02</H1><P>I am Ken.</P>"));
    EXPECT_EQ(aid->LabelVerdict->text(), QStringLiteral("正解！ "));
    EXPECT_EQ(aid->LabelVerdict->palette().color(QPalette::WindowText), QColor(0, 0, 255));

    QTest::keyClick(aid->TextTyping, Qt::Key_Down);
    EXPECT_EQ(aid->LabelJapanese->text(), QStringLiteral("はじめまして。"));
    EXPECT_TRUE(aid->LabelVerdict->text().isEmpty());

    // Chapter 3 has no slow recordings.
    sentences->SpinChapter->setValue(3);
    Q_EMIT sentences->SpinChapter->editingFinished();
    settle();
    EXPECT_FALSE(sentences->OptionSpeed.buttons[1]->isEnabled());
    EXPECT_EQ(sentences->aid(), nullptr);
}

TEST_F(StudyAidScreensTest, GoalPagesFollowThePageBoxRules)
{
    auto* goals = openAs<frm学習目標>(ScreenId::Goals, 1);
    ASSERT_NE(goals, nullptr);
    EXPECT_EQ(goals->LabelCaption->text(), QStringLiteral("第1章"));
    EXPECT_FALSE(goals->LabelGoal->text().isEmpty());
    EXPECT_FALSE(goals->PictureSkit->isHidden());
    EXPECT_TRUE(goals->CommandSkit->isHidden());
    PageViewer* pages = goals->Pages;
    EXPECT_EQ(pages->LabelCount->text(), QStringLiteral("2ページ／"));
    EXPECT_EQ(pages->page(), 1);
    EXPECT_FALSE(pages->Browser->toPlainText().isEmpty());
    const QString first = pages->Browser->toPlainText();

    pages->TextPage->setText(QString());
    type(pages->TextPage, QStringLiteral("3a"), true);
    EXPECT_EQ(prompt.last().text, QStringLiteral("ページ数は数字で指定してください。"));
    EXPECT_EQ(pages->page(), 1);
    pages->TextPage->setText(QString());
    type(pages->TextPage, QStringLiteral("25"), true);
    EXPECT_EQ(pages->page(), 2);
    EXPECT_NE(pages->Browser->toPlainText(), first);
    pages->TextPage->setText(QString());
    type(pages->TextPage, QStringLiteral("0"), true);
    EXPECT_EQ(pages->page(), 1);
    EXPECT_EQ(pages->Browser->toPlainText(), first);
}

TEST_F(StudyAidScreensTest, LetteredSkitsFollowEachOtherInChapterTwentyFour)
{
    const QByteArray picture = content.read(QStringLiteral("Image/L01-skit.jpg"));
    content.write(QStringLiteral("Image/L24a-skit.jpg"), picture);
    content.write(QStringLiteral("Image/L24b-skit.jpg"), picture);
    QFile::remove(content.file(QStringLiteral("Image/L24c-skit.jpg")));
    auto* goals = openAs<frm学習目標>(ScreenId::Goals, 24);
    ASSERT_NE(goals, nullptr);
    EXPECT_FALSE(goals->CommandSkit->isHidden());
    EXPECT_FALSE(goals->PictureSkit->isHidden());
    EXPECT_EQ(goals->skit(), 1);
    goals->CommandSkit->click();
    EXPECT_EQ(goals->skit(), 2);
    goals->CommandSkit->click();  // no L24c-skit.jpg: back to the first
    EXPECT_EQ(goals->skit(), 1);
}

TEST_F(StudyAidScreensTest, TheNarrowBalanceShowsTheRewrittenLessonPage)
{
    auto* goals = openAs<frm学習目標>(ScreenId::Goals, 2, 1);
    ASSERT_NE(goals, nullptr);
    EXPECT_FALSE(goals->Pages->Browser->toPlainText().isEmpty());
    const QByteArray lesson = content.read(QStringLiteral("HTML/Lesson.htm"));
    EXPECT_TRUE(lesson.contains("<BASEFONT SIZE=2>"));
    EXPECT_FALSE(lesson.contains("<BASEFONT SIZE=3>"));
}

TEST_F(StudyAidScreensTest, SummaryKeepsTheChapterForANumberOutOfRange)
{
    auto* summary = openAs<frmまとめ>(ScreenId::Summary, 2);
    ASSERT_NE(summary, nullptr);
    EXPECT_EQ(summary->windowTitle(), QStringLiteral("第2章　まとめ"));
    const QString text = summary->TextSummary->toPlainText();
    EXPECT_FALSE(text.isEmpty());
    summary->SpinChapter->setValue(40);
    Q_EMIT summary->SpinChapter->editingFinished();
    EXPECT_EQ(summary->SpinChapter->value(), 2);
    EXPECT_EQ(summary->TextSummary->toPlainText(), text);
    summary->SpinChapter->setValue(3);
    Q_EMIT summary->SpinChapter->editingFinished();
    EXPECT_EQ(summary->windowTitle(), QStringLiteral("第3章　まとめ"));
    EXPECT_NE(summary->TextSummary->toPlainText(), text);
}

TEST_F(StudyAidScreensTest, GlossaryRowsShowTheirExplanationAndFlower)
{
    auto* glossary = openAs<frm用語一覧>(ScreenId::Glossary, 0);
    ASSERT_NE(glossary, nullptr);
    EXPECT_TRUE(glossary->flower().endsWith(QStringLiteral("/Flower1.jpg")));
    ASSERT_GE(glossary->GridTerms->rowCount(), 9);
    EXPECT_EQ(glossary->GridTerms->item(0, 0)->text(), QStringLiteral("名詞"));
    glossary->GridTerms->cellClicked(0, 0);
    EXPECT_TRUE(
        glossary->TextExplanation->toPlainText().startsWith(QStringLiteral("人や物、ことがらの名前を表す語です。")));
    glossary->GridTerms->cellClicked(8, 0);
    EXPECT_TRUE(glossary->flower().endsWith(QStringLiteral("/flower1.jpg")));
    glossary->GridTerms->cellClicked(7, 0);
    EXPECT_TRUE(glossary->flower().endsWith(QStringLiteral("/flower0.jpg")));
    EXPECT_FALSE(glossary->PictureFlower->isHidden());
}

TEST_F(StudyAidScreensTest, GuideHasItsPagesAndTheBalanceAdvice)
{
    auto* goals = openAs<frm学習目標>(ScreenId::Goals, 1);
    goals->CommandGuide->click();
    settle();
    auto* guide = dynamic_cast<frm手引き*>(navigator->lastOpened());
    ASSERT_NE(guide, nullptr);
    EXPECT_EQ(guide->LabelBalanceTitle->text(), QStringLiteral("画面表示のバランス"));
    EXPECT_EQ(guide->Pages->count(), 7);
    type(guide->Pages->TextPage, QStringLiteral("9"), true);
    EXPECT_EQ(guide->Pages->page(), 7);
    EXPECT_FALSE(guide->Pages->Browser->toPlainText().isEmpty());
}

// The function bar of a screen (a plain widget class: found by its name).
FunctionBar* barOf(QWidget* screen)
{
    return static_cast<FunctionBar*>(screen->findChild<QWidget*>(QStringLiteral("FunctionBar")));
}

// Every function button of the home screen and of the function bar opens a
// screen; only the record list (not built yet) stays disabled.
TEST_F(StudyAidScreensTest, EveryFunctionButtonOpensItsScreen)
{
    const char* expected[] = {"frm学習目標", "frm単語",   "frm基本文",     "frm並べ替え",
                              "frm聞き取り", "frmまとめ", "frm単語テスト", "frm英作文テスト"};
    for (int i = 0; i < 8; ++i) {
        auto* home = dynamic_cast<HomeScreen*>(openHomeAs(0));
        ASSERT_NE(home, nullptr);
        home->CommandChapter[0]->click();
        settle();
        QPushButton* button = home->CommandFunction[static_cast<std::size_t>(i)];
        ASSERT_TRUE(button->isEnabled()) << i;
        button->click();
        settle();
        ASSERT_NE(navigator->lastOpened(), nullptr);
        EXPECT_EQ(navigator->lastOpened()->objectName(), QString::fromUtf8(expected[i])) << i;
        FunctionBar* bar = barOf(navigator->lastOpened());
        ASSERT_NE(bar, nullptr) << i;
        const int other = (i + 1) % 8;
        ASSERT_TRUE(bar->CommandFunction[static_cast<std::size_t>(other)]->isEnabled()) << i;
        bar->CommandFunction[static_cast<std::size_t>(other)]->click();
        settle();
        EXPECT_EQ(navigator->lastOpened()->objectName(), QString::fromUtf8(expected[other])) << i;
        barOf(navigator->lastOpened())->CommandHome->click();
        settle();
    }
    auto* home = dynamic_cast<HomeScreen*>(navigator->lastOpened());
    ASSERT_NE(home, nullptr);
    EXPECT_TRUE(home->CommandGlossary->isEnabled());
    home->CommandGlossary->click();
    settle();
    EXPECT_EQ(navigator->lastOpened()->objectName(), QStringLiteral("frm用語一覧"));
}

}  // namespace
}  // namespace korvel
