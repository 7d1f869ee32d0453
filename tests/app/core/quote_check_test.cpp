#include "app/correction/quote_check.h"
#include "tests/app/file_support.h"

#include <gtest/gtest.h>

namespace korvel {
namespace {

const QString kBoth = QStringLiteral("彼は「こんにちは」と言いました。");

TEST(QuoteCheck, PromptWithoutJapaneseMarksChangesNothing)
{
    const QuoteCheck q = chk_Quote(QStringLiteral("私は学生です。"), QStringLiteral("\"I am.\""));
    EXPECT_EQ(q.mode, 0);
    EXPECT_EQ(q.flags, 0);
    EXPECT_EQ(q.sentence, QStringLiteral("\"I am.\""));
}

TEST(QuoteCheck, BothMarksTypedAreTakenOff)
{
    const QuoteCheck q = chk_Quote(kBoth, QStringLiteral("\" Hello. \""));
    EXPECT_EQ(q.mode, 3);
    EXPECT_EQ(q.flags, 0);
    EXPECT_EQ(q.sentence, QStringLiteral("Hello."));
    EXPECT_EQ(q.removedOpening, QStringLiteral("\""));
    EXPECT_EQ(q.removedClosing, QStringLiteral("\""));
}

TEST(QuoteCheck, MissingMarksAddUp)
{
    EXPECT_EQ(chk_Quote(kBoth, QStringLiteral("Hello.")).flags, -3);
    EXPECT_EQ(chk_Quote(kBoth, QStringLiteral("hello")).flags, -3);  // small letter at the end
    EXPECT_EQ(chk_Quote(kBoth, QStringLiteral("Hello.")).sentence, QStringLiteral("Hello."));
    // Only the closing mark in the prompt.
    const QuoteCheck closing = chk_Quote(QStringLiteral("こんにちは」"), QStringLiteral("Hello!"));
    EXPECT_EQ(closing.mode, 2);
    EXPECT_EQ(closing.flags, -2);
}

TEST(QuoteCheck, JapaneseMarksTypedInsteadAreRemovedAsWrongCharacters)
{
    const QuoteCheck open = chk_Quote(kBoth, QStringLiteral("「Hello.\""));
    EXPECT_EQ(open.flags, -10);
    EXPECT_EQ(open.removedOpening, QStringLiteral("「"));
    EXPECT_EQ(open.sentence, QStringLiteral("Hello."));

    EXPECT_EQ(chk_Quote(kBoth, QStringLiteral("「Hello.")).flags, -12);

    const QuoteCheck both = chk_Quote(kBoth, QStringLiteral("「Hello.」"));
    EXPECT_EQ(both.flags, -30);
    EXPECT_EQ(both.removedClosing, QStringLiteral("」"));
    EXPECT_EQ(both.sentence, QStringLiteral("Hello."));

    EXPECT_EQ(chk_Quote(kBoth, QStringLiteral("Hello.」")).flags, -21);
}

TEST(QuoteCheck, CapitalAtTheEndIsTakenForAWrongClosingCharacter)
{
    // Capital letters are not in the "ends in a word" test.
    const QuoteCheck q = chk_Quote(QStringLiteral("「OK」"), QStringLiteral("\"OK"));
    EXPECT_EQ(q.flags, -20);
    EXPECT_EQ(q.removedClosing, QStringLiteral("K"));
    // A one-character sentence is not cut to nothing.
    EXPECT_EQ(chk_Quote(QStringLiteral("「A」"), QStringLiteral("\"A")).flags, -2);
}

}  // namespace
}  // namespace korvel
