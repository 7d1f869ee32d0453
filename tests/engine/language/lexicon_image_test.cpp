// The image of the main dictionary: a lexicon read back answers every
// lookup as one read from the text (tags interned in the same pool, so the
// pointer comparisons of the tagger hold), takes the user dictionary the
// same way, and a stale or damaged image is passed over for the text.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "engine/config/config.h"
#include "engine/language/language_data.h"
#include "engine/text/arena.h"
#include "engine/text/data_file.h"
#include "engine/text/image_file.h"
#include "engine/text/lexicon.h"
#include "engine/text/string_pool.h"
#include "image_test_support.h"
#include "test_support.h"

namespace zintra {
namespace {

using test::Damage;

// A dictionary with the cases the loader treats apart: comments, blanks
// around fields, a word listed twice (the later line wins), a word without
// tags, tag lists shared by many words, long words, a CR before the LF.
std::string dictionaryText() {
    std::string text = "// comment line\n  the DT\nrun VB NN VBP\nrun NN VB\nalone\n\tx  SYM  \nlong\r\n";
    for (int i = 0; i < 3000; ++i) {
        text.append("w").append(std::to_string(i)).append(i % 3 ? " NN\n" : " NNS VBZ\n");
        if (i % 500 == 0) text.append(std::string(40 + i / 100, 'k')).append(std::to_string(i)).append(" JJ RB\n");
    }
    return text;
}

struct Loaded {
    Arena arena;
    StringPool pool{arena};
    Lexicon lexicon{arena, pool};
    bool ok = false;
};

std::unique_ptr<Loaded> loadLexicon(const std::string& path, const std::string& folder) {
    auto l = std::make_unique<Loaded>();
    l->pool.intern(".");  // the data set interns before the dictionary, too
    l->ok = l->lexicon.loadMain(path, folder);
    return l;
}

// The words of a dictionary text, as the loader cuts them.
std::vector<std::string> wordsOf(const std::string& text) {
    std::vector<std::string> words;
    std::vector<std::string_view> fields;
    forEachLine(text, [&](std::string_view line) {
        splitFields(line, fields);
        if (!fields.empty() && line.substr(0, 2) != "//") words.emplace_back(fields[0]);
    });
    return words;
}

// Every word answers alike in both; b's tags are its own pool's.
void expectSameLexicon(const Loaded& a, const Loaded& b, const std::vector<std::string>& words) {
    ASSERT_EQ(a.lexicon.size(), b.lexicon.size());
    int differing = 0;
    for (const std::string& w : words) {
        const LexiconEntry* x = a.lexicon.lookup(w);
        const LexiconEntry* y = b.lexicon.lookup(w);
        ASSERT_TRUE(x && y) << w;
        bool same = x->count == y->count && x->wordView() == y->wordView();
        for (int i = 0; same && i < x->count; ++i)
            same = std::string_view(x->tags[i]) == y->tags[i] && y->hasTag(b.pool.find(y->tags[i]));
        differing += same ? 0 : 1;
    }
    EXPECT_EQ(differing, 0);
    EXPECT_EQ(b.lexicon.lookup("qzxv-none"), nullptr);
    EXPECT_EQ(b.lexicon.lookup("ru", "n"), b.lexicon.lookup("run"));
}

class LexiconImages : public ::testing::Test {
  protected:
    void SetUp() override {
        text_ = dictionaryText();
        path_ = dir_.write("lexicon.txt", text_);
        folder_ = dir_.file("images");
        words_ = wordsOf(text_);
    }
    std::string imagePath() const { return ImageFile(folder_, "lexicon", 1, path_, test::fileBytes(path_)).path(); }

