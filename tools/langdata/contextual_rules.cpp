#include "tools/langdata/contextual_rules.h"

#include "engine/tagger/rule_kinds.h"

#include <cstring>
#include <stdexcept>

namespace langdata {

// Template numbers are positions in the engine's table of rule kinds;
// instantiation (contextual_templates.inl) and ruleHolds() use them.
static_assert(zintra::kContextualKindCount == kTemplateCount);

const char* templateName(int tmpl) { return zintra::kContextualKinds[tmpl].name; }

int templateByName(const std::string& name) { return zintra::contextualKindIndex(name); }

int templateArgCount(int tmpl) { return zintra::kContextualKinds[tmpl].arguments; }
bool templateArgIsWord(int tmpl, int slot) {
    return slot == 0 ? zintra::kContextualKinds[tmpl].aIsWord : zintra::kContextualKinds[tmpl].bIsWord;
}

CtxCorpus::CtxCorpus() {
    staartTag = tags.id("STAART");
    staartWord = words.id("STAART");
    emptyWord = words.id("");
}

void CtxCorpus::beginSentence() {
    const int first = size();
    sentenceStarts.push_back(first);
    for (int i = 0; i < 2; ++i) {
        word.push_back(staartWord);
        tag.push_back(staartTag);
        gold.push_back(-1);
        candidate.push_back(0);
        allowed.push_back(-1);
        sentFirst.push_back(first);
        sentLast.push_back(first);
    }
}

void CtxCorpus::addToken(const std::string& w, int tagId, int goldId, bool changeable,
                         const std::vector<std::string>* allowedTags) {
    const int first = sentenceStarts.back();
    word.push_back(words.id(w));
    tag.push_back(tagId);
    gold.push_back(goldId);
    candidate.push_back(changeable && !w.empty() ? 1 : 0);
    if (allowedTags) {
        std::uint64_t mask = 0;
        for (const std::string& t : *allowedTags) {
            const int id = tags.id(t);
            if (id >= 64) throw std::runtime_error("more than 64 tags");
            mask |= std::uint64_t{1} << id;
        }
        allowed.push_back(static_cast<int>(masks.size()));
        masks.push_back(mask);
    } else {
        allowed.push_back(-1);
    }
    sentFirst.push_back(first);
    sentLast.push_back(first);
}

void CtxCorpus::endSentence() {
    const int first = sentenceStarts.back();
    const int last = size() - 1;
    for (int p = first; p <= last; ++p) sentLast[static_cast<std::size_t>(p)] = last;
}

long CtxCorpus::correct() const {
    long n = 0;
    for (std::size_t p = 0; p < tag.size(); ++p)
        if (gold[p] >= 0 && gold[p] == tag[p]) ++n;
    return n;
}

long CtxCorpus::scored() const {
    long n = 0;
    for (int g : gold)
        if (g >= 0) ++n;
    return n;
}

bool ruleHolds(const CtxCorpus& c, int p, int tmpl, int a, int b) {
    const int first = c.sentFirst[static_cast<std::size_t>(p)];
    const int last = c.sentLast[static_cast<std::size_t>(p)];
    auto T = [&](int q) { return c.tag[static_cast<std::size_t>(q)]; };
    auto W = [&](int q) { return c.word[static_cast<std::size_t>(q)]; };
    auto R = [&](int k) { return p + k <= last; };
    auto L = [&](int k) { return p - k >= first; };
    switch (tmpl) {
        case 0: return R(1) && T(p + 1) == a;
        case 1: return R(2) && T(p + 2) == a;
        case 2: return R(1) && (T(p + 1) == a || (R(2) && T(p + 2) == a));
        case 3: return R(1) && (T(p + 1) == a || (R(2) && T(p + 2) == a) || (R(3) && T(p + 3) == a));
        case 4: return L(1) && T(p - 1) == a;
        case 5: return L(2) && T(p - 2) == a;
        case 6: return L(1) && (T(p - 1) == a || (L(2) && T(p - 2) == a));
        case 7: return L(1) && (T(p - 1) == a || (L(2) && T(p - 2) == a) || (L(3) && T(p - 3) == a));
        case 8: return R(1) && W(p + 1) == a;
        case 9: return W(p) == a;
        case 10: return R(2) && W(p + 2) == a;
        case 11: return R(1) && (W(p + 1) == a || (R(2) && W(p + 2) == a));
        case 12: return R(1) && (W(p + 1) == a || (R(2) && W(p + 2) == a) || (R(3) && W(p + 3) == a));
        case 13: return L(1) && W(p - 1) == a;
        case 14: return L(2) && W(p - 2) == a;
        case 15: return L(1) && (W(p - 1) == a || (L(2) && W(p - 2) == a));
        case 16: return L(1) && (W(p - 1) == a || (L(2) && W(p - 2) == a) || (L(3) && W(p - 3) == a));
        case 17: return L(1) && R(1) && T(p - 1) == a && T(p + 1) == b;
        case 18: return L(2) && T(p - 2) == a && T(p - 1) == b;
        case 19: return R(2) && T(p + 1) == a && T(p + 2) == b;
        case 20: return L(1) && W(p - 1) == a && W(p) == b;
        case 21: return L(1) && T(p - 1) == a && W(p) == b;
        case 22: return R(1) && W(p) == a && W(p + 1) == b;
        case 23: return R(1) && W(p) == a && T(p + 1) == b;
        case 24: return L(2) && W(p - 2) == a && W(p) == b;
        case 25: return L(2) && T(p - 2) == a && W(p) == b;
        case 26: return R(2) && W(p) == a && W(p + 2) == b;
        case 27: return R(2) && W(p) == a && T(p + 2) == b;
        default: return false;
    }
}

void applyContextualRule(CtxCorpus& c, const ContextualRule& r, std::vector<TagChange>* changes) {
    const int n = c.size();
    for (int p = 0; p < n; ++p) {
        const std::size_t i = static_cast<std::size_t>(p);
        if (c.tag[i] != r.from || !c.candidate[i] || !c.allowedTo(p, r.to)) continue;
        if (!ruleHolds(c, p, r.tmpl, r.a, r.b)) continue;
        if (changes) changes->push_back({p, c.tag[i]});
        c.tag[i] = r.to;
    }
}

std::string formatContextualRule(const CtxCorpus& c, const ContextualRule& r) {
    std::string line = c.tags.name(r.from) + " " + c.tags.name(r.to) + " " + templateName(r.tmpl);
    for (int slot = 0; slot < templateArgCount(r.tmpl); ++slot) {
        const int v = slot == 0 ? r.a : r.b;
        line += " " + (templateArgIsWord(r.tmpl, slot) ? c.words.name(v) : c.tags.name(v));
    }
    return line;
}

}  // namespace langdata
