#include <gtest/gtest.h>

#include "engine/config/config.h"
#include "test_support.h"

namespace zintra {
namespace {

Config parse(std::string_view text) {
    Config config;
    resetPerReading(config);
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        applyConfigLine(config, text.substr(start, end - start + (end < text.size() ? 1 : 0)));
        start = end + 1;
    }
    return config;
}

TEST(ConfigKeys, TableHoldsTheTwentyThreeKeysInOrder) {
    const auto& keys = configKeys();
    ASSERT_EQ(keys.size(), 23u);
    EXPECT_STREQ(keys.front().name, "TN_SYMBOL");
    EXPECT_STREQ(keys[10].name, "ENCODE");
    EXPECT_STREQ(keys.back().name, "PARSE");
    EXPECT_NE(findConfigKey("CACHE"), nullptr);
    EXPECT_EQ(findConfigKey("cache"), nullptr) << "keys are case-sensitive";
}

TEST(ConfigValues, EncodeWidthFollowsTheDigitEight) {
    EXPECT_EQ(parse("ENCODE Shift_JIS\n").encodeWidth, 2);
    EXPECT_EQ(parse("ENCODE Shift_JIS\n").encode, "Shift_JIS");
    EXPECT_EQ(parse("ENCODE UTF-8\n").encodeWidth, 3);
    EXPECT_EQ(parse("ENCODE EUC-JP\n").encodeWidth, 2);
    Config defaults = parse("");
    EXPECT_EQ(defaults.encode, "UTF-8");
    EXPECT_EQ(defaults.encodeWidth, 3);
}

TEST(ConfigValues, TextValuesLoseSurroundingBlanksAndLastOneWins) {
    Config c = parse("TEMPLATES_DIR   templates/lessons   \t \r\nDICTIONARY_FILE a.txt\nDICTIONARY_FILE b.txt\n");
    EXPECT_EQ(c.templatesDir, "templates/lessons");
    EXPECT_EQ(c.dictionaryFile, "b.txt");
}

TEST(ConfigValues, IntegersReadLikeAtoi) {
    EXPECT_EQ(parse("CACHE 0\n").cache, 0);
    EXPECT_EQ(parse("CACHE off\n").cache, 0);
    EXPECT_EQ(parse("PARSE 12abc\n").parse, 12);
    EXPECT_EQ(parse("SPERATE_FLAG -3\n").sperateFlag, -3);
    EXPECT_EQ(parse("SPERATE_FLAG\n").sperateFlag, 0) << "a key without a value stores 0";
    EXPECT_EQ(parse("").cache, 1);
    EXPECT_EQ(parse("").sperateFlag, 1);
}

TEST(ConfigValues, CommentsBlankLinesAndUnknownKeysChangeNothing) {
    Config c = parse("# CACHE 0\n   # PARSE 0\n\n   \nUNKNOWN_KEY 5\nCACHE_EXTRA 0\n");
    EXPECT_EQ(c.cache, 1);
    EXPECT_EQ(c.parse, 1);
    EXPECT_EQ(parse("  \tTN_SYMBOL ,;:\n").tnSymbol, ",;:") << "leading blanks before a key are skipped";
}

TEST(ConfigLists, NumbersAreByteLengthsOrTheTwoSymbolKinds) {
    Config c = parse("SPECIAL_TAIL \"'s\" \"n't\"\nTN_TWO_SYMBOL \"--\"\nTN_TWO1_SYMBOL \".,\"\n");
    ASSERT_EQ(c.specialTail.entries().size(), 2u);
    EXPECT_EQ(c.specialTail.entries()[0], (std::pair<std::string, int>{"'s", 2}));
    EXPECT_EQ(c.specialTail.entries()[1], (std::pair<std::string, int>{"n't", 3}));
    ASSERT_EQ(c.tnTwoSymbol.entries().size(), 2u);
    EXPECT_EQ(c.tnTwoSymbol.entries()[0].second, 2);
    EXPECT_EQ(c.tnTwoSymbol.entries()[1].second, 1);
}

TEST(ConfigLists, RepeatsKeepTheFirstEntryEmptyStringsCountAndListsAccumulate) {
    Config c = parse("DEL_TAIL_STRING \" ... \" \"\" \"   \" \"...\"\nDEL_TAIL_STRING \"?!\" junk outside\n");
    const auto& e = c.delTailString.entries();
    ASSERT_EQ(e.size(), 3u);
    EXPECT_EQ(e[0], (std::pair<std::string, int>{"...", 3}));
    EXPECT_EQ(e[1], (std::pair<std::string, int>{"", 0}));
    EXPECT_EQ(e[2], (std::pair<std::string, int>{"?!", 2}));
}

TEST(ConfigLists, AnUnclosedStringEndsTheScanAtTheLineEnd) {
    Config c = parse("SPECIAL_HEAD \"un\" \"re\nSPECIAL_TAIL \"ly\"\n");
    ASSERT_EQ(c.specialHead.entries().size(), 1u);
    EXPECT_EQ(c.specialHead.entries()[0].first, "un");
    ASSERT_EQ(c.specialTail.entries().size(), 1u) << "the next line is read as usual";
    EXPECT_TRUE(parse("RB_NPL no quotes at all\n").rbNpl.empty());
}

TEST(ConfigFile, ReadingResetsListsAndEncodingButKeepsEarlierScalars) {
    test::TempDir dir;
    Config c;
    ASSERT_TRUE(readConfig(dir.write("a.ini", "CACHE 0\nENCODE Shift_JIS\nSPECIAL_TAIL \"'s\"\n"), c));
    ASSERT_TRUE(readConfig(dir.write("b.ini", "PARSE 1\n"), c));
    EXPECT_EQ(c.cache, 0) << "a scalar not given again keeps its value";
    EXPECT_EQ(c.encode, "UTF-8");
    EXPECT_TRUE(c.specialTail.empty());
    EXPECT_FALSE(readConfig(dir.file("missing.ini"), c));
}

TEST(ConfigFile, AVeryLongLineIsReadInPiecesWithoutHarm) {
    test::TempDir dir;
    std::string longValue(30000, 'x');
    Config c;
    ASSERT_TRUE(readConfig(dir.write("long.ini", "TN_SYMBOL " + longValue + "\nCACHE 0\n"), c));
    EXPECT_EQ(c.tnSymbol.size(), 10239u - 10u) << "the first piece holds the key and the start of the value";
    EXPECT_EQ(c.cache, 0);
}

}  // namespace
}  // namespace zintra