    test::TempDir dir_;
    std::string text_, path_, folder_;
    std::vector<std::string> words_;
};

TEST_F(LexiconImages, ALexiconReadBackAnswersAsTheText) {
    auto plain = loadLexicon(path_, "");
    auto first = loadLexicon(path_, folder_);
    auto second = loadLexicon(path_, folder_);
    ASSERT_TRUE(plain->ok && first->ok && second->ok);
    EXPECT_FALSE(first->lexicon.loadedFromImage());
    ASSERT_TRUE(second->lexicon.loadedFromImage());
    expectSameLexicon(*plain, *second, words_);
    // The later line of a word wins, a word without tags has none.
    const LexiconEntry* run = second->lexicon.lookup("run");
    ASSERT_EQ(run->count, 2);
    EXPECT_STREQ(run->defaultTag(), "NN");
    EXPECT_EQ(second->lexicon.lookup("alone")->count, 0);
    EXPECT_EQ(second->lexicon.lookup("alone")->defaultTag(), nullptr);
    EXPECT_STREQ(second->lexicon.lookup("x")->defaultTag(), "SYM");

    // The user dictionary then replaces and adds entries alike.
    std::string user = dir_.write("user.txt", "run VBD\nnewword NNP\nw7 JJ NN\n");
    ASSERT_TRUE(plain->lexicon.loadUser(user));
    ASSERT_TRUE(second->lexicon.loadUser(user));
    std::vector<std::string> all = words_;
    all.insert(all.end(), {"newword"});
    expectSameLexicon(*plain, *second, all);
    EXPECT_STREQ(second->lexicon.lookup("run")->defaultTag(), "VBD");
}

TEST_F(LexiconImages, ABadOrStaleImageIsPassedOverForTheText) {
    auto reference = loadLexicon(path_, "");
    for (Damage d : test::kAllDamage) {
        SCOPED_TRACE(test::damageName(d));
        ASSERT_TRUE(loadLexicon(path_, folder_)->ok);
        test::damage(imagePath(), d);
        auto fallback = loadLexicon(path_, folder_);
        ASSERT_TRUE(fallback->ok);
        EXPECT_FALSE(fallback->lexicon.loadedFromImage());
        expectSameLexicon(*reference, *fallback, words_);
        EXPECT_TRUE(loadLexicon(path_, folder_)->lexicon.loadedFromImage()) << "the bad image was not replaced";
    }
    // One byte of the text changed: a tag of one word.
    ASSERT_TRUE(loadLexicon(path_, folder_)->lexicon.loadedFromImage());
    std::string changed = text_;
    size_t at = changed.find("w1 NN");
    ASSERT_NE(at, std::string::npos);
    changed[at + 4] = 'P';  // "w1 NP"
    test::writeBytes(path_, changed);
    auto stale = loadLexicon(path_, folder_);
    EXPECT_FALSE(stale->lexicon.loadedFromImage());
    EXPECT_STREQ(stale->lexicon.lookup("w1")->defaultTag(), "NP");
    auto fresh = loadLexicon(path_, folder_);
    EXPECT_TRUE(fresh->lexicon.loadedFromImage());
    EXPECT_STREQ(fresh->lexicon.lookup("w1")->defaultTag(), "NP");
}

TEST_F(LexiconImages, OnlyAnEmptyLexiconTakesTheImageAndAMissingFileStillFails) {
    ASSERT_TRUE(loadLexicon(path_, folder_)->ok);
    Loaded l;
    l.lexicon.addLines("before JJ\n");
    ASSERT_TRUE(l.lexicon.loadMain(path_, folder_));
    EXPECT_FALSE(l.lexicon.loadedFromImage());
    EXPECT_NE(l.lexicon.lookup("before"), nullptr);
    EXPECT_NE(l.lexicon.lookup("w5"), nullptr);
    // No text, no lexicon: an image of the name is no stand-in.
    std::remove(path_.c_str());
    EXPECT_FALSE(loadLexicon(path_, folder_)->ok);
}

TEST_F(LexiconImages, LoadersAtOnceLeaveOneWholeImage) {
    std::vector<std::unique_ptr<Loaded>> results(3);
    std::vector<std::thread> loaders;
    for (auto& r : results) loaders.emplace_back([&] { r = loadLexicon(path_, folder_); });
    for (std::thread& t : loaders) t.join();
    EXPECT_EQ(test::filesIn(folder_).size(), 1u);
    auto read = loadLexicon(path_, folder_);
    EXPECT_TRUE(read->lexicon.loadedFromImage());
    expectSameLexicon(*results[0], *read, words_);
}

// The shipped dictionary through a whole data set: the same lexicon either way.
TEST(LexiconImagesOfTheShippedData, TheBundledDictionaryReadsBackTheSame) {
    test::TempDir dir;
    std::string path = std::string(ZINTRA_SOURCE_DIR) + "/data/engine/lexicon.txt";
    std::string text = test::fileBytes(path);
    auto plain = loadLexicon(path, "");
    ASSERT_TRUE(loadLexicon(path, dir.file("images"))->ok);
    auto read = loadLexicon(path, dir.file("images"));
    ASSERT_TRUE(read->lexicon.loadedFromImage());
    expectSameLexicon(*plain, *read, wordsOf(text));
}

}  // namespace
}  // namespace zintra
