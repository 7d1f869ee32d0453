// Match requests end to end: template files read from a templates folder,
// the request handler's reply around the match report, and matching from
// several threads at once.
#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

#include "engine/api/engine.h"
#include "engine/templates/match_graph.h"
#include "engine/templates/sentence_matcher.h"
#include "engine/templates/template_reader.h"
#include "test_support.h"

namespace zintra::test {
namespace {

const char* const kGlobal =
    "<?xml version='1.0'?>\n<root><SAMP><P ID='1'>I went there.</P></SAMP>"
    "<category><name>g</name><comment ID='12'><name>past</name><sentenceID>1</sentenceID>"
    "<econtent>Use the past tense.</econtent><jcontent>\xE9\x81\x8E\xE5\x8E\xBB</jcontent></comment></category>"
    "<Template></Template></root>";

// Two main templates: the idiom template first, so that a tie keeps it.
const char* const kLesson =
    "<?xml version='1.0'?>\n<root><SAMP><P ID='3'>He went to school.</P></SAMP>"
    "<category><name>c</name><category><name>inner</name>"
    "<comment ID='5'><name>goed</name><sentenceID>3</sentenceID><econtent>Irregular &amp; old.</econtent>"
    "<jcontent></jcontent></comment>"
    "<comment ID='7'><name>idiom</name><econtent>An idiom.</econtent></comment></category></category>"
    "<Template>"
    "<template sub='0'><name>idiom</name><sample>I have a lot of apples.</sample>"
    "<node><name>a</name><Group type='correct'><name>i</name></Group><Next>b</Next></node>"
    "<node><name>b</name><Group type='correct'><name>have</name></Group><Next>c</Next></node>"
    "<node><name>c</name><Group type='correct'><name>a lot of</name><commentID>C7</commentID></Group>"
    "<Group type='normal'><name>many</name></Group><Next>d</Next></node>"
    "<node><name>d</name><Group type='correct'><name>apples</name><commentID>C7</commentID></Group>"
    "<Next>e</Next></node>"
    "<node><name>e</name><Group type='normal'><name>.</name></Group></node>"
    "</template>"
    "<template sub='0'><name>past</name><sample>He went to school.</sample>"
    "<node><name>n1</name><Group><name>he</name></Group><Next>n2</Next></node>"
    "<node><name>n2</name><Group type='correct'><name>went</name></Group>"
    "<Group type='wrong'><name>goed</name><commentID>C5</commentID><commentID>G12</commentID></Group>"
    "<Next>n3</Next></node>"
    "<node><name>n3</name><Group><name>to</name></Group><Phrase>place</Phrase><Next>n4</Next></node>"
    "<node><name>n4</name><Group type='normal'><name>.</name></Group></node>"
    "</template>"
    "<template><name>place</name><node><name>p</name><Group><name>to school</name></Group></node></template>"
    "</Template></root>";

class MatchRequestTest : public ::testing::Test {
  protected:
    void SetUp() override {
        dir.write("templates/Global.xvt", kGlobal);
        dir.write("templates/lesson1.xvt", kLesson);
        ASSERT_EQ(engine.initialise(writeMinimalInstallation(dir, "TN_SYMBOL ,;:!?\"()\n").c_str()), 1);
        folder = dir.file("templates") + "/";
    }
    std::string ask(const std::string& request, const char* encoding = nullptr) {
        return engine.handleRequest(encoding, request.c_str());
    }

