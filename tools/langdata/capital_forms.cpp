#include "tools/langdata/capital_forms.h"

#include <algorithm>
#include <unordered_map>

namespace langdata {
namespace {

bool titleCase(const std::string& w) {
    if (w.size() < 2 || w[0] < 'A' || w[0] > 'Z') return false;
    return std::all_of(w.begin() + 1, w.end(), [](char c) { return c >= 'a' && c <= 'z'; });
}

std::string lowerFirst(std::string w) {
    w[0] = static_cast<char>(w[0] - 'A' + 'a');
    return w;
}

bool isName(const std::string& tag) { return tag == "NNP" || tag == "NNPS"; }

}  // namespace

std::map<CapitalClass, CapitalCounts> countCapitalisedForms(const std::vector<TreebankSentence>& train,
                                                            const std::vector<int>& fold, const Lexicon& lexicon) {
    std::unordered_map<std::string, unsigned> folds;  // word -> mask of the folds it occurs in
    for (std::size_t s = 0; s < train.size(); ++s)
        for (const TreebankToken& t : train[s].tokens) folds[t.form] |= 1u << fold[s];
    auto inOtherFolds = [&](const std::string& w, int k) {
        auto it = folds.find(w);
        return it != folds.end() && (it->second & ~(1u << k)) != 0;
    };
    std::map<CapitalClass, CapitalCounts> out;
    for (std::size_t s = 0; s < train.size(); ++s) {
        const int k = fold[s];
        for (const TreebankToken& t : train[s].tokens) {
            if (!titleCase(t.form) || inOtherFolds(t.form, k)) continue;
            const std::string lower = lowerFirst(t.form);
            const std::vector<std::string>* tags = lexicon.find(lower);
            if (!tags || tags->empty()) continue;
            CapitalCounts& c = out[{tags->front(), inOtherFolds(lower, k)}];
            if (isName(t.tag))
                ++c.names;
            else if (t.tag == tags->front())
                ++c.lowerTag;
            else
                ++c.other;
        }
    }
    return out;
}

std::set<CapitalClass> nameFirstClasses(const std::map<CapitalClass, CapitalCounts>& counts, long minTokens) {
    std::set<CapitalClass> out;
    for (const auto& [cls, c] : counts)
        if (c.names + c.lowerTag + c.other >= minTokens && c.names > c.lowerTag && !isName(cls.lowerTop))
            out.insert(cls);
    return out;
}

std::size_t addCapitalisedForms(Lexicon& lexicon, const NameFirst& nameFirst) {
    std::vector<std::pair<std::string, std::vector<std::string>>> added;
    for (const auto& [word, tags] : lexicon.entries()) {
        if (word.empty() || word[0] < 'a' || word[0] > 'z') continue;
        std::string upper = word;
        upper[0] = static_cast<char>(word[0] - 'a' + 'A');
        if (lexicon.known(upper)) continue;
        std::vector<std::string> t = tags;
        t.erase(std::remove(t.begin(), t.end(), "NNP"), t.end());
        if (nameFirst && !tags.empty() && nameFirst(word, tags))
            t.insert(t.begin(), "NNP");
        else if (std::find(tags.begin(), tags.end(), "NNP") != tags.end())
            t = tags;  // the lower-case word's own order
        else
            t.push_back("NNP");
        added.emplace_back(std::move(upper), std::move(t));
    }
    for (auto& [w, t] : added) lexicon.set(w, std::move(t));
    return added.size();
}

}  // namespace langdata
