// frm並べ替え and frm聞き取り through their widgets on the bundled course:
// cards dragged with the mouse and checked, the next question; the listening
// quiz played, checked, shown with F10, settled into its grid and its logs.
#include "app/exercises/ui/function_bar.h"
#include "tests/app/ui/exercise_screen_fixture.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTest>

#include <gtest/gtest.h>

namespace korvel {
namespace {

QStringList cardsShown(const frm並べ替え* quiz)
{
    QStringList texts;
    for (const QLabel* card : quiz->LabelCard) {
        texts << card->text();
    }
    return texts;
}

void mouse(QWidget* target, QEvent::Type type, QPoint local, Qt::MouseButtons held)
{
    const QPointF global = target->mapToGlobal(QPointF(local));
    QMouseEvent event(type, QPointF(local), global, Qt::LeftButton, held, Qt::NoModifier);
    QApplication::sendEvent(target, &event);
}

// Drags a card by `dx` pixels with the left button held.
void drag(QLabel* card, int dx)
{
    const QPoint grip(5, 5);
    mouse(card, QEvent::MouseButtonPress, grip, Qt::LeftButton);
    // Positions are local to the card, which follows the mouse: each step
    // is measured from where the card has got to.
    const int target = card->x() + dx;
    mouse(card, QEvent::MouseMove, grip + QPoint(dx / 2, 0), Qt::LeftButton);
    const int rest = target - card->x();
    mouse(card, QEvent::MouseMove, grip + QPoint(rest, 0), Qt::LeftButton);
    mouse(card, QEvent::MouseButtonRelease, grip, Qt::NoButton);
}

using QuizScreensTest = test::ExerciseScreenTest;

TEST_F(QuizScreensTest, CardsAreDraggedCheckedAndTheNextQuestionFollows)
{
    auto* quiz = openAs<frm並べ替え>(ScreenId::Rearrangement, 1);
    ASSERT_NE(quiz, nullptr);
    EXPECT_EQ(quiz->windowTitle(), QStringLiteral("第1章　並べ替えクイズ"));
    EXPECT_EQ(quiz->LabelQuestion->text(), QStringLiteral("1 こんにちは。"));
    EXPECT_EQ(cardsShown(quiz), (QStringList{"hello", "."}));
    quiz->CommandCheck->click();
    EXPECT_EQ(quiz->LabelResult->text(), QStringLiteral("正解です。 "));

    quiz->CommandNext->click();
    EXPECT_EQ(quiz->LabelQuestion->text(), QStringLiteral("2 私はケンです。"));
    ASSERT_EQ(cardsShown(quiz), (QStringList{"I", "am", "Ken", "."}));  // flags 100 keep the capital
    // "Ken" dragged far to the left becomes the first card.
    drag(quiz->LabelCard[2], -400);
    EXPECT_EQ(cardsShown(quiz), (QStringList{"Ken", "I", "am", "."}));
    EXPECT_LT(quiz->LabelCard[0]->x(), quiz->LabelCard[1]->x());
    quiz->CommandCheck->click();
    EXPECT_EQ(quiz->LabelResult->text(), QStringLiteral("3個所間違っています。"));
    EXPECT_EQ(quiz->LabelResult->palette().color(QPalette::WindowText), QColor(255, 128, 0));
    // Picking a card up clears the verdict; putting it back makes the sentence right.
    const auto left = [&](int card) { return quiz->LabelCard[static_cast<std::size_t>(card)]->x(); };
    drag(quiz->LabelCard[0], (left(2) + left(3)) / 2 - left(0));
    EXPECT_TRUE(quiz->LabelResult->text().isEmpty());
    EXPECT_EQ(cardsShown(quiz), (QStringList{"I", "am", "Ken", "."}));
    quiz->CommandCheck->click();
    EXPECT_EQ(quiz->LabelResult->text(), QStringLiteral("正解です。 "));
    EXPECT_EQ(sound.played.size(), 3);
    EXPECT_TRUE(records(LogName::UserLog).empty());  // practice only
}

TEST_F(QuizScreensTest, ListeningIsPlayedCheckedSettledAndLogged)
{
    auto* quiz = openAs<frm聞き取り>(ScreenId::Listening, 1);
    ASSERT_NE(quiz, nullptr);
    EXPECT_EQ(prompt.count(), 0u) << prompt.transcript().toStdString();
    EXPECT_EQ(quiz->windowTitle(), QStringLiteral("第1章　聞き取りクイズ"));
    quiz->CommandSpeaker->click();
    ASSERT_EQ(sound.played.size(), 1);
    EXPECT_TRUE(sound.played[0].endsWith(QStringLiteral("AudioSent/s01-01.mp3")));
    EXPECT_FALSE(quiz->OptionAgain.buttons[0]->isEnabled());  // fixed after the first play
    quiz->CommandSpeaker->click();
    type(quiz->TextAnswer, QStringLiteral("Hello"), true);
    EXPECT_EQ(quiz->LabelVerdict->text(), QStringLiteral("間違っています。(1回目)"));
    quiz->TextAnswer->clear();
    type(quiz->TextAnswer, QStringLiteral("Hello ."), true);
    EXPECT_EQ(quiz->LabelVerdict->text(), QStringLiteral("正解です。(2回目)"));
    quiz->CommandNext->click();
    ASSERT_EQ(quiz->GridResults->rowCount(), 1);
    EXPECT_EQ(quiz->GridResults->item(0, 1)->text(), QStringLiteral("2"));
    EXPECT_EQ(quiz->GridResults->item(0, 2)->text(), QStringLiteral("○"));
    EXPECT_EQ(quiz->GridResults->item(0, 3)->text(), QStringLiteral("Hello. (2 回目 )"));
    const auto heard = records(LogName::HExLog);
    ASSERT_EQ(heard.size(), 1u);
    EXPECT_EQ(decodeHExLog(heard[0]).checks, 2);
    EXPECT_EQ(decodeHExLog(heard[0]).plays, 2);
    // The next sentence plays at once; after F10 an Enter does not check.
    EXPECT_TRUE(sound.played.last().endsWith(QStringLiteral("AudioSent/s01-02.mp3")));
    QTest::keyClick(quiz->TextAnswer, Qt::Key_F10);
    EXPECT_EQ(quiz->LabelModel->text(), QStringLiteral("私はケンです。\nI am Ken."));
    type(quiz->TextAnswer, QStringLiteral("I am Ken."), true);
    EXPECT_EQ(prompt.last().text, QStringLiteral("既に正解文を表示しているので\r\nチェックはしません。"));
    EXPECT_TRUE(quiz->LabelVerdict->text().isEmpty());
    // Down ends the sentence, unchecked: a row without a mark, no record.
    QTest::keyClick(quiz->TextAnswer, Qt::Key_Down);
    ASSERT_EQ(quiz->GridResults->rowCount(), 2);
    EXPECT_EQ(quiz->GridResults->item(0, 0)->text(), QStringLiteral("2"));
    EXPECT_TRUE(quiz->GridResults->item(0, 2)->text().isEmpty());
    EXPECT_EQ(records(LogName::HExLog).size(), 1u);

    quiz->Bar->CommandHome->click();
    settle();
    const auto runs = records(LogName::UserLog);
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_EQ(decodeUserLog(runs[0]).kind, 3);
    EXPECT_EQ(decodeUserLog(runs[0]).right, 1);
    EXPECT_EQ(decodeUserLog(runs[0]).wrong, 0);
}

TEST_F(QuizScreensTest, RequizWithNothingLeftShowsTheEndMessage)
{
    openHomeAs(0);
    auto* quiz = dynamic_cast<frm聞き取り*>(navigator->openRetest(kRetestListening));
    ASSERT_NE(quiz, nullptr);
    EXPECT_EQ(quiz->windowTitle(), QStringLiteral("聞き取りで×の英文　再クイズ"));
    EXPECT_EQ(prompt.last().title, QStringLiteral("聞き取りクイズ終了"));
    EXPECT_EQ(prompt.last().text, QStringLiteral("聞き取り再クイズは終了しました。"));
    EXPECT_FALSE(quiz->TextAnswer->isEnabled());
    EXPECT_FALSE(quiz->CommandNext->isEnabled());
}

}  // namespace
}  // namespace korvel
