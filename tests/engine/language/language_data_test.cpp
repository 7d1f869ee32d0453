#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "engine/language/analyzer.h"
#include "engine/phrase/phrase_word_lists.h"
#include "engine/text/string_pool.h"
#include "engine/text/string_table.h"
#include "language_fixture.h"
#include "test_support.h"

namespace zintra {
namespace {

// An installation whose files can be changed one at a time.
class LoadingTest : public ::testing::Test {
  protected:
    void SetUp() override {
        files = {
            {"DICTIONARY_FILE", "lexicon.txt", "the DT\nrun VB NN\nbooks NNS\n. .\n"},
            {"LEXICALRULEFILE", "lexical.txt", "NN s fhassuf 1 NNS x\n"},
            {"BIGRAMS", "bigrams.txt", "the boy\n"},
            {"MYDICTIONARY_FILE", "user.txt", "books VBZ\n"},
            {"COMPOUND_FILE", "compounds.txt", "ice cream/NN\n"},
            {"CONTEXTUALRULEFILE", "contextual.txt", "VB NN PREVTAG DT\n"},
        };
    }
    struct File {
        std::string key, name, content;
    };
    // Writes the files (a null content leaves the file out) and loads them.
    bool load(const std::string& extraConfig = "", Analyzer::Scope scope = Analyzer::Scope::Full) {
        std::string config = test::cat("DEL_TAIL_SYMBOL .\n", extraConfig);
        for (const File& f : files) {
            config += test::cat(f.key, " ", dir.file(f.name), "\n");
            if (f.content == "<missing>") {
                std::filesystem::remove(dir.file(f.name));
            } else {
                dir.write(f.name, f.content);
            }
        }
        analyzer = std::make_unique<Analyzer>();
        return analyzer->load(dir.write("zintra.ini", config), scope);
    }
    void set(const std::string& key, const std::string& content) {
        for (File& f : files)
            if (f.key == key) f.content = content;
    }
    std::string tag(const std::string& sentence) {
        Arena arena;
        return test::LanguageFixture::slashForm(tagSentence(analyzer->data(), sentence, arena));
    }

    test::TempDir dir;
    std::vector<File> files;
    std::unique_ptr<Analyzer> analyzer;
};

TEST_F(LoadingTest, ACompleteInstallationTagsSentences) {
    ASSERT_TRUE(load());
    EXPECT_TRUE(analyzer->data().parsing());
    EXPECT_EQ(tag("the run cooks ice cream."), "the/DT run/NN cooks/NNS (ice/NN cream/NN)/NN ./.");
    // The user dictionary overrides the main one.
    EXPECT_EQ(tag("the books"), "the/DT books/VBZ");
    EXPECT_EQ(analyzer->lexicon().size(), 4u);
}

TEST_F(LoadingTest, RequiredFilesMustOpen) {
    for (const char* key : {"DICTIONARY_FILE", "LEXICALRULEFILE", "BIGRAMS", "COMPOUND_FILE", "CONTEXTUALRULEFILE"}) {
        SetUp();
        set(key, "<missing>");
        EXPECT_FALSE(load()) << key;
    }
    SetUp();
    set("MYDICTIONARY_FILE", "<missing>");
    EXPECT_TRUE(load());
    EXPECT_EQ(tag("the books"), "the/DT books/NNS");
}

TEST_F(LoadingTest, EmptyFilesThatNeedData) {
    set("COMPOUND_FILE", "# nothing\n\n");
    EXPECT_FALSE(load());
    SetUp();
    set("CONTEXTUALRULEFILE", "   # only comments\n\n");
    EXPECT_FALSE(load());
    // The dictionary, rules and bigrams may be empty.
    SetUp();
    set("DICTIONARY_FILE", "");
    set("LEXICALRULEFILE", "");
    set("BIGRAMS", "");
    EXPECT_TRUE(load());
    EXPECT_EQ(tag("Cooks run"), "Cooks/NNP run/NN");
}

TEST_F(LoadingTest, ParseZeroStopsAfterTheDictionaries) {
    set("COMPOUND_FILE", "<missing>");
    EXPECT_FALSE(load("PARSE 0\n"));
    EXPECT_FALSE(analyzer->data().parsing());
    EXPECT_TRUE(analyzer->lexicon().known("books"));
    EXPECT_EQ(tag("the run"), "");
}

TEST_F(LoadingTest, GrammarFileOnlyForTheFullScope) {
    EXPECT_FALSE(load(test::cat("GRAMMAR_FILE ", dir.file("missing.grammar"), "\n")));
    EXPECT_TRUE(load(test::cat("GRAMMAR_FILE ", dir.file("missing.grammar"), "\n"), Analyzer::Scope::Tagging));
    EXPECT_TRUE(load(test::cat("GRAMMAR_FILE ", dir.write("g.txt", "S : NP\n"), "\n")));
}

TEST_F(LoadingTest, ConfiguredListsBecomeTablesInTheirOrder) {
    ASSERT_TRUE(
        load("SPECIAL_TAIL \"n't\" \"'s\"\nSPECIAL_TAIL \"'s\" \"'re\"\nIN_WDT_WORD \"that\" \"which\"\n"
             "TN_TWO_SYMBOL \"--\"\nTN_TWO1_SYMBOL \"--\" \"'(\"\n"));
    const Splitter& s = analyzer->splitter();
    ASSERT_NE(s.specialTail(), nullptr);
    std::vector<std::string> tails;
    s.specialTail()->forEach([&](const StringTable::Entry& e) { tails.emplace_back(e.key); });
    EXPECT_EQ(tails, (std::vector<std::string>{"'re", "'s", "n't"}));
    EXPECT_EQ(s.specialTail()->find("n't")->number, 3);
    EXPECT_EQ(s.twoSymbols()->find("--")->number, 2);  // the first entry is kept
    EXPECT_EQ(s.twoSymbols()->find("'(")->number, 1);
    Arena arena;
    StringPool pool(arena);
    PhraseWordLists phrase(analyzer->config(), arena, pool);
    EXPECT_EQ(phrase.inWdtWords().find("which")->number, 5);
    EXPECT_EQ(phrase.rbNpl().size(), 0u);
}

}  // namespace
}  // namespace zintra
