// Contextual rules: their effect with the engine's semantics, and the
// learner on corpora with planted errors.
#include <gtest/gtest.h>

#include <random>
#include <set>
#include <sstream>
#include <tuple>

#include "tools/langdata/contextual_learner.h"
#include "tools/langdata/contextual_rules.h"

namespace langdata {
namespace {

struct Tok {
    std::string word, tag, gold;
    const std::vector<std::string>* allowed = nullptr;
};

void addSentence(CtxCorpus& c, const std::vector<Tok>& toks) {
    c.beginSentence();
    for (const Tok& t : toks)
        c.addToken(t.word, c.tags.id(t.tag), t.gold.empty() ? -1 : c.tags.id(t.gold), true, t.allowed);
    c.endSentence();
}

std::vector<std::string> tagsOf(const CtxCorpus& c, int sentence) {
    std::vector<std::string> out;
    const int first = c.sentenceStarts[static_cast<std::size_t>(sentence)];
    for (int p = first + 2; p <= c.sentLast[static_cast<std::size_t>(first)]; ++p)
        out.push_back(c.tags.name(c.tag[static_cast<std::size_t>(p)]));
    return out;
}

ContextualRule rule(CtxCorpus& c, const std::string& from, const std::string& to, const std::string& name,
                    const std::string& a, const std::string& b = "") {
    ContextualRule r;
    r.from = c.tags.id(from);
    r.to = c.tags.id(to);
    r.tmpl = templateByName(name);
    auto arg = [&](int slot, const std::string& v) {
        return templateArgIsWord(r.tmpl, slot) ? c.words.id(v) : c.tags.id(v);
    };
    r.a = arg(0, a);
    r.b = templateArgCount(r.tmpl) > 1 ? arg(1, b) : 0;
    return r;
}

TEST(ContextualRules, AChangeIsSeenByTheNextTokenInTheSamePass) {
    CtxCorpus c;
    addSentence(c, {{"a", "NN", "NN"}, {"b", "NN", "NN"}, {"c", "NN", "NN"}});
    applyContextualRule(c, rule(c, "NN", "JJ", "PREVTAG", "NN"), nullptr);
    EXPECT_EQ(tagsOf(c, 0), (std::vector<std::string>{"NN", "JJ", "NN"}));
}

TEST(ContextualRules, SentenceStartAndEnd) {
    CtxCorpus c;
    addSentence(c, {{"run", "NN", ""}, {"home", "NN", ""}, {".", ".", ""}});
    applyContextualRule(c, rule(c, "NN", "VB", "PREVTAG", "STAART"), nullptr);
    applyContextualRule(c, rule(c, "NN", "RB", "NEXTTAG", "."), nullptr);
    EXPECT_EQ(tagsOf(c, 0), (std::vector<std::string>{"VB", "RB", "."}));
    // Two STAART tokens: PREV2TAG STAART holds for the first and the second
    // token, PREV1OR2OR3TAG looks no further than they do.
    CtxCorpus d;
    addSentence(d, {{"x", "NN", ""}, {"y", "NN", ""}, {"z", "NN", ""}, {"w", "NN", ""}});
    applyContextualRule(d, rule(d, "NN", "JJ", "PREV2TAG", "STAART"), nullptr);
    EXPECT_EQ(tagsOf(d, 0), (std::vector<std::string>{"JJ", "JJ", "NN", "NN"}));
    // NEXT2TAG never holds for the last two tokens.
    CtxCorpus e;
    addSentence(e, {{"x", "NN", ""}, {"y", "NN", ""}, {"z", "NN", ""}});
    applyContextualRule(e, rule(e, "NN", "VB", "NEXT2TAG", "NN"), nullptr);
    EXPECT_EQ(tagsOf(e, 0), (std::vector<std::string>{"VB", "NN", "NN"}));
}

TEST(ContextualRules, TheLexiconRestrictsTheNewTag) {
    const std::vector<std::string> runTags{"VB", "VBP"};
    const std::vector<std::string> walkTags{"VB", "NN"};
    CtxCorpus c;
    addSentence(c, {{"the", "DT", ""}, {"run", "VB", "", &runTags}});
    addSentence(c, {{"the", "DT", ""}, {"walk", "VB", "", &walkTags}});
    addSentence(c, {{"the", "DT", ""}, {"zorp", "VB", "", nullptr}});
    applyContextualRule(c, rule(c, "VB", "NN", "PREVTAG", "DT"), nullptr);
    EXPECT_EQ(tagsOf(c, 0)[1], "VB");
    EXPECT_EQ(tagsOf(c, 1)[1], "NN");
    EXPECT_EQ(tagsOf(c, 2)[1], "NN");  // not in the lexicon: anything goes
}

TEST(ContextualRules, WordTemplatesAndTheirText) {
    CtxCorpus c;
    addSentence(c, {{"I", "PRP", ""}, {"can", "MD", ""}, {"can", "MD", ""}, {"it", "PRP", ""}});
    const ContextualRule r = rule(c, "MD", "VB", "WDAND2TAGBFR", "PRP", "can");
    EXPECT_EQ(formatContextualRule(c, r), "MD VB WDAND2TAGBFR PRP can");
    applyContextualRule(c, r, nullptr);
    EXPECT_EQ(tagsOf(c, 0), (std::vector<std::string>{"PRP", "MD", "VB", "PRP"}));
    applyContextualRule(c, rule(c, "MD", "NN", "LBIGRAM", "I", "can"), nullptr);
    EXPECT_EQ(tagsOf(c, 0)[1], "NN");
}

// Every instantiation made at a position holds there, and the number of
// them matches a brute-force check of the position's rules.
TEST(ContextualRules, InstantiationsAreExactlyTheRulesThatHold) {
    CtxCorpus c;
    addSentence(c, {{"a", "DT", ""}, {"a", "NN", ""}, {"", "NN", ""}, {"b", "DT", ""}, {"c", "NN", ""}});
    for (int p = 2; p < c.size(); ++p) {
        std::set<std::tuple<int, int, int>> seen;
        forEachInstantiation(c, p, [&](int tmpl, int a, int b) {
            EXPECT_TRUE(ruleHolds(c, p, tmpl, a, b)) << templateName(tmpl) << " at " << p;
            EXPECT_TRUE(seen.insert({tmpl, a, b}).second) << "twice: " << templateName(tmpl);
        });
        // Brute force: every rule of every template with every argument.
        std::size_t holding = 0;
        for (int t = 0; t < kTemplateCount; ++t) {
            auto limit = [&](int slot) {
                if (slot >= templateArgCount(t)) return 1;
                return templateArgIsWord(t, slot) ? c.words.size() : c.tags.size();
            };
            auto writable = [&](int slot, int v) {
                return slot >= templateArgCount(t) || !templateArgIsWord(t, slot) || v != c.emptyWord;
            };
            for (int a = 0; a < limit(0); ++a)
                for (int b = 0; b < limit(1); ++b)
                    if (writable(0, a) && writable(1, b) && ruleHolds(c, p, t, a, b)) ++holding;
        }
        EXPECT_EQ(seen.size(), holding) << "position " << p;
    }
}

// A corpus where "walk" after "the" is tagged VB but should be NN, and the
// rest is right: the learner must find the rule that fixes exactly that.
TEST(ContextualLearner, FindsTheRuleForAPlantedError) {
    const std::vector<std::string> walkTags{"VB", "NN"};
    CtxCorpus c;
    for (int i = 0; i < 6; ++i) {
        addSentence(c, {{"the", "DT", "DT"}, {"walk", "VB", "NN", &walkTags}, {"was", "VBD", "VBD"}});
        addSentence(c, {{"we", "PRP", "PRP"}, {"walk", "VB", "VBP", &walkTags}, {"home", "NN", "NN"}});
        addSentence(c, {{"to", "TO", "TO"}, {"walk", "VB", "VB", &walkTags}});
    }
    ContextualLearnerOptions options;
    options.checkCounts = true;
    const ContextualLearnerResult r = learnContextualRules(c, options);
    ASSERT_FALSE(r.rules.empty());
    const ContextualRule& first = r.rules[0];
    EXPECT_EQ(c.tags.name(first.from), "VB");
    EXPECT_EQ(c.tags.name(first.to), "NN");
    EXPECT_EQ(r.gains[0], 6);
    EXPECT_EQ(r.countMismatches, 0);
    // "walk" cannot become VBP: the lexicon does not list it, so the VBP
    // errors stay and no rule claims them.
    EXPECT_EQ(r.correctAfter, r.scored - 6);
    EXPECT_EQ(r.rules.size(), 1u);
}

// On a random corpus the counts kept incrementally always equal a fresh
// count, and replaying the learned rules on the untouched corpus gives the
// accuracy the learner reported (its own effect is computed exactly).
TEST(ContextualLearner, IncrementalCountsAndReplayAgree) {
    std::mt19937 rng(7);
    const std::vector<std::string> tags{"NN", "VB", "JJ", "DT", "IN"};
    const std::vector<std::string> words{"a", "b", "c", "d", "e", "f"};
    std::vector<std::vector<std::string>> lexTags(words.size());
    for (std::size_t w = 0; w < words.size(); ++w)
        for (const std::string& t : tags)
            if (rng() % 2) lexTags[w].push_back(t);
    auto build = [&](CtxCorpus& c) {
        std::mt19937 r(11);
        for (int s = 0; s < 150; ++s) {
            std::vector<Tok> toks;
            const int n = 2 + static_cast<int>(r() % 6);
            for (int i = 0; i < n; ++i) {
                const std::size_t w = r() % words.size();
                const bool known = w != 0;
                toks.push_back(
                    {words[w], tags[r() % tags.size()], tags[r() % tags.size()], known ? &lexTags[w] : nullptr});
            }
            addSentence(c, toks);
        }
    };
    CtxCorpus learned, fresh;
    build(learned);
    build(fresh);
    ContextualLearnerOptions options;
    options.checkCounts = true;
    options.minScore = 1;
    const ContextualLearnerResult r = learnContextualRules(learned, options);
    EXPECT_GT(r.rules.size(), 3u);
    EXPECT_EQ(r.countMismatches, 0);
    EXPECT_GT(r.correctAfter, r.correctBefore);
    for (const ContextualRule& rule : r.rules) applyContextualRule(fresh, rule, nullptr);
    EXPECT_EQ(fresh.correct(), r.correctAfter);
    long sum = 0;
    for (int g : r.gains) sum += g;
    EXPECT_EQ(r.correctBefore + sum, r.correctAfter);
}

}  // namespace
}  // namespace langdata
