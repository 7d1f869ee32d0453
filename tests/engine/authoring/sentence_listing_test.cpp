#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <set>

#include "engine/api/engine.h"
#include "engine/authoring/sentence_listing.h"
#include "engine/templates/match_graph.h"
#include "engine/templates/template_reader.h"
#include "test_support.h"

namespace zintra {
namespace {

namespace fs = std::filesystem;

// "I" then "am" or "'m" (a wrong "is" too), then "a boy" or "the boy" (the
// second template repeats one sentence of the first).
constexpr const char* kLesson =
    "<?xml version='1.0'?>\n<root><SAMP></SAMP><Template>"
    "<template sub='0'><name>one</name>"
    "<node><name>a</name><Next>b</Next><Group><name>I</name></Group></node>"
    "<node><name>b</name><Next>c</Next><Group><name>am</name></Group><Group type='normal'><name>'m</name></Group>"
    "<Group type='wrong'><name>is</name></Group></node>"
    "<node><name>c</name><Group><name>a boy</name></Group><Group><name>the boy</name></Group>"
    "<Group type='wrong'><name>boy</name></Group></node></template>"
    "<template sub='0'><name>two</name>"
    "<node><name>a</name><Next>b</Next><Group><name>I am</name></Group></node>"
    "<node><name>b</name><Group><name>a boy</name></Group><Group><name>a man</name></Group></node></template>"
    "<template sub='1'><name>unused</name><node><name>x</name><Group><name>never listed</name></Group></node>"
    "</template></Template></root>\n";

std::vector<std::string> linesOf(const std::string& path) {
    std::ifstream in(path);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

class SentenceListing : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_EQ(engine_.initialise(test::writeMinimalInstallation(dir_).c_str()), 1); }
    SentenceListingResult list(const std::string& path, const std::string& out, int depth,
                               SentenceListingLimits limits = {}) {
        auto state = engine_.state();
        return listSentences(path, out, depth, *state->templates, *state->analyzer, limits);
    }
    test::TempDir dir_;
    Engine engine_;
};

TEST_F(SentenceListing, EveryPathWithoutAWrongFillerOnce) {
    dir_.write("t/Lesson1.xvt", kLesson);
    SentenceListingResult r = list(dir_.file("t"), dir_.file("out"), 0);
    EXPECT_EQ(r.files, 1u);
    EXPECT_FALSE(r.writeFailed);
    std::vector<std::string> lines = linesOf(dir_.file("out/Lesson1/Lesson1.txt"));
    std::set<std::string> unique(lines.begin(), lines.end());
    EXPECT_EQ(unique.size(), lines.size()) << "duplicates are removed";
    EXPECT_EQ(unique,
              (std::set<std::string>{"I am a boy", "I am the boy", "I 'm a boy", "I 'm the boy", "I am a man"}));
    EXPECT_EQ(r.sentences, 5u);
}

TEST_F(SentenceListing, AFullTableIsWrittenOutAndEmptied) {
    dir_.write("t/Lesson1.xvt", kLesson);
    SentenceListingLimits limits;
    limits.flushAt = 2;
    SentenceListingResult r = list(dir_.file("t/Lesson1.xvt"), dir_.file("out"), 0, limits);
    EXPECT_EQ(linesOf(dir_.file("out/Lesson1/Lesson1.txt")).size(), 2u);
    EXPECT_EQ(linesOf(dir_.file("out/Lesson1/Lesson1-2.txt")).size(), 2u);
    // After the table is emptied, "I am a boy" of the second template is new again.
    EXPECT_EQ(linesOf(dir_.file("out/Lesson1/Lesson1-3.txt")).size(), 2u);
    EXPECT_EQ(r.sentences, 6u);
}

TEST_F(SentenceListing, FilesOfOneNameInTwoFoldersAreNumberedOn) {
    dir_.write("t/Lesson1.xvt", kLesson);
    dir_.write("t/sub/Lesson1.xvt", kLesson);
    list(dir_.file("t"), dir_.file("out"), 0);
    EXPECT_EQ(linesOf(dir_.file("out/Lesson1/Lesson1.txt")).size(), 5u);
    EXPECT_EQ(linesOf(dir_.file("out/Lesson1/Lesson1-2.txt")).size(), 5u);
    // Depth 1: the folder's own file only.
    SentenceListingResult one = list(dir_.file("t"), dir_.file("out1"), 1);
    EXPECT_EQ(one.files, 1u);
}

TEST_F(SentenceListing, TheWalkStopsAtItsBudgetAndSaysSo) {
    // 12 nodes of 4 fillers each: 16 million paths.
    std::string xml = "<?xml version='1.0'?>\n<root><Template><template sub='0'><name>big</name>";
    for (int n = 0; n < 12; ++n) {
        xml += "<node><name>n" + std::to_string(n) + "</name>";
        if (n < 11) xml += "<Next>n" + std::to_string(n + 1) + "</Next>";
        for (int f = 0; f < 4; ++f)
            xml += "<Group><name>w" + std::to_string(n) + "x" + std::to_string(f) + "</name></Group>";
        xml += "</node>";
    }
    xml += "</template></Template></root>\n";
    dir_.write("t/Big.xvt", xml);
    SentenceListingLimits limits;
    limits.maxPathsPerFile = 1000;
    SentenceListingResult r = list(dir_.file("t"), dir_.file("out"), 0, limits);
    EXPECT_EQ(r.cutFiles, 1u);
    EXPECT_EQ(r.sentences, 1000u);
}

TEST_F(SentenceListing, TheOutputStaysBelowTheNamedFolder) {
    EXPECT_EQ(listingFolderName("/a/b/Lesson1.xvt"), "Lesson1");
    EXPECT_EQ(listingFolderName("a\\b\\Lesson1.xvt"), "Lesson1");
    EXPECT_EQ(listingFolderName("/a/.."), "_");
    EXPECT_EQ(listingFolderName("/a/.xvt"), ".xvt");
    EXPECT_EQ(listingFolderName("/a/b/"), "_");
    // A malformed file and a missing path list nothing and write nothing.
    dir_.write("t/Bad.xvt", "<root><Template>");
    SentenceListingResult r = list(dir_.file("t"), dir_.file("out"), 0);
    EXPECT_EQ(r.files, 0u);
    EXPECT_FALSE(fs::exists(dir_.file("out")));
    EXPECT_EQ(list(dir_.file("absent"), dir_.file("out"), 0).files, 0u);
}

TEST_F(SentenceListing, AnUnwritableOutputIsReported) {
    dir_.write("t/Lesson1.xvt", kLesson);
    dir_.write("out", "a file where the folder should be");
    EXPECT_TRUE(list(dir_.file("t"), dir_.file("out"), 0).writeFailed);
}

TEST_F(SentenceListing, TenThousandFilesAndALongPath) {
    std::string deep = "t";
    for (int i = 0; i < 12; ++i) deep += "/" + std::string(200, static_cast<char>('a' + i));
    dir_.write(deep + "/Lesson1.xvt", kLesson);
    for (int i = 0; i < 10000; ++i) dir_.write("many/f" + std::to_string(i) + ".txt", "x\n");
    SentenceListingResult r = list(dir_.file("t"), dir_.file("out"), 0);
    EXPECT_EQ(r.files, 1u);
    EXPECT_EQ(linesOf(dir_.file("out/Lesson1/Lesson1.txt")).size(), 5u);
    // The many files are walked (none is a template) without trouble.
    EXPECT_EQ(list(dir_.file("many"), dir_.file("out2"), 0).files, 0u);
}

}  // namespace
}  // namespace zintra
