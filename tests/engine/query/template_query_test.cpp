// Template queries end to end: variable names read from the template XML,
// bindings from the matcher, the query chosen and filled in, and the
// plain-text request answered through the engine.
#include <gtest/gtest.h>

#include <filesystem>

#include "engine/api/engine.h"
#include "engine/query/template_query.h"
#include "engine/templates/template_reader.h"
#include "engine/templates/template_writer.h"
#include "engine/templates/xml_parser.h"
#include "test_support.h"

namespace zintra {
namespace {

constexpr const char* kQueryTemplates =
    "<?xml version='1.0'?>\n<root><SAMP></SAMP><Template>"
    "<template sub='0'><name>who</name><sample>Who is the boy?</sample>"
    "<node><name>a</name><Next>b</Next><Group><name>who is</name></Group></node>"
    "<node var='$who'><name>b</name><Next>c</Next><Group><name>the boy</name></Group>"
    "<Group><name>Ken</name></Group><Group type='wrong'><name>a boy</name></Group></node>"
    "<node var='$where'><name>c</name><Group><name>here</name></Group><Group><name></name></Group></node>"
    "</template></Template></root>\n";

constexpr const char* kQueries =
    "SELECT ?x WHERE (?x, <is>, $who)\n"
    "SELECT ?y WHERE (?y, <is>, $who), (?y, <at>, $where)\n";

class TemplateQueries : public ::testing::Test {
  protected:
    void SetUp() override {
        dir_.write("q/questions.xvt", kQueryTemplates);
        dir_.write("q/questions.rdql", kQueries);
        std::string extra =
            "RDQL_TEMPLATE " + dir_.file("q/questions.xvt") + "\nRDQL_FILE " + dir_.file("q/questions.rdql") + "\n";
        ASSERT_EQ(engine_.initialise(test::writeMinimalInstallation(dir_, extra).c_str()), 1);
    }
    std::string reply(const char* request) { return engine_.handleRequest(nullptr, request); }

