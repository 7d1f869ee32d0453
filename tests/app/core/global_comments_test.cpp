#include "app/correction/global_comments.h"
#include "tests/app/core/correction_fixture.h"

#include <gtest/gtest.h>

namespace korvel {
namespace {

const char* const kGlobalLines[] = {
    "<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>",
    "<root>",
    "<category>",
    "<name>Global</name>",
    "<category>",
    "<name>語法</name>",
    "<category>",
    "<name>解説</name>",
    "<comment ID=\"5\">",
    "<name> 最初 </name>",
    "<econtent>First.</econtent>",
    "<jcontent> 文の初めは大文字です。 </jcontent>",
    "</comment>",
    "<comment ID=\"6\">",
    "<name>空</name>",
    "<jcontent></jcontent>",
    "</comment>",
    "</category>",
    "<category>",
    "<name>一</name>",
    "<category>",
    "<name>二</name>",
    "<category>",
    "<name>三</name>",
    "<category>",
    "<name>四</name>",
    "<comment ID=\"7\">",
    "<name>深い</name>",
    "<jcontent>深いコメント</jcontent>",
    "</comment>",
    "</category>",
    "</category>",
    "</category>",
    "</category>",
    "<comment ID=\"8\">",
    "<name>戻り</name>",
    "<jcontent>戻ったコメント</jcontent>",
    "</comment>",
    "</category>",
    "</category>",
    "</root>",
};

QByteArray globalFile(const QStringList& extra = {})
{
    QStringList lines;
    for (const char* line : kGlobalLines) {
        lines.push_back(QString::fromUtf8(line));
    }
    lines.insert(lines.size() - 3, extra.join(QStringLiteral("\r\n")));
    return test::shiftJis(lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n"));
}

class GlobalComm : public test::AppTest {
protected:
    void SetUp() override
    {
        installCourse();
        startSession();
        table.prepare(set_MessageTable());
    }
    CommentTable table;
};

TEST_F(GlobalComm, OneElementPerLineIsReadWithPathsAndContents)
{
    content.write(QStringLiteral("JisGlobal.xvt"), globalFile());
    ASSERT_EQ(set_GlobalComm(*session, table), GlobalCommStatus::Loaded);
    EXPECT_EQ(table.row(21).number, 5);
    EXPECT_EQ(table.row(21).path, QStringLiteral("語法/解説/最初"));
    EXPECT_EQ(table.row(21).content, QStringLiteral("文の初めは大文字です。"));
    EXPECT_EQ(table.row(22).path, QStringLiteral("語法/解説/空"));
    EXPECT_EQ(table.row(22).content, QString());
    // Five levels deep: the path keeps the first four names.
    EXPECT_EQ(table.row(23).path, QStringLiteral("語法/一/二/三/深い"));
    // Back out of the deep categories, the stack is popped again.
    EXPECT_EQ(table.row(24).path, QStringLiteral("語法/戻り"));
    EXPECT_EQ(prompt.count(), 0u);
    // The built-in messages keep their rows.
    EXPECT_EQ(table.row(1).content, QStringLiteral("文章の初めの文字は大文字にします。"));
    EXPECT_EQ(table.row(15).path, QStringLiteral("語法/解説/位置"));
}

TEST_F(GlobalComm, AnIdBeyondTheTableStopsTheLoadingAndKeepsTheRowsBefore)
{
    content.write(QStringLiteral("JisGlobal.xvt"),
                  globalFile({QStringLiteral("<comment ID=\"585\"><name>x</name><jcontent>遠い</jcontent></comment>"),
                              QStringLiteral("<comment ID=\"9\"><name>y</name><jcontent>後</jcontent></comment>")}));
    EXPECT_EQ(set_GlobalComm(*session, table), GlobalCommStatus::Loaded);
    EXPECT_EQ(table.row(21).number, 5);
    EXPECT_EQ(table.row(25).number, 0);  // ID 9 came after the stop
    EXPECT_EQ(table.row(600).number, 0);

    CommentTable edge;
    EXPECT_EQ(readGlobalComments(QStringLiteral("<root><category><name>Global</name><category><name>a</name>"
                                                "<comment ID=\"584\"><name>n</name><jcontent>端</jcontent></comment>"
                                                "<comment ID=\"0\"><name>z</name><jcontent>零</jcontent></comment>"
                                                "</category></category></root>"),
                                 edge),
              GlobalCommStatus::Loaded);
    EXPECT_EQ(edge.row(600).content, QStringLiteral("端"));
    EXPECT_EQ(edge.row(16).content, QString());  // ID 0 would overwrite a built-in row
}

TEST_F(GlobalComm, OneCharacterFirstLineJoinsWithBlanks)
{
    EXPECT_EQ(joinGlobalLines({QStringLiteral("<"), QStringLiteral("a"), QStringLiteral("b")}),
              QStringLiteral("< a b "));
    EXPECT_EQ(joinGlobalLines({QStringLiteral("<root>"), QStringLiteral("<a>")}), QStringLiteral("<root><a>"));
}

TEST_F(GlobalComm, MissingFileAndAFileThatIsNotGlobal)
{
    EXPECT_EQ(set_GlobalComm(*session, table), GlobalCommStatus::Unreadable);
    ASSERT_EQ(prompt.count(), 1u);
    EXPECT_TRUE(prompt.last().text.endsWith(QStringLiteral("/JisGlobal.xvt\r\nset_GlobalComm")));

    content.write(QStringLiteral("JisGlobal.xvt"), test::shiftJis(QStringLiteral("<root><name>Lesson</name></root>")));
    EXPECT_EQ(set_GlobalComm(*session, table), GlobalCommStatus::NotGlobal);
}

}  // namespace
}  // namespace korvel
