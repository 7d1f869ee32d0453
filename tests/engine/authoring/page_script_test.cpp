// Putting the drawing script beside a sample-tree page: copied when missing,
// never replacing a copy that is there, failures named.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "engine/authoring/page_script.h"
#include "test_support.h"

namespace zintra {
namespace {

std::string contentOf(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

TEST(PageScript, PathsBesideThePageAndTheConfiguration) {
    EXPECT_EQ(scriptBesidePage("out/page.html"), "out/parse.js");
    EXPECT_EQ(scriptBesidePage("page.html"), "./parse.js");
    EXPECT_EQ(installedScript("/opt/zintra/zintra.ini"), "/opt/zintra/parse.js");
    EXPECT_EQ(installedScript("zintra.ini"), "./parse.js");
}

TEST(PageScript, CopiedWhenMissingThenLeftAloneEditedOrNot) {
    test::TempDir dir;
    const std::string source = dir.write("install/parse.js", "draw();\n");
    const std::string page = dir.file("pages/page.html");
    std::filesystem::create_directories(dir.path() / "pages");

    EXPECT_EQ(placePageScript(page, source), ScriptPlacement::Copied);
    EXPECT_EQ(contentOf(dir.file("pages/parse.js")), "draw();\n");
    EXPECT_FALSE(std::filesystem::exists(dir.file("pages/parse.js.part")));
    EXPECT_EQ(placePageScript(page, source), ScriptPlacement::AlreadyThere);

    // The author's own edits survive a later run, and the installation's file too.
    dir.write("pages/parse.js", "draw(); // mine\n");
    EXPECT_EQ(placePageScript(page, source), ScriptPlacement::KeptOwnCopy);
    EXPECT_EQ(contentOf(dir.file("pages/parse.js")), "draw(); // mine\n");
    EXPECT_EQ(contentOf(source), "draw();\n");
    // So does a copy of the same length with other bytes.
    dir.write("pages/parse.js", "drew();\n");
    EXPECT_EQ(placePageScript(page, source), ScriptPlacement::KeptOwnCopy);

    // A page in the installation's own folder has its script already.
    EXPECT_EQ(placePageScript(dir.file("install/page.html"), source), ScriptPlacement::AlreadyThere);
}

TEST(PageScript, NoSourceAndUnwritableFolderAreReported) {
    test::TempDir dir;
    const std::string source = dir.write("install/parse.js", "draw();\n");
    EXPECT_EQ(placePageScript(dir.file("page.html"), dir.file("missing/parse.js")), ScriptPlacement::NoSource);
    EXPECT_FALSE(std::filesystem::exists(dir.file("parse.js")));
    // The page's folder does not exist: nothing can be written there.
    EXPECT_EQ(placePageScript(dir.file("gone/page.html"), source), ScriptPlacement::CopyFailed);
    EXPECT_FALSE(std::filesystem::exists(dir.file("gone")));
}

}  // namespace
}  // namespace zintra
