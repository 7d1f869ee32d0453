// Contextual rules over a tagged corpus held as arrays of ids: the 28 rule
// kinds, their text form, and their application with the engine's semantics
// (rules in file order; a pass walks each sentence left to right and a change
// is seen at once by the tokens further right; a word in the lexicon only
// takes a tag the lexicon lists for it; two "STAART" tokens stand before
// every sentence; compound tokens, whose word is empty, are never changed).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tools/langdata/tag_set.h"

namespace langdata {

constexpr int kTemplateCount = 28;
const char* templateName(int tmpl);
int templateByName(const std::string& name);
int templateArgCount(int tmpl);
bool templateArgIsWord(int tmpl, int slot);  // slot 0 = A, 1 = B

struct ContextualRule {
    int from = 0;
    int to = 0;
    int tmpl = 0;
    int a = 0;  // tag id or word id, by the template's slot kind
    int b = 0;
};

// The corpus: every sentence is two STAART positions followed by its tokens
// (a compound counts as one token with an empty word).
struct CtxCorpus {
    Vocabulary tags;
    Vocabulary words;
    int staartTag = -1;
    int staartWord = -1;
    int emptyWord = -1;

    std::vector<int> word;
    std::vector<int> tag;
    std::vector<int> gold;                // -1 where nothing is scored (STAART, compounds)
    std::vector<std::uint8_t> candidate;  // a rule may change this position
    std::vector<int> allowed;             // index into masks, or -1 for a word not in the lexicon
    std::vector<std::uint64_t> masks;
    std::vector<int> sentFirst;       // per position: first position of its sentence
    std::vector<int> sentLast;        // per position: last position of its sentence
    std::vector<int> sentenceStarts;  // first position of every sentence

    CtxCorpus();
    // Starts a sentence (adds the two STAART positions).
    void beginSentence();
    // Adds a token; allowedTags == nullptr for a word not in the lexicon.
    void addToken(const std::string& w, int tagId, int goldId, bool changeable,
                  const std::vector<std::string>* allowedTags);
    void endSentence();
    int size() const { return static_cast<int>(word.size()); }
    bool allowedTo(int p, int t) const {
        return allowed[static_cast<std::size_t>(p)] < 0 ||
               ((masks[static_cast<std::size_t>(allowed[static_cast<std::size_t>(p)])] >> t) & 1u) != 0;
    }
    long correct() const;
    long scored() const;
};

bool ruleHolds(const CtxCorpus& c, int p, int tmpl, int a, int b);

// Calls emit(tmpl, a, b) for every instantiation of every template that
// holds at position p (each distinct one once).
template <typename Emit>
void forEachInstantiation(const CtxCorpus& c, int p, Emit&& emit);

struct TagChange {
    int position;
    int oldTag;
};
// Applies one rule to the whole corpus; records what changed.
void applyContextualRule(CtxCorpus& c, const ContextualRule& r, std::vector<TagChange>* changes);

std::string formatContextualRule(const CtxCorpus& c, const ContextualRule& r);

}  // namespace langdata

#include "tools/langdata/contextual_templates.inl"
