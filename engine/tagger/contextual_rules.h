// Contextual rules: "FROM TO NAME A [B]" lines applied in file order to a
// tagged sentence; each rule changes FROM to TO where its condition on the
// neighbouring words and tags holds. A change is seen at once by the tokens
// further right and by every later rule.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "engine/tagger/rule_kinds.h"

namespace zintra {

class Arena;
class Lexicon;
class StringPool;
struct LexiconEntry;
struct Token;

struct ContextualRule {
    const char* from = nullptr;  // interned
    const char* to = nullptr;    // interned
    const char* a = nullptr;     // interned argument (tag or word), or null
    const char* b = nullptr;     // interned second argument, or null
    ContextTest test = ContextTest::None;
    // Index of from among the tags the rule set's rules change (set when the
    // rule set reads the rule); a rule made elsewhere with 0 still applies,
    // by a walk over every token.
    int fromId = 0;
    // Signature bits (see signatureBit) of the words and of the tags that
    // must be in a sentence for the condition to hold anywhere; 0 lets every
    // sentence through.
    uint64_t wordBits = 0;
    uint64_t tagBits = 0;
};

// One bit of a 64-bit signature of interned strings: a sentence whose
// signature lacks a rule's bits holds none of the rule's words (or tags).
inline uint64_t signatureBit(const char* interned) {
    auto v = static_cast<uint64_t>(reinterpret_cast<uintptr_t>(interned));
    return uint64_t{1} << ((v * 0x9E3779B97F4A7C15ULL) >> 58);
}

// Fills the rule's signature bits from its test and arguments.
void computeSignature(ContextualRule& rule);

// The name table: the test of a rule name (exact, case-sensitive), None when
// unknown; *arguments gets how many arguments it takes.
ContextTest contextTestByName(std::string_view name, int* arguments = nullptr);

class ContextualRules;

// The tokens of one sentence (top level, compounds as one token) preceded by
// the two "STAART" tokens, with what the rules read of each. Position 0 and 1
// are the "STAART" tokens; the sentence's tokens follow. Changing a tag here
// changes the token's tag. Tags are compared as pointers: the tag of a token
// that is not fixed must be the data set's pool string (as the tokenizer and
// the rules give them; intern any other tag in the pool first).
class SentenceWindow {
  public:
    SentenceWindow(const ContextualRules& rules, Token* first, Arena& arena);

    int size() const { return size_; }
    const char* tag(int i) const { return slots_[i].tag; }
    Token* token(int i) const { return slots_[i].token; }  // null for the "STAART" positions
    void setTag(int i, const char* internedTag);

    // Whether position i is a candidate of the rule: not fixed, a non-empty
    // word, tagged FROM, and (when its word is in the lexicon) TO among the
    // word's listed tags.
    bool isCandidate(const ContextualRule& rule, int i) const;
    // Whether the rule's condition holds at position i (neighbours only).
    bool holds(const ContextualRule& rule, int i) const;
    // One pass of the rule from left to right; returns the number of changes.
    int applyRule(const ContextualRule& rule);
    // Every rule of the rule set that made the window, in file order, each
    // in one pass.
    void applyRules();

  private:
    struct Slot {
        Token* token;
        const char* tag;
        const char* word;                   // the token's word
        mutable const char* key;            // the pool's copy of word, null if none
        mutable const LexiconEntry* entry;  // the word's lexicon entry, null if unknown
        bool changeable;                    // not fixed and a non-empty word
        mutable bool entryResolved;         // the entry is looked up on first use
    };
    const char* wordKey(int i) const { return slots_[i].key; }
    const LexiconEntry* entryOf(int i) const;
    bool wordIs(int i, const char* interned) const { return i >= 0 && i < size_ && wordKey(i) == interned; }
    bool tagIs(int i, const char* interned) const { return i >= 0 && i < size_ && slots_[i].tag == interned; }
    void markTag(int i, const char* tag, bool set);
    bool tryChange(const ContextualRule& rule, int i);
    // holds() on words already resolved against the pool.
    bool holdsNow(const ContextualRule& rule, int i) const;

    void resolveWords() const;
    void refreshWords() const {
        if (rulesPoolSize() != poolSize_) resolveWords();
    }
    size_t rulesPoolSize() const;
    void countTag(const char* tag, int delta);
    int pass(const ContextualRule& rule);

    const ContextualRules& rules_;
    Slot* slots_;
    int size_;
    mutable size_t poolSize_ = 0;         // strings in the pool when the words were resolved
    mutable uint64_t wordSignature_ = 0;  // of every word of the window that the pool holds
    uint64_t tagSignature_ = 0;           // of every tag the window's positions have now
    uint32_t tagCounts_[64] = {};         // positions per signature bit of their tag
    int words_;                           // 64-bit words per tag mask
    int trackedTags_;                     // tags with a mask (those of the rule set when the window was made)
    uint64_t* masks_;                     // one mask of positions per tracked tag
};

class ContextualRules {
  public:
    ContextualRules(Arena& arena, StringPool& pool, const Lexicon& lexicon);
    ContextualRules(const ContextualRules&) = delete;
    ContextualRules& operator=(const ContextualRules&) = delete;

    // Reads the rule file: once to count the rule lines, once to fill the
    // array. False when it cannot be opened or has no rule line.
    bool load(const std::string& path);
    // Enters the rule lines of text; returns how many there were.
    size_t addLines(std::string_view text);
    // Parses one rule line; false for a comment or empty line.
    bool parseLine(std::string_view line, ContextualRule& rule);

    // Applies every rule in file order to the sentence starting at first.
    void apply(Token* first, Arena& arena) const;

    const std::vector<ContextualRule>& rules() const { return rules_; }
    const Lexicon& lexicon() const { return lexicon_; }
    const StringPool& pool() const { return pool_; }
    const char* staart() const { return staart_; }
    // Index of a tag among those some rule changes (1-based), 0 for any other tag.
    int tagId(const char* internedTag) const;
    int trackedTags() const { return static_cast<int>(tracked_.size()); }

  private:
    void track(ContextualRule& rule);

    Arena& arena_;
    StringPool& pool_;
    const Lexicon& lexicon_;
    const char* staart_;
    std::vector<ContextualRule> rules_;
    // The signature bits of rules_ side by side, so a sentence's pass over
    // the rules it cannot match reads little memory.
    struct Filter {
        uint64_t wordBits, tagBits;
        int fromId;
    };
    std::vector<Filter> filters_;
    friend class SentenceWindow;
    // Rules by a word their condition needs: a sentence only has to look at
    // the rules of its own words and at those that need no word at all.
    void indexRule(size_t r);
    const std::vector<uint32_t>* rulesOfWord(const char* interned) const;
    std::vector<uint64_t> wordlessRules_;  // bit set over rules_
    // The rules that need no word, by the id of their FROM tag (bit sets over
    // rules_, as long as needed): a sentence without a FROM tag, and which no
    // earlier rule gives that tag, has no candidate for them.
    std::vector<std::vector<uint64_t>> wordlessByFrom_;
    std::vector<const char*> wordKeys_;  // open-addressing table of rule words
    std::vector<std::vector<uint32_t>> wordRules_;
    size_t wordCount_ = 0;
    std::vector<const char*> tracked_;  // tags by id - 1
    std::vector<const char*> idKeys_;   // open-addressing table of tracked tags
    std::vector<int> idValues_;
};

}  // namespace zintra