    test::TempDir dir_;
    Engine engine_;
};

TEST_F(TemplateQueries, TheReaderKeepsTheVariableOfANode) {
    auto state = engine_.state();
    auto file = readTemplateFile(dir_.file("q/questions.xvt"), nullptr, *state->analyzer);
    ASSERT_TRUE(file);
    const Template& t = *file->mainTemplates.at(0);
    EXPECT_EQ(t.nodes.at(0)->variable, "");
    EXPECT_EQ(t.nodes.at(1)->variable, "$who");
    EXPECT_EQ(t.nodes.at(2)->variable, "$where");
}

TEST_F(TemplateQueries, TheWriterKeepsTheVariableAttribute) {
    std::unique_ptr<XmlDocument> doc = XmlDocument::fromFile(dir_.file("q/questions.xvt"));
    ASSERT_TRUE(doc->ok());
    std::string rewritten = dir_.file("q/rewritten.xvt");
    ASSERT_TRUE(writeTemplateDocument(doc->document(), rewritten));
    auto file = readTemplateFile(rewritten, nullptr, *engine_.analyzer());
    ASSERT_TRUE(file);
    EXPECT_EQ(file->mainTemplates.at(0)->nodes.at(1)->variable, "$who");
}

TEST_F(TemplateQueries, BindingsAreTheWordsOfMarkedNodesInSentenceOrder) {
    auto state = engine_.state();
    auto file = readTemplateFile(dir_.file("q/questions.xvt"), nullptr, *state->analyzer);
    ASSERT_TRUE(file);
    auto b = bindSentence("who is the boy here", *file, nullptr, *state->analyzer);
    ASSERT_EQ(b.size(), 2u);
    EXPECT_EQ(b[0].name, "$who");
    EXPECT_EQ(b[0].value, "the boy");  // the words of one node make one binding
    EXPECT_EQ(b[1].name, "$where");
    EXPECT_EQ(b[1].value, "here");
    // A wrong filler binds nothing.
    auto wrong = bindSentence("who is a boy", *file, nullptr, *state->analyzer);
    for (const Binding& w : wrong) EXPECT_NE(w.name, "$who") << w.value;
    // Nor does a node typed only in part, or with a word inside it: "the"
    // alone is not "the boy".
    for (const char* partly : {"who is the here", "who is the tall boy here"}) {
        auto b2 = bindSentence(partly, *file, nullptr, *state->analyzer);
        ASSERT_EQ(b2.size(), 1u) << partly;
        EXPECT_EQ(b2[0].name, "$where") << partly;
    }
}

TEST_F(TemplateQueries, ASentenceThatLeavesOutAPartOfTheQuestionBindsNothing) {
    auto state = engine_.state();
    auto file = readTemplateFile(dir_.file("q/questions.xvt"), nullptr, *state->analyzer);
    ASSERT_TRUE(file);
    // "who is" is left out: the boy would bind, but this is no question.
    EXPECT_TRUE(bindSentence("the boy here", *file, nullptr, *state->analyzer).empty());
    // A word of a part mistyped still leaves the part there.
    auto typo = bindSentence("who are the boy", *file, nullptr, *state->analyzer);
    ASSERT_EQ(typo.size(), 1u);
    EXPECT_EQ(typo[0].value, "the boy");
    // A node that may be left out (its empty filler) is no missing part.
    EXPECT_EQ(reply("who is the boy"), "SELECT ?x WHERE (?x, <is>, \"the boy\")");
}

TEST_F(TemplateQueries, APlainTextRequestIsAnsweredWithTheBoundNames) {
    EXPECT_EQ(reply("who is Ken"), "SELECT ?x WHERE (?x, <is>, \"Ken\")");
    EXPECT_EQ(reply("who is the boy here?"), "SELECT ?y WHERE (?y, <is>, \"the boy\"), (?y, <at>, \"here\")");
    // Nothing bound and no query without variables.
    EXPECT_EQ(reply("good morning"), "Can't understand!\n");
}

TEST_F(TemplateQueries, AnswerNeedsTableTemplatesAndASentence) {
    auto state = engine_.state();
    auto file = readTemplateFile(dir_.file("q/questions.xvt"), nullptr, *state->analyzer);
    QueryTable table;
    EXPECT_EQ(answerQuery("who is Ken", file.get(), nullptr, table, *state->analyzer), "");
    table.load(kQueries);
    EXPECT_EQ(answerQuery("", file.get(), nullptr, table, *state->analyzer), "");
    EXPECT_EQ(answerQuery("who is Ken", nullptr, nullptr, table, *state->analyzer), "");
    EXPECT_NE(answerQuery("who is Ken", file.get(), nullptr, table, *state->analyzer), "");
}

TEST_F(TemplateQueries, AChangedQueryFileIsReadAgain) {
    EXPECT_EQ(reply("who is Ken"), "SELECT ?x WHERE (?x, <is>, \"Ken\")");
    // A different size is enough to notice the change.
    dir_.write("q/questions.rdql", "SELECT ?person WHERE (?person, <named>, $who)\n");
    EXPECT_EQ(reply("who is Ken"), "SELECT ?person WHERE (?person, <named>, \"Ken\")");
    std::filesystem::remove(dir_.file("q/questions.rdql"));
    EXPECT_EQ(reply("who is Ken"), "Can't understand!\n");
}

TEST(TemplateQueriesBundled, TheDefaultInstallationAnswersLearnersQuestions) {
    // The bundled configuration names its files relative to its folder.
    auto previous = std::filesystem::current_path();
    std::filesystem::current_path(std::string(ZINTRA_SOURCE_DIR) + "/data/engine");
    {
        Engine engine;
        ASSERT_EQ(engine.initialise("zintra.ini"), 1);
        std::string chapter = engine.handleRequest(nullptr, "Which chapter teaches pronouns?");
        EXPECT_NE(chapter.find("<course:teaches>, \"pronouns\")"), std::string::npos) << chapter;
        std::string meaning = engine.handleRequest(nullptr, "What does apple mean?");
        EXPECT_NE(meaning.find("(\"apple\", <course:japanese>"), std::string::npos) << meaning;
        std::string kind = engine.handleRequest(nullptr, "Is dog a noun?");
        EXPECT_NE(kind.find("\"dog\""), std::string::npos) << kind;
        EXPECT_NE(kind.find("\"noun\""), std::string::npos) << kind;
        EXPECT_EQ(engine.handleRequest(nullptr, "hello there"), "Can't understand!\n");
        // Points of the later chapters, bound whole, and learners' slips in
        // the question's own words.
        std::string past = engine.handleRequest(nullptr, "Which chapter teach the past tense?");
        EXPECT_NE(past.find("<course:teaches>, \"the past tense\")"), std::string::npos) << past;
        std::string word = engine.handleRequest(nullptr, "What do post office mean?");
        EXPECT_NE(word.find("(\"post office\", <course:japanese>"), std::string::npos) << word;
        // Sentences that are not these questions, though they hold their words.
        for (const char* other : {"I like tennis.", "Can you help me?", "What is this?", "There is a dog."})
            EXPECT_EQ(engine.handleRequest(nullptr, other), "Can't understand!\n") << other;
    }
    std::filesystem::current_path(previous);
}

}  // namespace
}  // namespace zintra
