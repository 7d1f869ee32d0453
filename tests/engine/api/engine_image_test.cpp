// Initialisation through the images of the bundled installation: the same
// trees and tags whether the tables come from the text or from the images,
// a bad image costs only time, and a missing text file still fails the
// initialisation with an image of it at hand.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "engine/api/engine.h"
#include "engine/grammar/grammar.h"
#include "image_test_support.h"
#include "test_support.h"

namespace zintra {
namespace {

namespace fs = std::filesystem;

const std::string kData = ZINTRA_SOURCE_DIR "/data/engine/";

const char* const kSentences[] = {"She does not like ice cream.",
                                  "Do you like tea?",
                                  "There is a cat under the table.",
                                  "This letter was written by Tom.",
                                  "I have lived in Tokyo for ten years.",
                                  "Open the window, please.",
                                  "The girl who is reading a book is my sister."};

// The bundled installation with its data files copied into dir.
std::string installation(const test::TempDir& dir) {
    std::istringstream in(test::fileBytes(kData + "zintra.ini"));
    std::string out, line;
    while (std::getline(in, line)) {
        for (const char* key : {"DICTIONARY_FILE ", "LEXICALRULEFILE ", "BIGRAMS ", "COMPOUND_FILE ",
                                "CONTEXTUALRULEFILE ", "GRAMMAR_FILE "})
            if (line.rfind(key, 0) == 0) {
                std::string name = line.substr(std::string(key).size());
                line = key + dir.write(name, test::fileBytes(kData + name));
            }
        if (line.rfind("TEMPLATES_DIR ", 0) == 0) line = "TEMPLATES_DIR " + kData + "templates";
        if (line.rfind("RDQL_", 0) == 0) continue;
        out += line + "\n";
    }
    return dir.write("zintra.ini", out);
}

// Points the engine's image folder elsewhere for one test.
class ImageFolderSetting {
  public:
    explicit ImageFolderSetting(const std::string& folder) {
        if (const char* v = std::getenv("ZINTRA_CACHE_DIR")) saved_ = v, had_ = true;
        setenv("ZINTRA_CACHE_DIR", folder.c_str(), 1);
    }
    ~ImageFolderSetting() {
        if (had_)
            setenv("ZINTRA_CACHE_DIR", saved_.c_str(), 1);
        else
            unsetenv("ZINTRA_CACHE_DIR");
    }

  private:
    std::string saved_;
    bool had_ = false;
};

struct Outcome {
    int result = 0;
    bool grammarFromImage = false;
    bool lexiconFromImage = false;
    std::vector<std::string> trees;
};

Outcome initialiseAndParse(const std::string& config) {
    Engine engine;
    Outcome o;
    o.result = engine.initialise(config.c_str());
    if (!o.result) return o;
    auto state = engine.state();
    o.grammarFromImage = state->phrase && state->phrase->grammar().tablesFromImage();
    o.lexiconFromImage = state->analyzer->lexicon().loadedFromImage();
    std::vector<char> out(100000);
    for (const char* s : kSentences) {
        for (int mode : {0, 1, 2}) {
            engine.parse(s, mode, out.data(), out.size());
            o.trees.emplace_back(out.data());
        }
    }
    return o;
}

class EngineImages : public ::testing::Test {
  protected:
    EngineImages() : config_(installation(dir_)), folder_(dir_.file("images")), setting_(folder_) {}

    test::TempDir dir_;
    std::string config_, folder_;
    ImageFolderSetting setting_;
};

TEST_F(EngineImages, TheImagesGiveTheTreesOfTheText) {
    Outcome first = initialiseAndParse(config_);
    ASSERT_EQ(first.result, 1);
    EXPECT_FALSE(first.grammarFromImage || first.lexiconFromImage);
    EXPECT_EQ(test::filesIn(folder_).size(), 2u);
    Outcome later = initialiseAndParse(config_);
    ASSERT_EQ(later.result, 1);
    EXPECT_TRUE(later.grammarFromImage && later.lexiconFromImage);
    EXPECT_EQ(later.trees, first.trees);
    EXPECT_NE(later.trees[0].find("(VB like)"), std::string::npos) << later.trees[0];

    // Damaged images: the text again, the same trees, fresh images.
    for (const std::string& name : test::filesIn(folder_)) test::damage(folder_ + "/" + name, test::Damage::BodyByte);
    Outcome fallback = initialiseAndParse(config_);
    EXPECT_FALSE(fallback.grammarFromImage || fallback.lexiconFromImage);
    EXPECT_EQ(fallback.trees, first.trees);
    EXPECT_TRUE(initialiseAndParse(config_).grammarFromImage);
}

TEST_F(EngineImages, AMissingTextFileFailsWithItsImageAtHand) {
    ASSERT_EQ(initialiseAndParse(config_).result, 1);
    for (const char* name : {"grammar.txt", "lexicon.txt"}) {
        SCOPED_TRACE(name);
        std::string path = dir_.file(name);
        std::string bytes = test::fileBytes(path);
        fs::remove(path);
        EXPECT_EQ(initialiseAndParse(config_).result, 0);
        test::writeBytes(path, bytes);
        EXPECT_EQ(initialiseAndParse(config_).result, 1);
    }
}

TEST_F(EngineImages, NoImagesWhenTheFolderIsSetEmpty) {
    ImageFolderSetting none("");
    Outcome o = initialiseAndParse(config_);
    ASSERT_EQ(o.result, 1);
    EXPECT_FALSE(o.grammarFromImage || o.lexiconFromImage);
    EXPECT_TRUE(test::filesIn(folder_).empty());
}

}  // namespace
}  // namespace zintra
