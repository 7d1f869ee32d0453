#include "tools/langdata/word_lists.h"

#include <cctype>
#include <fstream>
#include <set>
#include <sstream>

namespace langdata {
namespace {

const char* const kOpenTagNames[kOpenTagCount] = {"NN",  "NNS", "NNP", "NNPS", "VB",  "VBP", "VBZ", "VBD",
                                                  "VBN", "VBG", "JJ",  "JJR",  "JJS", "RB",  "RBR", "RBS"};

bool isUpper(char c) { return c >= 'A' && c <= 'Z'; }
bool isLower(char c) { return c >= 'a' && c <= 'z'; }
bool isVowel(char c) { return c == 'a' || c == 'e' || c == 'i' || c == 'o' || c == 'u'; }

std::string lower(std::string s) {
    for (char& c : s)
        if (isUpper(c)) c = static_cast<char>(c - 'A' + 'a');
    return s;
}

bool endsWith(const std::string& s, const char* tail) {
    std::string t(tail);
    return s.size() > t.size() && s.compare(s.size() - t.size(), t.size(), t) == 0;
}

// A form the engine can meet as one token: plain ASCII, no blank, no
// underscore, no possessive ending (the tokenizer splits 's off), and no
// hyphen before a letter (the tokenizer splits there too).
bool usableForm(const std::string& w) {
    if (w.empty() || w.size() > 64) return false;
    for (std::size_t i = 0; i < w.size(); ++i) {
        unsigned char c = static_cast<unsigned char>(w[i]);
        if (c >= 0x80 || c <= 32 || c == '_') return false;
        if (c == '-' && i + 1 < w.size() && std::isalpha(static_cast<unsigned char>(w[i + 1]))) return false;
    }
    if (endsWith(w, "'s") || endsWith(w, "s'")) return false;
    return std::isalpha(static_cast<unsigned char>(w[0])) != 0;
}

// WordNet data lines: "offset lexfile type count word lexid [word lexid]... ".
// Adjective words may carry a marker such as "(a)" or "(ip)".
void readWordnetData(const std::string& path, std::uint32_t posBit, Lemmas& lemmas,
                     std::map<std::string, std::uint32_t>& forms) {
    std::ifstream in(path);
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == ' ') continue;
        std::istringstream fields(line);
        std::string offset, lexfile, type, countHex;
        if (!(fields >> offset >> lexfile >> type >> countHex)) continue;
        const long count = std::strtol(countHex.c_str(), nullptr, 16);
        for (long i = 0; i < count; ++i) {
            std::string word, lexid;
            if (!(fields >> word >> lexid)) break;
            const std::size_t paren = word.find('(');
            if (paren != std::string::npos) word.resize(paren);
            if (word.find('_') != std::string::npos || !usableForm(word)) continue;
            lemmas.pos[lower(word)] |= posBit;
            forms.emplace(word, 0);
        }
    }
}

// Exception lists: "irregular-form lemma [lemma...]".
void readExceptions(const std::string& path, char kind, Lemmas& lemmas, std::map<std::string, std::uint32_t>& forms) {
    std::ifstream in(path);
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream fields(line);
        std::string form, lemma;
        if (!(fields >> form >> lemma) || !usableForm(form) || form == lemma) continue;
        std::uint32_t tags = 0;
        switch (kind) {
            case 'n': tags = kNNS; break;
            case 'v':
                if (endsWith(form, "ing"))
                    tags = kVBG;
                else if (endsWith(form, "s") && !endsWith(form, "ss"))
                    tags = kVBZ;
                else
                    tags = kVBD | kVBN;
                break;
            case 'a':
                if (endsWith(form, "est"))
                    tags = kJJS;
                else if (endsWith(form, "er") || endsWith(form, "r"))
                    tags = kJJR;
                break;
            case 'r': tags = endsWith(form, "est") || form == "best" ? kRBS : kRBR; break;
            default: break;
        }
        if (tags == 0) continue;
        lemmas.exceptions[form] |= tags;
        forms.emplace(form, 0);
    }
}

bool lemmaHas(const Lemmas& lemmas, const std::string& lemma, std::uint32_t bit) {
    auto it = lemmas.pos.find(lemma);
    return it != lemmas.pos.end() && (it->second & bit) != 0;
}

// Lemmas that a regular ending may have been added to: "stopped" -> stop
// (doubled consonant), "loved" -> love, "tried" -> try, "walked" -> walk.
std::vector<std::string> stems(const std::string& w, const std::string& ending) {
    std::vector<std::string> out;
    if (!endsWith(w, ending.c_str())) return out;
    std::string base = w.substr(0, w.size() - ending.size());
    if (base.empty()) return out;
    out.push_back(base);
    if (ending[0] == 'e' || ending[0] == 'i') {
        out.push_back(base + "e");
        if (base.size() >= 2 && base.back() == base[base.size() - 2] && !isVowel(base.back()))
            out.push_back(base.substr(0, base.size() - 1));
        if (base.back() == 'i') out.push_back(base.substr(0, base.size() - 1) + "y");
    }
    if (ending == "ing" && base.back() == 'y' && base.size() >= 2)  // dying -> die
        out.push_back(base.substr(0, base.size() - 1) + "ie");
    return out;
}

