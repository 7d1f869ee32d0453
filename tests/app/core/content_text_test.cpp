#include "app/lessons/content_text.h"
#include "app/lessons/chapter_index.h"
#include "app/shell/session.h"
#include "tests/app/test_support.h"

#include <QFile>

#include <gtest/gtest.h>

namespace korvel {
namespace {

TEST(UnquoteCell, UndoesTheSpreadsheetQuoting)
{
    const QString exported = QStringLiteral("\"He said \"\"hi\"\"\nand left\"");
    EXPECT_EQ(unquote_cell(exported, CellMode::Line), QStringLiteral("He said \"hi\" and left"));
    EXPECT_EQ(unquote_cell(exported, CellMode::Text), QStringLiteral("He said \"hi\"\r\nand left"));
}

TEST(UnquoteCell, PairsCollapseLeftToRight)
{
    EXPECT_EQ(unquote_cell(QStringLiteral("a\"\"b"), CellMode::Line), QStringLiteral("a\"b"));
    EXPECT_EQ(unquote_cell(QStringLiteral("a\"\"\"b"), CellMode::Line), QStringLiteral("a\"\"b"));
    // An empty quoted cell and a lone quote both come out empty.
    EXPECT_EQ(unquote_cell(QStringLiteral("\"\""), CellMode::Line), QString());
    EXPECT_EQ(unquote_cell(QStringLiteral("\""), CellMode::Line), QString());
    EXPECT_EQ(unquote_cell(QStringLiteral("plain"), CellMode::Text), QStringLiteral("plain"));
    EXPECT_EQ(unquote_cell(QStringLiteral("line\nbreak"), CellMode::Line), QStringLiteral("line break"));
}

TEST(StripCellQuotes, DropsSurroundingQuotesOfSingleLineCells)
{
    EXPECT_EQ(stripCellQuotes(QStringLiteral(" \"apple\" ")), QStringLiteral("apple"));
    EXPECT_EQ(stripCellQuotes(QStringLiteral("\"apple")), QStringLiteral("apple"));
    EXPECT_EQ(stripCellQuotes(QStringLiteral("apple\"")), QStringLiteral("apple\""));
}

TEST(ChapterTitles, LineKIsChapterKAndShortLinesAreEmpty)
{
    QStringList lines;
    for (int i = 1; i <= 31; ++i) {
        lines.append(QStringLiteral("Chapter %1").arg(i));
    }
    lines[4] = QStringLiteral("x");
    lines[5] = QStringLiteral("\"第6章\n命令文\"");
    const ChapterTitles titles = parseChapterTitles(lines);
    EXPECT_EQ(titles[0], QStringLiteral("Chapter 1"));
    EXPECT_EQ(titles[4], QString());
    EXPECT_EQ(titles[5], QStringLiteral("第6章\r\n命令文"));
    EXPECT_EQ(titles[27], QStringLiteral("Chapter 28"));
    EXPECT_TRUE(parseChapterTitles({QStringLiteral("only one")})[1].isEmpty());
}

class ChapterIndexTest : public test::AppTest {};

TEST_F(ChapterIndexTest, TheBundledIndexTitlesAllTwentyEightChapters)
{
    installCourse();
    Session& s = startSession();
    const ChapterTitles titles = get_Index(s);
    for (const QString& title : titles) {
        EXPECT_FALSE(title.isEmpty());
        EXPECT_FALSE(title.contains(QLatin1Char('"'))) << title.toStdString();
    }
    EXPECT_TRUE(titles[0].startsWith(QStringLiteral("第1章\r\n")));
    EXPECT_TRUE(titles[27].startsWith(QStringLiteral("第28章")));
    EXPECT_EQ(prompt.count(), 0u) << prompt.transcript().toStdString();
}

TEST_F(ChapterIndexTest, AMissingIndexIsRowFourWithTheFilePath)
{
    installCourse();
    QFile::remove(content.file(QStringLiteral("Lesson/目次.txt")));
    Session& s = startSession();
    const ChapterTitles titles = get_Index(s);
    EXPECT_TRUE(titles[0].isEmpty());
    ASSERT_EQ(prompt.count(), 1u);
    EXPECT_EQ(prompt.last().text, QStringLiteral("エラー：　") + s.errorTable().message(4) + QStringLiteral("\r\n") +
                                      s.folders().lessonFile(QStringLiteral("目次.txt")) +
                                      QStringLiteral(" フォルダー名 \r\nget_Index"));
}

}  // namespace
}  // namespace korvel
