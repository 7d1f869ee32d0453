#include "engine/tagger/contextual_rules.h"

#include <algorithm>
#include <bit>

#include "engine/text/arena.h"
#include "engine/text/data_file.h"
#include "engine/text/lexicon.h"
#include "engine/text/string_pool.h"
#include "engine/text/token.h"

namespace zintra {

namespace {

size_t pointerHash(const char* p) {
    auto v = reinterpret_cast<uintptr_t>(p);
    return static_cast<size_t>((v >> 2) * 0x9E3779B97F4A7C15ULL >> 32);
}

}  // namespace

ContextTest contextTestByName(std::string_view name, int* arguments) {
    int index = contextualKindIndex(name);
    if (arguments) *arguments = index < 0 ? 0 : kContextualKinds[index].arguments;
    return index < 0 ? ContextTest::None : kContextualKinds[index].test;
}

void computeSignature(ContextualRule& rule) {
    rule.wordBits = rule.tagBits = 0;
    auto word = [&](const char* w) { rule.wordBits |= w ? signatureBit(w) : 0; };
    auto tag = [&](const char* t) { rule.tagBits |= t ? signatureBit(t) : 0; };
    switch (rule.test) {
        case ContextTest::None: break;
        case ContextTest::NextTag:
        case ContextTest::Next2Tag:
        case ContextTest::Next1Or2Tag:
        case ContextTest::Next1Or2Or3Tag:
        case ContextTest::PrevTag:
        case ContextTest::Prev2Tag:
        case ContextTest::Prev1Or2Tag:
        case ContextTest::Prev1Or2Or3Tag: tag(rule.a); break;
        case ContextTest::NextWd:
        case ContextTest::CurWd:
        case ContextTest::Next2Wd:
        case ContextTest::Next1Or2Wd:
        case ContextTest::Next1Or2Or3Wd:
        case ContextTest::PrevWd:
        case ContextTest::Prev2Wd:
        case ContextTest::Prev1Or2Wd:
        case ContextTest::Prev1Or2Or3Wd: word(rule.a); break;
        case ContextTest::SurroundTag:
        case ContextTest::PrevBigram:
        case ContextTest::NextBigram:
            tag(rule.a);
            tag(rule.b);
            break;
        case ContextTest::LBigram:
        case ContextTest::RBigram:
        case ContextTest::WdAnd2Bfr:
        case ContextTest::WdAnd2Aft:
            word(rule.a);
            word(rule.b);
            break;
        case ContextTest::WdPrevTag:
        case ContextTest::WdAnd2TagBfr:
            tag(rule.a);
            word(rule.b);
            break;
        case ContextTest::WdNextTag:
        case ContextTest::WdAnd2TagAft:
            word(rule.a);
            tag(rule.b);
            break;
    }
    // A candidate is tagged FROM, so a sentence without that tag anywhere
    // has no candidate.
    if (rule.test != ContextTest::None) tag(rule.from);
}

// ---------------------------------------------------------------------------
// Rule file

ContextualRules::ContextualRules(Arena& arena, StringPool& pool, const Lexicon& lexicon)
    : arena_(arena), pool_(pool), lexicon_(lexicon), staart_(pool.intern("STAART")) {}

bool ContextualRules::load(const std::string& path) {
    std::string content;
    if (!readDataFile(path, content)) return false;
    size_t count = 0;
    forEachLine(content, [&](std::string_view line) {
        if (!isSkippedLine(line, "#")) ++count;
    });
    if (count == 0) return false;
    rules_.reserve(rules_.size() + count);
    filters_.reserve(filters_.size() + count);
    addLines(content);
    return true;
}

size_t ContextualRules::addLines(std::string_view text) {
    size_t count = 0;
    forEachLine(text, [&](std::string_view line) {
        ContextualRule rule;
        if (!parseLine(line, rule)) return;
        rules_.push_back(rule);
        filters_.push_back(Filter{rule.wordBits, rule.tagBits, rule.fromId});
        indexRule(rules_.size() - 1);
        ++count;
    });
    return count;
}

bool ContextualRules::parseLine(std::string_view line, ContextualRule& rule) {
    line = line.substr(0, line.find('\0'));
    size_t skip = 0;
    while (skip < line.size() && static_cast<unsigned char>(line[skip]) >= 1 &&
           static_cast<unsigned char>(line[skip]) <= 32)
        ++skip;
    line = line.substr(skip);
    if (isSkippedLine(line, "#")) return false;
    std::vector<std::string_view> fields;
    splitFields(line, fields);
    rule = ContextualRule{};
    if (fields.size() >= 1) rule.from = pool_.intern(fields[0]);
    if (fields.size() >= 2) rule.to = pool_.intern(fields[1]);
    int arguments = 0;
    ContextTest test = fields.size() >= 3 ? contextTestByName(fields[2], &arguments) : ContextTest::None;
    if (fields.size() >= 4) rule.a = pool_.intern(fields[3]);
    if (fields.size() >= 5) rule.b = pool_.intern(fields[4]);
    // A rule without all its fields is kept in its place but never applies.
    if (test != ContextTest::None && fields.size() >= 3 + static_cast<size_t>(arguments)) rule.test = test;
    track(rule);
    return true;
}

void ContextualRules::track(ContextualRule& rule) {
    if (rule.test == ContextTest::None) return;
    computeSignature(rule);
    if (int id = tagId(rule.from)) {
        rule.fromId = id;
        return;
    }
    tracked_.push_back(rule.from);
    rule.fromId = static_cast<int>(tracked_.size());
    // Rebuild the open-addressing index at twice to four times the tag count.
    size_t capacity = 16;
    while (capacity < tracked_.size() * 2) capacity *= 2;
    idKeys_.assign(capacity, nullptr);
    idValues_.assign(capacity, 0);
    for (size_t i = 0; i < tracked_.size(); ++i) {
        size_t slot = pointerHash(tracked_[i]) & (capacity - 1);
        while (idKeys_[slot]) slot = (slot + 1) & (capacity - 1);
        idKeys_[slot] = tracked_[i];
        idValues_[slot] = static_cast<int>(i + 1);
    }
}

namespace {

// The first word a rule's condition compares with a token's word, or null
// for a rule that tests tags only.
const char* neededWord(const ContextualRule& rule) {
    switch (rule.test) {
        case ContextTest::NextWd:
        case ContextTest::CurWd:
        case ContextTest::Next2Wd:
        case ContextTest::Next1Or2Wd:
        case ContextTest::Next1Or2Or3Wd:
        case ContextTest::PrevWd:
        case ContextTest::Prev2Wd:
        case ContextTest::Prev1Or2Wd:
        case ContextTest::Prev1Or2Or3Wd:
        case ContextTest::LBigram:
        case ContextTest::RBigram:
        case ContextTest::WdAnd2Bfr:
        case ContextTest::WdAnd2Aft:
        case ContextTest::WdNextTag:
        case ContextTest::WdAnd2TagAft: return rule.a;
        case ContextTest::WdPrevTag:
        case ContextTest::WdAnd2TagBfr: return rule.b;
        default: return nullptr;
    }
}

}  // namespace

void ContextualRules::indexRule(size_t r) {
    size_t words = (rules_.size() + 63) / 64;
    if (wordlessRules_.size() < words) wordlessRules_.resize(words, 0);
    const ContextualRule& rule = rules_[r];
    if (rule.test == ContextTest::None) return;
    const char* word = neededWord(rule);
    if (!word) {
        wordlessRules_[r / 64] |= uint64_t{1} << (r % 64);
        size_t id = static_cast<size_t>(rule.fromId);
        if (wordlessByFrom_.size() <= id) wordlessByFrom_.resize(id + 1);
        std::vector<uint64_t>& set = wordlessByFrom_[id];
        if (set.size() <= r / 64) set.resize(r / 64 + 1, 0);
        set[r / 64] |= uint64_t{1} << (r % 64);
        return;
    }
    if ((wordCount_ + 1) * 2 > wordKeys_.size()) {
        // Grow the table of words to keep it at most half full.
        std::vector<const char*> keys(wordKeys_.empty() ? 64 : wordKeys_.size() * 2, nullptr);
        std::vector<std::vector<uint32_t>> lists(keys.size());
        for (size_t i = 0; i < wordKeys_.size(); ++i) {
            if (!wordKeys_[i]) continue;
            size_t slot = pointerHash(wordKeys_[i]) & (keys.size() - 1);
            while (keys[slot]) slot = (slot + 1) & (keys.size() - 1);
            keys[slot] = wordKeys_[i];
            lists[slot] = std::move(wordRules_[i]);
        }
        wordKeys_ = std::move(keys);
        wordRules_ = std::move(lists);
    }
    size_t mask = wordKeys_.size() - 1;
    size_t slot = pointerHash(word) & mask;
    while (wordKeys_[slot] && wordKeys_[slot] != word) slot = (slot + 1) & mask;
    if (!wordKeys_[slot]) {
        wordKeys_[slot] = word;
        ++wordCount_;
    }
    wordRules_[slot].push_back(static_cast<uint32_t>(r));
}

const std::vector<uint32_t>* ContextualRules::rulesOfWord(const char* interned) const {
    if (wordKeys_.empty() || !interned) return nullptr;
    size_t mask = wordKeys_.size() - 1;
    for (size_t slot = pointerHash(interned) & mask; wordKeys_[slot]; slot = (slot + 1) & mask)
        if (wordKeys_[slot] == interned) return &wordRules_[slot];
    return nullptr;
}

int ContextualRules::tagId(const char* internedTag) const {
    if (idKeys_.empty() || !internedTag) return 0;
    size_t mask = idKeys_.size() - 1;
    for (size_t slot = pointerHash(internedTag) & mask; idKeys_[slot]; slot = (slot + 1) & mask)
        if (idKeys_[slot] == internedTag) return idValues_[slot];
    return 0;
}

void ContextualRules::apply(Token* first, Arena& arena) const {
    if (!first || rules_.empty()) return;
    SentenceWindow window(*this, first, arena);
    window.applyRules();
}

// ---------------------------------------------------------------------------
// Sentence window

SentenceWindow::SentenceWindow(const ContextualRules& rules, Token* first, Arena& arena) : rules_(rules) {
    size_ = tokenCount(first) + 2;
    slots_ = static_cast<Slot*>(arena.allocate(sizeof(Slot) * static_cast<size_t>(size_)));
    const char* staart = rules.staart();
    for (int i = 0; i < 2; ++i) slots_[i] = Slot{nullptr, staart, staart, staart, nullptr, true, false};
    const StringPool& pool = rules.pool();
    int i = 2;
    for (Token* t = first; t; t = t->next, ++i) {
        // Tags are compared as pointers. The tagger gives every token that is
        // not fixed a tag of the pool; a fixed token's tag may have been
        // written elsewhere, so it is taken as the pool's copy when there is one.
        const char* tag = t->tag ? t->tag : kEmptyWord;
        if (t->fixed)
            if (const char* interned = pool.find(tag)) tag = interned;
        const char* word = t->word ? t->word : kEmptyWord;
        slots_[i] = Slot{t, tag, word, nullptr, nullptr, !t->fixed && word[0] != '\0', false};
    }
    resolveWords();
    for (int k = 0; k < size_; ++k) countTag(slots_[k].tag, 1);
    words_ = (size_ + 63) / 64;
    trackedTags_ = rules.trackedTags();
    size_t maskWords = static_cast<size_t>(words_) * static_cast<size_t>(trackedTags_);
    masks_ = maskWords ? arena.makeArray<uint64_t>(maskWords) : nullptr;
    for (int k = 0; k < size_; ++k)
        if (slots_[k].changeable) markTag(k, slots_[k].tag, true);
}

void SentenceWindow::markTag(int i, const char* tag, bool set) {
    int id = rules_.tagId(tag);
    if (id == 0 || id > trackedTags_) return;
    uint64_t& word = masks_[static_cast<size_t>(id - 1) * static_cast<size_t>(words_) + static_cast<size_t>(i / 64)];
    uint64_t bit = uint64_t{1} << (i % 64);
    word = set ? (word | bit) : (word & ~bit);
}

size_t SentenceWindow::rulesPoolSize() const { return rules_.pool().size(); }

void SentenceWindow::resolveWords() const {
    // Words are compared as the pool's pointers; a word the pool does not
    // hold equals no rule word. Rules read later may add words to the pool,
    // so the words are resolved again when the pool has grown.
    const StringPool& pool = rules_.pool();
    poolSize_ = pool.size();
    wordSignature_ = 0;
    for (int i = 0; i < size_; ++i) {
        slots_[i].key = pool.find(slots_[i].word);
        if (slots_[i].key) wordSignature_ |= signatureBit(slots_[i].key);
    }
}

void SentenceWindow::countTag(const char* tag, int delta) {
    uint64_t bit = signatureBit(tag);
    uint32_t& count = tagCounts_[std::countr_zero(bit)];
    count = static_cast<uint32_t>(static_cast<int64_t>(count) + delta);
    tagSignature_ = count ? (tagSignature_ | bit) : (tagSignature_ & ~bit);
}

void SentenceWindow::setTag(int i, const char* internedTag) {
    Slot& s = slots_[i];
    countTag(s.tag, -1);
    countTag(internedTag, 1);
    if (s.changeable) {
        markTag(i, s.tag, false);
        markTag(i, internedTag, true);
    }
    s.tag = internedTag;
    if (s.token) s.token->tag = internedTag;
}

const LexiconEntry* SentenceWindow::entryOf(int i) const {
    const Slot& s = slots_[i];
    if (!s.entryResolved) {
        s.entry = rules_.lexicon().lookup(s.word);
        s.entryResolved = true;
    }
    return s.entry;
}

bool SentenceWindow::isCandidate(const ContextualRule& rule, int i) const {
    const Slot& s = slots_[i];
    if (!s.changeable || s.tag != rule.from) return false;
    const LexiconEntry* entry = entryOf(i);
    return !entry || entry->hasTag(rule.to);
}

bool SentenceWindow::holds(const ContextualRule& rule, int i) const {
    refreshWords();
    return holdsNow(rule, i);
}

bool SentenceWindow::holdsNow(const ContextualRule& rule, int i) const {
    const char* a = rule.a;
    const char* b = rule.b;
    switch (rule.test) {
        case ContextTest::None: return false;
        case ContextTest::NextTag: return tagIs(i + 1, a);
        case ContextTest::Next2Tag: return tagIs(i + 2, a);
        case ContextTest::Next1Or2Tag: return tagIs(i + 1, a) || tagIs(i + 2, a);
        case ContextTest::Next1Or2Or3Tag: return tagIs(i + 1, a) || tagIs(i + 2, a) || tagIs(i + 3, a);
        case ContextTest::PrevTag: return tagIs(i - 1, a);
        case ContextTest::Prev2Tag: return tagIs(i - 2, a);
        case ContextTest::Prev1Or2Tag: return tagIs(i - 1, a) || tagIs(i - 2, a);
        case ContextTest::Prev1Or2Or3Tag: return tagIs(i - 1, a) || tagIs(i - 2, a) || tagIs(i - 3, a);
        case ContextTest::NextWd: return wordIs(i + 1, a);
        case ContextTest::CurWd: return wordIs(i, a);
        case ContextTest::Next2Wd: return wordIs(i + 2, a);
        case ContextTest::Next1Or2Wd: return wordIs(i + 1, a) || wordIs(i + 2, a);
        case ContextTest::Next1Or2Or3Wd: return wordIs(i + 1, a) || wordIs(i + 2, a) || wordIs(i + 3, a);
        case ContextTest::PrevWd: return wordIs(i - 1, a);
        case ContextTest::Prev2Wd: return wordIs(i - 2, a);
        case ContextTest::Prev1Or2Wd: return wordIs(i - 1, a) || wordIs(i - 2, a);
        case ContextTest::Prev1Or2Or3Wd: return wordIs(i - 1, a) || wordIs(i - 2, a) || wordIs(i - 3, a);
        case ContextTest::SurroundTag: return tagIs(i - 1, a) && tagIs(i + 1, b);
        case ContextTest::PrevBigram: return tagIs(i - 2, a) && tagIs(i - 1, b);
        case ContextTest::NextBigram: return tagIs(i + 1, a) && tagIs(i + 2, b);
        case ContextTest::LBigram: return wordIs(i - 1, a) && wordIs(i, b);
        case ContextTest::WdPrevTag: return tagIs(i - 1, a) && wordIs(i, b);
        case ContextTest::RBigram: return wordIs(i, a) && wordIs(i + 1, b);
        case ContextTest::WdNextTag: return wordIs(i, a) && tagIs(i + 1, b);
        case ContextTest::WdAnd2Bfr: return wordIs(i - 2, a) && wordIs(i, b);
        case ContextTest::WdAnd2TagBfr: return tagIs(i - 2, a) && wordIs(i, b);
        case ContextTest::WdAnd2Aft: return wordIs(i, a) && wordIs(i + 2, b);
        case ContextTest::WdAnd2TagAft: return wordIs(i, a) && tagIs(i + 2, b);
    }
    return false;
}

bool SentenceWindow::tryChange(const ContextualRule& rule, int i) {
    // The condition is tested before the lexicon restriction: both must
    // hold, and most candidates fail the cheaper condition.
    if (!holdsNow(rule, i)) return false;
    const LexiconEntry* entry = entryOf(i);
    if (entry && !entry->hasTag(rule.to)) return false;
    setTag(i, rule.to);
    return true;
}

int SentenceWindow::applyRule(const ContextualRule& rule) {
    if (rule.test == ContextTest::None) return 0;
    refreshWords();
    return pass(rule);
}

void SentenceWindow::applyRules() {
    refreshWords();
    const std::vector<ContextualRule>& rules = rules_.rules_;
    const ContextualRules::Filter* filters = rules_.filters_.data();
    // The rules that can act here: those whose word is one of the window's,
    // and those that need no word and find their FROM tag at a position that
    // may change, now or once an earlier rule has given a position that tag.
    // The others cannot hold anywhere.
    const size_t words = rules_.wordlessRules_.size();
    uint64_t stackSet[64];
    std::vector<uint64_t> heapSet;
    uint64_t* set = stackSet;
    if (words > 64) {
        heapSet.resize(words);
        set = heapSet.data();
    }
    std::fill_n(set, words, uint64_t{0});
    const auto& byFrom = rules_.wordlessByFrom_;
    // Adds the wordless rules of FROM tag id from rule `after` on.
    auto addWordless = [&](int id, size_t after) {
        if (id <= 0 || static_cast<size_t>(id) >= byFrom.size()) return;
        const std::vector<uint64_t>& rulesOfTag = byFrom[static_cast<size_t>(id)];
        for (size_t w = after / 64; w < rulesOfTag.size(); ++w) {
            uint64_t bits = rulesOfTag[w];
            if (w == after / 64) bits &= ~uint64_t{0} << (after % 64);
            set[w] |= bits;
        }
    };
    for (int id = 1; id <= trackedTags_; ++id) {
        const uint64_t* mask = masks_ + static_cast<size_t>(id - 1) * static_cast<size_t>(words_);
        if (std::any_of(mask, mask + words_, [](uint64_t m) { return m != 0; })) addWordless(id, 0);
    }
    for (int i = 0; i < size_; ++i) {
        const std::vector<uint32_t>* list = rules_.rulesOfWord(slots_[i].key);
        if (!list) continue;
        for (uint32_t r : *list) set[r / 64] |= uint64_t{1} << (r % 64);
    }
    for (size_t w = 0; w < words; ++w) {
        for (uint64_t bits = set[w]; bits; bits &= bits - 1) {
            size_t r = w * 64 + static_cast<size_t>(std::countr_zero(bits));
            const ContextualRules::Filter& f = filters[r];
            if ((wordSignature_ & f.wordBits) != f.wordBits || (tagSignature_ & f.tagBits) != f.tagBits) continue;
            // No position tagged FROM that may change: nothing to try (the
            // rule itself stays unread).
            if (f.fromId > 0 && f.fromId <= trackedTags_) {
                const uint64_t* mask = masks_ + static_cast<size_t>(f.fromId - 1) * static_cast<size_t>(words_);
                if (std::all_of(mask, mask + words_, [](uint64_t m) { return m == 0; })) continue;
            }
            if (pass(rules[r]) == 0) continue;
            // Positions now have the rule's TO tag: the later wordless rules
            // of that FROM tag join (those of this word as well).
            addWordless(rules_.tagId(rules[r].to), r + 1);
            bits |= set[w] & (r % 64 == 63 ? 0 : ~uint64_t{0} << (r % 64 + 1));
        }
    }
}

int SentenceWindow::pass(const ContextualRule& rule) {
    // A sentence without the rule's words, or without its tags at the
    // moment, cannot satisfy the condition anywhere.
    if ((wordSignature_ & rule.wordBits) != rule.wordBits) return 0;
    if ((tagSignature_ & rule.tagBits) != rule.tagBits) return 0;
    int changes = 0;
    if (rule.fromId <= 0 || rule.fromId > trackedTags_) {
        // A rule made outside the rule set (its FROM tag has no mask): walk
        // every position.
        for (int i = 0; i < size_; ++i)
            if (slots_[i].changeable && slots_[i].tag == rule.from && tryChange(rule, i)) ++changes;
        return changes;
    }
    uint64_t* mask = masks_ + static_cast<size_t>(rule.fromId - 1) * static_cast<size_t>(words_);
    for (int w = 0; w < words_; ++w) {
        // A change at a position clears only that position's bit, so the
        // copy taken here still lists every later candidate.
        uint64_t bits = mask[w];
        while (bits) {
            int i = w * 64 + std::countr_zero(bits);
            bits &= bits - 1;
            if (tryChange(rule, i)) ++changes;
        }
    }
    return changes;
}

}  // namespace zintra
