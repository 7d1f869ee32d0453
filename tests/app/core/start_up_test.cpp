// The folder checks before the log-in screen: each problem gives one message
// that names the folder and says what to do; a missing user folder is made.
#include "app/shell/session.h"
#include "tests/app/test_support.h"

#include <QDir>
#include <QFileInfo>

#include <gtest/gtest.h>

namespace korvel {
namespace {

class StartUpTest : public test::AppTest {
protected:
    std::unique_ptr<Session> sessionOn(const QString& root)
    {
        Services services;
        services.prompt = &prompt;
        services.clock = &clock;
        services.random = &random;
        return std::make_unique<Session>(services, root);
    }
};

TEST_F(StartUpTest, AContentFolderThatDoesNotExistIsNamedOnce)
{
    const QString root = content.file(QStringLiteral("no-such-folder"));
    auto s = sessionOn(root);
    EXPECT_FALSE(s->checkFolders());
    ASSERT_EQ(prompt.count(), 1U) << prompt.transcript().toStdString();
    EXPECT_TRUE(prompt.last().text.contains(QDir::toNativeSeparators(root)));
    EXPECT_TRUE(prompt.last().text.contains(QStringLiteral("がありません")));
    EXPECT_TRUE(prompt.last().text.contains(QStringLiteral("--content")));
    // Nothing is made in its place.
    EXPECT_FALSE(QFileInfo::exists(root));
}

TEST_F(StartUpTest, AContentRootWithoutItsLessonFilesNamesTheFilesAndFolder)
{
    content.write(QStringLiteral("Lesson/目次.txt"), "x");
    auto s = sessionOn(content.path());
    EXPECT_FALSE(s->checkFolders());
    ASSERT_EQ(prompt.count(), 1U) << prompt.transcript().toStdString();
    const QString& text = prompt.last().text;
    EXPECT_TRUE(text.contains(QDir::toNativeSeparators(content.file(QStringLiteral("Lesson")))));
    EXPECT_TRUE(text.contains(QStringLiteral("ErrorMsg.txt")));
    EXPECT_FALSE(text.contains(QStringLiteral("目次.txt")));
    // The user folder is not made in a folder that is not a course.
    EXPECT_FALSE(content.exists(QStringLiteral("Korveluser")));
}

TEST_F(StartUpTest, AnEmptyFolderNamesBothLessonFiles)
{
    auto s = sessionOn(content.path());
    EXPECT_FALSE(s->checkFolders());
    ASSERT_EQ(prompt.count(), 1U);
    EXPECT_TRUE(prompt.last().text.contains(QStringLiteral("目次.txt、ErrorMsg.txt")));
}

TEST_F(StartUpTest, AMissingUserFolderIsMadeWithoutAMessageAndTheListReadsEmpty)
{
    installCourse();
    ASSERT_TRUE(QDir(content.file(QStringLiteral("Korveluser"))).removeRecursively());
    Session& s = startSession();
    EXPECT_TRUE(s.checkFolders());
    EXPECT_TRUE(QFileInfo(content.file(QStringLiteral("Korveluser"))).isDir());
    EXPECT_TRUE(s.users().get_UserData());
    EXPECT_EQ(s.users().count(), 0);
    EXPECT_EQ(prompt.count(), 0U) << prompt.transcript().toStdString();
}

TEST_F(StartUpTest, AUserFolderThatCannotBeMadeIsNamed)
{
    installCourse();
    ASSERT_TRUE(QDir(content.file(QStringLiteral("Korveluser"))).removeRecursively());
    // A file where the folder should be.
    content.write(QStringLiteral("Korveluser"), "not a folder");
    Session& s = startSession();
    EXPECT_FALSE(s.checkFolders());
    ASSERT_EQ(prompt.count(), 1U) << prompt.transcript().toStdString();
    EXPECT_TRUE(prompt.last().text.contains(QDir::toNativeSeparators(content.file(QStringLiteral("Korveluser")))));
}

}  // namespace
}  // namespace korvel
