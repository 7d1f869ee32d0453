// The shipped language data on the sentences of a beginners' course: the
// phrase trees of the course depend on these tags.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "engine/config/config.h"
#include "engine/language/language_data.h"
#include "engine/language/tagger.h"
#include "engine/text/arena.h"
#include "engine/text/token.h"

namespace zintra {
namespace {

const std::string kInstallation = std::string(ZINTRA_SOURCE_DIR) + "/data/engine/";

struct Tagged {
    std::string word, tag;
    bool operator==(const Tagged&) const = default;
};

struct CourseSentence {
    std::string text;
    std::vector<Tagged> tokens;
};

bool attaches(const std::string& word) {
    for (const char* w : {".", ",", "?", "!", "n't", "'s", "'re", "'m", "'ll", "'ve", "'d"})
        if (word == w) return true;
    return false;
}

std::vector<CourseSentence> readSentences() {
    std::ifstream in(std::string(ZINTRA_SOURCE_DIR) + "/tests/engine/language/course_sentences.txt");
    std::vector<CourseSentence> sentences;
    for (std::string line; std::getline(in, line);) {
        if (line.empty() || line[0] == '#') continue;
        CourseSentence s;
        std::istringstream fields(line);
        for (std::string piece; fields >> piece;) {
            size_t slash = piece.rfind('/');
            Tagged t{piece.substr(0, slash), piece.substr(slash + 1)};
            if (!s.text.empty() && !attaches(t.word)) s.text += ' ';
            s.text += t.word;
            s.tokens.push_back(t);
        }
        sentences.push_back(std::move(s));
    }
    return sentences;
}

const LanguageData& shippedData() {
    static LanguageData* data = [] {
        Config config;
        if (!readConfig(kInstallation + "zintra.ini", config)) return static_cast<LanguageData*>(nullptr);
        for (std::string* file : {&config.dictionaryFile, &config.lexicalRuleFile, &config.bigrams,
                                  &config.compoundFile, &config.contextualRuleFile})
            *file = kInstallation + *file;
        config.myDictionaryFile.clear();
        auto* d = new LanguageData;
        return d->load(config) ? d : nullptr;
    }();
    return *data;
}

// The tokens as the engine tags them, compound members by their own tags.
std::vector<Tagged> tag(const std::string& text) {
    Arena arena;
    std::vector<Tagged> out;
    for (Token* t = tagSentence(shippedData(), text, arena); t; t = t->next) {
        if (t->children)
            for (Token* m = t->children; m; m = m->next) out.push_back({m->word, m->tag});
        else
            out.push_back({t->word, t->tag});
    }
    return out;
}

std::string show(const std::vector<Tagged>& tokens) {
    std::string s;
    for (const Tagged& t : tokens) s += (s.empty() ? "" : " ") + t.word + "/" + t.tag;
    return s;
}

TEST(CourseSentences, LikeAfterDoIsAVerb) {
    EXPECT_EQ(show(tag("She does not like ice cream.")), "She/PRP does/VBZ not/RB like/VB ice/NN cream/NN ./.");
    EXPECT_EQ(show(tag("Do you like tea?")), "Do/VBP you/PRP like/VB tea/NN ?/.");
    EXPECT_EQ(show(tag("She looks like her mother.")), "She/PRP looks/VBZ like/IN her/PRP$ mother/NN ./.");
}

TEST(CourseSentences, AtLeast98PercentOfTheTokensAreTaggedRight) {
    std::vector<CourseSentence> sentences = readSentences();
    ASSERT_GE(sentences.size(), 200u);
    size_t right = 0, total = 0;
    std::string wrong;
    for (const CourseSentence& s : sentences) {
        std::vector<Tagged> got = tag(s.text);
        total += s.tokens.size();
        // Cut the same way, token by token; a sentence cut differently counts wholly wrong.
        bool sameCut = got.size() == s.tokens.size();
        for (size_t i = 0; sameCut && i < got.size(); ++i) sameCut = got[i].word == s.tokens[i].word;
        size_t here = 0;
        if (sameCut)
            for (size_t i = 0; i < got.size(); ++i) here += got[i].tag == s.tokens[i].tag;
        right += here;
        if (here != s.tokens.size()) wrong += "  " + show(got) + "\n    expected " + show(s.tokens) + "\n";
    }
    double share = static_cast<double>(right) / static_cast<double>(total);
    RecordProperty("share", std::to_string(share));
    std::printf("course sentences: %zu of %zu tokens right (%.2f%%)\n", right, total, 100.0 * share);
    EXPECT_GE(share, 0.98) << wrong;
}

}  // namespace
}  // namespace zintra
