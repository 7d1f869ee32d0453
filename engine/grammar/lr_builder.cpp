// Canonical LR(1) construction.
//
// An item is a core (rule, dot) with a set of look-ahead terminals, held as a
// bit set over the grammar's terminals. A state is identified by its kernel
// (the items with the dot past the start, or the start items of the initial
// state): the closure adds only items with the dot at 0, so two states with
// the same kernel have the same contents and the other way round. States with
// equal cores but different look-aheads stay different states (no merging).
//
// The closure is computed from one precomputed closure per non-terminal B:
// the closure of B's items with the single look-ahead '#', a placeholder
// bit. Closure is linear in the look-aheads, so the closure contributed by a
// kernel item A -> x . B y with look-aheads L is that template with '#'
// replaced by FIRST(y), plus L when y can derive empty.
#include <algorithm>
#include <cstring>
#include <unordered_map>

#include "engine/grammar/lr_tables.h"

namespace zintra {

namespace {

using Word = uint64_t;

class Builder {
  public:
    Builder(const Grammar& g, LrTables& t, const LrLimits& limits) : g_(g), t_(t), limits_(limits) {}

    bool run(std::string* error);

  private:
    struct TemplateItem {
        int core;
        size_t bits;  // offset into templateBits_
    };
    struct State {
        size_t kernel;  // offset into kernelCores_ (and kernel index for bits)
        int size;
    };

    // ---- bit sets of W words
    bool setBit(Word* set, int bit) {
        Word m = Word{1} << (bit & 63);
        Word& w = set[bit >> 6];
        bool changed = !(w & m);
        w |= m;
        return changed;
    }
    static bool testBit(const Word* set, int bit) { return (set[bit >> 6] >> (bit & 63)) & 1; }
    bool orInto(Word* into, const Word* from) {
        bool changed = false;
        for (int i = 0; i < w_; ++i) {
            Word v = into[i] | from[i];
            changed |= v != into[i];
            into[i] = v;
        }
        return changed;
    }

    bool prepareSymbols(std::string* error);
    void computeFirst();
    // FIRST of the body symbols of rule r from index `from` on, into out
    // (cleared first); returns whether they can all derive empty.
    bool firstOfRest(int r, int from, Word* out) const;
    const std::vector<TemplateItem>& closureTemplate(int nonterminal);

    Word* slotBits(int core);  // the scratch set of core in the current closure
    void clearScratch();
    void closeKernel(const int* cores, const Word* bits, int size);
    int findOrAddState(const int* cores, const Word* bits, int size, bool* tooLarge);
    bool expand(int state, std::string* error);
    void finish();

    const Grammar& g_;
    LrTables& t_;
    LrLimits limits_;

    int symbols_ = 0;
    std::vector<int> terminalIndex_;  // by symbol, -1 for non-terminals
    int terminals_ = 0;
    int placeholder_ = 0;  // bit of '#'
    int w_ = 1;            // words per set

    std::vector<Word> first_;  // by symbol, w_ words (non-terminals only filled)
    std::vector<char> nullable_;

    std::vector<int> coreBase_;        // by rule
    std::vector<int> coreRule_;        // by core
    std::vector<int> terminalSymbol_;  // by terminal index
    int cores_ = 0;

    std::vector<std::vector<TemplateItem>> templates_;
    std::vector<char> templateDone_;
    std::vector<Word> templateBits_;

    // Closure scratch.
    std::vector<int> slotOf_;  // by core, -1 when untouched
    std::vector<int> touched_;
    std::vector<Word> scratch_;

    // States: kernels stored one after another.
    std::vector<State> states_;
    std::vector<int> kernelCores_;
    std::vector<Word> kernelBits_;
    std::vector<int> stateSlots_;  // open addressing over state numbers, -1 empty
    std::vector<uint64_t> stateHash_;

    // Per symbol grouping while expanding one state.
    std::vector<int> groupOf_;
    std::vector<int> groupSymbols_;
    std::vector<std::vector<int>> groupCores_;
    std::vector<std::vector<Word>> groupBits_;

