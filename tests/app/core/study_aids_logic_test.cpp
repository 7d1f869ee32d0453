// The study aids without a screen: the page box, the glossary's pictures, the
// sentence study aid's template names and its refusals before the engine.
#include "app/correction/engine_binding.h"
#include "app/exercises/study_aids.h"
#include "tests/app/core/correction_fixture.h"
#include "tests/app/core/exercise_fixture.h"

#include <gtest/gtest.h>

namespace korvel {
namespace {

TEST(PageBox, DigitsOnlyClampedToThePages)
{
    EXPECT_FALSE(pageBoxChoice(QStringLiteral("3a"), 4).has_value());
    EXPECT_FALSE(pageBoxChoice(QStringLiteral("-1"), 4).has_value());
    EXPECT_EQ(pageBoxChoice(QStringLiteral("25"), 4), 4);
    EXPECT_EQ(pageBoxChoice(QStringLiteral("0"), 4), 1);
    EXPECT_EQ(pageBoxChoice(QStringLiteral("3"), 4), 3);
    EXPECT_EQ(pageBoxChoice(QStringLiteral("99999999999999"), 4), 4);
    EXPECT_EQ(pageCountText(4), QStringLiteral("4ページ／"));
}

TEST(StudyAidNames, TemplatesAndFlowers)
{
    EXPECT_EQ(studyAidTemplate(5, QStringLiteral("3")), QStringLiteral("khnbun05-03"));
    EXPECT_EQ(studyAidTemplate(24, QStringLiteral("12")), QStringLiteral("Lesson24-12"));
    EXPECT_EQ(studyAidTemplate(22, QStringLiteral("1")), QStringLiteral("khnbun22-01"));
    EXPECT_EQ(studyAidTemplate(28, QStringLiteral("1")), QStringLiteral("khnbun28-01"));
    Folders folders = Folders::fromRoot(QStringLiteral("/c"));
    EXPECT_TRUE(flowerPicture(folders, 9).endsWith(QStringLiteral("/flower1.jpg")));
    EXPECT_TRUE(flowerPicture(folders, 8).endsWith(QStringLiteral("/flower0.jpg")));
}

class SentenceAidTest : public test::ExerciseTest {};

TEST_F(SentenceAidTest, RefusalsNeverReachTheEngine)
{
    auto calls = std::make_unique<test::ScriptedZintra>();
    calls->reply = "<div></div>";
    test::ScriptedZintra* seen = calls.get();
    EngineBinding engine(std::move(calls));
    auto result = checkBasicSentence(*session, engine, 5, QStringLiteral("3"), QStringLiteral("I am　a boy."));
    EXPECT_EQ(result.kind, SentenceAidResult::Kind::FullWidthBlank);
    EXPECT_EQ(prompt.last().text, kFullWidthBlankMessage);
    result = checkBasicSentence(*session, engine, 5, QStringLiteral("3"), QStringLiteral("a < b"));
    EXPECT_EQ(result.kind, SentenceAidResult::Kind::Forbidden);
    result = checkBasicSentence(*session, engine, 5, QStringLiteral("3"), QStringLiteral("   "));
    EXPECT_EQ(result.kind, SentenceAidResult::Kind::Nothing);
    EXPECT_EQ(seen->matches, 0);
}

TEST_F(SentenceAidTest, RequestNamesTheTemplateAndAFailedReplyIsNotJudged)
{
    auto calls = std::make_unique<test::ScriptedZintra>();
    calls->reply = "<div><P>Can't open Global or Template file!</P></div>";
    calls->result = 0;
    test::ScriptedZintra* seen = calls.get();
    EngineBinding engine(std::move(calls));
    const auto result = checkBasicSentence(*session, engine, 5, QStringLiteral("3"), QStringLiteral("I  am a boy. "));
    EXPECT_EQ(result.kind, SentenceAidResult::Kind::Failed);
    EXPECT_EQ(seen->matches, 1);
    EXPECT_EQ(seen->request, QByteArray("<H1>khnbun05-03</H1><P>I am a boy.</P>"));
    EXPECT_TRUE(prompt.transcript().contains(QStringLiteral("prc_zintraMatch2"))) << prompt.transcript().toStdString();
}

}  // namespace
}  // namespace korvel
