#include "app/correction/report_parser.h"
#include "tests/app/core/correction_fixture.h"

#include <gtest/gtest.h>

namespace korvel {
namespace {

using test::commentBlock;
using test::reportOf;
using test::span;

ReportAnalysis parse(const QString& report, const QuoteCheck& quote = {})
{
    return prc_添削結果解析(report, quote);
}

QString errorBlock(int code, const QStringList& words, const QStringList& candidates = {},
                   const QList<int>& comments = {})
{
    QString text = QStringLiteral("<div><B>%1</B>").arg(code);
    for (const QString& w : words) {
        text += span(w);
    }
    for (const QString& c : candidates) {
        text += QStringLiteral("<font>") + c + QStringLiteral("</font>");
    }
    for (const int n : comments) {
        text += QStringLiteral("<p>%1</p>").arg(n);
    }
    return text + QStringLiteral("</div>\n");
}

TEST(ReportParse, WordsErrorsCandidatesAndCommentBlocks)
{
    const QString report = reportOf(
        span(QStringLiteral("I")) + errorBlock(3648, {QStringLiteral("is")}, {QStringLiteral("am")}, {10005}) +
            errorBlock(1600, {QStringLiteral("a")}, {QStringLiteral("a")}, {10003}) + span(QStringLiteral("boy")) +
            errorBlock(8, {QString()}, {QStringLiteral(".")}),
        commentBlock(10005, QStringLiteral("am を使います。")) + commentBlock(10003, QStringLiteral("a が要ります。")));
    const ReportAnalysis a = parse(report);
    ASSERT_TRUE(a.ok) << a.failure.routine.toStdString();
    EXPECT_EQ(a.errorCount, 2);
    ASSERT_EQ(a.items.size(), 5u);
    EXPECT_FALSE(a.items[0].error);
    EXPECT_EQ(a.items[1].code, 3648);
    EXPECT_EQ(a.items[1].errorNumber, 1);
    EXPECT_EQ(a.items[1].candidates, QStringList{QStringLiteral("am")});
    EXPECT_EQ(a.items[1].comments, QList<std::int16_t>{10005});
    // 1600 is a correct word; its candidates and comments are not taken.
    EXPECT_FALSE(a.items[2].error);
    EXPECT_EQ(a.items[2].word, QStringLiteral("a"));
    EXPECT_TRUE(a.items[2].candidates.isEmpty());
    EXPECT_EQ(a.items[4].word, QString());
    EXPECT_EQ(a.items[4].errorNumber, 2);
    ASSERT_EQ(a.blocks.size(), 2u);
    EXPECT_EQ(a.blocks[1].number, 10003);
    EXPECT_EQ(a.blocks[1].text, QStringLiteral("a が要ります。"));
}

TEST(ReportParse, SuperfluousWordsGetNoCandidatesAndAnErrorAtTheStartCapitalisesItsCandidates)
{
    const QString report =
        reportOf(errorBlock(3648, {QStringLiteral("me")}, {QStringLiteral("i"), QString()}) +
                 errorBlock(16, {QStringLiteral("very"), QStringLiteral("much")}, {QStringLiteral("x")}, {3}));
    const ReportAnalysis a = parse(report);
    ASSERT_TRUE(a.ok);
    EXPECT_EQ(a.items[0].candidates, (QStringList{QStringLiteral("I"), QString()}));
    ASSERT_EQ(a.items.size(), 3u);
    for (int i : {1, 2}) {
        EXPECT_TRUE(a.items[i].error);
        EXPECT_EQ(a.items[i].errorNumber, 2);
        EXPECT_TRUE(a.items[i].candidates.isEmpty());
        EXPECT_TRUE(a.items[i].comments.isEmpty());
    }
}

TEST(ReportParse, IdiomWithAnInnerErrorGetsAClosingItem)
{
    const QString idiom = QStringLiteral(
        "<div><B>576</B><div><B>520</B><span></span><font>a</font><p>10003</p></div>\n"
        "<span>student</span><font>a student</font><p>10003</p><p>7</p></div>\n");
    const ReportAnalysis a = parse(reportOf(span(QStringLiteral("I")) + idiom));
    ASSERT_TRUE(a.ok);
    ASSERT_EQ(a.items.size(), 4u);
    EXPECT_EQ(a.items[1].group, 1);
    EXPECT_EQ(a.items[1].code, 520);
    EXPECT_TRUE(a.items[1].inIdiom);
    EXPECT_EQ(a.items[1].candidates, QStringList{QStringLiteral("a")});
    EXPECT_EQ(a.items[2].group, 2);
    EXPECT_TRUE(a.items[2].inIdiom);
    EXPECT_FALSE(a.items[2].error);
    const CorrectionItem& closing = a.items[3];
    EXPECT_EQ(closing.group, 99);
    EXPECT_EQ(closing.code, 576);
    EXPECT_EQ(closing.errorNumber, 2);
    EXPECT_TRUE(closing.candidates.isEmpty());
    // Only the block's own numbers, not those of the inner block.
    EXPECT_EQ(closing.comments, (QList<std::int16_t>{10003, 7}));
    EXPECT_EQ(a.errorCount, 2);
}

TEST(ReportParse, IdiomWithoutErrorIsPlainWords)
{
    const QString idiom =
        QStringLiteral("<div><B>576</B><span>a</span><span>boy</span><font>a boy</font><p>3</p></div>\n");
    const ReportAnalysis a = parse(reportOf(idiom));
    ASSERT_TRUE(a.ok);
    ASSERT_EQ(a.items.size(), 2u);
    EXPECT_EQ(a.errorCount, 0);
    EXPECT_FALSE(a.items[0].inIdiom);
    EXPECT_EQ(a.items[1].group, 2);
}

TEST(ReportParse, QuotationPseudoItems)
{
    QuoteCheck quote;
    quote.mode = 3;
    quote.flags = -3;
    const ReportAnalysis a = parse(reportOf(span(QStringLiteral("Hello")) + span(QStringLiteral("."))), quote);
    ASSERT_TRUE(a.ok);
    ASSERT_EQ(a.items.size(), 4u);
    EXPECT_EQ(a.items[0].code, kCodeOpeningMissing);
    EXPECT_EQ(a.items[0].errorNumber, 1);
    EXPECT_EQ(a.items[0].candidates, QStringList{QStringLiteral("\"")});
    EXPECT_EQ(a.items[3].code, kCodeClosingMissing);
    EXPECT_EQ(a.items[3].errorNumber, 2);
    EXPECT_EQ(a.errorCount, 2);

    quote.flags = 0;
    quote.removedOpening = quote.removedClosing = QStringLiteral("\"");
    const ReportAnalysis fine = parse(reportOf(span(QStringLiteral("Hello"))), quote);
    ASSERT_EQ(fine.items.size(), 3u);
    EXPECT_EQ(fine.errorCount, 0);
    EXPECT_EQ(fine.items[0].word, QStringLiteral("\""));
    EXPECT_FALSE(fine.items[2].error);
}

TEST(ReportParse, ThirtyOneItemsAreRefusedWithTheRoutineThatMetThem)
{
    QString words;
    for (int i = 0; i < 30; ++i) {
        words += span(QStringLiteral("w"));
    }
    EXPECT_TRUE(parse(reportOf(words)).ok);

    const ReportAnalysis plain = parse(reportOf(words + span(QStringLiteral("x"))));
    EXPECT_FALSE(plain.ok);
    EXPECT_EQ(plain.failure.row, 4);
    EXPECT_EQ(plain.failure.routine, QStringLiteral("prc_添削結果解析1"));
    EXPECT_EQ(plain.failure.detail, QStringLiteral("単語数が３０を超えました。"));
    EXPECT_LE(plain.items.size(), 31u);

    EXPECT_EQ(parse(reportOf(words + errorBlock(16, {QStringLiteral("x")}))).failure.routine,
              QStringLiteral("prc_添削結果解析3"));
    EXPECT_EQ(parse(reportOf(words + errorBlock(32, {QStringLiteral("x")}, {QStringLiteral("y")}))).failure.routine,
              QStringLiteral("prc_添削結果解析5"));
    EXPECT_EQ(parse(reportOf(words + errorBlock(1600, {QStringLiteral("x")}))).failure.routine,
              QStringLiteral("prc_添削結果解析2"));
    EXPECT_EQ(parse(reportOf(words + QStringLiteral("<div><B>576</B><span>a</span></div>"))).failure.routine,
              QStringLiteral("set_IdiomText1"));

    QuoteCheck quote;
    quote.mode = 2;
    quote.flags = -2;
    EXPECT_EQ(parse(reportOf(words), quote).failure.routine, QStringLiteral("prc_添削結果解析6"));
}

TEST(ReportParse, OverflowInsideAnIdiomNamesTheIdiomRoutine)
{
    auto words = [](int n) {
        QString text;
        for (int i = 0; i < n; ++i) {
            text += span(QStringLiteral("w"));
        }
        return text;
    };
    auto idiom = [](const QString& inner) {
        return QStringLiteral("<div><B>576</B>") + inner + QStringLiteral("</div>\n");
    };
    const QString missing = QStringLiteral("<div><B>8</B><span></span><font>a</font></div>");
    EXPECT_EQ(
        parse(reportOf(words(30) + idiom(QStringLiteral("<div><B>1600</B><span>a</span></div>")))).failure.routine,
        QStringLiteral("set_IdiomText2"));
    EXPECT_EQ(parse(reportOf(words(30) + idiom(QStringLiteral("<div><B>16</B><span>a</span></div>")))).failure.routine,
              QStringLiteral("set_IdiomText3"));
    EXPECT_EQ(parse(reportOf(words(30) + idiom(missing))).failure.routine, QStringLiteral("set_IdiomText4"));
    // 28 words and an idiom of two items: its closing item is the 31st.
    EXPECT_EQ(parse(reportOf(words(28) + idiom(missing + span(QStringLiteral("boy"))))).failure.routine,
              QStringLiteral("set_IdiomText5"));
    EXPECT_TRUE(parse(reportOf(words(27) + idiom(missing + span(QStringLiteral("boy"))))).ok);
}

TEST(ReportParse, ReportsBeyondTheTablesAreRefusedNotOverrun)
{
    QStringList twelve;
    for (int i = 0; i < 12; ++i) {
        twelve.push_back(QStringLiteral("c%1").arg(i));
    }
    const ReportAnalysis candidates = parse(reportOf(errorBlock(32, {QStringLiteral("x")}, twelve)));
    EXPECT_FALSE(candidates.ok);
    EXPECT_EQ(candidates.failure.row, 4);
    twelve.removeLast();
    const ReportAnalysis eleven = parse(reportOf(errorBlock(32, {QStringLiteral("x")}, twelve)));
    ASSERT_TRUE(eleven.ok);
    EXPECT_EQ(eleven.items[0].candidates.size(), 11);

    QList<int> numbers(12, 3);
    EXPECT_EQ(parse(reportOf(errorBlock(96, {QStringLiteral("x")}, {}, numbers))).failure.row, 4);

    QString blocks;
    for (int i = 0; i < 52; ++i) {
        blocks += commentBlock(i + 1, QStringLiteral("t"));
    }
    const ReportAnalysis many = parse(reportOf(span(QStringLiteral("x")), blocks));
    EXPECT_FALSE(many.ok);
    EXPECT_EQ(many.failure.routine, QStringLiteral("get_CommentBlock"));
    EXPECT_LE(many.blocks.size(), 51u);
}

TEST(ReportParse, StrangeMarkupIsRefusedAsAnEngineFailure)
{
    // No span at all, a code that is not a number, a comment number that is not
    // one, blocks nested two deep, a block that never closes.
    for (const QString& report :
         {QStringLiteral("<div></div>\n<div></div>\n"), reportOf(QStringLiteral("<div><B>abc</B><span>x</span></div>")),
          reportOf(errorBlock(32, {QStringLiteral("x")}) + QStringLiteral("<div><B>8</B><span></span><p>z</p></div>")),
          reportOf(QStringLiteral("<div><B>576</B><div><B>8</B><div><B>8</B><span></span></div></div></div>")),
          QStringLiteral("<div><div><B>8</B><span>x</span>")}) {
        const ReportAnalysis a = parse(report);
        EXPECT_FALSE(a.ok) << report.toStdString();
        EXPECT_EQ(a.failure.row, 2) << report.toStdString();
        EXPECT_EQ(a.failure.routine, QStringLiteral("prc_添削結果解析"));
    }
}

TEST(WordOrder, ASuperfluousWordThatIsMissingElsewhereIsMisplaced)
{
    // The first superfluous word is the candidate: -15.
    std::vector<CorrectionItem> items(3);
    items[0].word = QStringLiteral("am");
    items[0].code = 16;
    items[1].word = QStringLiteral("I");
    items[2].code = 32768 + 16;
    items[2].candidates = QStringList{QStringLiteral("am")};
    fix_WordOrder(items);
    EXPECT_EQ(items[0].code, kCodeMisplacedOne);

    // A later one: it and every superfluous word become -16.
    std::vector<CorrectionItem> later(4);
    later[0].word = QStringLiteral("very");
    later[0].code = 16;
    later[1].word = QStringLiteral("am");
    later[1].code = 144;
    later[2].code = 32776;
    later[2].candidates = QStringList{QStringLiteral("x"), QStringLiteral("am")};
    later[3].word = QStringLiteral("so");
    later[3].code = 18;
    fix_WordOrder(later);
    EXPECT_EQ(later[0].code, kCodeMisplacedSome);
    EXPECT_EQ(later[1].code, kCodeMisplacedSome);
    EXPECT_EQ(later[3].code, kCodeMisplacedSome);
    EXPECT_EQ(later[2].code, 32776);

    // Comparison is exact.
    std::vector<CorrectionItem> other(2);
    other[0].word = QStringLiteral("Am");
    other[0].code = 16;
    other[1].code = 32784;
    other[1].candidates = QStringList{QStringLiteral("am")};
    fix_WordOrder(other);
    EXPECT_EQ(other[0].code, 16);
}

}  // namespace
}  // namespace korvel
