// The batch checks of samples and the sample-tree page, on template folders
// written by the tests; the phrase tree comes from a stand-in writer so the
// checks' own rules are what is tested.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "engine/api/engine.h"
#include "engine/authoring/sample_checks.h"
#include "engine/authoring/sample_trees.h"
#include "test_support.h"

namespace zintra {
namespace {

// A template file with one main template per sample; every template expects
// "I am a boy".
std::string lessonFile(const std::vector<std::string>& samples) {
    std::string xml = "<?xml version='1.0'?>\n<root><SAMP></SAMP><Template>";
    int n = 0;
    for (const std::string& s : samples) {
        xml += "<template sub='0'><name>t" + std::to_string(++n) + "</name><sample>" + s + "</sample>";
        xml += "<node><name>a</name><Next>b</Next><Group><name>I</name></Group></node>";
        xml +=
            "<node><name>b</name><Next>c</Next><Group><name>am</name></Group>"
            "<Group type='wrong'><name>is</name></Group></node>";
        xml += "<node><name>c</name><Group><name>a boy</name></Group></node></template>";
    }
    return xml + "</Template></root>\n";
}

constexpr const char* kGlobal = "<?xml version='1.0'?>\n<root><SAMP></SAMP><Template></Template></root>\n";

// A tree that passes: a comment line naming the sentence, then a division.
void goodTree(std::string& out, std::string_view sentence) {
    out += "<!-- (S ";
    out += sentence;
    out += ") -->\n<div><span>S</span></div>\n";
}
void flatTree(std::string& out, std::string_view) { out += "<div><span>S</span><P><B>I</B></P></div>\n"; }

class SampleChecks : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_EQ(engine_.initialise(test::writeMinimalInstallation(dir_).c_str()), 1); }
    std::vector<SampleFailure> failures(const std::string& path, int depth, const TreeWriter& tree, bool all = true) {
        auto state = engine_.state();
        return failingSamples(path, depth, *state->templates, *state->analyzer, tree, all);
    }
    std::string page(const std::string& path, const std::string& reference, int depth, const TreeWriter& tree) {
        auto state = engine_.state();
        std::string out = dir_.file("page.html");
        EXPECT_TRUE(writeSampleTreePage(path, reference, out, depth, *state->templates, *state->analyzer, tree));
        std::ifstream in(out, std::ios::binary);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }
    test::TempDir dir_;
    Engine engine_;
};

TEST_F(SampleChecks, ASampleMatchedWithoutErrorsPassesSilently) {
    dir_.write("t/Global.xvt", kGlobal);
    dir_.write("t/Lesson1.xvt", lessonFile({"I am a boy."}));
    EXPECT_TRUE(failures(dir_.file("t"), 0, goodTree).empty());
}

TEST_F(SampleChecks, AnErrorOrAMissingTreeFailsTheSampleWithItsReport) {
    dir_.write("t/Global.xvt", kGlobal);
    std::string lesson = dir_.write("t/Lesson1.xvt", lessonFile({"I am a boy.", "I is a boy."}));
    auto f = failures(dir_.file("t"), 0, goodTree);
    ASSERT_EQ(f.size(), 1u);
    EXPECT_EQ(f[0].templateName, "t2");
    EXPECT_EQ(f[0].sample, "I is a boy.");
    EXPECT_TRUE(f[0].errorsFound);
    EXPECT_FALSE(f[0].treeFailed);
    std::string block = "<div><P>" + lesson + "</P><P>t1</P></div><div></div>\n<!-- (S I is a boy.) -->";
    EXPECT_NE(f[0].output.find(block), std::string::npos) << f[0].output;
    EXPECT_LT(0u, f[0].output.find("<div><P>")) << "the match report comes first";

    auto flat = failures(dir_.file("t"), 0, flatTree);
    ASSERT_EQ(flat.size(), 2u);
    EXPECT_TRUE(flat[0].treeFailed);
    EXPECT_FALSE(flat[0].errorsFound);
    // The export's form: the first failure only.
    EXPECT_EQ(failures(dir_.file("t"), 0, flatTree, false).size(), 1u);
}

TEST_F(SampleChecks, FilesGoInNaturalOrderAndDepthOneStaysInTheFolder) {
    dir_.write("t/Global.xvt", kGlobal);
    dir_.write("t/Lesson10.xvt", lessonFile({"I am a boy."}));
    dir_.write("t/Lesson2.xvt", lessonFile({"I am a boy."}));
    dir_.write("t/Lesson1.xvt", lessonFile({"I am a boy."}));
    dir_.write("t/sub/Global.xvt", kGlobal);
    dir_.write("t/sub/Lesson3.xvt", lessonFile({"I am a boy."}));
    auto all = failures(dir_.file("t"), 0, flatTree);
    ASSERT_EQ(all.size(), 4u);
    EXPECT_EQ(all[0].path, dir_.file("t/Lesson1.xvt"));
    EXPECT_EQ(all[1].path, dir_.file("t/Lesson2.xvt"));
    EXPECT_EQ(all[2].path, dir_.file("t/Lesson10.xvt"));
    EXPECT_EQ(all[3].path, dir_.file("t/sub/Lesson3.xvt"));
    EXPECT_EQ(failures(dir_.file("t"), 1, flatTree).size(), 3u);
}

TEST_F(SampleChecks, AMalformedOrUnloadableFileIsPassedOver) {
    dir_.write("t/Global.xvt", kGlobal);
    dir_.write("t/Lesson1.xvt", "<root><Template><template sub='0'><sample>I am");
    dir_.write("t/Lesson2.xvt", lessonFile({"I is a boy."}));
    dir_.write("u/Lesson1.xvt", lessonFile({"I is a boy."}));  // no global file beside it
    auto f = failures(dir_.file("t"), 0, goodTree);
    ASSERT_EQ(f.size(), 1u);
    EXPECT_EQ(f[0].path, dir_.file("t/Lesson2.xvt"));
    EXPECT_TRUE(failures(dir_.file("u"), 0, goodTree).empty());
    EXPECT_TRUE(failures(dir_.file("absent"), 0, goodTree).empty());
}

