#include "app/correction/error_comments.h"
#include "app/correction/correction.h"
#include "tests/app/file_support.h"

#include <gtest/gtest.h>

namespace korvel {
namespace {

class ErrComment : public ::testing::Test {
protected:
    CorrectionItem& add(const QString& word, int code = 0, QStringList candidates = {}, int errorNumber = 0)
    {
        CorrectionItem item;
        item.word = word;
        item.code = code;
        item.error = code != 0;
        item.errorNumber = static_cast<std::int16_t>(errorNumber);
        item.candidates = std::move(candidates);
        items.push_back(item);
        return items.back();
    }
    QList<ItemComment> comments(int index) const
    {
        return set_ErrComment(CheckedItems{items, blocks, quote, messages}, index);
    }
    QList<int> kinds(int index) const
    {
        QList<int> out;
        for (const ItemComment& c : comments(index)) {
            out.push_back(c.kind);
        }
        return out;
    }

    std::vector<CorrectionItem> items;
    std::vector<CommentBlock> blocks;
    QuoteCheck quote;
    MessageTable messages = set_MessageTable();
};

TEST_F(ErrComment, MissingPartAtTheEndNamesTheMissingMark)
{
    add(QStringLiteral("Are"));
    add(QStringLiteral("you"));
    add(QString(), 8, {QStringLiteral("?")});
    EXPECT_EQ(comments(2).front().text, QStringLiteral("文章の終りに疑問符がありません。"));
    EXPECT_EQ(kinds(2), QList<int>{10});
    items[2].candidates = QStringList{QStringLiteral(".")};
    EXPECT_EQ(comments(2).front().text, QStringLiteral("文章の終りにピリオドがありません。"));
    EXPECT_EQ(kinds(2), QList<int>{5});
}

TEST_F(ErrComment, MissingPartInsideTheSentenceNamesItsCandidates)
{
    add(QStringLiteral("I"));
    add(QString(), 8, {QStringLiteral("am")});
    add(QStringLiteral("boy"));
    EXPECT_EQ(comments(1).front().text, QStringLiteral("この部分に必要な何か (am) が抜けています。"));
    EXPECT_EQ(kinds(1), QList<int>{6});
    items[1].candidates.push_back(QStringLiteral("'m"));
    EXPECT_EQ(comments(1).front().text, QStringLiteral("この部分に必要な何か (am または 'm) が抜けています。"));
    items[1].candidates.clear();
    EXPECT_EQ(comments(1).front().text, QStringLiteral("この部分に必要な何かが抜けています。"));
}

TEST_F(ErrComment, CodeSixteenHundredNeverComments)
{
    add(QStringLiteral("am"), 1600, {QStringLiteral("am")}).comments = {3};
    blocks.push_back({3, QStringLiteral("text")});
    EXPECT_TRUE(comments(0).isEmpty());
    EXPECT_FALSE(isErrorCode(1600));
    EXPECT_TRUE(isErrorCode(0));
}

TEST_F(ErrComment, MisplacedWordAfterTheRepairGetsMessageFifteen)
{
    add(QStringLiteral("am"), kCodeMisplacedOne, {}, 1);
    add(QStringLiteral("I"));
    add(QString(), 32768 + 16, {QStringLiteral("am")}, 2);
    EXPECT_EQ(comments(0).front().text, QStringLiteral("この部分の位置が適切ではありません。"));
    EXPECT_EQ(kinds(0), QList<int>{15});
    // The missing word: placed wrongly (9), then the superfluous bit (7).
    EXPECT_EQ(kinds(2), (QList<int>{9, 7}));
    items[0].code = kCodeMisplacedSome;
    EXPECT_EQ(kinds(0), QList<int>{16});
}

TEST_F(ErrComment, QuotationPseudoItems)
{
    quote.mode = 3;
    add(QString(), kCodeOpeningMissing, {QStringLiteral("\"")}, 1);
    add(QStringLiteral("Hello"));
    add(QString(), kCodeClosingMissing, {QStringLiteral("\"")}, 2);
    EXPECT_EQ(kinds(0), QList<int>{11});
    EXPECT_EQ(comments(0).front().text, QStringLiteral("会話文の先頭の　｢ に対しては \"（引用符）を用います。"));
    EXPECT_EQ(kinds(2), QList<int>{12});
    items[0].code = kCodeOpeningWrong;
    items[2].code = kCodeClosingWrong;
    EXPECT_EQ(kinds(0), QList<int>{13});
    EXPECT_EQ(kinds(2), QList<int>{14});
}

TEST_F(ErrComment, CapitalLetterCommentKnowsTheFirstWordBehindAQuotationMark)
{
    add(QStringLiteral("i"), 1, {}, 1);
    add(QStringLiteral("Am"), 1, {}, 2);
    EXPECT_EQ(kinds(0), QList<int>{1});
    EXPECT_EQ(kinds(1), QList<int>{2});
    quote.mode = 1;
    EXPECT_EQ(kinds(1), QList<int>{1});
}

TEST_F(ErrComment, WrongWordsAndPhrasesWithTheirCandidates)
{
    add(QStringLiteral("boy"));
    add(QStringLiteral("iz"), 32 + 2, {QStringLiteral("is")}, 1);
    EXPECT_EQ(comments(1).front().text, QStringLiteral("不適切な単語か又はつづりがまちがっているようです。\r\n") +
                                            longIndent() + QStringLiteral("　この部分は is にします。"));
    items[1].candidates = QStringList{QString(), QStringLiteral("a")};
    EXPECT_TRUE(comments(1).front().text.endsWith(QStringLiteral("何もつけない,a のいずれかにします。")));
    items[1].candidates = QStringList{QString()};
    EXPECT_EQ(comments(1).front().text, QStringLiteral("この部分は必要ありません。"));

    // 3648 with a word and no comment numbers: the wrong-phrase comment.
    items[1].code = 3648;
    items[1].candidates = QStringList{QStringLiteral("am"), QStringLiteral("'m")};
    EXPECT_EQ(comments(1).front().text, QStringLiteral("不適切な語句です。この部分は (am または 'm) にします。"));
    // With comment numbers, only the comments of the report.
    items[1].comments = {10005};
    blocks.push_back({10005, QStringLiteral("am を使います。")});
    EXPECT_EQ(kinds(1), QList<int>{10005});
}

TEST_F(ErrComment, OrderBitNamesTheCandidatesWithTheIndentOfTheirNumber)
{
    add(QStringLiteral("boy a"), 8192 + 32, {QStringLiteral("a boy ")}, 1);
    const QList<ItemComment> one = comments(0);
    ASSERT_GE(one.size(), 1);
    EXPECT_EQ(one.front().kind, 8);
    EXPECT_EQ(one.front().text, QStringLiteral("これらの単語の順番がまちがっています。\r\n") + longIndent() +
                                    QStringLiteral("　この部分は a boy にします。"));
    items[0].candidates.push_back(QStringLiteral("the boy"));
    EXPECT_EQ(comments(0).front().text, QStringLiteral("これらの単語の順番がまちがっています。\r\n") + shortIndent() +
                                            QStringLiteral("　この部分は a boy,the boyのいずれかにします。"));
}

TEST_F(ErrComment, CommentTextNumbersEachErrorOnce)
{
    add(QStringLiteral("I"));
    add(QStringLiteral("very"), 16, {}, 1);
    add(QStringLiteral("much"), 16, {}, 1);
    add(QStringLiteral("is"), 96, {QStringLiteral("am")}, 2);
    add(QString(), 8, {QStringLiteral(".")}, 3);
    QList<std::int16_t> log;
    const QString text = put_CommentText(items, blocks, quote, messages, &log);
    EXPECT_EQ(text, QStringLiteral("コメント(1)  ・この部分は必要ありません。\r\n"
                                   "コメント(2)  ・不適切な単語か又はつづりがまちがっているようです。\r\n") +
                        longIndent() + QStringLiteral("　この部分は am にします。\r\n") +
                        QStringLiteral("コメント(3)  ・文章の終りにピリオドがありません。"));
    EXPECT_EQ(log, (QList<std::int16_t>{7, 4, 5}));
}

TEST_F(ErrComment, CommentLogKeepsAtMostFiftyOneKinds)
{
    blocks.push_back({3, QStringLiteral("three")});
    for (int i = 0; i < 30; ++i) {
        add(QStringLiteral("w"), 96, {QStringLiteral("v")}, i + 1).comments = {3};
    }
    QList<std::int16_t> log;
    const QString text = put_CommentText(items, blocks, quote, messages, &log);
    EXPECT_EQ(log.size(), 51);
    EXPECT_EQ(text.count(QStringLiteral("three")), 30);  // the text itself keeps every comment
}

TEST_F(ErrComment, ResultTextMarksErrorsAndBuildsTheCorrectedSentence)
{
    add(QStringLiteral("i"), 1, {QStringLiteral("I")}, 1);
    add(QStringLiteral("is"), 96, {QStringLiteral("am")}, 2);
    add(QStringLiteral("very"), 16, {}, 3);
    CorrectionItem& a = add(QString(), 520, {QStringLiteral("a")}, 4);
    a.group = 1;
    a.inIdiom = true;
    CorrectionItem& boy = add(QStringLiteral("boy"));
    boy.group = 2;
    boy.inIdiom = true;
    CorrectionItem& closing = add(QString(), 576, {}, 5);
    closing.group = 99;
    add(QString(), 8, {QStringLiteral(".")}, 6);
    const ResultTexts texts = make_ResultText(items, quote);
    EXPECT_EQ(texts.marked, QStringLiteral(" [i](1)  [is](2)  [very](3) 【 [XXX](4) boy 】(5) [XXX](6)"));
    EXPECT_EQ(texts.corrected, QStringLiteral("I am a boy."));
    EXPECT_EQ(make_ModelSentence(texts.corrected),
              QStringLiteral("\r\n添削の結果を反映すると以下のような正解文になります。\r\nI am a boy.\r\n"));
    EXPECT_EQ(make_ModelSentence(QStringLiteral("  ")), QString());
}

TEST_F(ErrComment, CorrectedSentenceInQuotationMarksCapitalisesTheFirstWord)
{
    quote.mode = 3;
    add(QString(), kCodeOpeningMissing, {QStringLiteral("\"")}, 1);
    add(QStringLiteral("hello"), 1, {QStringLiteral("hello")}, 2);
    add(QStringLiteral("."));
    add(QString(), kCodeClosingMissing, {QStringLiteral("\"")}, 3);
    const ResultTexts texts = make_ResultText(items, quote);
    EXPECT_EQ(texts.marked, QStringLiteral(" [XXX](1) [hello](2)  . [XXX](3)"));
    EXPECT_EQ(texts.corrected, QStringLiteral("\"Hello.\""));
}

TEST_F(ErrComment, AWordPutBeforeTheFirstWordTakesItsCapitalOnlyFromAFunctionWord)
{
    add(QString(), 8, {QStringLiteral("Do")}, 1);
    add(QStringLiteral("You"));
    add(QStringLiteral("like"));
    add(QStringLiteral("tea"));
    add(QStringLiteral("?"));
    EXPECT_EQ(make_ResultText(items, quote).corrected, QStringLiteral("Do you like tea?"));

    items.clear();
    add(QString(), 8, {QStringLiteral("does")}, 1);
    add(QStringLiteral("Ken"));
    add(QStringLiteral("play"));
    add(QStringLiteral("?"));
    EXPECT_EQ(make_ResultText(items, quote).corrected, QStringLiteral("Does Ken play?"));

    items.clear();
    add(QString(), 8, {QStringLiteral("I")}, 1);
    add(QStringLiteral("Am"), 96, {QStringLiteral("am")}, 2);
    add(QStringLiteral("happy"));
    add(QStringLiteral("."));
    EXPECT_EQ(make_ResultText(items, quote).corrected, QStringLiteral("I am happy."));

    items.clear();  // a quotation mark in front is no word: the capital stays
    quote.mode = 3;
    add(QString(), kCodeOpeningMissing, {QStringLiteral("\"")}, 1);
    add(QStringLiteral("You"));
    add(QStringLiteral("are"));
    add(QStringLiteral("."));
    add(QString(), kCodeClosingMissing, {QStringLiteral("\"")}, 2);
    EXPECT_EQ(make_ResultText(items, quote).corrected, QStringLiteral("\"You are.\""));
}

}  // namespace
}  // namespace korvel
