#include "tools/langdata/engine_corpus.h"

#include <filesystem>
#include <map>

#include "engine/language/analyzer.h"
#include "engine/language/language_data.h"
#include "engine/language/tokenizer.h"
#include "engine/text/arena.h"
#include "engine/text/compounds.h"
#include "engine/text/token.h"
#include "tools/langdata/folder_guard.h"
#include "tools/langdata/pipeline.h"

namespace langdata {
namespace {

bool hasBlank(const char* s) {
    for (; *s; ++s)
        if (static_cast<unsigned char>(*s) <= 32) return true;
    return false;
}

}  // namespace

std::vector<std::pair<int, int>> spansInText(const std::string& text, const std::vector<std::string>& words) {
    std::vector<std::pair<int, int>> out;
    std::size_t pos = 0;
    for (const std::string& w : words) {
        const std::size_t at = w.empty() ? std::string::npos : text.find(w, pos);
        if (at == std::string::npos) {
            out.emplace_back(-1, -1);
            continue;
        }
        out.emplace_back(static_cast<int>(at), static_cast<int>(at + w.size()));
        pos = at + w.size();
    }
    return out;
}

bool buildEngineCorpus(const LanguageData& data, const Settings& settings, const std::string& folder,
                       const std::vector<TreebankSentence>& sentences, CtxCorpus& corpus, CorpusInfo& info,
                       EngineCorpusStats* stats) {
    std::filesystem::create_directories(folder);
    LanguageData initial;
    initial.lexicon = data.lexicon;
    initial.lexicalRules = data.lexicalRules;
    initial.bigramLines = data.bigramLines;
    initial.compounds = data.compounds;
    Settings written = settings;
    written.outDir = folder;
    written.writeConfig = true;
    written.extraContextual.clear();
    std::filesystem::remove(std::filesystem::path(folder) / "zintra.ini");
    writeLanguageData(initial, written);

    zintra::Analyzer analyzer;
    {
        FolderGuard guard(folder);
        if (!analyzer.load("zintra.ini", zintra::Analyzer::Scope::Tagging)) return false;
    }
    const zintra::LanguageData& engine = analyzer.data();
    zintra::Arena arena;
    for (const TreebankSentence& sentence : sentences) {
        const std::vector<Word> gold = goldWords(sentence);
        std::string text;
        std::map<std::pair<int, int>, int> goldAt;  // span -> index of the gold token
        for (std::size_t i = 0; i < gold.size(); ++i) {
            if (!text.empty()) text += ' ';
            const int start = static_cast<int>(text.size());
            text += gold[i].form;
            goldAt[{start, static_cast<int>(text.size())}] = static_cast<int>(i);
        }
        arena.clear();
        zintra::Token* first = zintra::tokenizeSentence(engine, text, arena);
        first = engine.compounds().merge(first, arena);

        // Every word the engine made, compound members included, in order.
        std::vector<std::string> words;
        for (const zintra::Token* t = first; t; t = t->next) {
            if (t->children)
                for (const zintra::Token* m = t->children; m; m = m->next) words.emplace_back(m->word);
            else
                words.emplace_back(t->word);
        }
        const std::vector<std::pair<int, int>> spans = spansInText(text, words);
        std::map<std::pair<int, int>, int> covering;  // span -> engine tokens with it
        for (const auto& sp : spans)
            if (sp.first >= 0) ++covering[sp];
        auto goldOf = [&](std::size_t k) -> const Word* {
            auto it = goldAt.find(spans[k]);
            if (spans[k].first < 0 || it == goldAt.end() || covering[spans[k]] != 1) return nullptr;
            return &gold[static_cast<std::size_t>(it->second)];
        };
        if (stats) {
            stats->goldTokens += static_cast<long>(gold.size());
            for (std::size_t k = 0; k < words.size(); ++k) stats->pairedTokens += goldOf(k) != nullptr;
        }

        corpus.beginSentence();
        info.known.resize(static_cast<std::size_t>(corpus.size()), 0);
        auto& slots = info.sentences.emplace_back();
        std::size_t k = 0;
        for (const zintra::Token* t = first; t; t = t->next) {
            if (t->children) {
                for (const zintra::Token* m = t->children; m; m = m->next, ++k) {
                    const Word* g = goldOf(k);
                    if (g) info.members.add(data.lexicon.known(m->word), g->tag == m->tag);
                    slots.push_back({m->word, -1, m->tag});
                }
                corpus.addToken("", corpus.tags.id(t->tag), -1, false, nullptr);
                info.known.push_back(1);
                continue;
            }
            const Word* g = goldOf(k++);
            const bool fixed = t->fixed != 0;
            // A pre-tagged group's word may hold blanks; no rule can name it.
            const std::string word = fixed && hasBlank(t->word) ? std::string() : std::string(t->word);
            const auto* allowed = data.lexicon.find(word);
            // A group's tag is whatever the text wrote; one that no word of
            // the data has stands as a tag that no rule is written with.
            int tagId = corpus.tags.find(t->tag);
            if (tagId < 0) tagId = fixed ? corpus.tags.id(kGroupTag) : corpus.tags.id(t->tag);
            slots.push_back({t->word, corpus.size(), ""});
            corpus.addToken(word, tagId, g ? corpus.tags.id(g->tag) : -1, !fixed && !word.empty(), allowed);
            info.known.push_back(allowed != nullptr);
        }
        corpus.endSentence();
    }
    return true;
}

}  // namespace langdata
