#include "tools/langdata/lexicon_builder.h"

#include <algorithm>

namespace langdata {
namespace {

const char* const kSplitTails[] = {"n't", "'s", "'re", "'ve", "'ll", "'d", "'m"};

std::string lowerAscii(std::string s) {
    for (char& c : s)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return s;
}

}  // namespace

bool endsWithSplitTail(const std::string& form) {
    const std::string low = lowerAscii(form);
    for (const char* tail : kSplitTails) {
        const std::string t(tail);
        if (low.size() > t.size() && low.compare(low.size() - t.size(), t.size(), t) == 0) return true;
    }
    return false;
}

namespace {

// Walks the sentence as the engine's tokenizer cuts its text: a multiword
// surface that the tokenizer does not split stands for its parts. Calls
// emit(word, merged) for every token.
template <typename Emit>
void walkSurfaces(const TreebankSentence& sentence, Emit&& emit) {
    const auto& tokens = sentence.tokens;
    std::size_t s = 0;
    for (std::size_t i = 0; i < tokens.size();) {
        while (s < sentence.surfaces.size() && sentence.surfaces[s].first < static_cast<int>(i + 1)) ++s;
        if (s < sentence.surfaces.size() && sentence.surfaces[s].first == static_cast<int>(i + 1) &&
            !endsWithSplitTail(sentence.surfaces[s].form) &&
            sentence.surfaces[s].last <= static_cast<int>(tokens.size()) &&
            sentence.surfaces[s].form.find(' ') == std::string::npos) {
            emit(Word{sentence.surfaces[s].form, tokens[i].tag}, true);
            i = static_cast<std::size_t>(sentence.surfaces[s].last);
            continue;
        }
        emit(Word{tokens[i].form, tokens[i].tag}, false);
        ++i;
    }
}

}  // namespace

std::vector<Word> engineTokens(const TreebankSentence& sentence) {
    std::vector<Word> out;
    walkSurfaces(sentence, [&](Word w, bool) { out.push_back(std::move(w)); });
    return out;
}

std::vector<Word> goldWords(const TreebankSentence& sentence) {
    std::vector<Word> out;
    out.reserve(sentence.tokens.size());
    for (const TreebankToken& t : sentence.tokens) out.push_back({t.form, t.tag});
    return out;
}

void countTags(const std::vector<TreebankSentence>& sentences, TagCounts& counts) {
    auto count = [&](const Word& w) {
        if (w.form.find(' ') != std::string::npos) return;  // never one token
        ++counts.byWord[w.form][w.tag];
        ++counts.byTag[w.tag];
        ++counts.tokens;
    };
    for (const auto& sentence : sentences) {
        // The treebank's own tokens are what the engine meets when the
        // parts are written apart ("can not", "It s"); a surface it keeps
        // whole ("cannot", "Its") is a word of its own as well.
        for (const Word& w : goldWords(sentence)) count(w);
        walkSurfaces(sentence, [&](const Word& w, bool merged) {
            if (merged) count(w);
        });
    }
}

Lexicon buildLexicon(const TagCounts& counts, const WordListData& lists, const LexiconOptions& options,
                     std::vector<std::string>& untagged, LexiconReport& report) {
    Lexicon lexicon;
    auto tagRank = [&](const std::string& tag) {
        auto it = counts.byTag.find(tag);
        return it == counts.byTag.end() ? 0L : it->second;
    };

    // For list-only words the order of the tags comes from treebank words of
    // the same kind: how often each tag of a tag set was the right one for
    // treebank words that the lists give that same set (capitalised words
    // counted apart).
    std::map<std::pair<std::uint32_t, bool>, std::map<std::string, long>> classCounts;
    for (const auto& [word, tags] : counts.byWord) {
        auto it = lists.forms.find(word);
        if (it == lists.forms.end() || it->second == 0) continue;
        if (options.listClassBelow > 0) {
            int seen = 0;
            for (const auto& [tag, n] : tags) seen += n;
            if (seen >= options.listClassBelow) continue;
        }
        const bool capital = word[0] >= 'A' && word[0] <= 'Z';
        auto& cls = classCounts[{it->second, capital}];
        for (const auto& [tag, n] : tags) cls[tag] += n;
    }

    for (const auto& [word, tags] : counts.byWord) {
        std::vector<std::pair<std::string, int>> ordered(tags.begin(), tags.end());
        std::sort(ordered.begin(), ordered.end(), [&](const auto& a, const auto& b) {
            if (a.second != b.second) return a.second > b.second;
            if (tagRank(a.first) != tagRank(b.first)) return tagRank(a.first) > tagRank(b.first);
            return a.first < b.first;
        });
        // A capitalised or upper-case word keeps a rare tag that is the
        // lower-case word's own first tag ("AM" is mostly a.m., but also am).
        std::string lowerTop;
        if (auto low = counts.byWord.find(lowerAscii(word)); low != counts.byWord.end() && low->first != word) {
            int best = 0;
            for (const auto& [tag, n] : low->second)
                if (n > best) best = n, lowerTop = tag;
        }
        std::vector<std::string> names;
        for (const auto& [tag, n] : ordered) {
            if (options.noiseCount > 0 && !names.empty() && n <= options.noiseCount &&
                ordered.front().second >= options.noiseRatio * n && tag != lowerTop) {
                ++report.droppedTags;
                continue;
            }
            names.push_back(tag);
        }
        int seen = 0;
        for (const auto& [tag, n] : tags) seen += n;
        if (options.extendKnown && (options.extendBelow <= 0 || seen < options.extendBelow)) {
            auto it = lists.forms.find(word);
            if (it != lists.forms.end())
                for (const std::string& t : openTagNames(it->second))
                    if (std::find(names.begin(), names.end(), t) == names.end()) names.push_back(t);
        }
        lexicon.set(word, std::move(names));
        ++report.treebankWords;
    }

    for (const auto& [word, mask] : lists.forms) {
        if (lexicon.known(word)) continue;
        if (mask == 0) {
            untagged.push_back(word);
            ++report.untaggedListWords;
            continue;
        }
        std::vector<std::string> names = openTagNames(mask);
        const bool capital = word[0] >= 'A' && word[0] <= 'Z';
        auto cls = classCounts.find({mask, capital});
        auto score = [&](const std::string& tag) -> long {
            if (cls != classCounts.end()) {
                auto it = cls->second.find(tag);
                if (it != cls->second.end()) return it->second * 1000000L + tagRank(tag);
            }
            return tagRank(tag);
        };
        if (capital) {
            // A listed name is a name first, whatever else its lower-case
            // form may be.
            std::stable_sort(names.begin(), names.end(), [&](const std::string& a, const std::string& b) {
                const bool pa = a == "NNP" || a == "NNPS", pb = b == "NNP" || b == "NNPS";
                if (pa != pb) return pa;
                return score(a) > score(b);
            });
        } else {
            std::stable_sort(names.begin(), names.end(),
                             [&](const std::string& a, const std::string& b) { return score(a) > score(b); });
        }
        lexicon.set(word, std::move(names));
        ++report.listWords;
    }
    return lexicon;
}

void writeLexicon(const Lexicon& lexicon, std::ostream& out, const std::string& header) {
    out << header;
    std::vector<const std::pair<const std::string, std::vector<std::string>>*> rows;
    rows.reserve(lexicon.size());
    for (const auto& row : lexicon.entries()) rows.push_back(&row);
    std::sort(rows.begin(), rows.end(), [](const auto* a, const auto* b) { return a->first < b->first; });
    for (const auto* row : rows) {
        if (row->first.rfind("//", 0) == 0) continue;  // would read as a comment
        out << row->first;
        for (const std::string& tag : row->second) out << ' ' << tag;
        out << '\n';
    }
}

}  // namespace langdata
