#include "tools/langdata/tagging_corpus.h"

namespace langdata {
namespace {

std::string tagOf(const TaggerModel& model, const std::string& word) {
    if (const auto* tags = model.lexicon->find(word)) return tags->empty() ? std::string("NN") : tags->front();
    LexicalContext context;
    context.known = [&](const std::string& w) { return model.lexicon->known(w); };
    context.bigrams = model.bigrams;
    static const std::vector<LexicalRule> none;
    return guessTag(model.lexicalRules ? *model.lexicalRules : none, word, context);
}

}  // namespace

std::string initialTag(const TaggerModel& model, const std::string& word, std::size_t index) {
    const std::string tag = tagOf(model, word);
    if (index != 0 || word.empty()) return tag;
    std::string other = word;
    const char c = word[0];
    if (c >= 'A' && c <= 'Z') {
        if (model.lexicon->known(word)) return tag;
        other[0] = static_cast<char>(c - 'A' + 'a');
    } else if (c >= 'a' && c <= 'z') {
        other[0] = static_cast<char>(c - 'a' + 'A');
    } else {
        return tag;
    }
    const std::string second = tagOf(model, other);
    return !second.empty() && second[0] == 'V' ? second : tag;
}

void buildTaggingCorpus(const std::vector<TreebankSentence>& sentences, const TaggerModel& model, CtxCorpus& corpus,
                        CorpusInfo& info) {
    for (const TreebankSentence& sentence : sentences) {
        const std::vector<Word> tokens = goldWords(sentence);
        std::vector<std::string> forms;
        for (const Word& w : tokens) forms.push_back(w.form);
        std::vector<std::string> initial;
        for (std::size_t i = 0; i < tokens.size(); ++i) initial.push_back(initialTag(model, forms[i], i));

        corpus.beginSentence();
        info.known.resize(static_cast<std::size_t>(corpus.size()), 0);
        auto& slots = info.sentences.emplace_back();
        for (std::size_t i = 0; i < tokens.size();) {
            std::string compoundTag;
            const std::size_t span = model.compounds ? model.compounds->match(forms, i, &compoundTag) : 0;
            if (span >= 2) {
                for (std::size_t k = i; k < i + span; ++k) {
                    info.members.add(model.lexicon->known(forms[k]), initial[k] == tokens[k].tag);
                    slots.push_back({forms[k], -1, initial[k]});
                }
                corpus.addToken("", corpus.tags.id(compoundTag), -1, false, nullptr);
                info.known.push_back(1);
                i += span;
                continue;
            }
            const auto* allowed = model.lexicon->find(forms[i]);
            slots.push_back({forms[i], corpus.size(), ""});
            corpus.addToken(forms[i], corpus.tags.id(initial[i]), corpus.tags.id(tokens[i].tag), true, allowed);
            info.known.push_back(allowed != nullptr);
            ++i;
        }
        corpus.endSentence();
    }
}

std::vector<std::vector<Word>> taggedWords(const CtxCorpus& corpus, const CorpusInfo& info) {
    std::vector<std::vector<Word>> out;
    for (const auto& slots : info.sentences) {
        auto& words = out.emplace_back();
        for (const auto& slot : slots)
            words.push_back({slot.word, slot.position < 0
                                            ? slot.fixedTag
                                            : corpus.tags.name(corpus.tag[static_cast<std::size_t>(slot.position)])});
    }
    return out;
}

Accuracy scoreCorpus(const CtxCorpus& corpus, const CorpusInfo& info) {
    Accuracy acc = info.members;
    for (int p = 0; p < corpus.size(); ++p) {
        const std::size_t i = static_cast<std::size_t>(p);
        if (corpus.gold[i] < 0) continue;
        acc.add(info.known[i] != 0, corpus.gold[i] == corpus.tag[i]);
    }
    return acc;
}

Accuracy baselineAccuracy(const std::vector<TreebankSentence>& sentences, const Lexicon& lexicon) {
    Accuracy acc;
    for (const TreebankSentence& sentence : sentences) {
        for (const Word& w : goldWords(sentence)) {
            const auto* tags = lexicon.find(w.form);
            const std::string tag = tags ? (tags->empty() ? std::string("NN") : tags->front()) : initialGuess(w.form);
            acc.add(tags != nullptr, tag == w.tag);
        }
    }
    return acc;
}

ContextualRule translateRule(const CtxCorpus& from, CtxCorpus& to, const ContextualRule& rule) {
    ContextualRule r = rule;
    r.from = to.tags.id(from.tags.name(rule.from));
    r.to = to.tags.id(from.tags.name(rule.to));
    auto arg = [&](int slot, int v) {
        return templateArgIsWord(rule.tmpl, slot) ? to.words.id(from.words.name(v)) : to.tags.id(from.tags.name(v));
    };
    r.a = arg(0, rule.a);
    r.b = templateArgCount(rule.tmpl) > 1 ? arg(1, rule.b) : 0;
    return r;
}

}  // namespace langdata
