// The image of a grammar's built tables: tables read back equal those built
// from the text, and an image that is stale, damaged or foreign is passed
// over for the text and replaced.
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "engine/grammar/grammar.h"
#include "engine/grammar/grammar_reader.h"
#include "engine/grammar/table_image.h"
#include "engine/text/image_file.h"
#include "grammar_test_support.h"
#include "image_test_support.h"
#include "test_support.h"

namespace zintra {
namespace {

using test::Damage;

const std::string kBundledGrammar = std::string(ZINTRA_SOURCE_DIR) + "/data/engine/grammar.txt";

struct Loaded {
    std::unique_ptr<Grammar> grammar;
    std::string messages;
};

Loaded load(const std::string& path, const std::string& folder) {
    test::Messages m;
    Loaded out;
    out.grammar = readGrammarFile(path, {}, m.sink(), nullptr, folder);
    out.messages = m.all();
    return out;
}

// Every state's action list and goto for every symbol, the same in both.
void expectSameTables(const Grammar& a, const Grammar& b) {
    ASSERT_TRUE(a.built() && b.built());
    ASSERT_EQ(a.stateCount(), b.stateCount());
    ASSERT_EQ(a.actionEntryCount(), b.actionEntryCount());
    ASSERT_EQ(a.symbolCount(), b.symbolCount());
    long differing = 0;
    for (int s = 0; s < a.stateCount(); ++s)
        for (int sym = 0; sym < a.symbolCount(); ++sym) {
            auto x = a.actions(s, sym);
            auto y = b.actions(s, sym);
            bool same = x.size() == y.size() && a.gotoState(s, sym) == b.gotoState(s, sym);
            for (size_t i = 0; same && i < x.size(); ++i) same = x[i].code == y[i].code;
            differing += same ? 0 : 1;
        }
    EXPECT_EQ(differing, 0);
    // Past the last state and symbol there is nothing, in either.
    EXPECT_TRUE(b.actions(b.stateCount(), 0).empty());
    EXPECT_TRUE(b.actions(0, b.symbolCount()).empty());
}

class TableImages : public ::testing::Test {
  protected:
    void SetUp() override {
        grammarPath_ = dir_.write("grammar.txt", test::fileBytes(kBundledGrammar));
        folder_ = dir_.file("images");
    }
    std::string imagePath() const { return TableImage(folder_, grammarPath_, test::fileBytes(grammarPath_)).path(); }

    test::TempDir dir_;
    std::string grammarPath_, folder_;
};

TEST_F(TableImages, TablesReadBackEqualTheTablesBuiltFromTheText) {
    Loaded plain = load(grammarPath_, "");
    Loaded first = load(grammarPath_, folder_);
    Loaded second = load(grammarPath_, folder_);
    ASSERT_TRUE(plain.grammar && first.grammar && second.grammar);
    EXPECT_FALSE(plain.grammar->tablesFromImage());
    EXPECT_FALSE(first.grammar->tablesFromImage());
    EXPECT_TRUE(second.grammar->tablesFromImage());
    EXPECT_EQ(test::filesIn(folder_).size(), 1u);
    expectSameTables(*plain.grammar, *second.grammar);
    // The build's line is the same whichever way the tables came.
    EXPECT_EQ(second.messages, plain.messages);
    EXPECT_NE(plain.messages.find("state: "), std::string::npos);
}

TEST_F(TableImages, ABadImageIsPassedOverForTheTextAndReplaced) {
    Loaded reference = load(grammarPath_, "");
    for (Damage d : test::kAllDamage) {
        SCOPED_TRACE(test::damageName(d));
        ASSERT_TRUE(load(grammarPath_, folder_).grammar);
        test::damage(imagePath(), d);
        Loaded fallback = load(grammarPath_, folder_);
        ASSERT_TRUE(fallback.grammar);
        EXPECT_FALSE(fallback.grammar->tablesFromImage());
        expectSameTables(*reference.grammar, *fallback.grammar);
        Loaded again = load(grammarPath_, folder_);
        EXPECT_TRUE(again.grammar->tablesFromImage()) << "the bad image was not replaced";
    }
}

TEST_F(TableImages, ATextChangedByOneByteIsReadFromTheText) {
    ASSERT_TRUE(load(grammarPath_, folder_).grammar);
    std::string oldImage = test::fileBytes(imagePath());
    // One byte of the opening comment changed: the same grammar, but not
    // the same text, and under the same file name the old image is found.
    std::string text = test::fileBytes(grammarPath_);
    size_t draft = text.find("(draft)");
    ASSERT_NE(draft, std::string::npos);
    text[draft + 1] = 'D';
    test::writeBytes(grammarPath_, text);
    Loaded changed = load(grammarPath_, folder_);
    ASSERT_TRUE(changed.grammar);
    EXPECT_FALSE(changed.grammar->tablesFromImage());
    EXPECT_NE(test::fileBytes(imagePath()), oldImage);
    EXPECT_TRUE(load(grammarPath_, folder_).grammar->tablesFromImage());

    // A grammar whose tables differ: the image of the old text must not
    // give its tables to the new one.
    Loaded before = load(grammarPath_, folder_);
    test::writeBytes(grammarPath_, "%%\nS : A B ;\nA : a ;\nB : b | B b ;\n");
    Loaded small = load(grammarPath_, folder_);
    ASSERT_TRUE(small.grammar);
    EXPECT_FALSE(small.grammar->tablesFromImage());
    EXPECT_LT(small.grammar->stateCount(), before.grammar->stateCount());
    expectSameTables(*load(grammarPath_, "").grammar, *small.grammar);
}

TEST_F(TableImages, WritersAtOnceLeaveOneWholeImage) {
    std::vector<std::thread> writers;
    std::vector<Loaded> results(3);
    for (Loaded& r : results) writers.emplace_back([&] { r = load(grammarPath_, folder_); });
    for (std::thread& t : writers) t.join();
    for (const Loaded& r : results) ASSERT_TRUE(r.grammar);
    EXPECT_EQ(test::filesIn(folder_), std::vector<std::string>{std::filesystem::path(imagePath()).filename()});
    Loaded read = load(grammarPath_, folder_);
    EXPECT_TRUE(read.grammar->tablesFromImage());
    expectSameTables(*results[0].grammar, *read.grammar);
}

TEST_F(TableImages, AFolderThatCannotBeWrittenIsNoFailure) {
    // A file where the folder should be.
    std::string blocked = dir_.write("blocked", "x");
    Loaded loaded = load(grammarPath_, blocked);
    ASSERT_TRUE(loaded.grammar);
    EXPECT_FALSE(loaded.grammar->tablesFromImage());
    EXPECT_EQ(test::fileBytes(blocked), "x");
    // A grammar that does not read leaves no image.
    std::string bad = dir_.write("bad.txt", "%%\nA : a\nB : b ;\n");
    EXPECT_FALSE(load(bad, folder_).grammar);
    EXPECT_TRUE(test::filesIn(folder_).empty());
}

// The folder the environment names, restored afterwards.
class Environment {
  public:
    explicit Environment(std::vector<const char*> names) {
        for (const char* n : names) {
            const char* v = std::getenv(n);
            saved_.push_back({n, v ? std::string(v) : std::string(), v != nullptr});
            unsetenv(n);
        }
    }
    ~Environment() {
        for (const Saved& s : saved_)
            if (s.set)
                setenv(s.name, s.value.c_str(), 1);
            else
                unsetenv(s.name);
    }