std::uint32_t regularTags(const std::string& w, const Lemmas& lemmas) {
    std::uint32_t tags = 0;
    for (const std::string& lemma : stems(w, "s")) {
        if (lemmaHas(lemmas, lemma, kNN)) tags |= kNNS;
        if (lemmaHas(lemmas, lemma, kVB)) tags |= kVBZ;
    }
    for (const char* ending : {"es", "ies"}) {
        std::vector<std::string> bases = stems(w, ending);
        if (std::string(ending) == "ies" && !bases.empty())
            bases = {bases[0] + "y"};
        else if (!bases.empty())
            bases = {bases[0]};
        for (const std::string& lemma : bases) {
            if (lemmaHas(lemmas, lemma, kNN)) tags |= kNNS;
            if (lemmaHas(lemmas, lemma, kVB)) tags |= kVBZ;
        }
    }
    for (const std::string& lemma : stems(w, "ed"))
        if (lemmaHas(lemmas, lemma, kVB)) tags |= kVBD | kVBN;
    for (const std::string& lemma : stems(w, "ing"))
        if (lemmaHas(lemmas, lemma, kVB)) tags |= kVBG;
    for (const std::string& lemma : stems(w, "er"))
        if (lemmaHas(lemmas, lemma, kJJ)) tags |= kJJR;
    for (const std::string& lemma : stems(w, "est"))
        if (lemmaHas(lemmas, lemma, kJJ)) tags |= kJJS;
    return tags;
}

}  // namespace

const char* openTagName(int bit) { return kOpenTagNames[bit]; }

std::vector<std::string> openTagNames(std::uint32_t mask) {
    std::vector<std::string> out;
    for (int b = 0; b < kOpenTagCount; ++b)
        if (mask & (1u << b)) out.emplace_back(kOpenTagNames[b]);
    return out;
}

std::uint32_t tagsForForm(const std::string& form, const Lemmas& lemmas,
                          const std::map<std::string, std::uint32_t>& forms) {
    if (form.empty()) return 0;
    if (isUpper(form[0])) {
        // A capitalised entry of a list is a name; a plural of a listed name
        // ("Americans") is NNPS. The lower-case word's tags come after it.
        std::uint32_t tags = kNNP;
        if (endsWith(form, "s") && forms.count(form.substr(0, form.size() - 1))) tags = kNNPS;
        const std::string low = lower(form);
        if (low != form && forms.count(low)) tags |= tagsForForm(low, lemmas, forms);
        return tags;
    }
    if (!isLower(form[0])) return 0;
    std::uint32_t tags = 0;
    auto it = lemmas.pos.find(form);
    if (it != lemmas.pos.end()) {
        const std::uint32_t pos = it->second;
        if (pos & kNN) tags |= kNN;
        if (pos & kVB) tags |= kVB | kVBP;
        if (pos & kJJ) tags |= kJJ;
        if (pos & kRB) tags |= kRB;
    }
    auto ex = lemmas.exceptions.find(form);
    if (ex != lemmas.exceptions.end()) tags |= ex->second;
    return tags | regularTags(form, lemmas);
}

WordListData loadWordLists(const WordListSources& sources, std::vector<std::string>* missing) {
    WordListData data;
    Lemmas lemmas;
    auto exists = [&](const std::string& path) {
        std::ifstream probe(path);
        if (!probe && missing) missing->push_back(path);
        return static_cast<bool>(probe);
    };
    if (!sources.wordnetDir.empty()) {
        const std::string& d = sources.wordnetDir;
        const std::pair<const char*, std::uint32_t> files[] = {
            {"data.noun", kNN}, {"data.verb", kVB}, {"data.adj", kJJ}, {"data.adv", kRB}};
        for (const auto& [name, bit] : files)
            if (exists(d + "/" + name)) readWordnetData(d + "/" + name, bit, lemmas, data.forms);
        const std::pair<const char*, char> exc[] = {
            {"noun.exc", 'n'}, {"verb.exc", 'v'}, {"adj.exc", 'a'}, {"adv.exc", 'r'}};
        for (const auto& [name, kind] : exc)
            if (exists(d + "/" + name)) readExceptions(d + "/" + name, kind, lemmas, data.forms);
    }
    for (const std::string& path : sources.dictionaries) {
        if (!exists(path)) continue;
        std::ifstream in(path);
        std::string word;
        while (std::getline(in, word)) {
            if (!word.empty() && word.back() == '\r') word.pop_back();
            if (usableForm(word))
                data.forms.emplace(word, 0);
            else
                ++data.skipped;
        }
    }
    for (auto& [form, tags] : data.forms) tags = tagsForForm(form, lemmas, data.forms);
    return data;
}

}  // namespace langdata
