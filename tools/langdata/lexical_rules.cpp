#include "tools/langdata/lexical_rules.h"

#include <cstring>
#include <sstream>

namespace langdata {
namespace {

// strncmp(a, b, n) == 0 on zero-terminated strings.
bool prefixBytesEqual(const char* a, const char* b, std::size_t n) { return std::strncmp(a, b, n) == 0; }

}  // namespace

const char* lexKindName(LexKind kind) {
    for (const auto& k : zintra::kLexicalKinds)
        if (k.test == kind) return k.name;
    return "";
}

bool lexKindHasLength(LexKind kind) {
    for (const auto& k : zintra::kLexicalKinds)
        if (k.test == kind) return k.hasLength;
    return false;
}

std::string formatLexicalRule(const LexicalRule& rule) {
    std::string line;
    if (rule.from) {
        line.append(rule.fromTag);
        line.push_back(' ');
    }
    line.append(rule.arg);
    line.append(rule.from ? " f" : " ");
    line.append(lexKindName(rule.kind));
    if (lexKindHasLength(rule.kind)) {
        line.push_back(' ');
        line.append(std::to_string(rule.length));
    }
    line.push_back(' ');
    line.append(rule.newTag);
    line.append(" x");
    return line;
}

bool parseLexicalRule(const std::string& line, LexicalRule& rule) {
    std::istringstream in(line);
    std::vector<std::string> f;
    std::string field;
    while (in >> field) f.push_back(field);
    if (!f.empty() && f.back() == "x") f.pop_back();
    if (f.size() < 3 || f[0][0] == '#') return false;
    for (int at : {1, 2}) {
        if (static_cast<int>(f.size()) <= at) break;
        std::string name = f[at];
        const bool from = at == 2;
        if (from) {
            if (name.empty() || name[0] != 'f') continue;
            name = name.substr(1);
        }
        for (const auto& k : zintra::kLexicalKinds) {
            if (name != k.name) continue;
            const std::size_t need = static_cast<std::size_t>(at) + (k.hasLength ? 3 : 2);
            if (f.size() < need) return false;
            rule = LexicalRule{};
            rule.kind = k.test;
            rule.from = from;
            rule.fromTag = from ? f[0] : "";
            rule.arg = f[at - 1];
            rule.length = k.hasLength ? std::atoi(f[at + 1].c_str()) : 0;
            rule.newTag = f.back();
            return true;
        }
    }
    return false;
}

bool lexicalTestHolds(const LexicalRule& rule, const std::string& word, const LexicalContext& context) {
    const char* w = word.c_str();
    const char* x = rule.arg.c_str();
    const std::size_t len = word.size();
    const std::size_t n = rule.length < 0 ? 0 : static_cast<std::size_t>(rule.length);
    switch (rule.kind) {
        case LexKind::None: return false;
        case LexKind::Char: return std::strpbrk(w, x) != nullptr;
        case LexKind::HasPref: return prefixBytesEqual(w, x, n);
        case LexKind::DeletePref: return len >= n && prefixBytesEqual(w, x, n) && context.known(word.substr(n));
        case LexKind::HasSuf: return len >= n && prefixBytesEqual(w + len - n, x, n);
        case LexKind::DeleteSuf:
            return len >= n && prefixBytesEqual(w + len - n, x, n) && context.known(word.substr(0, len - n));
        case LexKind::AddPref: return context.known(rule.arg + word);
        case LexKind::AddSuf: return context.known(word + rule.arg);
        case LexKind::GoodLeft: {
            if (!context.bigrams) return false;
            auto it = context.bigrams->find(word);
            return it != context.bigrams->end() && it->second == rule.arg;
        }
        case LexKind::GoodRight: {
            if (!context.bigrams) return false;
            auto it = context.bigrams->find(rule.arg);
            return it != context.bigrams->end() && it->second == word;
        }
    }
    return false;
}

bool lexicalRuleFires(const LexicalRule& rule, const std::string& word, const std::string& tag,
                      const LexicalContext& context) {
    if (rule.from ? tag != rule.fromTag : tag == rule.newTag) return false;
    return lexicalTestHolds(rule, word, context);
}

std::string initialGuess(const std::string& word) {
    return !word.empty() && word[0] >= 'A' && word[0] <= 'Z' ? "NNP" : "NN";
}

std::string guessTag(const std::vector<LexicalRule>& rules, const std::string& word, const LexicalContext& context) {
    std::string tag = initialGuess(word);
    for (const LexicalRule& rule : rules)
        if (lexicalRuleFires(rule, word, tag, context)) tag = rule.newTag;
    return tag;
}

std::map<std::string, std::string> keptBigrams(const std::vector<std::pair<std::string, std::string>>& lines,
                                               const std::vector<LexicalRule>& rules) {
    std::set<std::string> registered;
    for (const LexicalRule& r : rules)
        if (r.kind == LexKind::GoodLeft || r.kind == LexKind::GoodRight) registered.insert(r.arg);
    std::map<std::string, std::string> kept;
    for (const auto& [first, second] : lines)
        if (registered.count(first)) kept.emplace(first, second);
    return kept;
}

}  // namespace langdata