    TempDir dir;
    Engine engine;
    std::string folder;
};

TEST_F(MatchRequestTest, ReplyOfAMatch) {
    std::string reply = ask("<H1>lesson1</H1><P>He goed to school.</P>");
    const std::string report =
        "<div><span>He</span>"
        "<div><B>3648</B><span>goed</span><font>went</font><p>5</p><p>10012</p></div>\n"
        "<span>to</span><span>school</span><span>.</span></div>\n"
        "<div><div><B>5</B>\n<span>Irregular &amp; old.</span>\n<span></span>\n<p>He went to school.</p>\n</div>\n"
        "<div><B>10012</B>\n<span>Use the past tense.</span>\n<span>\xE9\x81\x8E\xE5\x8E\xBB</span>\n"
        "<p>I went there.</p>\n</div>\n</div>\n";
    EXPECT_EQ(reply.substr(0, report.size()), report);
    EXPECT_EQ(reply.substr(report.size(), reply.find("</div>\n", report.size()) + 7 - report.size()),
              "<div><P>" + folder + "lesson1.xvt</P><P>past</P></div>\n");
}

TEST_F(MatchRequestTest, IdiomNodeBlocksThroughARealFile) {
    std::string reply = ask("<H1>lesson1</H1><P>I have a lot of apples.</P>");
    const std::string words =
        "<div><span>I</span><span>have</span>"
        "<div><B>576</B><span>a</span><span>lot</span><span>of</span><font>many</font>"
        "<font>a lot of</font><p>7</p></div>\n"
        "<div><B>1600</B><span>apples</span><font>apples</font><p>7</p></div>\n"
        "<span>.</span></div>\n";
    // The node's candidates: its normal filler, then its correct ones.
    EXPECT_EQ(reply.substr(0, words.size()), words);
    EXPECT_NE(reply.find("<P>idiom</P>"), std::string::npos);
    // The comment cited by both blocks is listed once.
    ASSERT_NE(reply.find("<B>7</B>\n"), std::string::npos);
    EXPECT_EQ(reply.find("<B>7</B>\n"), reply.rfind("<B>7</B>\n"));
}

TEST_F(MatchRequestTest, SingleFillerRequest) {
    std::string reply = ask("<H1>*i like apples</H1><P>I like red apples</P>");
    EXPECT_EQ(reply,
              "<div><span>I</span><span>like</span><div><B>18</B><span>red</span></div>\n<span>apples</span>"
              "<div><B>8</B><span></span><font>.</font></div>\n</div>\n<div></div>\n"
              "<div><P></P><P>i like apples</P></div>\n<div></div>\n");
}

TEST_F(MatchRequestTest, MatchThatDoesNotRunClearsTheCache) {
    EXPECT_EQ(ask("<H1>missing</H1><P>I like apples.</P>"), "The Cache is cleared.\n");
    dir.write("templates2/lesson2.xvt", kLesson);  // a folder without Global.xvt
    EXPECT_EQ(ask("<H1>../templates2/lesson2.xvt</H1><P>I like apples.</P>"), "The Cache is cleared.\n");
}

TEST_F(MatchRequestTest, SamplesOfTheFileMatchWithoutErrors) {
    std::shared_ptr<const Analyzer> analyzer = engine.analyzer();
    auto global = readTemplateFile(folder + "Global.xvt", nullptr, *analyzer);
    auto file = readTemplateFile(folder + "lesson1.xvt", nullptr, *analyzer);
    ASSERT_TRUE(global && file);
    SentenceMatcher matcher(*analyzer);
    for (const auto& t : file->mainTemplates) {
        ASSERT_EQ(matcher.match(t->sample, file.get(), global.get()), 0);
        EXPECT_EQ(matcher.chosenTemplate(), t.get());
        EXPECT_TRUE(matcher.freeOfErrors()) << t->sample << "\n" << matcher.report();
    }
    // The Phrase filler's expansion matches too.
    ASSERT_EQ(matcher.match("He went to school.", file.get(), global.get()), 0);
    EXPECT_TRUE(matcher.freeOfErrors());
    ASSERT_EQ(matcher.match("He went to the school.", file.get(), global.get()), 0);
    EXPECT_FALSE(matcher.freeOfErrors());
}

TEST_F(MatchRequestTest, MissingFilesAndEmptySentencesDoNotMatch) {
    std::shared_ptr<const Analyzer> analyzer = engine.analyzer();
    auto file = readTemplateFile(folder + "lesson1.xvt", nullptr, *analyzer);
    SentenceMatcher matcher(*analyzer);
    EXPECT_EQ(matcher.match("I like apples.", file.get(), nullptr), -1);
    EXPECT_EQ(matcher.match("I like apples.", nullptr, file.get()), -1);
    EXPECT_EQ(matcher.match("", file.get(), file.get()), -1);
    EXPECT_EQ(matcher.chosenTemplate(), nullptr);
    EXPECT_EQ(matcher.report(), "");
}

TEST_F(MatchRequestTest, ConcurrentMatchesShareOneBuildOfTheGraphs) {
    std::shared_ptr<const Analyzer> analyzer = engine.analyzer();
    auto global = readTemplateFile(folder + "Global.xvt", nullptr, *analyzer);
    auto file = readTemplateFile(folder + "lesson1.xvt", nullptr, *analyzer);
    ASSERT_TRUE(global && file);
    const std::vector<std::string> sentences = {"He goed to school.", "I have a lots of apples",
                                                "Have I a lot of apples?", "he went school to."};
    std::vector<std::string> expected;
    {
        // Reference reports from a file whose graphs are built on this thread.
        auto reference = readTemplateFile(folder + "lesson1.xvt", nullptr, *analyzer);
        SentenceMatcher matcher(*analyzer);
        for (const std::string& s : sentences) {
            ASSERT_EQ(matcher.match(s, reference.get(), global.get()), 0);
            expected.push_back(matcher.report());
        }
    }
    std::vector<std::thread> threads;
    std::vector<int> failures(4, 0);
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([&, t] {
            SentenceMatcher matcher(*analyzer);
            for (int round = 0; round < 50; ++round) {
                size_t k = static_cast<size_t>(round + t) % sentences.size();
                if (matcher.match(sentences[k], file.get(), global.get()) != 0 || matcher.report() != expected[k])
                    ++failures[static_cast<size_t>(t)];
            }
        });
    }
    for (std::thread& thread : threads) thread.join();
    for (int f : failures) EXPECT_EQ(f, 0);
    EXPECT_EQ(&matchGraphsOf(*file), &matchGraphsOf(*file));
}

}  // namespace
}  // namespace zintra::test
