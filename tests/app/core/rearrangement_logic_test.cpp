// The rearrangement quiz without a screen: the cut after the final mark, the
// cards with and without the capital flag, the check with interchangeable
// equal words, dialogues kept together and a new order after the last question.
#include "app/exercises/rearrangement.h"
#include "tests/app/core/exercise_fixture.h"

#include <gtest/gtest.h>

namespace korvel {
namespace {

std::vector<Card> arranged(const QStringList& model, const std::vector<int>& places)
{
    std::vector<Card> cards;
    for (int place : places) {
        cards.push_back(Card{model[place], 2 * place + 1, 0});
    }
    return cards;
}

TEST(RearrangementCards, FiveCardsWithAndWithoutTheCapitalFlag)
{
    EXPECT_EQ(cardTexts(QStringLiteral("I have a pen."), false), (QStringList{"i", "have", "a", "pen", "."}));
    EXPECT_EQ(cardTexts(QStringLiteral("I have a pen."), true), (QStringList{"I", "have", "a", "pen", "."}));
}

TEST(RearrangementCards, OnlyTheFinalPeriodEndsTheCut)
{
    EXPECT_EQ(cardTexts(QStringLiteral("Mr. Brown is my teacher.  "), true),
              (QStringList{"Mr.", "Brown", "is", "my", "teacher", "."}));
    EXPECT_EQ(cutAtFinalMark(QStringLiteral("Are you Mr. Brown? Yes")), QStringLiteral("Are you Mr. Brown?"));
    EXPECT_EQ(cutAtFinalMark(QStringLiteral("Oh! Is it? Yes")), QStringLiteral("Oh! Is it?"));
    EXPECT_EQ(cutAtFinalMark(QStringLiteral("Wow! Great")), QStringLiteral("Wow!"));
    EXPECT_EQ(cutAtFinalMark(QStringLiteral("Hi. Tom")), QStringLiteral("Hi."));
    EXPECT_TRUE(cardTexts(QStringLiteral("no mark at all"), false).isEmpty());
    EXPECT_EQ(cardTexts(QStringLiteral("How are you?"), false), (QStringList{"how", "are", "you?"}));
}

TEST(RearrangementCheck, EqualWordsAreInterchangeable)
{
    const QStringList model = cardTexts(QStringLiteral("The cat and the dog."), false);
    ASSERT_EQ(model, (QStringList{"the", "cat", "and", "the", "dog", "."}));
    auto dogAndCat = arranged(model, {0, 4, 2, 3, 1, 5});
    EXPECT_EQ(wrongPlaces(dogAndCat), 2);
    auto theExchanged = arranged(model, {3, 1, 2, 0, 4, 5});
    EXPECT_EQ(wrongPlaces(theExchanged), 0);
    auto right = arranged(model, {0, 1, 2, 3, 4, 5});
    EXPECT_EQ(wrongPlaces(right), 0);
    auto reversed = arranged(model, {5, 4, 3, 2, 1, 0});
    EXPECT_EQ(wrongPlaces(reversed), 6);
}

class RearrangementQuizTest : public test::ExerciseTest {
protected:
    void SetUp() override
    {
        ExerciseTest::SetUp();
        lessonFile(QStringLiteral("基本文.txt"), {QStringLiteral("No.\t章\t番号\t日本語\t英語\tフラグ\t別文"),
                                                  QStringLiteral("1\t1\t1\t私はペンを持っています。\tI have a pen.\t0"),
                                                  QStringLiteral("2\t1\t2\tこんにちは。\tHello, Tom.\t0"),
                                                  QStringLiteral("3\t1\t2\tやあ。\tHi, Ken.\t0"),
                                                  QStringLiteral("4\t1\t3\t私はケンです。\tI am Ken.\t100"),
                                                  QStringLiteral("5\t2\t1\t彼は先生です。\tHe is a teacher.\t0")});
    }
    static int rowOf(const RearrangementQuiz& quiz) { return quiz.current()->row; }
};

TEST_F(RearrangementQuizTest, DialogueRowsStayConsecutiveAndANewOrderFollowsTheLast)
{
    for (const std::vector<double>& values :
         {std::vector<double>{0.9, 0.1, 0.5, 0.3}, std::vector<double>{0.1, 0.9, 0.2, 0.6},
          std::vector<double>{0.5, 0.0, 0.8, 0.2}}) {
        random.values = values;
        RearrangementQuiz quiz(*session);
        quiz.start();
        ASSERT_EQ(quiz.count(), 4);
        std::vector<int> rows;
        for (int q = 0; q < 4; ++q) {
            rows.push_back(rowOf(quiz));
            quiz.next();
        }
        const auto two = std::find(rows.begin(), rows.end(), 2) - rows.begin();
        const auto three = std::find(rows.begin(), rows.end(), 3) - rows.begin();
        EXPECT_EQ(std::abs(two - three), 1);
        EXPECT_EQ(quiz.question(), 1);
    }
    const int reseeds = random.reseeds;
    RearrangementQuiz quiz(*session);
    quiz.start();
    for (int q = 0; q < 4; ++q) {
        quiz.next();
    }
    EXPECT_EQ(random.reseeds, reseeds + 2);  // at the start and after the last question
}

TEST_F(RearrangementQuizTest, QuestionTextCardsCheckAndPhase)
{
    random.values = {0.0};  // equal keys everywhere: file order, model order of cards
    RearrangementQuiz quiz(*session);
    quiz.start();
    EXPECT_EQ(quiz.caption(), QStringLiteral("第1章　並べ替えクイズ"));
    EXPECT_EQ(quiz.questionText(), QStringLiteral("1 私はペンを持っています。"));
    ASSERT_EQ(quiz.cards().size(), 5u);
    EXPECT_EQ(quiz.cards()[0].text, QStringLiteral("i"));
    EXPECT_EQ(quiz.check(), 0);
    EXPECT_EQ(quiz.phase(), RearrangementQuiz::Phase::Checked);
    // "pen" dragged to the far left.
    quiz.reorderByPositions({10, 20, 30, 0, 40});
    EXPECT_EQ(quiz.phase(), RearrangementQuiz::Phase::Arranging);
    EXPECT_EQ(quiz.cards()[0].text, QStringLiteral("pen"));
    EXPECT_EQ(quiz.check(), 4);
    quiz.next();
    quiz.next();
    quiz.next();
    EXPECT_EQ(quiz.cards()[0].text, QStringLiteral("I"));  // flags 100: the capital stays
    EXPECT_FALSE(quiz.setChapter(28));
    EXPECT_TRUE(quiz.setChapter(2));
    EXPECT_EQ(quiz.count(), 1);
    EXPECT_EQ(quiz.question(), 1);
}

}  // namespace
}  // namespace korvel