    // The action lists of the state being expanded, by symbol.
    std::vector<int> shiftOf_;
    std::vector<std::vector<ActionEntry>> reductionsOf_;
    std::vector<char> actionTouched_;
    std::vector<int> actionSymbols_;
    std::vector<int> kcores_, order_;
    std::vector<Word> incoming_;
    std::vector<int> nonterminalSlot_;  // by symbol, -1 when not after a dot
    std::vector<int> nonterminalsAfterDot_;
    std::vector<Word> nonterminalIncoming_;
    std::vector<Word> kbits_;
    std::vector<int> worklist_;
};

bool Builder::prepareSymbols(std::string* error) {
    symbols_ = g_.symbolCount();
    terminalIndex_.assign(symbols_, -1);
    for (int s = 0; s < symbols_; ++s)
        if (!g_.isNonterminal(s)) {
            terminalIndex_[s] = terminals_++;
            terminalSymbol_.push_back(s);
        }
    placeholder_ = terminals_;
    w_ = (terminals_ + 1 + 63) / 64;
    coreBase_.resize(g_.ruleCount());
    for (int r = 0; r < g_.ruleCount(); ++r) {
        coreBase_[r] = cores_;
        cores_ += g_.rule(r).bodyLength() + 1;
        coreRule_.insert(coreRule_.end(), g_.rule(r).bodyLength() + 1, r);
    }
    if (static_cast<long>(symbols_) * w_ > limits_.maxLookAheadWords ||
        static_cast<long>(cores_) * w_ > limits_.maxLookAheadWords) {
        if (error) *error = "grammar too large: look-ahead sets exceed the builder's memory limit";
        return false;
    }
    first_.assign(static_cast<size_t>(symbols_) * w_, 0);
    nullable_.assign(symbols_, 0);
    templates_.resize(symbols_);
    templateDone_.assign(symbols_, 0);
    slotOf_.assign(cores_, -1);
    groupOf_.assign(symbols_, -1);
    shiftOf_.assign(symbols_, -1);
    nonterminalSlot_.assign(symbols_, -1);
    reductionsOf_.resize(symbols_);
    actionTouched_.assign(symbols_, 0);
    return true;
}

void Builder::computeFirst() {
    bool changed = true;
    while (changed) {
        changed = false;
        for (int r = 0; r < g_.ruleCount(); ++r) {
            const GrammarRule& rule = g_.rule(r);
            int left = rule.symbols[0];
            Word* into = &first_[static_cast<size_t>(left) * w_];
            bool allEmpty = true;
            for (size_t i = 1; i < rule.symbols.size(); ++i) {
                int s = rule.symbols[i];
                if (terminalIndex_[s] >= 0) {
                    changed |= setBit(into, terminalIndex_[s]);
                    allEmpty = false;
                    break;
                }
                changed |= orInto(into, &first_[static_cast<size_t>(s) * w_]);
                if (!nullable_[s]) {
                    allEmpty = false;
                    break;
                }
            }
            if (allEmpty && !nullable_[left]) {
                nullable_[left] = 1;
                changed = true;
            }
        }
    }
}

bool Builder::firstOfRest(int r, int from, Word* out) const {
    std::fill(out, out + w_, Word{0});
    const std::vector<int>& syms = g_.rule(r).symbols;
    for (size_t i = static_cast<size_t>(from); i < syms.size(); ++i) {
        int s = syms[i];
        int t = terminalIndex_[s];
        if (t >= 0) {
            out[t >> 6] |= Word{1} << (t & 63);
            return false;
        }
        const Word* f = &first_[static_cast<size_t>(s) * w_];
        for (int k = 0; k < w_; ++k) out[k] |= f[k];
        if (!nullable_[s]) return false;
    }
    return true;
}

Word* Builder::slotBits(int core) {
    int& slot = slotOf_[core];
    if (slot < 0) {
        slot = static_cast<int>(touched_.size());
        touched_.push_back(core);
        if (scratch_.size() < touched_.size() * w_) scratch_.resize(touched_.size() * w_ * 2);
        std::fill(&scratch_[static_cast<size_t>(slot) * w_], &scratch_[static_cast<size_t>(slot) * w_] + w_, Word{0});
    }
    return &scratch_[static_cast<size_t>(slot) * w_];
}

void Builder::clearScratch() {
    for (int c : touched_) slotOf_[c] = -1;
    touched_.clear();
}

const std::vector<Builder::TemplateItem>& Builder::closureTemplate(int b) {
    if (templateDone_[b]) return templates_[b];
    templateDone_[b] = 1;
    // A private scratch: templates are made while a state's closure is open.
    std::vector<int> cores;
    std::vector<Word> bits;
    std::unordered_map<int, int> index;
    auto bitsOf = [&](int core) -> Word* {
        auto [it, added] = index.emplace(core, static_cast<int>(cores.size()));
        if (added) {
            cores.push_back(core);
            bits.resize(bits.size() + w_, 0);
        }
        return &bits[static_cast<size_t>(it->second) * w_];
    };
    std::vector<int> work;
    for (int r : g_.rulesOf(b)) {
        setBit(bitsOf(coreBase_[r]), placeholder_);
        work.push_back(coreBase_[r]);
    }
    std::vector<Word> incoming(w_);
    while (!work.empty()) {
        int core = work.back();
        work.pop_back();
        int r = coreRule_[core];
        const GrammarRule& rule = g_.rule(r);
        if (rule.bodyLength() == 0) continue;
        int next = rule.symbols[1];
        if (terminalIndex_[next] >= 0) continue;
        bool empty = firstOfRest(r, 2, incoming.data());
        if (empty) {
            const Word* own = bitsOf(core);
            for (int k = 0; k < w_; ++k) incoming[k] |= own[k];
        }
        for (int r2 : g_.rulesOf(next)) {
            int c2 = coreBase_[r2];
            if (orInto(bitsOf(c2), incoming.data())) work.push_back(c2);
        }
    }
    std::vector<TemplateItem>& out = templates_[b];
    out.reserve(cores.size());
    for (size_t i = 0; i < cores.size(); ++i) {
        out.push_back({cores[i], templateBits_.size()});
        templateBits_.insert(templateBits_.end(), bits.begin() + static_cast<long>(i * w_),
                             bits.begin() + static_cast<long>((i + 1) * w_));
    }
    return out;
}

void Builder::closeKernel(const int* cores, const Word* bits, int size) {
    incoming_.resize(w_);
    for (int i = 0; i < size; ++i) orInto(slotBits(cores[i]), bits + static_cast<size_t>(i) * w_);
    // What each non-terminal after a dot receives, from all kernel items at
    // once: the template of a non-terminal is then applied once per state.
    for (int i = 0; i < size; ++i) {
        int core = cores[i];
        int r = coreRule_[core];
        int dot = core - coreBase_[r];
        const GrammarRule& rule = g_.rule(r);
        if (dot >= rule.bodyLength()) continue;
        int next = rule.symbols[dot + 1];
        if (terminalIndex_[next] >= 0) continue;
        const Word* own = bits + static_cast<size_t>(i) * w_;
        bool empty = firstOfRest(r, dot + 2, incoming_.data());
        if (empty)
            for (int k = 0; k < w_; ++k) incoming_[k] |= own[k];
        int& slot = nonterminalSlot_[next];
        if (slot < 0) {
            slot = static_cast<int>(nonterminalsAfterDot_.size());
            nonterminalsAfterDot_.push_back(next);
            if (nonterminalIncoming_.size() < nonterminalsAfterDot_.size() * w_)
                nonterminalIncoming_.resize(nonterminalsAfterDot_.size() * w_ * 2);
            std::fill_n(&nonterminalIncoming_[static_cast<size_t>(slot) * w_], w_, Word{0});
        }
        orInto(&nonterminalIncoming_[static_cast<size_t>(slot) * w_], incoming_.data());
    }
    for (int next : nonterminalsAfterDot_) {
        const std::vector<TemplateItem>& tmpl = closureTemplate(next);
        const Word* in = &nonterminalIncoming_[static_cast<size_t>(nonterminalSlot_[next]) * w_];
        for (const TemplateItem& item : tmpl) {
            const Word* s = &templateBits_[item.bits];
            Word* into = slotBits(item.core);
            bool propagate = testBit(s, placeholder_);
            for (int k = 0; k < w_; ++k) into[k] |= s[k] | (propagate ? in[k] : 0);
            into[placeholder_ >> 6] &= ~(Word{1} << (placeholder_ & 63));
        }
    }
    for (int next : nonterminalsAfterDot_) nonterminalSlot_[next] = -1;
    nonterminalsAfterDot_.clear();
}

int Builder::findOrAddState(const int* cores, const Word* bits, int size, bool* tooLarge) {
    uint64_t h = 1469598103934665603ULL;
    for (int i = 0; i < size; ++i) h = (h ^ static_cast<uint64_t>(cores[i])) * 1099511628211ULL;
    for (size_t i = 0; i < static_cast<size_t>(size) * w_; ++i) h = (h ^ bits[i]) * 1099511628211ULL;
    h ^= h >> 33;
    h *= 0xff51afd7ed558ccdULL;
    h ^= h >> 33;
    if (stateSlots_.empty() || (states_.size() + 1) * 2 > stateSlots_.size()) {
        size_t capacity = stateSlots_.empty() ? 1024 : stateSlots_.size() * 2;
        stateSlots_.assign(capacity, -1);
        for (size_t s = 0; s < states_.size(); ++s)
            for (size_t i = stateHash_[s] & (capacity - 1);; i = (i + 1) & (capacity - 1))
                if (stateSlots_[i] < 0) {
                    stateSlots_[i] = static_cast<int>(s);
                    break;
                }
    }
    size_t mask = stateSlots_.size() - 1;
    size_t i = h & mask;
    for (;; i = (i + 1) & mask) {
        int s = stateSlots_[i];
        if (s < 0) break;
        const State& st = states_[s];
        if (stateHash_[s] != h || st.size != size) continue;
        if (std::memcmp(&kernelCores_[st.kernel], cores, sizeof(int) * size) != 0) continue;
        if (std::memcmp(&kernelBits_[st.kernel * w_], bits, sizeof(Word) * size * w_) != 0) continue;
        return s;
    }
    if (static_cast<long>(states_.size()) >= limits_.maxStates ||
        static_cast<long>(kernelBits_.size() + static_cast<size_t>(size) * w_ + templateBits_.size()) >
            limits_.maxLookAheadWords) {
        *tooLarge = true;
        return -1;
    }
    int number = static_cast<int>(states_.size());
    states_.push_back({kernelCores_.size(), size});
    stateHash_.push_back(h);
    kernelCores_.insert(kernelCores_.end(), cores, cores + size);
    kernelBits_.insert(kernelBits_.end(), bits, bits + static_cast<size_t>(size) * w_);
    stateSlots_[i] = number;
    worklist_.push_back(number);
    return number;
}

bool Builder::expand(int state, std::string* error) {
    // Copy the kernel out: adding states may reallocate the kernel storage.
    const State st = states_[state];
    kcores_.assign(kernelCores_.begin() + static_cast<long>(st.kernel),
                   kernelCores_.begin() + static_cast<long>(st.kernel + st.size));
    kbits_.assign(kernelBits_.begin() + static_cast<long>(st.kernel * w_),
                  kernelBits_.begin() + static_cast<long>((st.kernel + st.size) * w_));
    closeKernel(kcores_.data(), kbits_.data(), st.size);
    order_.assign(touched_.begin(), touched_.end());
    std::sort(order_.begin(), order_.end());

    auto touch = [this](int symbol) {
        if (!actionTouched_[symbol]) {
            actionTouched_[symbol] = 1;
            actionSymbols_.push_back(symbol);
        }
    };
    for (int core : order_) {
        int r = coreRule_[core];
        int dot = core - coreBase_[r];
        const GrammarRule& rule = g_.rule(r);
        const Word* bits = &scratch_[static_cast<size_t>(slotOf_[core]) * w_];
        if (dot < rule.bodyLength()) {
            int x = rule.symbols[dot + 1];
            int& group = groupOf_[x];
            if (group < 0) {
                group = static_cast<int>(groupSymbols_.size());
                groupSymbols_.push_back(x);
                if (groupCores_.size() <= static_cast<size_t>(group)) {
                    groupCores_.emplace_back();
                    groupBits_.emplace_back();
                }
                groupCores_[group].clear();
                groupBits_[group].clear();
            }
            groupCores_[group].push_back(core + 1);
            groupBits_[group].insert(groupBits_[group].end(), bits, bits + w_);
        } else {
            // Reductions in rule order: cores are visited in rule order.
            for (int k = 0; k < w_; ++k)
                for (Word v = bits[k]; v; v &= v - 1) {
                    int t = k * 64 + __builtin_ctzll(v);
                    if (t >= terminals_) continue;
                    int symbol = terminalSymbol_[t];
                    touch(symbol);
                    reductionsOf_[symbol].push_back(ActionEntry::reduce(r));
                }
        }
    }
    clearScratch();
    bool tooLarge = false;
    for (size_t gi = 0; gi < groupSymbols_.size(); ++gi) {
        int x = groupSymbols_[gi];
        groupOf_[x] = -1;
        if (tooLarge) continue;
        int target = findOrAddState(groupCores_[gi].data(), groupBits_[gi].data(),
                                    static_cast<int>(groupCores_[gi].size()), &tooLarge);
        touch(x);
        shiftOf_[x] = target;
    }
    groupSymbols_.clear();
    // One action list per symbol: the shift (gotos included) first, then the
    // reductions, then ordered by precedence.
    std::sort(actionSymbols_.begin(), actionSymbols_.end());
    if (t_.rowBegin.size() <= static_cast<size_t>(state)) {
        t_.rowBegin.resize(states_.size());
        t_.rowEnd.resize(states_.size());
    }
    t_.rowBegin[state] = static_cast<uint32_t>(t_.rows.size());
    for (int symbol : actionSymbols_) {
        size_t offset = t_.entries.size();
        if (shiftOf_[symbol] >= 0) t_.entries.push_back(ActionEntry::shift(shiftOf_[symbol]));
        t_.entries.insert(t_.entries.end(), reductionsOf_[symbol].begin(), reductionsOf_[symbol].end());
        size_t count = t_.entries.size() - offset;
        if (count > 1) g_.orderEntries(std::span<ActionEntry>(&t_.entries[offset], count), symbol, {}, {});
        t_.rows.push_back({symbol, static_cast<uint32_t>(offset)});
        shiftOf_[symbol] = -1;
        reductionsOf_[symbol].clear();
        actionTouched_[symbol] = 0;
    }
    actionSymbols_.clear();
    t_.rowEnd[state] = static_cast<uint32_t>(t_.rows.size());
    if (tooLarge) {
        if (error) *error = "grammar too large: more states than the builder's limit";
        return false;
    }
    if (static_cast<long>(t_.entries.size()) > limits_.maxEntries) {
        if (error) *error = "grammar too large: more actions than the builder's limit";
        return false;
    }
    return true;
}

void Builder::finish() {
    t_.states = static_cast<int>(states_.size());
    t_.entryCount = static_cast<long>(t_.entries.size());
    t_.rowBegin.resize(states_.size());
    t_.rowEnd.resize(states_.size());
    t_.rows.push_back({-1, static_cast<uint32_t>(t_.entries.size())});
}

bool Builder::run(std::string* error) {
    if (!prepareSymbols(error)) return false;
    computeFirst();
    // The initial state: every rule for "start" with the end of input as look-ahead.
    std::vector<int> cores;
    std::vector<Word> bits;
    int end = terminalIndex_[g_.endSymbol()];
    if (end < 0 || terminalIndex_[g_.allInputSymbol()] < 0) {
        if (error) *error = "the end symbol and $ALLINPUT cannot have rules";
        return false;
    }
    for (int r : g_.rulesOf(g_.startRuleSymbol())) {
        cores.push_back(coreBase_[r]);
        bits.resize(bits.size() + w_, 0);
        setBit(&bits[bits.size() - w_], end);
    }
    bool tooLarge = false;
    findOrAddState(cores.data(), bits.data(), static_cast<int>(cores.size()), &tooLarge);
    // Depth first: the newest state is expanded next.
    while (!worklist_.empty()) {
        int s = worklist_.back();
        worklist_.pop_back();
        if (!expand(s, error)) return false;
    }
    finish();
    return true;
}

}  // namespace

bool buildLrTables(const Grammar& grammar, LrTables& tables, const LrLimits& limits, std::string* error) {
    Builder builder(grammar, tables, limits);
    return builder.run(error);
}

}  // namespace zintra
