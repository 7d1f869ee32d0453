#include "tools/langdata/engine_check.h"

#include <filesystem>
#include <iomanip>

#include "engine/language/analyzer.h"
#include "engine/language/tagger.h"
#include "engine/text/arena.h"
#include "engine/text/token.h"
#include "tools/langdata/folder_guard.h"

namespace langdata {
namespace {

void flatten(const zintra::Token* t, std::vector<Word>& out) {
    for (; t; t = t->next) {
        if (t->children)
            flatten(t->children, out);
        else
            out.push_back({t->word, t->tag});
    }
}

// Pairs of indexes (gold, engine) of a longest common subsequence of words.
std::vector<std::pair<std::size_t, std::size_t>> align(const std::vector<Word>& a, const std::vector<Word>& b) {
    const std::size_t n = a.size(), m = b.size();
    std::vector<std::vector<int>> len(n + 1, std::vector<int>(m + 1, 0));
    for (std::size_t i = n; i-- > 0;)
        for (std::size_t j = m; j-- > 0;)
            len[i][j] = a[i].form == b[j].form ? len[i + 1][j + 1] + 1 : std::max(len[i + 1][j], len[i][j + 1]);
    std::vector<std::pair<std::size_t, std::size_t>> pairs;
    for (std::size_t i = 0, j = 0; i < n && j < m;) {
        if (a[i].form == b[j].form)
            pairs.emplace_back(i++, j++);
        else if (len[i + 1][j] >= len[i][j + 1])
            ++i;
        else
            ++j;
    }
    return pairs;
}

}  // namespace

EngineCheck checkWithEngine(const std::string& configPath, const std::vector<TreebankSentence>& sentences, bool rawText,
                            const std::vector<std::vector<Word>>& predicted) {
    EngineCheck check;
    const std::filesystem::path path(configPath);
    FolderGuard guard(path.parent_path());
    zintra::Analyzer analyzer;
    if (!analyzer.load(path.filename().string(), zintra::Analyzer::Scope::Tagging)) return check;
    check.loaded = true;
    zintra::Arena arena;
    for (std::size_t s = 0; s < sentences.size(); ++s) {
        const std::vector<Word> gold = goldWords(sentences[s]);
        std::string text;
        if (rawText) {
            text = sentences[s].text;
        } else {
            for (const Word& w : gold) text += (text.empty() ? "" : " ") + w.form;
        }
        arena.clear();
        std::vector<Word> got;
        flatten(zintra::tagSentence(analyzer.data(), text, arena), got);
        ++check.sentences;
        check.goldTokens += static_cast<long>(gold.size());
        check.engineTokens += static_cast<long>(got.size());
        const auto pairs = align(gold, got);
        check.alignedTokens += static_cast<long>(pairs.size());
        for (const auto& [i, j] : pairs)
            check.accuracy.add(analyzer.lexicon().known(gold[i].form), gold[i].tag == got[j].tag);
        const bool alike = pairs.size() == gold.size() && gold.size() == got.size();
        if (!alike) continue;
        ++check.sentencesCutAlike;
        if (s >= predicted.size() || predicted[s].size() != got.size()) continue;
        for (std::size_t i = 0; i < got.size(); ++i) {
            ++check.comparedWithLearner;
            if (predicted[s][i].tag == got[i].tag) {
                ++check.agreeWithLearner;
            } else if (check.disagreements.size() < 10) {
                check.disagreements.push_back(sentences[s].id + ": " + got[i].form + " engine " + got[i].tag +
                                              ", learner " + predicted[s][i].tag);
            }
        }
    }
    return check;
}

void printEngineCheck(const EngineCheck& c, const char* title, std::ostream& out) {
    out << "engine check (" << title << "):\n";
    if (!c.loaded) {
        out << "  the engine could not load the data\n";
        return;
    }
    auto pct = [](long a, long b) { return b ? 100.0 * static_cast<double>(a) / static_cast<double>(b) : 0.0; };
    out << std::fixed << std::setprecision(2) << "  sentences " << c.sentences << ", cut like the treebank "
        << c.sentencesCutAlike << " (" << pct(c.sentencesCutAlike, c.sentences) << "%); treebank tokens "
        << c.goldTokens << ", engine tokens " << c.engineTokens << ", aligned " << c.alignedTokens << "\n"
        << "  accuracy on aligned tokens " << pct(c.accuracy.correct(), c.accuracy.total()) << "%  known "
        << pct(c.accuracy.knownCorrect, c.accuracy.knownTotal) << "% (" << c.accuracy.knownTotal << ")  unknown "
        << pct(c.accuracy.unknownCorrect, c.accuracy.unknownTotal) << "% (" << c.accuracy.unknownTotal << ")\n";
    if (c.comparedWithLearner) {
        out << "  same tag as the learner predicted: " << c.agreeWithLearner << " of " << c.comparedWithLearner
            << " tokens\n";
        for (const std::string& d : c.disagreements) out << "    " << d << "\n";
    }
}

}  // namespace langdata