  private:
    struct Saved {
        const char* name;
        std::string value;
        bool set;
    };
    std::vector<Saved> saved_;
};

TEST(ImageFolder, TheEnvironmentChoosesTheFolderOrNone) {
    Environment env({"ZINTRA_CACHE_DIR", "XDG_CACHE_HOME", "HOME"});
    EXPECT_EQ(imageFolder(), "");
    setenv("HOME", "/home/learner", 1);
    EXPECT_EQ(imageFolder(), "/home/learner/.cache/zintra");
    setenv("XDG_CACHE_HOME", "relative/cache", 1);  // not absolute: ignored
    EXPECT_EQ(imageFolder(), "/home/learner/.cache/zintra");
    setenv("XDG_CACHE_HOME", "/var/cache/learner", 1);
    EXPECT_EQ(imageFolder(), "/var/cache/learner/zintra");
    setenv("ZINTRA_CACHE_DIR", "/tmp/elsewhere", 1);
    EXPECT_EQ(imageFolder(), "/tmp/elsewhere");
    setenv("ZINTRA_CACHE_DIR", "", 1);  // set but empty: no images
    EXPECT_EQ(imageFolder(), "");
    EXPECT_FALSE(ImageFile("", "grammar", 1, "g.txt", "text").enabled());
}

TEST(ImageFile, TheKeyCoversKindVersionAndEveryByteOfTheSource) {
    test::TempDir dir;
    std::string folder = dir.file("images");
    ImageFile image(folder, "kind", 1, "source.txt", "abc");
    ASSERT_TRUE(image.write({"one", "two"}));
    auto readBack = [](const ImageFile& f) {
        ImageFile::Reader r = f.open();
        char body[6] = {};
        return r.ok() && r.take(body, 3) && r.take(body + 3, 3) && r.finish() && std::string(body, 6) == "onetwo";
    };
    EXPECT_TRUE(readBack(image));
    EXPECT_FALSE(readBack(ImageFile(folder, "kind", 1, "source.txt", "abd")));
    EXPECT_FALSE(readBack(ImageFile(folder, "kind", 2, "source.txt", "abc")));
    EXPECT_FALSE(readBack(ImageFile(folder, "kind", 1, "source.txt", "abc", 7)));
    // Reading more than the body holds, or less, is no whole image.
    ImageFile::Reader shortRead = image.open();
    char part[4];
    EXPECT_TRUE(shortRead.take(part, 4));
    EXPECT_FALSE(shortRead.finish());
    ImageFile::Reader longRead = image.open();
    char all[7];
    EXPECT_FALSE(longRead.take(all, 7));
    // Another source file has an image of its own.
    EXPECT_NE(ImageFile(folder, "kind", 1, "other.txt", "abc").path(), image.path());
}

TEST(ImageFile, TheHashSeesEveryByte) {
    std::string text(200, 'a');
    uint64_t base = hashBytes(text);
    for (size_t i : {size_t{0}, size_t{7}, size_t{63}, size_t{64}, size_t{150}, size_t{199}}) {
        std::string changed = text;
        changed[i] = 'b';
        EXPECT_NE(hashBytes(changed), base) << "byte " << i;
    }
    EXPECT_NE(hashBytes(text.substr(0, 199)), base);
    EXPECT_NE(hashBytes(text, 1), base);
    EXPECT_NE(hashBytes(""), hashBytes(std::string(1, '\0')));
}

}  // namespace
}  // namespace zintra
