// The phrase grammar is built while the language data loads: the result and
// what reaches standard error are those of the two steps run one after the
// other.
#include <gtest/gtest.h>

#include <string>

#include "engine/api/engine.h"
#include "test_support.h"

namespace zintra {
namespace {

constexpr const char* kGrammar = "%%\nS : NP VP ;\nNP : PRP | DT NN ;\nVP : VBP NP ;\n";

TEST(EngineGrammarThread, AGrammarErrorIsShownOnlyWhenTheDataLoaded) {
    test::TempDir dir;
    Engine engine;
    std::string broken = "GRAMMAR_FILE " + dir.write("broken.txt", "S : NP VP ;\n") + "\n";

    testing::internal::CaptureStderr();
    EXPECT_EQ(engine.initialise(test::writeMinimalInstallation(dir, broken).c_str()), 0);
    std::string shown = testing::internal::GetCapturedStderr();
    EXPECT_FALSE(shown.empty()) << "the grammar's error line";

    // The data fails first: the grammar built meanwhile is dropped unheard.
    testing::internal::CaptureStderr();
    EXPECT_EQ(engine.initialise(test::writeMinimalInstallation(dir, broken + "BIGRAMS nowhere.txt\n").c_str()), 0);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    testing::internal::CaptureStderr();
    EXPECT_EQ(engine.initialise(test::writeMinimalInstallation(dir, broken + "PARSE 0\n").c_str()), 0);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
}

TEST(EngineGrammarThread, RepeatedInitialisationsPublishAWholeGrammarEachTime) {
    test::TempDir dir;
    Engine engine;
    std::string good = "GRAMMAR_FILE " + dir.write("good.txt", kGrammar) + "\n";
    std::string config = test::writeMinimalInstallation(dir, good);
    char buffer[256];
    for (int i = 0; i < 20; ++i) {
        ASSERT_EQ(engine.initialise(config.c_str()), 1);
        ASSERT_NE(engine.state()->phrase, nullptr);
        int length = engine.parse("I am a boy.", 0, buffer, sizeof buffer);
        ASSERT_EQ(std::string(buffer, static_cast<size_t>(length)),
                  "(S (NP (PRP I)) (VP (VBP am) (NP (DT a) (NN boy))))");
    }
    // A failed initialisation in between leaves no grammar behind it.
    test::TempDir other;
    EXPECT_EQ(engine.initialise(test::writeMinimalInstallation(other, good + "BIGRAMS nowhere.txt\n").c_str()), 0);
    EXPECT_EQ(engine.state()->phrase, nullptr);
    EXPECT_EQ(engine.initialise(config.c_str()), 1);
    EXPECT_NE(engine.state()->phrase, nullptr);
}

}  // namespace
}  // namespace zintra
