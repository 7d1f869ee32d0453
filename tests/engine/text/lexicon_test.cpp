#include <gtest/gtest.h>

#include <map>
#include <random>
#include <string>
#include <vector>

#include "../language/language_fixture.h"
#include "engine/text/arena.h"
#include "engine/text/bigrams.h"
#include "engine/text/compounds.h"
#include "engine/text/data_file.h"
#include "engine/text/lexicon.h"
#include "engine/text/string_pool.h"
#include "test_support.h"

namespace zintra {
namespace {

class LexiconTest : public ::testing::Test {
  protected:
    Arena arena;
    StringPool pool{arena};
    Lexicon lexicon{arena, pool};
};

TEST_F(LexiconTest, LaterLinesAndTheUserDictionaryReplaceWholeEntries) {
    test::TempDir dir;
    std::string main =
        dir.write("main.txt", "// comment line\nrun VB NN\nrun NN VBN\n\n   walk VB NN\nApple NNP\nalone\n");
    std::string user = dir.write("user.txt", "walk NNP\n");
    ASSERT_TRUE(lexicon.loadMain(main));
    ASSERT_TRUE(lexicon.loadUser(user));
    EXPECT_FALSE(lexicon.loadUser(dir.file("missing.txt")));

    const LexiconEntry* run = lexicon.lookup("run");
    ASSERT_NE(run, nullptr);
    ASSERT_EQ(run->count, 2);
    EXPECT_STREQ(run->defaultTag(), "NN");
    EXPECT_TRUE(lexicon.hasTag("run", "VBN"));
    EXPECT_FALSE(lexicon.hasTag("run", "VB"));

    const LexiconEntry* walk = lexicon.lookup("walk");
    ASSERT_NE(walk, nullptr);
    EXPECT_EQ(walk->count, 1);
    EXPECT_STREQ(walk->defaultTag(), "NNP");

    // A word without tags is listed with none; lookups are case-sensitive.
    ASSERT_NE(lexicon.lookup("alone"), nullptr);
    EXPECT_EQ(lexicon.lookup("alone")->defaultTag(), nullptr);
    EXPECT_TRUE(lexicon.known("Apple"));
    EXPECT_FALSE(lexicon.known("apple"));
    EXPECT_FALSE(lexicon.known("//"));
    // Tags are interned: the same tag of two words is one pointer.
    EXPECT_EQ(run->tags[0], pool.intern("NN"));
    EXPECT_EQ(walk->tags[0], lexicon.lookup("Apple")->tags[0]);
}

TEST_F(LexiconTest, UnreadableMainDictionaryFails) {
    test::TempDir dir;
    EXPECT_FALSE(lexicon.loadMain(dir.file("missing.txt")));
    EXPECT_FALSE(lexicon.loadMain(""));
    EXPECT_FALSE(lexicon.loadMain(dir.path().string()));  // a folder
}

TEST_F(LexiconTest, VeryLongLinesAreReadWhole) {
    std::string longWord(20000, 'a');
    lexicon.addLines(test::cat(longWord, " NN\nshort JJ\n"));
    EXPECT_TRUE(lexicon.known(longWord));
    EXPECT_TRUE(lexicon.known("short"));
    EXPECT_EQ(lexicon.size(), 2u);
}

TEST_F(LexiconTest, LineEndsZeroBytesAndBlanksCutWordsAndTags) {
    const char text[] = "cat\tNN  NNS\r\ndog NN\0VB\nbird\r\n  \t\n// x NN\nfish";
    lexicon.addLines(std::string(text, sizeof text - 1));
    ASSERT_NE(lexicon.lookup("cat"), nullptr);
    EXPECT_EQ(lexicon.lookup("cat")->count, 2);
    EXPECT_STREQ(lexicon.lookup("cat")->tags[1], "NNS");
    EXPECT_STREQ(lexicon.lookup("cat")->word(), "cat");
    // A zero byte ends its line: dog has NN only.
    EXPECT_EQ(lexicon.lookup("dog")->count, 1);
    EXPECT_EQ(lexicon.lookup("bird")->count, 0);
    EXPECT_STREQ(lexicon.lookup("bird")->word(), "bird");
    EXPECT_EQ(lexicon.lookup("fish")->count, 0);  // last line without a line end
    EXPECT_FALSE(lexicon.known("VB"));
    EXPECT_FALSE(lexicon.known("x"));
    EXPECT_EQ(lexicon.size(), 4u);
}

TEST_F(LexiconTest, TwoPartLookupsFindTheJoinedWordOnly) {
    lexicon.addLines("unhappy JJ\nhappy JJ\nun FW\n");
    EXPECT_EQ(lexicon.lookup("un", "happy"), lexicon.lookup("unhappy"));
    EXPECT_EQ(lexicon.lookup("", "happy"), lexicon.lookup("happy"));
    EXPECT_EQ(lexicon.lookup("un", ""), lexicon.lookup("un"));
    EXPECT_EQ(lexicon.lookup("unh", "appyx"), nullptr);
    EXPECT_EQ(lexicon.lookup("unhapp"), nullptr);
    // Words listing the same tags share one list.
    EXPECT_EQ(lexicon.lookup("unhappy")->tags, lexicon.lookup("happy")->tags);
}

// Many words over several batches and index growths, repeated words inside
// one batch and across the two dictionaries, against a plain map.
TEST_F(LexiconTest, AgreesWithAPlainMapOverManyWords) {
    std::mt19937 random(7);
    const char* tags[] = {"NN", "VB", "JJ", "RB", "NNS"};
    std::map<std::string, std::vector<std::string>> model;
    auto lines = [&](int n, int vocabulary) {
        std::string text;
        for (int i = 0; i < n; ++i) {
            std::string word = "w" + std::to_string(random() % vocabulary);
            if (random() % 3 == 0) word[0] = 'W';
            std::vector<std::string> listed;
            for (unsigned t = random() % 3; t > 0; --t) listed.push_back(tags[random() % 5]);
            text += word;
            for (auto& t : listed) text += " " + t;
            text += "\n";
            model[word] = listed;
        }
        return text;
    };
    test::TempDir dir;
    ASSERT_TRUE(lexicon.loadMain(dir.write("main.txt", lines(3000, 2500))));
    ASSERT_TRUE(lexicon.loadUser(dir.write("user.txt", lines(5000, 9000))));  // grows the index
    lexicon.addLines(lines(40, 6));                                           // repeats inside one batch
    EXPECT_EQ(lexicon.size(), model.size());
    for (auto& [word, listed] : model) {
        const LexiconEntry* e = lexicon.lookup(word);
        ASSERT_NE(e, nullptr) << word;
        EXPECT_EQ(e->wordView(), word);
        ASSERT_EQ(e->count, static_cast<int>(listed.size())) << word;
        for (size_t i = 0; i < listed.size(); ++i) EXPECT_EQ(e->tags[i], pool.intern(listed[i])) << word;
    }
    for (int i = 0; i < 2000; ++i) {
        std::string absent = "x" + std::to_string(i);
        EXPECT_FALSE(lexicon.known(absent));
        EXPECT_FALSE(lexicon.known("w" + std::to_string(9000 + i)));
    }
}

// A text with a zero byte somewhere is read by the careful reader, one
// without by the one-pass reader: on the lines before the zero byte both
// must find the same words with the same tags.
TEST_F(LexiconTest, BothReadersAgreeOnRandomDictionaryText) {
    std::mt19937 random(11);
    static const char* const kPieces[] = {"w",  "Wq", "abcdefgh", "ab", " ",  "\t", "\r",           "//",
                                          "NN", "VB", "\n",       "\n", "\n", "  ", "x1234567890y", "JJ NN"};
    for (int round = 0; round < 30; ++round) {
        std::string text;
        for (int i = 0; i < 400; ++i) text += kPieces[random() % std::size(kPieces)];
        Arena arena2;
        StringPool pool2(arena2);
        Lexicon plain(arena2, pool2), careful(arena2, pool2);
        plain.addLines(text);
        careful.addLines(text + "\n" + std::string(1, '\0') + "zzz NN\n");
        ASSERT_EQ(plain.size(), careful.size()) << text;
        std::vector<std::string> words;
        forEachLine(text, [&](std::string_view line) {
            std::vector<std::string_view> fields;
            splitFields(line, fields);
            if (!fields.empty()) words.emplace_back(fields[0]);
        });
        for (const std::string& w : words) {
            const LexiconEntry* a = plain.lookup(w);
            const LexiconEntry* b = careful.lookup(w);
            if (w.rfind("//", 0) == 0) {
                EXPECT_EQ(a, nullptr) << w;
                EXPECT_EQ(b, nullptr) << w;
                continue;
            }
            ASSERT_NE(a, nullptr) << w << "\n" << text;
            ASSERT_NE(b, nullptr) << w;
            EXPECT_EQ(a->wordView(), w);
            ASSERT_EQ(a->count, b->count) << w;
            for (int k = 0; k < a->count; ++k) EXPECT_EQ(a->tags[k], b->tags[k]) << w;
        }
        // The line that starts with the zero byte ends there.
        EXPECT_FALSE(careful.known("zzz"));
    }
}

// Words of every length up to past the stack buffer of joined lookups,
// split at every place: the joined form hashes like the whole word.
TEST_F(LexiconTest, TwoPartLookupsFindWordsOfEveryLengthAtEverySplit) {
    std::string text;
    std::vector<std::string> words;
    for (size_t n = 1; n <= 40; ++n) {
        std::string w;
        for (size_t i = 0; i < n; ++i) w += static_cast<char>('a' + (i * 7 + n) % 26);
        words.push_back(w);
    }
    words.push_back(std::string(300, 'q'));
    for (const std::string& w : words) text += w + " NN\n";
    lexicon.addLines(text);
    for (const std::string& w : words) {
        const LexiconEntry* whole = lexicon.lookup(w);
        ASSERT_NE(whole, nullptr) << w;
        for (size_t cut = 0; cut <= w.size(); ++cut) {
            std::string_view view(w);
            EXPECT_EQ(lexicon.lookup(view.substr(0, cut), view.substr(cut)), whole) << w << " at " << cut;
        }
        // One byte changed anywhere is another word.
        for (size_t i = 0; i < w.size(); ++i) {
            std::string other = w;
            other[i] = '#';
            EXPECT_FALSE(lexicon.known(other)) << other;
        }
    }
}

// Many small texts fill several record blocks; an entry found early is
// the same record, with the same text, after every later text.
TEST_F(LexiconTest, RecordsStayInPlaceWhileLaterTextsAreAdded) {
    lexicon.addLines("first NN\n");
    const LexiconEntry* first = lexicon.lookup("first");
    ASSERT_NE(first, nullptr);
    for (int t = 0; t < 300; ++t) {
        std::string text;
        for (int i = 0; i < 40; ++i) text += "word" + std::to_string(t) + "x" + std::to_string(i) + " NN VB\n";
        lexicon.addLines(text);
    }
    lexicon.addLines("first JJ\n");
    EXPECT_EQ(lexicon.lookup("first"), first);
    EXPECT_STREQ(first->word(), "first");
    EXPECT_STREQ(first->defaultTag(), "JJ");
    EXPECT_EQ(lexicon.size(), 1u + 300u * 40u);
    EXPECT_TRUE(lexicon.known("word0x0"));
    EXPECT_TRUE(lexicon.known("word299x39"));
    EXPECT_GT(lexicon.bytesHeld(), 64u * 1024u);
}

TEST(BigramsTest, OnlyLinesOfRegisteredWordsAreKeptAndTheFirstWins) {
    Arena arena;
    StringPool pool(arena);
    Bigrams bigrams(arena, pool);
    bigrams.registerFirstWord("the");
    bigrams.addLines("# comment\nthe boy\nthe girl\nthe\na dog\n");
    EXPECT_TRUE(bigrams.match("the", "boy"));
    EXPECT_FALSE(bigrams.match("the", "girl"));
    EXPECT_FALSE(bigrams.match("a", "dog"));
    EXPECT_EQ(bigrams.size(), 1u);
    bigrams.registerSecondWord("cat");
    bigrams.addLines("my cat\n");
    EXPECT_TRUE(bigrams.match("my", "cat"));
}

// The compound list and its merging, through whole sentences.
class CompoundTest : public ::testing::Test {
  protected:
    static test::LanguageText text(std::string compounds) {
        test::LanguageText t;
        t.config = "DEL_TAIL_SYMBOL .\nTN_SYMBOL ,\n";
        t.lexicon = "a DT\nlot NN\nof IN\npeople NNS\nmoney NN\nice NN\ncream NN\nIce NNP\n. .\n";
        t.compounds = std::move(compounds);
        return t;
    }
};

TEST_F(CompoundTest, LongestCompoundWinsInEitherFileOrder) {
    for (const char* file : {"a lot/RB\na lot of people/NN\n", "a lot of people/NN\na lot/RB\n"}) {
        test::LanguageFixture f(text(file));
        EXPECT_EQ(f.tag("a lot of people"), "(a/DT lot/NN of/IN people/NNS)/NN") << file;
        EXPECT_EQ(f.tag("a lot of money."), "(a/DT lot/NN)/RB of/IN money/NN ./.") << file;
    }
}

TEST_F(CompoundTest, MergedTokensAreLinkedInPlaceOfTheirMembers) {
    test::LanguageFixture f(text("a lot/RB\na lot of people/NN\n"));
    Token* first = tagSentence(f.data, "money a lot of money", f.arena);
    ASSERT_NE(first, nullptr);
    Token* compound = first->next;
    ASSERT_NE(compound, nullptr);
    EXPECT_STREQ(compound->word, "");
    EXPECT_STREQ(compound->tag, "RB");
    EXPECT_EQ(compound->fixed, 0);
    EXPECT_EQ(compound->prev, first);
    Token* a = compound->children;
    ASSERT_NE(a, nullptr);
    EXPECT_STREQ(a->word, "a");
    EXPECT_EQ(a->prev, compound);
    ASSERT_NE(a->next, nullptr);
    EXPECT_EQ(a->next->prev, a);
    EXPECT_EQ(a->next->next, nullptr);
    Token* of = compound->next;
    ASSERT_NE(of, nullptr);
    EXPECT_STREQ(of->word, "of");
    EXPECT_EQ(of->prev, compound);
}

TEST_F(CompoundTest, CapitalisedFirstWordsAndSentenceEndsMerge) {
    test::LanguageFixture f(text("ice cream/NN\ncream/XX\n"));
    EXPECT_EQ(f.tag("Ice cream"), "(Ice/NNP cream/NN)/NN");
    EXPECT_EQ(f.tag("I like ice cream"), "I/NNP like/NN (ice/NN cream/NN)/NN");
    // The lowered retry applies to every member, and a single-word line never merges.
    EXPECT_EQ(f.tag("ice Cream cream"), "(ice/NN Cream/NNP)/NN cream/NN");
}

TEST_F(CompoundTest, UntaggedPrefixesDoNotMergeButLaterLinesRetag) {
    test::LanguageFixture f(text("a lot of people/NN\nno slash here\na lot of people/JJ\n/NN\n"));
    EXPECT_EQ(f.tag("a lot of money"), "a/DT lot/NN of/IN money/NN");
    EXPECT_EQ(f.tag("a lot of people"), "(a/DT lot/NN of/IN people/NNS)/JJ");
}

TEST(CompoundFileTest, NeedsADataLine) {
    test::TempDir dir;
    Arena arena;
    StringPool pool(arena);
    CompoundList list(arena, pool);
    EXPECT_FALSE(list.load(dir.write("empty.txt", "# only a comment\n\n")));
    EXPECT_FALSE(list.load(dir.file("missing.txt")));
    CompoundList other(arena, pool);
    EXPECT_TRUE(other.load(dir.write("noslash.txt", "no slash at all\n")));
    EXPECT_EQ(other.root("no"), nullptr);
}

}  // namespace
}  // namespace zintra
