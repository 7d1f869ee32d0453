#include <gtest/gtest.h>

#include <algorithm>

#include "engine/config/config.h"
#include "engine/config/config_files.h"
#include "engine/config/diagnostics.h"
#include "test_support.h"

namespace zintra {
namespace {

bool anyContains(const std::vector<std::string>& messages, std::string_view part) {
    return std::any_of(messages.begin(), messages.end(),
                       [&](const std::string& m) { return m.find(part) != std::string::npos; });
}

TEST(ConfigDiagnostics, UnknownKeysAreNamedWithTheirLineAndTheKeyTheyProbablyMean) {
    EXPECT_STREQ(likelyConfigKey("TEMPLATE_DIR")->name, "TEMPLATES_DIR");
    EXPECT_STREQ(likelyConfigKey("templates_dir")->name, "TEMPLATES_DIR") << "keys are case-sensitive";
    EXPECT_STREQ(likelyConfigKey("DICTONARY_FILE")->name, "DICTIONARY_FILE");
    EXPECT_EQ(likelyConfigKey("COLOUR"), nullptr);

    test::TempDir dir;
    std::string path = dir.write("zintra.ini",
                                 "# comment\nTEMPLATE_DIR templates\n\n  CACHE 0\nCOLOUR red\n"
                                 "SPECIAL_TAIL \"n't\" \"'s\n");
    DiagnosticsCollector collector;
    Diagnostics diagnostics(collector.sink());
    Config explained, silent;
    ASSERT_TRUE(readConfig(path, explained, &diagnostics));
    ASSERT_TRUE(readConfig(path, silent));
    std::vector<std::string> messages = collector.messages();
    ASSERT_EQ(messages.size(), 3u) << "comments, blank lines and known keys say nothing";
    EXPECT_EQ(messages[0], path + ":2: unknown key TEMPLATE_DIR is ignored (did you mean TEMPLATES_DIR?)");
    EXPECT_EQ(messages[1], path + ":5: unknown key COLOUR is ignored");
    EXPECT_NE(messages[2].find(":6: SPECIAL_TAIL: the last string has no closing double quote"), std::string::npos);
    // What is stored does not depend on anyone listening.
    EXPECT_EQ(explained.templatesDir, silent.templatesDir);
    EXPECT_EQ(explained.templatesDir, "") << "the misspelt key still sets nothing";
    EXPECT_EQ(explained.cache, 0);
    EXPECT_EQ(explained.specialTail.entries(), silent.specialTail.entries());
    EXPECT_EQ(explained.specialTail.entries().size(), 1u);
}

TEST(ConfigDiagnostics, AConfigurationThatCannotBeOpenedIsNamedWithTheFullPath) {
    test::TempDir dir;
    DiagnosticsCollector collector;
    Diagnostics diagnostics(collector.sink());
    Config config;
    EXPECT_FALSE(readConfig(dir.file("missing.ini"), config, &diagnostics));
    ASSERT_EQ(collector.messages().size(), 1u);
    EXPECT_TRUE(anyContains(collector.messages(), "not found at " + dir.file("missing.ini")));
}

TEST(ConfigDiagnostics, ConfiguredFilesSayWhatIsWrongAndWhereRelativeNamesAreLookedFor) {
    test::TempDir dir;
    std::string config = dir.write("inst/zintra.ini", "");
    dir.write("inst/lexicon.txt", "a DT\n");
    std::filesystem::create_directories(dir.path() / "inst/folder");
    std::filesystem::path here = std::filesystem::current_path();
    std::filesystem::current_path(dir.path());  // lexicon.txt lies beside the configuration, not here
    DiagnosticsCollector collector;
    Diagnostics diagnostics(collector.sink());
    EXPECT_FALSE(checkConfiguredPath(diagnostics, "DICTIONARY_FILE", "lexicon.txt", config));
    EXPECT_FALSE(checkConfiguredPath(diagnostics, "BIGRAMS", "", config));
    EXPECT_FALSE(checkConfiguredPath(diagnostics, "COMPOUND_FILE", "inst/folder", config));
    EXPECT_FALSE(checkConfiguredPath(diagnostics, "TEMPLATES_DIR", "inst/lexicon.txt", config, true));
    EXPECT_TRUE(checkConfiguredPath(diagnostics, "DICTIONARY_FILE", "inst/lexicon.txt", config));
    EXPECT_TRUE(checkConfiguredPath(diagnostics, "TEMPLATES_DIR", "inst", config, true));
    std::filesystem::current_path(here);
    std::vector<std::string> m = collector.messages();
    ASSERT_EQ(m.size(), 4u) << "usable files say nothing";
    EXPECT_NE(m[0].find("DICTIONARY_FILE lexicon.txt: not found at " + dir.file("lexicon.txt")), std::string::npos);
    EXPECT_NE(m[0].find("taken from the current folder (" + dir.path().string() + ")"), std::string::npos);
    EXPECT_NE(m[0].find("where " + dir.file("inst/lexicon.txt") + " exists"), std::string::npos);
    EXPECT_EQ(m[1], "BIGRAMS is not set in " + config);
    EXPECT_NE(m[2].find("is a folder, not a file"), std::string::npos);
    EXPECT_NE(m[3].find("is not a folder"), std::string::npos);
}

TEST(ConfigDiagnostics, WithoutASinkNothingIsBuiltOrSent) {
    Diagnostics silent;
    EXPECT_FALSE(silent.active());
    silent.report("nobody hears this");
    DiagnosticsCollector collector;
    Diagnostics diagnostics(collector.sink());
    EXPECT_TRUE(diagnostics.active());
    diagnostics.setSink({});
    EXPECT_FALSE(diagnostics.active());
    diagnostics.report("nor this");
    EXPECT_TRUE(collector.messages().empty());
}

}  // namespace
}  // namespace zintra
