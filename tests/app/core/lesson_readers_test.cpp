// The lesson readers on small Shift-JIS, TAB-separated, CR LF files: row
// rules, capacities, field widths, quoting and the reports of a missing file.
#include "app/lessons/lesson_readers.h"
#include "app/lessons/lesson_names.h"
#include "app/shell/session.h"
#include "tests/app/test_support.h"

#include <QFile>

#include <gtest/gtest.h>

namespace korvel {
namespace {

class LessonReadersTest : public test::AppTest {
protected:
    void SetUp() override
    {
        installCourse();
        startSession();
    }

    // A lesson file from rows of fields, as the spreadsheet export writes it.
    void lesson(const QString& name, const QStringList& rows) const
    {
        content.write(QStringLiteral("Lesson/") + name,
                      test::shiftJis(rows.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")));
    }

    void expectMissingFileReport(const QString& file, const QString& routine)
    {
        ASSERT_EQ(prompt.count(), 1u) << prompt.transcript().toStdString();
        EXPECT_EQ(prompt.last().title, QStringLiteral("エラー表示"));
        EXPECT_EQ(prompt.last().text, QStringLiteral("エラー：　ファイルが読み込めないか、データが多すぎます。\r\n") +
                                          content.file(QStringLiteral("Lesson/") + file) +
                                          QStringLiteral(" フォルダー名 \r\n") + routine);
    }
};

TEST_F(LessonReadersTest, CourseWordsSkipTheTitleRowAndUseTheNumberAsSlot)
{
    lesson(
        QStringLiteral("単語.txt"),
        {QStringLiteral("No.\t章\t表示\t番号\t意味\t綴り\t補足\t種類"), QStringLiteral("0\t1\t0\t0\tzero\tzero\t\t"),
         QStringLiteral("1\t1\t0\t1\t私は\t\"I\"\tI am\t代名詞"),
         QStringLiteral("3\t2\t1\t2\t") + QString(80, QChar(u'あ')) + QStringLiteral("\tyou,ye\t\t話し言葉\textra")});
    CourseWords words;
    ASSERT_TRUE(get_AllWord(*session, words));
    EXPECT_EQ(words.count, 3);
    EXPECT_EQ(words.slots[0].spelling, QStringLiteral("I"));
    EXPECT_EQ(words.slots[0].second, QStringLiteral("I am"));
    EXPECT_EQ(words.slots[0].kind, QStringLiteral("代名詞"));
    EXPECT_EQ(words.slots[1].number, 0);  // no row 2
    EXPECT_EQ(words.slots[2].meaning.size(), kMeaningWidth);
    EXPECT_EQ(words.slots[2].spelling, QStringLiteral("you,ye"));
    // The last column is the rest of the line, cut to its width.
    EXPECT_EQ(words.slots[2].kind, QStringLiteral("話し言葉\textra"));
    EXPECT_EQ(prompt.count(), 0u);
}

TEST_F(LessonReadersTest, AWordNumberPastTheTableStopsTheReaderKeepingEarlierRows)
{
    lesson(QStringLiteral("単語.txt"),
           {QStringLiteral("5\t1\t0\t1\tいぬ\tdog"), QStringLiteral("1202\t1\t0\t2\tねこ\tcat"),
            QStringLiteral("6\t1\t0\t3\tとり\tbird")});
    CourseWords words;
    EXPECT_FALSE(get_AllWord(*session, words));
    EXPECT_EQ(words.slots[4].spelling, QStringLiteral("dog"));
    EXPECT_EQ(words.slots[5].number, 0);
    expectMissingFileReport(QStringLiteral("単語.txt"), QStringLiteral("get_AllWord"));
}

TEST_F(LessonReadersTest, AMissingFileIsReportedAndGivesAnEmptyList)
{
    EXPECT_TRUE(set_Sentence(*session).empty());
    expectMissingFileReport(QStringLiteral("基本文.txt"), QStringLiteral("set_Sentence"));
    prompt.clear();
    CourseCompositions compositions;
    EXPECT_FALSE(get_AllExSent(*session, compositions));
    EXPECT_EQ(compositions.count, 0);
    expectMissingFileReport(QStringLiteral("英作文.txt"), QStringLiteral("get_AllExSent"));
    prompt.clear();
    session->setChapter(3);
    EXPECT_EQ(dsp_Menu(*session), QString());
    expectMissingFileReport(QStringLiteral("学習目標.txt"), QStringLiteral("dsp_Menu"));
}

TEST_F(LessonReadersTest, TheChapterWordListKeepsTheTitleRowListedWordsAndLeavesOutMastered)
{
    lesson(QStringLiteral("単語.txt"),
           {QStringLiteral("No.\t章\t表示\t番号\t意味\t綴り"), QStringLiteral("1\t1\t0\t1\t私は\tI"),
            QStringLiteral("2\t2\t0\t1\tあなた\tyou"), QStringLiteral("3\t2\t1\t2\t彼\the"),
            QStringLiteral("4\t2\t0\t3\t彼女\tshe")});
    session->setChapter(2);
    std::vector<WordEntry> list = set_WordText(*session);
    ASSERT_EQ(list.size(), 3u);
    EXPECT_EQ(list[0].meaning, QStringLiteral("意味"));
    EXPECT_EQ(list[1].spelling, QStringLiteral("you"));
    EXPECT_EQ(list[2].spelling, QStringLiteral("she"));
    list = set_WordText(*session, [](std::int16_t number) { return number == 2; });
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list[1].spelling, QStringLiteral("she"));
}

TEST_F(LessonReadersTest, AFullWordListStopsThroughTheErrorBox)
{
    QStringList rows{QStringLiteral("No.\t章")};
    for (int i = 1; i <= 250; ++i) {
        rows.append(QStringLiteral("%1\t1\t0\t%1\tみ\tw%1").arg(i));
    }
    lesson(QStringLiteral("単語.txt"), rows);
    session->setChapter(1);
    const std::vector<WordEntry> list = set_WordText(*session);
    EXPECT_EQ(list.size(), static_cast<std::size_t>(kScreenWords));
    EXPECT_EQ(list.back().spelling, QStringLiteral("w200"));
    expectMissingFileReport(QStringLiteral("単語.txt"), QStringLiteral("set_WordText"));
}

TEST_F(LessonReadersTest, BasicSentencesUnquoteTheirCellsAndStopAtALaterChapter)
{
    lesson(QStringLiteral("基本文.txt"),
           {QStringLiteral("No.\t章\t番号\t日本文\t英文\tフラグ\tクイズ"),
            QStringLiteral("1\t1\t1\t彼は言った\t\"He said \"\"hi\"\"\nto me.\"\t101\t"),
            QStringLiteral("2\t1\t2\tこんにちは\tHello.\t\t\"Hello, Ken.\""),
            QStringLiteral("3\t2\t1\t次の章\tNext.\t0"), QStringLiteral("4\t1\t3\t戻った行\tBack.\t0")});
    session->setChapter(1);
    const std::vector<SentenceEntry> screen = set_Sentence(*session);
    ASSERT_EQ(screen.size(), 3u);  // title row and chapter 1's first two rows; row 4 lies after chapter 2
    EXPECT_EQ(screen[1].english, QStringLiteral("He said \"hi\" to me."));
    EXPECT_EQ(screen[1].flags, 101);
    EXPECT_EQ(screen[2].english, QStringLiteral("Hello."));
    EXPECT_EQ(screen[2].flags, 0);

    const std::vector<SentenceEntry> quiz = get_並べ替え基本文(*session);
    ASSERT_EQ(quiz.size(), 3u);
    EXPECT_EQ(quiz[1].english, QStringLiteral("Hello, Ken."));  // column 7 replaces column 5
    EXPECT_EQ(quiz[2].row, 4);
}

TEST_F(LessonReadersTest, SentenceFlagsDecideCapitalRecordingAndListening)
{
    const Folders& f = session->folders();
    SentenceEntry s;
    s.flags = 101;
    EXPECT_TRUE(s.keepsCapital());
    EXPECT_EQ(s.recordingPart(), 1);
    EXPECT_TRUE(s.inListeningQuiz());
    EXPECT_EQ(sentenceRecording(f, 3, QStringLiteral("4"), s.recordingPart(), false),
              f.audioSent + QStringLiteral("/s03-04-h1.mp3"));
    s.flags = 110;
    EXPECT_TRUE(s.keepsCapital());
    EXPECT_FALSE(s.inListeningQuiz());
    s.flags = 10;
    EXPECT_FALSE(s.keepsCapital());
    EXPECT_FALSE(s.inListeningQuiz());
    s.flags = 0;
    EXPECT_FALSE(s.keepsCapital());
    EXPECT_TRUE(s.inListeningQuiz());
    EXPECT_EQ(sentenceRecording(f, 3, QStringLiteral("12"), s.recordingPart(), true),
              f.audioSent + QStringLiteral("/ss03-12.mp3"));
}

TEST_F(LessonReadersTest, TheListeningListLeavesOutRemainderTenAndTheReQuizTakesEveryChapter)
{
    lesson(QStringLiteral("基本文.txt"),
           {QStringLiteral("No.\t章"), QStringLiteral("1\t1\t1\tあ\tA.\t10"), QStringLiteral("2\t1\t2\tい\tB.\t110"),
            QStringLiteral("3\t1\t3\tう\tC.\t101"), QStringLiteral("4\t2\t1\tえ\tD.\t0")});
    session->setChapter(1);
    std::vector<SentenceEntry> list = get_聞き取り基本文(*session);
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(list[0].row, 3);
    session->setChapter(kRetestListening);
    list = get_聞き取り基本文(*session, [](const SentenceEntry& e) { return e.row != 3; });
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(list[0].row, 4);
}

TEST_F(LessonReadersTest, WordExamplesSkipTheFirstLineAndKeepTheChapter)
{
    lesson(QStringLiteral("例文データ.txt"),
           {QStringLiteral("x\t3-1\tskipped\t1\tnever"), QStringLiteral("1\t3-12\t\"be動詞\"\t2\t\"is と am\"\textra"),
            QStringLiteral("2\t4-1\tother\t1\tother"), QStringLiteral("3\t3-13\tplain\t3\ttext")});
    session->setChapter(3);
    const std::vector<WordExample> list = set_WordExampe(*session);
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list[0].number, 12);
    EXPECT_EQ(list[0].kind, WordExample::Explanation);
    EXPECT_EQ(list[0].title, QStringLiteral("be動詞"));
    EXPECT_EQ(list[0].text, QStringLiteral("is と am"));
    EXPECT_EQ(list[1].number, 13);
}

TEST_F(LessonReadersTest, GoalsSummaryAndGlossary)
{
    lesson(QStringLiteral("学習目標.txt"),
           {QStringLiteral("第1章の目標"), QStringLiteral("x"), QStringLiteral("\"二行の\n目標\"")});
    lesson(QStringLiteral("まとめ.txt"), {QStringLiteral("  \"まとめ\nその二\"  "), QStringLiteral("y")});
    lesson(QStringLiteral("用語一覧.txt"),
           {QStringLiteral("用語\t読み\t品詞\t説明"), QStringLiteral("主語\t\"しゅご\"\t名詞\t\"文の\n主人公\"")});
    session->setChapter(1);
    EXPECT_EQ(dsp_Menu(*session), QStringLiteral("第1章の目標"));
    EXPECT_EQ(dsp_Matome(*session), QStringLiteral("まとめ\r\nその二"));
    session->setChapter(2);
    EXPECT_EQ(dsp_Menu(*session), QString());
    EXPECT_EQ(dsp_Matome(*session), QString());
    session->setChapter(3);
    EXPECT_EQ(dsp_Menu(*session), QStringLiteral("二行の\r\n目標"));

    const Glossary glossary = get_用語一覧(*session);
    ASSERT_EQ(glossary.grid.size(), 2u);
    EXPECT_EQ(glossary.grid[0], (QStringList{QStringLiteral("用語"), QStringLiteral("読み"), QStringLiteral("品詞")}));
    EXPECT_EQ(glossary.grid[1][1], QStringLiteral("しゅご"));
    EXPECT_EQ(glossary.explanations[1], QStringLiteral("文の\r\n主人公"));
    EXPECT_EQ(prompt.count(), 0u) << prompt.transcript().toStdString();
}

TEST_F(LessonReadersTest, TheLessonPageIsJoinedAndGetsTheSmallerBaseFont)
{
    const QString page = content.write(
        QStringLiteral("HTML/Explain01-01.htm"),
        test::shiftJis(QStringLiteral("<HTML>\r\n<BASEFONT SIZE=3>説明\r\n<BASEFONT SIZE=3></HTML>\r\n")));
    ASSERT_TRUE(make_LessonHtm(*session, page));
    EXPECT_EQ(content.read(QStringLiteral("HTML/Lesson.htm")),
              test::shiftJis(QStringLiteral("<HTML><BASEFONT SIZE=2>説明<BASEFONT SIZE=3></HTML>")));
    EXPECT_FALSE(make_LessonHtm(*session, content.file(QStringLiteral("HTML/none.htm"))));
    ASSERT_EQ(prompt.count(), 1u);
    EXPECT_TRUE(prompt.last().text.endsWith(QStringLiteral("make_LessonHtm")));
}

TEST_F(LessonReadersTest, NamesOfPagesPicturesAndRecordings)
{
    const Folders& f = session->folders();
    EXPECT_EQ(itemIdentifier(5, QStringLiteral("3")), QStringLiteral("05-03"));
    EXPECT_EQ(exerciseName(12, QStringLiteral("10")), QStringLiteral("Lesson12-10"));
    EXPECT_EQ(skitPicture(f, 23), f.image + QStringLiteral("/L23-skit.jpg"));
    EXPECT_EQ(skitPicture(f, 24), f.image + QStringLiteral("/L24a-skit.jpg"));
    EXPECT_EQ(skitPicture(f, 25, 2), f.image + QStringLiteral("/L25b-skit.jpg"));
    EXPECT_EQ(wordPicture(f, 7, QStringLiteral("3")), f.image + QStringLiteral("/w07-03.jpg"));
    EXPECT_EQ(wordRecording(f, 7, QStringLiteral("12")), f.audioWord + QStringLiteral("/w07-12.mp3"));
    EXPECT_EQ(modelRecording(f, 3, QStringLiteral("03-05"), 0, 1), f.audioExSent + QStringLiteral("/e03-05.mp3"));
    EXPECT_EQ(modelRecording(f, 23, QStringLiteral("23-12"), 0, 1), f.audioSent + QStringLiteral("/s23-12-h1.mp3"));
    EXPECT_EQ(modelRecording(f, 24, QStringLiteral("24-05"), 1, 2), f.audioSent + QStringLiteral("/s24-0.mp3"));

    content.write(QStringLiteral("HTML/Explain05-01.htm"), "a");
    content.write(QStringLiteral("HTML/Explain05-02.htm"), "b");
    content.write(QStringLiteral("HTML/Explain05-04.htm"), "d");
    EXPECT_EQ(explainPageCount(f, 5), 2);
    EXPECT_EQ(explainPageCount(f, 6), 0);
}

TEST_F(LessonReadersTest, FeedbackSoundsAreDrawnAfterAReseed)
{
    const Folders& f = session->folders();
    random.values = {0.0, 0.999, 0.5};
    EXPECT_EQ(feedbackSound(f, true, random, clock), f.audioOKNG + QStringLiteral("/ok_1.mp3"));
    EXPECT_EQ(feedbackSound(f, true, random, clock), f.audioOKNG + QStringLiteral("/ok_5.mp3"));
    EXPECT_EQ(feedbackSound(f, false, random, clock), f.audioOKNG + QStringLiteral("/ng_2.mp3"));
    EXPECT_EQ(random.reseeds, 3);
}

}  // namespace
}  // namespace korvel
