// The choice of a template with the matched-word bound: on random files and
// sentences it equals the plain choice (every template aligned, the first of
// the best scores kept), and the bound equals the matched words of the full
// alignment.
#include <random>

#include "matcher_fixture.h"

#include "engine/templates/alignment.h"
#include "engine/templates/alignment_bound.h"
#include "engine/templates/match_workspace.h"
#include "engine/templates/sentence_items.h"

namespace zintra::test {
namespace {

const char* const kWords[] = {"i", "like", "apples", "oranges", "am", "a", "boy", "the", "he", "went", "to", "school"};

std::string randomWords(std::mt19937& random, int most) {
    std::string out;
    int count = 1 + static_cast<int>(random() % static_cast<unsigned>(most));
    for (int i = 0; i < count; ++i) {
        if (i) out += ' ';
        out += kWords[random() % std::size(kWords)];
    }
    return out;
}

// A file of several main templates over few words: chains with branches
// that join again, multi-word, wrong, normal and wordless fillers, and a
// Phrase filler naming a sub template.
FileBuilder randomFile(std::mt19937& random) {
    FileBuilder f;
    Template& sub = f.chain("sub", {{{"the"}, {"a boy"}}, {{"school", FillerKind::Wrong}}}, TemplateKind::Sub);
    int templates = 2 + static_cast<int>(random() % 6);
    for (int t = 0; t < templates; ++t) {
        std::string name = "t";
        name += std::to_string(t);
        Template& tmpl = f.add(name);
        std::vector<Node*> nodes;
        int count = 2 + static_cast<int>(random() % 6);
        for (int k = 0; k < count; ++k) {
            std::vector<F> fillers;
            int n = 1 + static_cast<int>(random() % 3);
            for (int j = 0; j < n; ++j) {
                FillerKind kind = std::array{FillerKind::Correct, FillerKind::Normal, FillerKind::Wrong}[random() % 3];
                fillers.push_back({random() % 8 == 0 ? std::string() : randomWords(random, 3), kind});
            }
            std::string nodeName = "n";
            nodeName += std::to_string(k);
            Node& node = f.node(tmpl, nodeName, fillers);
            if (random() % 6 == 0) f.phrase(node, sub);
            nodes.push_back(&node);
        }
        // Each node leads to the next; some also skip one ahead.
        for (size_t k = 0; k + 1 < nodes.size(); ++k) {
            FileBuilder::link(*nodes[k], *nodes[k + 1]);
            if (k + 2 < nodes.size() && random() % 3 == 0) FileBuilder::link(*nodes[k], *nodes[k + 2]);
        }
        FileBuilder::finish(tmpl);
    }
    return f;
}

class BoundTest : public MatcherFixture {};

TEST_F(BoundTest, BoundIsTheMatchedCountOfTheFullAlignment) {
    std::mt19937 random(20);
    SentenceRows rows;
    BoundTable table;
    CellTable cells;
    std::vector<ScoreKey> keys;
    for (int round = 0; round < 300; ++round) {
        FileBuilder f = randomFile(random);
        const MatchGraphs& graphs = matchGraphsOf(*f);
        // Sentence ids as the matcher makes them: sentinels at both ends,
        // vocabulary words and unknown ones between.
        std::vector<int32_t> ids{kSentinelWordId};
        int words = static_cast<int>(random() % 12);
        for (int w = 0; w < words; ++w)
            ids.push_back(random() % 5 == 0 ? kUnknownWordId : graphs.vocabulary().find(kWords[random() % 12]));
        ids.push_back(kSentinelWordId);
        rows.set(ids, graphs.vocabulary().size());
        for (const PositionGraph& graph : graphs.graphs()) {
            ScoreKey key = alignWithGraph(graph, ids, cells);
            EXPECT_EQ(alignmentScore(graph, ids, rows, keys), key);
            int32_t expected = key == kUnreached ? -1 : static_cast<int32_t>(unpackScore(key).matched);
            EXPECT_EQ(mostMatchedWords(graph, ids, rows, table), expected) << "round " << round;
        }
    }
}

TEST_F(BoundTest, ChoiceEqualsTheChoiceOverAllTemplates) {
    std::mt19937 random(7);
    CellTable cells;
    int chosenLater = 0;  // rounds where the choice is not the first template
    for (int round = 0; round < 400; ++round) {
        FileBuilder f = randomFile(random);
        std::string sentence = randomWords(random, 10);
        if (random() % 2) sentence += '.';
        auto m = match(sentence, f);

        // Every template aligned with the matcher's own items, the first of
        // the best scores kept.
        const MatchGraphs& graphs = matchGraphsOf(*f);
        MatchWorkspace ws;
        prepareSentence(sentence, analyzer, graphs.vocabulary(), ws);
        ScoreKey best = kUnreached;
        int chosen = -1;
        for (size_t t = 0; t < graphs.graphs().size(); ++t) {
            ScoreKey key = alignWithGraph(graphs.graphs()[t], ws.wordIds, cells);
            if (key > best) {
                best = key;
                chosen = static_cast<int>(t);
            }
        }
        ASSERT_EQ(m->chosenIndex(), chosen) << "round " << round << ": " << sentence;
        if (chosen < 0) continue;
        chosenLater += chosen > 0;
        Score expected = unpackScore(best);
        Score got = m->chosenScore();
        EXPECT_EQ(got.matched, expected.matched);
        EXPECT_EQ(got.good, expected.good);
        EXPECT_EQ(got.consumed, expected.consumed);
        EXPECT_EQ(got.wordless, expected.wordless);
    }
    EXPECT_GT(chosenLater, 50);  // the files do not all favour their first template
}

// Equal scores: the first template of the best score is chosen, also when a
// later one has the higher bound-sorted place.
TEST_F(BoundTest, EqualScoresKeepTheFirstTemplate) {
    FileBuilder f;
    f.chain("a", {{{"i"}}, {{"like"}}, {{"apples"}}});
    f.chain("b", {{{"he"}}, {{"like"}}, {{"apples"}}});
    f.chain("c", {{{"i"}}, {{"like"}}, {{"apples"}}});
    f.chain("d", {{{"i"}}, {{"like"}}, {{"apples"}}, {{"."}}});
    EXPECT_EQ(match("I like apples", f)->chosenTemplate()->name, "a");
    EXPECT_EQ(match("he like apples.", f)->chosenTemplate()->name, "b");
    EXPECT_EQ(match("I like apples.", f)->chosenTemplate()->name, "d");
}

// The closest vocabulary word, whose common subsequences are counted with
// bit rows for words of up to 64 bytes: the same word as by the plain count.
size_t plainCommonSubsequence(const std::string& a, const std::string& b) {
    std::vector<std::vector<size_t>> t(a.size() + 1, std::vector<size_t>(b.size() + 1, 0));
    for (size_t i = 1; i <= a.size(); ++i)
        for (size_t j = 1; j <= b.size(); ++j)
            t[i][j] = a[i - 1] == b[j - 1] ? t[i - 1][j - 1] + 1 : std::max(t[i - 1][j], t[i][j - 1]);
    return t[a.size()][b.size()];
}

TEST(ClosestWord, BitRowsCountAsTheTable) {
    std::mt19937 random(64);
    auto randomWord = [&](size_t most) {
        std::string w;
        size_t length = 1 + random() % most;
        for (size_t i = 0; i < length; ++i) w += static_cast<char>('a' + random() % 6);
        return w;
    };
    std::vector<uint16_t> scratch;
    for (int round = 0; round < 200; ++round) {
        Vocabulary vocabulary;
        std::vector<std::string> words;
        for (int i = 0; i < 30; ++i) {
            words.push_back(randomWord(round % 4 == 0 ? 90 : 12));
            vocabulary.add(words.back(), FillerKind::Correct);
        }
        vocabulary.finish();
        std::string word = randomWord(round % 3 == 0 ? 80 : 14);  // past 64 bytes now and then
        int32_t got = vocabulary.closest(word, scratch);
        // The rule: the longest common subsequence, the shorter word on a tie,
        // the first in the vocabulary's order; more than half of both words.
        int32_t best = kUnknownWordId;
        size_t bestLength = 0;
        size_t bestSize = 0;
        vocabulary.forEachCandidate([&](std::string_view candidate, int32_t id) {
            size_t length = plainCommonSubsequence(std::string(candidate), word);
            if (best == kUnknownWordId || length > bestLength ||
                (length == bestLength && candidate.size() < bestSize)) {
                best = id;
                bestLength = length;
                bestSize = candidate.size();
            }
        });
        if (best != kUnknownWordId && (bestLength <= word.size() / 2 || bestLength <= bestSize / 2))
            best = kUnknownWordId;
        EXPECT_EQ(got, best) << word;
    }
}

}  // namespace
}  // namespace zintra::test
