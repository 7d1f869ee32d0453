#include "tools/langdata/compounds.h"

#include <algorithm>
#include <set>

namespace langdata {
namespace {

// The role an expression joined by "fixed" plays, from the relation of its
// first word (the head) to the rest of the sentence.
std::string tagForFixed(const TreebankToken& head) {
    const std::string& rel = head.deprel;
    if (rel == "case" || rel == "mark") return "IN";
    if (rel == "cc") return "CC";
    if (rel == "advmod" || rel == "discourse") return "RB";
    if (rel == "det") return "DT";
    if (rel == "nummod") return "CD";
    if (rel == "amod") return "JJ";
    if (head.upos == "ADP" || head.upos == "SCONJ") return "IN";
    if (head.upos == "ADV") return "RB";
    if (head.upos == "CCONJ") return "CC";
    return "";
}

std::string lowerFirst(std::string w) {
    if (!w.empty() && w[0] >= 'A' && w[0] <= 'Z') w[0] = static_cast<char>(w[0] - 'A' + 'a');
    return w;
}

bool plainWord(const std::string& w) {
    if (w.empty() || w.find('/') != std::string::npos || w[0] == '#') return false;
    for (unsigned char c : w)
        if (c >= 0x80 || c <= 32) return false;
    return true;
}

}  // namespace

const std::vector<Compound>& builtInCompounds() {
    static const std::vector<Compound> list = {
        {{"a", "lot"}, "NN", 0},
        {{"a", "lot", "of"}, "JJ", 0},
        {{"lots", "of"}, "JJ", 0},
        {{"a", "few"}, "JJ", 0},
        {{"in", "front", "of"}, "IN", 0},
        {{"next", "to"}, "IN", 0},
        {{"because", "of"}, "IN", 0},
        {{"instead", "of"}, "IN", 0},
        {{"according", "to"}, "IN", 0},
        {{"such", "as"}, "IN", 0},
        {{"as", "well", "as"}, "CC", 0},
        {{"of", "course"}, "RB", 0},
        {{"at", "least"}, "RB", 0},
        {{"at", "last"}, "RB", 0},
        {{"at", "first"}, "RB", 0},
        {{"at", "once"}, "RB", 0},
        {{"for", "example"}, "RB", 0},
        {{"right", "now"}, "RB", 0},
        {{"as", "soon", "as"}, "IN", 0},
        {{"even", "though"}, "IN", 0},
        {{"in", "spite", "of"}, "IN", 0},
        {{"ice", "cream"}, "NN", 0},
        {{"living", "room"}, "NN", 0},
        {{"post", "office"}, "NN", 0},
        {{"high", "school"}, "NN", 0},
        {{"junior", "high", "school"}, "NN", 0},
        {{"bus", "stop"}, "NN", 0},
        {{"swimming", "pool"}, "NN", 0},
        {{"hot", "dog"}, "NN", 0},
        {{"orange", "juice"}, "NN", 0},
        {{"department", "store"}, "NN", 0},
        {{"train", "station"}, "NN", 0},
        {{"police", "officer"}, "NN", 0},
        {{"video", "game"}, "NN", 0},
        {{"New", "York"}, "NNP", 0},
        {{"Los", "Angeles"}, "NNP", 0},
        {{"United", "States"}, "NNP", 0},
        {{"United", "Kingdom"}, "NNP", 0},
    };
    return list;
}

std::vector<Compound> extractCompounds(const std::vector<TreebankSentence>& sentences, const CompoundOptions& options) {
    // expression -> tag -> count, apart for the two relations
    std::map<std::vector<std::string>, std::map<std::string, int>> fixed, flat;
    for (const auto& sentence : sentences) {
        const auto& t = sentence.tokens;
        const int n = static_cast<int>(t.size());
        for (int h = 1; h <= n; ++h) {
            for (const char* rel : {"fixed", "flat"}) {
                int first = h, last = h;
                int members = 0;
                for (int d = 1; d <= n; ++d)
                    if (t[d - 1].head == h && t[d - 1].deprel == rel) {
                        first = std::min(first, d);
                        last = std::max(last, d);
                        ++members;
                    }
                if (members == 0 || last - first != members) continue;  // not one contiguous run
                std::vector<std::string> words;
                bool ok = true;
                bool allNames = true;
                for (int i = first; i <= last; ++i) {
                    ok = ok && plainWord(t[i - 1].form);
                    allNames = allNames && (t[i - 1].tag == "NNP" || t[i - 1].tag == "NNPS");
                    words.push_back(t[i - 1].form);
                }
                if (!ok) continue;
                if (std::string(rel) == "fixed") {
                    std::string tag = tagForFixed(t[h - 1]);
                    if (tag.empty()) continue;
                    words[0] = lowerFirst(words[0]);
                    ++fixed[words][tag];
                } else if (allNames) {
                    ++flat[words]["NNP"];
                }
            }
        }
    }
    std::map<std::vector<std::string>, Compound> chosen;
    auto take = [&](const auto& table, int minCount) {
        for (const auto& [words, tags] : table) {
            int total = 0;
            std::pair<std::string, int> best{"", 0};
            for (const auto& [tag, n] : tags) {
                total += n;
                if (n > best.second) best = {tag, n};
            }
            if (total >= minCount) chosen[words] = {words, best.first, total};
        }
    };
    take(fixed, options.minFixed);
    take(flat, options.minFlat);
    if (options.builtIn)
        for (const Compound& c : builtInCompounds())
            if (!chosen.count(c.words)) chosen[c.words] = c;
    std::vector<Compound> out;
    for (auto& [words, c] : chosen) out.push_back(std::move(c));
    return out;
}

void writeCompounds(const std::vector<Compound>& compounds, std::ostream& out, const std::string& header) {
    out << header;
    for (const Compound& c : compounds) {
        for (std::size_t i = 0; i < c.words.size(); ++i) out << (i ? " " : "") << c.words[i];
        out << '/' << c.tag << '\n';
    }
}

CompoundMatcher::CompoundMatcher(const std::vector<Compound>& compounds) {
    for (const Compound& c : compounds) {
        Node* node = &root_;
        for (const std::string& w : c.words) {
            auto& child = node->children[w];
            if (!child) child = std::make_unique<Node>();
            node = child.get();
        }
        node->tag = c.tag;
    }
}

std::size_t CompoundMatcher::match(const std::vector<std::string>& words, std::size_t start, std::string* tag,
                                   std::vector<std::string>* listed) const {
    const Node* node = &root_;
    std::size_t best = 0;
    std::vector<std::string> path;
    for (std::size_t i = start; i < words.size(); ++i) {
        auto it = node->children.find(words[i]);
        if (it == node->children.end() && !words[i].empty() && words[i][0] >= 'A' && words[i][0] <= 'Z')
            it = node->children.find(lowerFirst(words[i]));
        if (it == node->children.end()) break;
        node = it->second.get();
        path.push_back(it->first);
        if (!node->tag.empty() && i > start) {
            best = i - start + 1;
            if (tag) *tag = node->tag;
            if (listed) *listed = path;
        }
    }
    return best;
}

}  // namespace langdata
