#include "app/correction/engine_binding.h"
#include "tests/app/core/correction_fixture.h"

#include <QDir>

#include <gtest/gtest.h>

namespace korvel {
namespace {

using test::CorrectionTest;
using test::reportOf;
using test::span;

QString errorBlock()
{
    return span(QStringLiteral("I")) + QStringLiteral("<div><B>96</B><span>is</span><font>am</font></div>\n");
}

TEST_F(CorrectionTest, EngineIsInitialisedOncePerRunWithTheBareConfigurationName)
{
    const QString before = QDir::currentPath();
    binding->initialise(content.path());
    binding->initialise(content.path());  // a second screen opening
    EXPECT_EQ(engine->inits, 1);
    EXPECT_EQ(engine->config, QByteArray("zintra.ini"));
    // The engine's relative file names are read from the content root.
    EXPECT_EQ(QDir::current().canonicalPath(), QDir(content.path()).canonicalPath());
    QDir::setCurrent(before);
}

TEST_F(CorrectionTest, MatchSendsTheRequestWithAFullReportBuffer)
{
    engine->reply = test::shiftJis(reportOf(span(QStringLiteral("Hi"))));
    const auto report = binding->prc_zintraMatch(*session, QStringLiteral("Lesson03-05"), QStringLiteral("Hi"));
    ASSERT_TRUE(report.has_value());
    EXPECT_EQ(engine->inits, 1);  // initialised on the first call when no screen did
    EXPECT_EQ(engine->encoding, QByteArray("shift-jis"));
    EXPECT_EQ(engine->request, QByteArray("<H1>Lesson03-05</H1><P>Hi</P>"));
    EXPECT_EQ(engine->bufferBlanks, static_cast<std::size_t>(EngineBinding::kReportSize));
    // The report ends at the engine's terminating zero, not at the buffer's end.
    EXPECT_EQ(*report, reportOf(span(QStringLiteral("Hi"))));
    EXPECT_EQ(binding->lastRequest(), QStringLiteral("<H1>Lesson03-05</H1><P>Hi</P>"));
    EXPECT_EQ(prompt.count(), 0u);
}

TEST_F(CorrectionTest, TheRequestGoesAsUtf8SoThatTheEngineCanParseIt)
{
    // The engine reads the request as an XML document without an encoding
    // declaration; a full-width letter typed by the learner must survive.
    engine->reply = test::shiftJis(reportOf(span(QStringLiteral("ｂoy"))));
    const auto report = binding->prc_zintraMatch(*session, QStringLiteral("lesson1"), QStringLiteral("ｂoy"));
    ASSERT_TRUE(report.has_value());
    EXPECT_EQ(engine->request, QStringLiteral("<H1>lesson1</H1><P>ｂoy</P>").toUtf8());
    EXPECT_TRUE(report->contains(QStringLiteral("ｂoy")));  // the reply is read as Shift-JIS
}

TEST_F(CorrectionTest, UnusableReportsAreTheEngineErrorOfRowTwo)
{
    struct Case {
        QString reply;
        int result;
    };
    const Case cases[] = {
        {reportOf(span(QStringLiteral("Hi"))), 0},  // result 0
        {QStringLiteral("<div><P>Can't open Global or Template file!</P></div>\n"), -1},
        {QStringLiteral("The Cache is cleared.\n"), -1},  // no "</div>"
        {QString(), 5},                                   // empty, non-zero result
    };
    for (const Case& c : cases) {
        prompt.clear();
        engine->reply = test::shiftJis(c.reply);
        engine->result = c.result;
        EXPECT_FALSE(binding->prc_zintraMatch(*session, QStringLiteral("Lesson01-01"), QStringLiteral("Hi")))
            << c.reply.toStdString();
        ASSERT_EQ(prompt.count(), 1u);
        EXPECT_EQ(prompt.last().title, QStringLiteral("エラー表示"));
        EXPECT_TRUE(prompt.last().text.startsWith(QStringLiteral("エラー：　英文添削エンジンの処理に失敗しました。")));
        EXPECT_TRUE(
            prompt.last().text.endsWith(QStringLiteral(" データ名 <H1>Lesson01-01</H1><P>Hi</P>\r\nprc_zintraMatch")));
    }
}

TEST_F(CorrectionTest, StudyAidCallDoesNotExamineTheResult)
{
    engine->reply = test::shiftJis(reportOf(span(QStringLiteral("Hi"))));
    engine->result = 0;
    EXPECT_TRUE(binding->prc_zintraMatch2(*session, QStringLiteral("x"), QStringLiteral("Hi")).has_value());
    engine->reply = test::shiftJis(QStringLiteral("The Cache is cleared.\n"));
    EXPECT_FALSE(binding->prc_zintraMatch2(*session, QStringLiteral("x"), QStringLiteral("Hi")).has_value());
    ASSERT_EQ(prompt.count(), 1u);
    EXPECT_TRUE(prompt.last().text.endsWith(QStringLiteral("\r\nprc_zintraMatch2")));
}

TEST_F(CorrectionTest, MissingLibraryIsTheEngineErrorNotACrash)
{
    EngineBinding missing(loadZintraLibrary(content.file(QStringLiteral("no/libzintra.so"))));
    const QString before = QDir::currentPath();
    Correction check(*session, missing);
    CorrectionInput input;
    input.exercise = QStringLiteral("Lesson01-01");
    input.sentence = QStringLiteral("I am a boy.");
    const CorrectionResult& r = check.check(input);
    QDir::setCurrent(before);
    EXPECT_TRUE(r.failed());
    EXPECT_FALSE(r.sent);
    EXPECT_EQ(r.displayText, QStringLiteral("添削できませんでした。 (Lesson01-01)\r\n"));
    EXPECT_TRUE(r.commentText.isEmpty());
    ASSERT_EQ(prompt.count(), 1u);
    EXPECT_TRUE(prompt.last().text.endsWith(QStringLiteral("prc_zintraMatch")));
}

TEST_F(CorrectionTest, AnAnalysisOverflowFailsTheCheckThroughTheErrorBox)
{
    QString words;
    for (int i = 0; i < 31; ++i) {
        words += span(QStringLiteral("w"));
    }
    const CorrectionResult& r = checkWith(reportOf(words), QStringLiteral("w w"));
    EXPECT_TRUE(r.failed());
    ASSERT_EQ(prompt.count(), 1u);
    EXPECT_EQ(prompt.last().text, QStringLiteral("エラー：　ファイルが読み込めないか、データが多すぎます。\r\n"
                                                 "単語数が３０を超えました。\r\nprc_添削結果解析1"));
    EXPECT_EQ(r.displayText, QStringLiteral("添削できませんでした。 (Lesson01-01)\r\n"));
}

TEST_F(CorrectionTest, EmptySentenceIsNotSent)
{
    const CorrectionResult& r =
        checkWith(reportOf(span(QStringLiteral("x"))), QStringLiteral("  \"  "), QStringLiteral("「はい」"));
    EXPECT_TRUE(r.empty);
    EXPECT_EQ(engine->matches, 0);
    EXPECT_EQ(r.commentText, QStringLiteral("英作文を入力してください。"));
}

TEST_F(CorrectionTest, RightAndWrongVerdicts)
{
    const CorrectionResult& right =
        checkWith(reportOf(span(QStringLiteral("Yes")) + span(QStringLiteral("."))), QStringLiteral("Yes."));
    EXPECT_TRUE(right.right());
    EXPECT_EQ(right.displayText, QStringLiteral(" あなたの英作文は正しいです。\r\n"));
    EXPECT_TRUE(correction->modelBlock().isEmpty());

    // The engine found nothing wrong, but the quotation marks were missing.
    const CorrectionResult& quoted = checkWith(reportOf(span(QStringLiteral("Yes")) + span(QStringLiteral("."))),
                                               QStringLiteral("Yes."), QStringLiteral("「はい。」"));
    EXPECT_FALSE(quoted.right());
    EXPECT_EQ(quoted.quote.flags, -3);
    EXPECT_EQ(quoted.errorCount, 2);
    EXPECT_EQ(quoted.commentKinds, (QList<std::int16_t>{11, 12}));
    EXPECT_EQ(quoted.displayText, QStringLiteral(" [XXX](1) Yes . [XXX](2)\r\n"));
    EXPECT_EQ(quoted.corrected, QStringLiteral("\"Yes.\""));
    EXPECT_EQ(engine->request, QByteArray("<H1>Lesson01-01</H1><P>Yes.</P>"));
}

TEST_F(CorrectionTest, TextModeShowsTheDisplayBeforeTheComments)
{
    engine->reply = test::shiftJis(reportOf(errorBlock(), QString()));
    Correction text(*session, *binding);
    CorrectionInput input;
    input.mode = kModeText;
    input.exercise = QStringLiteral("Lesson01-01");
    input.sentence = QStringLiteral("I is");
    const CorrectionResult& r = text.check(input);
    EXPECT_TRUE(r.commentText.startsWith(QStringLiteral(" I [is](1) \r\nコメント(1) ")));
    EXPECT_TRUE(r.commentKinds.isEmpty());  // the comment log is the screen's only
}

}  // namespace
}  // namespace korvel