TEST_F(SampleChecks, WithoutAGrammarTheRealTreeFailsEverySample) {
    dir_.write("t/Global.xvt", kGlobal);
    dir_.write("t/Lesson1.xvt", lessonFile({"I am a boy."}));
    SampleTrees trees(*engine_.analyzer());
    EXPECT_FALSE(trees.hasGrammar());
    auto f = failures(dir_.file("t"), 0, trees.writer());
    ASSERT_EQ(f.size(), 1u);
    EXPECT_TRUE(f[0].treeFailed);
}

TEST_F(SampleChecks, TheStoredSampleIsMatchedUnescaped) {
    EXPECT_EQ(unescapedSample("a &lt;b&gt; &amp;amp; c"), "a <b&gt; &amp; c");
}

TEST_F(SampleChecks, ThePageHasItsHeadTailAndTheReferencesThatDiffer) {
    dir_.write("t/Global.xvt", kGlobal);
    std::string lesson = dir_.write("t/Lesson1.xvt", lessonFile({"I am a boy.", "I am a boy!", "I am a boy?"}));
    std::string reference = dir_.write("ref.txt",
                                       "<!-- (S I am a boy.) -->\r\n"
                                       "not a tree line\n"
                                       "<!--\n"  // too short to count
                                       "<!-- (S I & a <boy>) -->\n");
    std::string text = page(dir_.file("t"), reference, 0, goodTree);
    const std::string head =
        "<HTML>\n<HEAD>\n<meta http-equiv='content-type' content='text/html; charset=UTF-8'>\n<style>\n"
        ".dot{position:absolute;font-size:1;font-family:simsun}\n</style>\n</HEAD>\n<BODY>\n"
        "<div ID='treeView'></div>\n<div ID='content' style=display:none>\n";
    const std::string tail = "</div>\n</BODY>\n<script LANGUAGE='JavaScript1.3' src='parse.js'></script>\n</HTML>\n";
    ASSERT_EQ(text.rfind(head, 0), 0u);
    ASSERT_GE(text.size(), tail.size());
    EXPECT_EQ(text.substr(text.size() - tail.size()), tail);
    std::string body = text.substr(head.size(), text.size() - head.size() - tail.size());
    // Global.xvt has no samples but is listed; the first sample equals its
    // reference, the second differs, the third has none left.
    EXPECT_EQ(body, "<I>" + dir_.file("t/Global.xvt") + "</I>\n<I>" + lesson +
                        "</I>\n"
                        "<!-- (S I am a boy.) -->\n<div><span>S</span></div>\n"
                        "<!-- (S I am a boy!) -->\n<div><span>S</span></div>\n"
                        "<U>&lt;!-- (S I &amp; a &lt;boy>) --></U>\n"
                        "<!-- (S I am a boy?) -->\n<div><span>S</span></div>\n");
}

TEST_F(SampleChecks, AnOutputWithoutACommentLineIsShownUnderlined) {
    dir_.write("t/Global.xvt", kGlobal);
    dir_.write("t/Lesson1.xvt", lessonFile({"I am a boy."}));
    std::string text = page(dir_.file("t/Lesson1.xvt"), dir_.file("none.txt"), 0, flatTree);
    EXPECT_NE(text.find("<div><span>S</span><P><B>I</B></P></div>\n<U>&lt;div>&lt;span>S&lt;/span>&lt;P>&lt;B>I&lt;/B>"
                        "&lt;/P>&lt;/div>\n</U>\n"),
              std::string::npos)
        << text;
}

TEST_F(SampleChecks, ALargePageIsWrittenWhole) {
    dir_.write("t/Global.xvt", kGlobal);
    std::vector<std::string> samples(400, "I am a boy.");
    dir_.write("t/Lesson1.xvt", lessonFile(samples));
    std::string filler(1000, 'x');
    TreeWriter bigTree = [&](std::string& out, std::string_view) { out += "<!-- x -->\n" + filler + "\n"; };
    std::string text = page(dir_.file("t"), "", 0, bigTree);
    EXPECT_GT(text.size(), 400u * 1000u);
    size_t trees = 0;
    for (size_t p = text.find("<!-- x -->"); p != std::string::npos; p = text.find("<!-- x -->", p + 1)) ++trees;
    EXPECT_EQ(trees, 400u);
    EXPECT_NE(text.find("</HTML>\n"), std::string::npos);
}

TEST_F(SampleChecks, AnOutputThatCannotBeCreatedIsReported) {
    auto state = engine_.state();
    EXPECT_FALSE(writeSampleTreePage(dir_.file("t"), "", dir_.file("no/such/folder/page.html"), 0, *state->templates,
                                     *state->analyzer, goodTree));
}

TEST(ReferenceTrees, LongLinesAreReadInPieces) {
    test::TempDir dir;
    std::string longTree = "<!-- " + std::string(20000, 'a') + " -->\n";
    auto trees = readReferenceTrees(dir.write("ref.txt", longTree + "<!-- b -->\n"));
    // The first 15,359 bytes make one reference; the rest of that line does
    // not begin with "<!--".
    ASSERT_EQ(trees.size(), 2u);
    EXPECT_EQ(trees[0].size(), 15359u);
    EXPECT_EQ(trees[1], "<!-- b -->\n");
}

}  // namespace
}  // namespace zintra
