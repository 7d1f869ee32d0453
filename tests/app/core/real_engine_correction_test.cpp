// The analysis on reports made by the real engine: libzintra.so of this build
// with the bundled engine data and its sample lesson.
#include "app/correction/check_command.h"
#include "app/correction/engine_binding.h"
#include "tests/app/core/correction_fixture.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#ifdef KORVEL_ZINTRA_LIBRARY

namespace korvel {
namespace {

// An engine installation in a temporary folder: the configuration names the
// bundled data by absolute path; the templates are copied.
QString engineRoot()
{
    static QTemporaryDir dir;
    static bool made = false;
    if (!made) {
        made = true;
        const QString data = QStringLiteral(KORVEL_ENGINE_DATA);
        QFile ini(data + QStringLiteral("/zintra.ini"));
        EXPECT_TRUE(ini.open(QIODevice::ReadOnly));
        QString text = QString::fromUtf8(ini.readAll());
        for (const char* key :
             {"DICTIONARY_FILE", "LEXICALRULEFILE", "BIGRAMS", "COMPOUND_FILE", "CONTEXTUALRULEFILE", "GRAMMAR_FILE"}) {
            text.replace(QString::fromLatin1(key) + QLatin1Char(' '),
                         QString::fromLatin1(key) + QLatin1Char(' ') + data + QLatin1Char('/'));
        }
        QFile out(dir.filePath(QStringLiteral("zintra.ini")));
        EXPECT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(text.toUtf8());
        QDir(dir.path()).mkdir(QStringLiteral("templates"));
        for (const char* name : {"Global.xvt", "Gtemplate.xvt", "lesson1.xvt"}) {
            QFile::copy(data + QStringLiteral("/templates/") + QString::fromLatin1(name),
                        dir.filePath(QStringLiteral("templates/") + QString::fromLatin1(name)));
        }
    }
    return dir.path();
}

// One engine per process: the library holds a single instance.
EngineBinding& realEngine()
{
    static EngineBinding binding(loadZintraLibrary(QStringLiteral(KORVEL_ZINTRA_LIBRARY)));
    return binding;
}

class RealEngine : public test::AppTest {
protected:
    void SetUp() override
    {
        installCourse();
        startSession();
        before_ = QDir::currentPath();
        realEngine().initialise(engineRoot());
    }
    void TearDown() override { QDir::setCurrent(before_); }

    const CorrectionResult& check(const QString& sentence, const QString& promptText = QStringLiteral("私は少年です。"))
    {
        correction = std::make_unique<Correction>(*session, realEngine());
        CorrectionInput input;
        input.exercise = QStringLiteral("lesson1");
        input.sentence = sentence;
        input.prompt = promptText;
        input.logging = true;
        return correction->check(input);
    }

    std::unique_ptr<Correction> correction;
    QString before_;
};

TEST_F(RealEngine, ModelAnswerIsRight)
{
    const CorrectionResult& r = check(QStringLiteral("I am a boy."));
    ASSERT_TRUE(r.sent) << prompt.transcript().toStdString();
    EXPECT_TRUE(r.right());
    EXPECT_EQ(r.displayText, QStringLiteral(" あなたの英作文は正しいです。\r\n"));
    EXPECT_TRUE(r.commentText.isEmpty());
    EXPECT_EQ(r.items.size(), 5u);
    EXPECT_EQ(prompt.count(), 0u);
}

TEST_F(RealEngine, MissingWordsAreNamedAndCorrected)
{
    const CorrectionResult& article = check(QStringLiteral("I am boy."));
    ASSERT_TRUE(article.sent);
    EXPECT_EQ(article.errorCount, 1);
    EXPECT_EQ(article.commentText, QStringLiteral("コメント(1)  ・この部分に必要な何か (a) が抜けています。"));
    EXPECT_EQ(article.displayText, QStringLiteral(" I am [XXX](1) boy .\r\n"));
    EXPECT_EQ(correction->modelBlock(),
              QStringLiteral("\r\n添削の結果を反映すると以下のような正解文になります。\r\nI am a boy.\r\n"));

    const CorrectionResult& period = check(QStringLiteral("I am a boy"));
    EXPECT_EQ(period.commentKinds, QList<std::int16_t>{5});
    EXPECT_EQ(period.corrected, QStringLiteral("I am a boy."));
}

TEST_F(RealEngine, WrongVerbGetsTheTemplateCommentAndSuperfluousWordsMessageSeven)
{
    const CorrectionResult& verb = check(QStringLiteral("I is a boy."));
    ASSERT_TRUE(verb.sent);
    ASSERT_GE(verb.items.size(), 2u);
    EXPECT_EQ(verb.items[1].word, QStringLiteral("is"));
    EXPECT_TRUE(verb.items[1].error);
    EXPECT_TRUE(verb.commentText.contains(QStringLiteral("主語が「I」のとき、be動詞は「am」を使います。")))
        << verb.commentText.toStdString();
    EXPECT_TRUE(verb.displayText.contains(QStringLiteral("[is](1)")));

    const CorrectionResult& extra = check(QStringLiteral("I am a a boy."));
    EXPECT_EQ(extra.commentKinds, QList<std::int16_t>{7});
    EXPECT_EQ(extra.corrected, QStringLiteral("I am a boy."));
}

TEST_F(RealEngine, QuotationMarksOfThePrompt)
{
    const QString quoted = QStringLiteral("彼は「私は少年です。」と言いました。");
    const CorrectionResult& both = check(QStringLiteral("\"I am a boy.\""), quoted);
    EXPECT_EQ(both.quote.flags, 0);
    EXPECT_TRUE(both.right()) << both.commentText.toStdString();
    EXPECT_EQ(realEngine().lastRequest(), QStringLiteral("<H1>lesson1</H1><P>I am a boy.</P>"));

    const CorrectionResult& none = check(QStringLiteral("I am a boy."), quoted);
    EXPECT_EQ(none.quote.flags, -3);
    EXPECT_EQ(none.commentKinds, (QList<std::int16_t>{11, 12}));
    EXPECT_EQ(none.corrected, QStringLiteral("\"I am a boy.\""));

    const CorrectionResult& japanese = check(QStringLiteral("「I am a boy.」"), quoted);
    EXPECT_EQ(japanese.quote.flags, -30);
    EXPECT_EQ(japanese.commentKinds, (QList<std::int16_t>{13, 14}));
    EXPECT_EQ(japanese.displayText, QStringLiteral(" [「](1)  I am a boy . [」](2) \r\n"));
}

TEST_F(RealEngine, CheckJsonKeepsItsKeysInOrder)
{
    const CorrectionResult& r = check(QStringLiteral("I am boy."));
    const QByteArray json = checkJson(r, correction->modelBlock());
    qsizetype last = -1;
    for (const char* key :
         {"\"request\"", "\"errors\": 1", "\"quoteFlags\": 0", "\"verdict\": \"wrong\"", "\"comments\"", "\"display\"",
          "\"corrected\": \"I am a boy.\"", "\"modelBlock\"", "\"commentKinds\": [6]", "\"items\""}) {
        const qsizetype at = json.indexOf(key);
        EXPECT_GT(at, last) << key << "\n" << json.toStdString();
        last = at;
    }
    EXPECT_TRUE(
        json.contains("{\"word\": \"\", \"code\": 8, \"group\": 0, \"errorNumber\": 1, "
                      "\"candidates\": [\"a\"], \"comments\": []}"));
    EXPECT_TRUE(json.contains("\\r\\n"));
}

}  // namespace
}  // namespace korvel

#endif
