#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "engine/text/arena.h"
#include "engine/text/string_pool.h"
#include "engine/text/string_table.h"
#include "engine/text/token.h"

namespace zintra {
namespace {

TEST(ArenaTest, RecordsAndStringsShareABlockAndStayAligned) {
    Arena arena;
    char* s = arena.allocateString(3);
    auto* a = static_cast<int64_t*>(arena.allocate(12));
    auto* b = static_cast<int64_t*>(arena.allocate(4));
    EXPECT_EQ(reinterpret_cast<uintptr_t>(a) % 8, 0u);
    EXPECT_EQ(reinterpret_cast<uintptr_t>(b) % 8, 0u);
    EXPECT_EQ(reinterpret_cast<char*>(b) - reinterpret_cast<char*>(a), 16);  // 12 rounded up
    EXPECT_GT(s, reinterpret_cast<char*>(b));                                // strings come from the back
    EXPECT_EQ(arena.bytesHeld(), Arena::kDefaultBlockSize);
}

TEST(ArenaTest, OversizedRequestGetsABlockOfItsOwnAndClearKeepsOneBlock) {
    Arena arena;
    std::string big(50000, 'x');
    const char* copy = arena.copy(big);
    EXPECT_EQ(std::string(copy), big);
    EXPECT_GT(arena.bytesHeld(), 50000u);
    for (int i = 0; i < 1000; ++i) arena.make<Token>();
    arena.clear();
    EXPECT_EQ(arena.bytesHeld(), Arena::kDefaultBlockSize);
    Token* t = arena.make<Token>();
    EXPECT_EQ(t->word, kEmptyWord);
    EXPECT_EQ(t->next, nullptr);
    EXPECT_EQ(t->fixed, 0);
}

TEST(StringTableTest, HashRotatesAndXorsSignedBytes) {
    // h = rol(h,1) ^ byte: 'a' = 0x61 -> 0x61; then rol -> 0xC2 ^ 0x62 = 0xA0.
    EXPECT_EQ(StringTable::hash("ab"), 0xA0u);
    // A byte of 0x80 and above counts as negative: 0xFF is -1, all bits set.
    EXPECT_EQ(StringTable::hash("\xFF"), 0xFFFFFFFFu);
    EXPECT_EQ(StringTable::hash("a", "b"), StringTable::hash("ab"));
}

TEST(StringTableTest, OneBucketKeepsKeysInByteOrderAndFirstInsertWins) {
    Arena arena;
    StringTable table(arena, 1);
    for (const char* key : {"n't", "'s", "can", "cannot", "'re"}) table.insert(key)->number = 1;
    bool added = true;
    StringTable::Entry* again = table.insert("can", &added);
    EXPECT_FALSE(added);
    EXPECT_EQ(again->number, 1);
    std::vector<std::string> order;
    table.forEach([&](const StringTable::Entry& e) { order.emplace_back(e.key); });
    EXPECT_EQ(order, (std::vector<std::string>{"'re", "'s", "can", "cannot", "n't"}));
    EXPECT_EQ(table.size(), 5u);
}

TEST(StringTableTest, LookupIsExactAndCaseSensitiveAndTakesTwoParts) {
    Arena arena;
    StringTable table(arena, 7);
    for (int i = 0; i < 200; ++i) table.insert(std::string("w").append(std::to_string(i)));
    table.insert("apple");
    EXPECT_NE(table.find("apple"), nullptr);
    EXPECT_EQ(table.find("Apple"), nullptr);
    EXPECT_EQ(table.find("appl"), nullptr);
    EXPECT_EQ(table.find("apples"), nullptr);
    EXPECT_NE(table.find("ap", "ple"), nullptr);
    EXPECT_EQ(table.find("ap", "ples"), nullptr);
    for (int i = 0; i < 200; ++i) ASSERT_NE(table.find(std::string("w").append(std::to_string(i))), nullptr) << i;
}

TEST(StringTableTest, FileSizedTablesUseTheNextPrimeNotBelowThree) {
    EXPECT_EQ(StringTable::primeAtLeast(0), 3u);
    EXPECT_EQ(StringTable::primeAtLeast(3), 3u);
    EXPECT_EQ(StringTable::primeAtLeast(4), 5u);
    EXPECT_EQ(StringTable::primeAtLeast(90), 97u);
    EXPECT_EQ(StringTable::primeAtLeast(50000), 50021u);
}

TEST(StringPoolTest, EqualStringsAreTheSamePointer) {
    Arena arena;
    StringPool pool(arena);
    std::string a = "NN", b = "NN";
    EXPECT_EQ(pool.intern(a), pool.intern(b));
    EXPECT_NE(pool.intern("NNS"), pool.intern("NN"));
    EXPECT_EQ(pool.find("VB"), nullptr);
    EXPECT_EQ(pool.size(), 2u);
    // One-character strings and the empty string are shared by every pool.
    Arena other;
    StringPool second(other);
    EXPECT_EQ(pool.intern("."), second.intern("."));
    EXPECT_EQ(pool.intern(""), kEmptyWord);
    EXPECT_STREQ(StringPool::single('x'), "x");
}

}  // namespace
}  // namespace zintra
