#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <thread>
#include <vector>

#include "engine/api/engine.h"
#include "test_support.h"

namespace zintra {
namespace {

bool anyContains(const std::vector<std::string>& messages, std::string_view part) {
    return std::any_of(messages.begin(), messages.end(),
                       [&](const std::string& m) { return m.find(part) != std::string::npos; });
}

// The messages one initialisation gives with the extra configuration lines.
std::vector<std::string> initialisationMessages(std::string_view extra, int expected) {
    test::TempDir dir;
    dir.write("comments-only.txt", "# nothing\n\n");
    std::string config = test::writeMinimalInstallation(dir, std::string(extra));
    DiagnosticsCollector collector;
    Engine engine;
    engine.diagnostics().setSink(collector.sink());
    EXPECT_EQ(engine.initialise(config.c_str()), expected) << extra;
    std::vector<std::string> messages = collector.messages();
    for (std::string& m : messages) {
        size_t at = m.find(dir.path().string());
        if (at != std::string::npos) m.replace(at, dir.path().string().size(), "DIR");
    }
    return messages;
}

TEST(EngineDiagnostics, EveryStepThatFailsTheInitialisationNamesItsKey) {
    auto m = initialisationMessages("BIGRAMS nowhere.txt\n", 0);
    EXPECT_TRUE(anyContains(m, "BIGRAMS nowhere.txt: not found at ")) << ::testing::PrintToString(m);
    EXPECT_TRUE(anyContains(m, "the engine is not initialised"));

    m = initialisationMessages("PARSE 0\n", 0);
    EXPECT_TRUE(anyContains(m, "PARSE is 0 in ")) << ::testing::PrintToString(m);
    m = initialisationMessages("GRAMMAR_FILE nowhere.txt\n", 0);
    EXPECT_TRUE(anyContains(m, "GRAMMAR_FILE nowhere.txt: not found at ")) << ::testing::PrintToString(m);
}

TEST(EngineDiagnostics, FilesThatLoadButSayNothingUsefulAndOptionalOnesAreExplainedToo) {
    test::TempDir dir;
    std::string empty = dir.write("comments-only.txt", "# nothing\n\n");
    DiagnosticsCollector collector;
    Engine engine;
    engine.diagnostics().setSink(collector.sink());
    EXPECT_EQ(engine.initialise(test::writeMinimalInstallation(dir, "COMPOUND_FILE " + empty + "\n").c_str()), 0);
    EXPECT_EQ(engine.initialise(test::writeMinimalInstallation(dir, "CONTEXTUALRULEFILE " + empty + "\n").c_str()), 0);
    EXPECT_EQ(engine.initialise(
                  test::writeMinimalInstallation(dir, "PARSE 1\nMYDICTIONARY_FILE nowhere.txt\nENCODE no-such-code\n")
                      .c_str()),
              1);
    std::vector<std::string> m = collector.messages();
    EXPECT_TRUE(anyContains(m, "COMPOUND_FILE " + empty + ": holds no compound line")) << ::testing::PrintToString(m);
    EXPECT_TRUE(anyContains(m, "CONTEXTUALRULEFILE " + empty + ": holds no rule line"));
    EXPECT_TRUE(anyContains(m, "MYDICTIONARY_FILE nowhere.txt: not found at "));
    EXPECT_TRUE(anyContains(m, "going on without the user dictionary"));
    EXPECT_TRUE(anyContains(m, "ENCODE no-such-code is not an encoding name"));
}

TEST(EngineDiagnostics, TemplateFilesThatCannotBeLoadedAreNamedWithTheReason) {
    test::TempDir dir;
    std::string config = test::writeMinimalInstallation(dir, "PARSE 1\n");
    dir.write("templates/broken.xvt", "<root>\n<Template>\n</root>\n");
    dir.write("templates/Gtemplate.xvt", "<root>\n");
    DiagnosticsCollector collector;
    Engine listened, silent;
    listened.diagnostics().setSink(collector.sink());
    ASSERT_EQ(listened.initialise(config.c_str()), 1);
    ASSERT_EQ(silent.initialise(config.c_str()), 1);
    for (const char* request : {"<H1>missing</H1><P>I am a boy.</P>", "<H1>broken</H1><P>I am a boy.</P>"}) {
        EXPECT_EQ(listened.handleRequest(nullptr, request), silent.handleRequest(nullptr, request))
            << "explanations never change a reply";
    }
    std::vector<std::string> m = collector.messages();
    std::string folder = dir.file("templates/");
    EXPECT_TRUE(anyContains(m, "cannot load the folder's global comments " + folder + "Global.xvt: not found at "))
        << ::testing::PrintToString(m);
    EXPECT_TRUE(anyContains(m, "cannot load the folder's base templates " + folder + "Gtemplate.xvt: not well-formed"));
    EXPECT_TRUE(anyContains(m, "cannot load template file " + folder + "missing.xvt: not found at "));
    EXPECT_TRUE(anyContains(m, "cannot load template file " + folder + "broken.xvt: not well-formed XML at line 3,"));
}

TEST(EngineDiagnostics, EachEngineHearsOnlyItsOwnAndConcurrentRequestsReportWholeLines) {
    test::TempDir dir;
    std::string config = test::writeMinimalInstallation(dir, "PARSE 1\n");
    DiagnosticsCollector first, second;
    Engine a, b;
    a.diagnostics().setSink(first.sink());
    b.diagnostics().setSink(second.sink());
    ASSERT_EQ(a.initialise(config.c_str()), 1);
    ASSERT_EQ(b.initialise(config.c_str()), 1);
    size_t before = first.messages().size();
    constexpr int kThreads = 4, kRequests = 25;
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t)
        threads.emplace_back([&] {
            for (int i = 0; i < kRequests; ++i) b.handleRequest(nullptr, "<H1>missing</H1><P>I am a boy.</P>");
        });
    for (std::thread& t : threads) t.join();
    EXPECT_EQ(first.messages().size(), before) << "another engine's requests are not this one's business";
    std::vector<std::string> m = second.messages();
    size_t globals = std::count_if(m.begin(), m.end(), [](const std::string& s) {
        return s.rfind("cannot load the folder's global comments ", 0) == 0 &&
               s.find("Global.xvt: not found at ") != std::string::npos;
    });
    EXPECT_EQ(globals, static_cast<size_t>(kThreads * kRequests)) << "one whole line per request";
}

}  // namespace
}  // namespace zintra
