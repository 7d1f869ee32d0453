#include <gtest/gtest.h>

#include "engine/api/engine.h"
#include "engine/authoring/batch_checks.h"
#include "engine/authoring/file_set.h"
#include "engine/templates/template_naming.h"
#include "test_support.h"

namespace zintra {
namespace {

TEST(NaturalOrder, DigitRunsCompareAsNumbers) {
    EXPECT_LT(naturalCompare("Lesson2.xvt", "Lesson10.xvt"), 0);
    EXPECT_GT(naturalCompare("Lesson10.xvt", "Lesson9.xvt"), 0);
    EXPECT_EQ(naturalCompare("a007b", "a7b"), 0);
    EXPECT_LT(naturalCompare("a", "ab"), 0);
    EXPECT_LT(naturalCompare("a1", "ab"), 0);
    EXPECT_LT(naturalCompare("x99999999999999999999999", "x100000000000000000000000"), 0) << "no overflow";
}

TEST(FileSet, DepthDecidesWhetherSubfoldersAreWalked) {
    test::TempDir dir;
    dir.write("Lesson10.xvt", "<a/>");
    dir.write("Lesson1.xvt", "<a/>");
    dir.write("Lesson2.xvt", "<a/>");
    dir.write("sub/Lesson3.xvt", "<a/>");
    auto all = collectFiles(dir.path().string() + "/", 0);
    ASSERT_EQ(all.size(), 4u);
    EXPECT_EQ(baseNameOf(all[0]), "Lesson1.xvt");
    EXPECT_EQ(baseNameOf(all[1]), "Lesson2.xvt");
    EXPECT_EQ(baseNameOf(all[2]), "Lesson10.xvt");
    EXPECT_EQ(collectFiles(dir.path().string(), 1).size(), 3u);
    EXPECT_EQ(collectFiles(dir.file("Lesson2.xvt"), 1).size(), 1u);
    EXPECT_TRUE(collectFiles(dir.file("absent"), 0).empty());
}

TEST(BatchChecks, LineCountAndFirstMalformedFile) {
    Engine engine;  // the XML library
    test::TempDir dir;
    dir.write("a1.xvt", "<a>\n</a>\n");
    dir.write("a2.xvt", "<a>\n<b></a>\n");
    dir.write("a10.xvt", "<a/>\n" + std::string(5000, 'x') + "\n");
    EXPECT_EQ(countLines(dir.path().string(), 0), 2 + 2 + 1 + 3);
    EXPECT_EQ(firstMalformedXml(dir.path().string(), 0), dir.file("a2.xvt"));
    EXPECT_EQ(firstMalformedXml(dir.file("a1.xvt"), 0), "");
}

TEST(TemplateNaming, FolderExtensionAndSpecialNames) {
    EXPECT_EQ(normaliseTemplatesFolder("t"), "t/");
    EXPECT_EQ(normaliseTemplatesFolder("t\\"), "t\\");
    EXPECT_EQ(fullTemplatePath("t/", "lesson1"), "t/lesson1.xvt");
    EXPECT_EQ(fullTemplatePath("t/", "C:lesson1"), "C:lesson1.xvt");
    EXPECT_EQ(fullTemplatePath("t/", "notes.txt"), "t/notes.txt");
    EXPECT_EQ(fullTemplatePath("t/", "/abs/lesson"), "/abs/lesson.xvt");
    EXPECT_EQ(fullTemplatePath("t/", "Untitled"), "Untitled");
    EXPECT_EQ(fullTemplatePath("t/", ""), "");
    EXPECT_EQ(folderOf("a\\b/c.xvt"), "a\\b/");
}

}  // namespace
}  // namespace zintra
