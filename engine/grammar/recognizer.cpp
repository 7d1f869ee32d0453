#include "engine/grammar/recognizer.h"

#include <algorithm>

#include "engine/grammar/grammar.h"
#include "engine/grammar/parser.h"

namespace zintra {

// ---- KeySet

namespace {
uint64_t mix(uint64_t k) {
    k ^= k >> 33;
    k *= 0xFF51AFD7ED558CCDull;
    k ^= k >> 33;
    return k;
}
}  // namespace

bool KeySet::insert(uint64_t key) {
    if ((count_ + 1) * 2 > slots_.size()) grow();
    size_t mask = slots_.size() - 1;
    for (size_t i = mix(key) & mask;; i = (i + 1) & mask) {
        if (slots_[i] == key) return false;
        if (slots_[i] == 0) {
            slots_[i] = key;
            ++count_;
            return true;
        }
    }
}

bool KeySet::contains(uint64_t key) const {
    if (slots_.empty()) return false;
    size_t mask = slots_.size() - 1;
    for (size_t i = mix(key) & mask;; i = (i + 1) & mask) {
        if (slots_[i] == key) return true;
        if (slots_[i] == 0) return false;
    }
}

void KeySet::reserve(size_t keys) {
    size_t want = 256;
    while (want < keys * 2) want *= 2;
    if (want <= slots_.size()) return;
    std::vector<uint64_t> old = std::move(slots_);
    slots_.assign(want, 0);
    count_ = 0;
    for (uint64_t k : old)
        if (k) insert(k);
}

void KeySet::clear() {
    std::fill(slots_.begin(), slots_.end(), 0);
    count_ = 0;
}

void KeySet::grow() {
    std::vector<uint64_t> old = std::move(slots_);
    slots_.assign(old.empty() ? 256 : old.size() * 2, 0);
    count_ = 0;
    for (uint64_t k : old)
        if (k) insert(k);
}

// ---- tables

RecognizerTables::RecognizerTables(const Grammar& grammar) : g_(grammar) {
    int symbols = grammar.symbolCount();
    ntOf_.assign(static_cast<size_t>(symbols), -1);
    for (int s = 0; s < symbols; ++s)
        if (grammar.isNonterminal(s)) ntOf_[static_cast<size_t>(s)] = nonterminals_++;
    words_ = std::max(1, (nonterminals_ + 63) / 64);
    if (grammar.ruleCount() >= (1 << 20) || nonterminals_ >= (1 << 24)) {
        usable_ = false;
        return;
    }
    lhsNt_.resize(static_cast<size_t>(grammar.ruleCount()));
    dotBase_.resize(static_cast<size_t>(grammar.ruleCount()));
    for (int r = 0; r < grammar.ruleCount(); ++r) {
        lhsNt_[static_cast<size_t>(r)] = nonterminal(grammar.rule(r).symbols[0]);
        dotBase_[static_cast<size_t>(r)] = ruleDots_;
        ruleDots_ += grammar.rule(r).bodyLength() + 1;
    }

    // Nullable non-terminals, to a fixed point.
    nullable_.assign(static_cast<size_t>(nonterminals_), 0);
    for (bool changed = true; changed;) {
        changed = false;
        for (int r = 0; r < grammar.ruleCount(); ++r) {
            const GrammarRule& rule = grammar.rule(r);
            int lhs = lhsNt_[static_cast<size_t>(r)];
            if (nullable_[static_cast<size_t>(lhs)]) continue;
            bool all = true;
            for (size_t i = 1; i < rule.symbols.size() && all; ++i) {
                int nt = nonterminal(rule.symbols[i]);
                all = nt >= 0 && nullable_[static_cast<size_t>(nt)];
            }
            if (all) nullable_[static_cast<size_t>(lhs)] = 1, changed = true;
        }
    }

    // Left corners: A brings in B when some rule of A begins with B; closed
    // transitively (a nullable first symbol is stepped over in the chart).
    startsWith_.resize(static_cast<size_t>(symbols));
    nullableFirst_.resize(static_cast<size_t>(nonterminals_));
    std::vector<std::vector<int>> corners(static_cast<size_t>(nonterminals_));
    for (int r = 0; r < grammar.ruleCount(); ++r) {
        const GrammarRule& rule = grammar.rule(r);
        if (rule.symbols.size() < 2) continue;
        int first = rule.symbols[1];
        startsWith_[static_cast<size_t>(first)].push_back(r);
        int nt = nonterminal(first);
        int lhs = lhsNt_[static_cast<size_t>(r)];
        if (nt >= 0) {
            corners[static_cast<size_t>(lhs)].push_back(nt);
            if (nullable_[static_cast<size_t>(nt)]) nullableFirst_[static_cast<size_t>(lhs)].push_back(r);
        }
    }
    size_t w = static_cast<size_t>(words_);
    closure_.assign(static_cast<size_t>(nonterminals_) * w, 0);
    std::vector<int> stack;
    for (int a = 0; a < nonterminals_; ++a) {
        uint64_t* set = closure_.data() + static_cast<size_t>(a) * w;
        stack.assign(1, a);
        set[a / 64] |= 1ull << (a % 64);
        while (!stack.empty()) {
            int b = stack.back();
            stack.pop_back();
            for (int c : corners[static_cast<size_t>(b)]) {
                if ((set[c / 64] >> (c % 64)) & 1) continue;
                set[c / 64] |= 1ull << (c % 64);
                stack.push_back(c);
            }
        }
    }
}

// ---- the chart

Chart::Chart(const RecognizerTables& tables, std::span<const InputSymbol> input)
    : t_(tables), g_(tables.g_), input_(input), n_(static_cast<int>(input.size())) {}

bool Chart::matches(int bodySymbol, int at) const {
    if (at >= n_) return false;
    if (bodySymbol == g_.allInputSymbol()) return true;
    int s = input_[static_cast<size_t>(at)].symbol;
    return s >= 0 && s == bodySymbol;
}

void Chart::predict(int at, int nt) {
    size_t w = static_cast<size_t>(t_.words_);
    uint64_t* mine = predicted_.data() + static_cast<size_t>(at) * w;
    const uint64_t* brings = t_.closure_.data() + static_cast<size_t>(nt) * w;
    for (size_t k = 0; k < w; ++k) {
        uint64_t fresh = brings[k] & ~mine[k];
        if (!fresh) continue;
        mine[k] |= fresh;
        // Rules of the newly predicted non-terminals that begin with a
        // nullable symbol also stand with that symbol stepped over.
        while (fresh) {
            int c = static_cast<int>(k * 64) + __builtin_ctzll(fresh);
            fresh &= fresh - 1;
            for (int r : t_.nullableFirst_[static_cast<size_t>(c)]) add(at, r, 1, at);
        }
    }
}

void Chart::add(int at, int rule, int dot, int origin) {
    if (overflow_) return;
    uint16_t& seen =
        seen_[((static_cast<size_t>(at) & 1) * (static_cast<size_t>(n_) + 1) + static_cast<size_t>(origin)) *
                  static_cast<size_t>(t_.ruleDots_) +
              static_cast<size_t>(t_.dotBase_[static_cast<size_t>(rule)] + dot)];
    if (seen == at + 1) return;
    seen = static_cast<uint16_t>(at + 1);
    if (++itemCount_ > kMaxItems) {
        overflow_ = true;
        return;
    }
    const GrammarRule& r = g_.rule(rule);
    int index = static_cast<int>(all_.size());
    all_.push_back({rule, dot, origin, -1});
    if (dot < r.bodyLength()) {
        int next = r.symbols[static_cast<size_t>(dot) + 1];
        int& last = waiting(at, next);
        all_.back().sameNext = last;
        last = index;
        int nt = t_.nonterminal(next);
        if (nt >= 0) {
            predict(at, nt);
            if (t_.nullable_[static_cast<size_t>(nt)]) add(at, rule, dot + 1, origin);
        }
    }
}

void Chart::complete(int at, const Item& item) {
    int lhs = t_.lhsNt_[static_cast<size_t>(item.rule)];
    if (!completed_.insert(spanKey(lhs, item.origin, at))) return;
    // An empty completion needs no step: nullable symbols were stepped over
    // when their items were added.
    if (item.origin == at) return;
    int symbol = g_.rule(item.rule).symbols[0];
    for (int i = waiting(item.origin, symbol); i >= 0; i = all_[static_cast<size_t>(i)].sameNext) {
        Item w = all_[static_cast<size_t>(i)];
        add(at, w.rule, w.dot + 1, w.origin);
    }
    for (int r : t_.startsWith_[static_cast<size_t>(symbol)])
        if (predicted(item.origin, t_.lhsNt_[static_cast<size_t>(r)])) add(at, r, 1, item.origin);
}

void Chart::scan(int at) {
    int symbol = input_[static_cast<size_t>(at)].symbol;
    for (int s : {symbol, g_.allInputSymbol()}) {
        if (s < 0) continue;
        for (int i = waiting(at, s); i >= 0; i = all_[static_cast<size_t>(i)].sameNext) {
            Item w = all_[static_cast<size_t>(i)];
            add(at + 1, w.rule, w.dot + 1, w.origin);
        }
        for (int r : t_.startsWith_[static_cast<size_t>(s)])
            if (predicted(at, t_.lhsNt_[static_cast<size_t>(r)])) add(at + 1, r, 1, at);
        if (s == g_.allInputSymbol()) break;
    }
}

Chart::Verdict Chart::run() {
    int start = t_.nonterminal(g_.startRuleSymbol());
    if (!t_.usable() || start < 0 || n_ == 0 || n_ > static_cast<int>(kMaxInput)) return verdict_ = Verdict::kTooLarge;
    for (const InputSymbol& in : input_)
        if (in.symbol == g_.endSymbol()) return verdict_ = Verdict::kTooLarge;
    size_t positions = static_cast<size_t>(n_) + 1;
    if (positions * static_cast<size_t>(t_.ruleDots_ + g_.symbolCount()) > kMaxCells)
        return verdict_ = Verdict::kTooLarge;
    symbols_ = g_.symbolCount();
    waiting_.assign(positions * static_cast<size_t>(symbols_), -1);
    predicted_.assign(positions * static_cast<size_t>(t_.words_), 0);
    all_.reserve(64 * positions);
    seen_.assign(2 * positions * static_cast<size_t>(t_.ruleDots_), 0);
    completed_.reserve(64 * positions);
    begin_.assign(positions + 1, 0);
    predict(0, start);
    for (int at = 0; at <= n_; ++at) {
        // Items appended while the position is worked on belong to it: scans
        // add to the next position only after this one is complete.
        for (size_t i = static_cast<size_t>(begin_[static_cast<size_t>(at)]); i < all_.size() && !overflow_; ++i) {
            Item item = all_[i];
            if (item.dot == g_.rule(item.rule).bodyLength()) complete(at, item);
        }
        if (overflow_) return verdict_ = Verdict::kTooLarge;
        begin_[static_cast<size_t>(at) + 1] = static_cast<int>(all_.size());
        if (at == n_) break;
        scan(at);
        if (overflow_) return verdict_ = Verdict::kTooLarge;
        if (all_.size() == static_cast<size_t>(begin_[static_cast<size_t>(at) + 1]))
            return verdict_ = Verdict::kNotInLanguage;
    }
    if (!completed_.contains(spanKey(start, 0, n_))) return verdict_ = Verdict::kNotInLanguage;
    if (!markUseful()) return verdict_ = Verdict::kTooLarge;
    return verdict_ = Verdict::kInLanguage;
}

// ---- useful constituents, marked from the complete derivation down

void Chart::markItem(int rule, int dot, int origin, int at) {
    // Work entries: an item as (rule, dot, origin, at) in one key, tagged by
    // the top bit; a constituent as its span key.
    if (dot == 0 || !marked_.insert(itemKey(at, rule, dot, origin))) return;
    work_.push_back(itemKey(at, rule, dot, origin) | (1ull << 63));
}

bool Chart::markUseful() {
    items_.reserve(all_.size());
    finishedBySpan_.clear();
    for (int at = 0; at <= n_; ++at)
        for (int i = begin_[static_cast<size_t>(at)]; i < begin_[static_cast<size_t>(at) + 1]; ++i) {
            const Item& item = all_[static_cast<size_t>(i)];
            items_.insert(itemKey(at, item.rule, item.dot, item.origin));
            if (item.dot == g_.rule(item.rule).bodyLength())
                finishedBySpan_.emplace_back(spanKey(t_.lhsNt_[static_cast<size_t>(item.rule)], item.origin, at),
                                             item.rule);
        }
    std::sort(finishedBySpan_.begin(), finishedBySpan_.end());
    auto constituent = [&](int nt, int from, int to) {
        if (from < to && useful_.insert(spanKey(nt, from, to))) work_.push_back(spanKey(nt, from, to));
    };
    int start = t_.nonterminal(g_.startRuleSymbol());
    constituent(start, 0, n_);
    while (!work_.empty()) {
        uint64_t key = work_.back() - 1;
        work_.pop_back();
        if (!((key + 1) >> 63)) {
            // Every finished item with this left side and span makes the constituent.
            int from = static_cast<int>((key >> 24) & 0xFFF), to = static_cast<int>(key >> 36);
            auto first = std::lower_bound(finishedBySpan_.begin(), finishedBySpan_.end(), std::pair(key + 1, -1));
            for (auto it = first; it != finishedBySpan_.end() && it->first == key + 1; ++it)
                markItem(it->second, g_.rule(it->second).bodyLength(), from, to);
            continue;
        }
        key &= ~(1ull << 63);
        int dot = static_cast<int>(key & 0xF), rule = static_cast<int>((key >> 4) & 0xFFFFF),
            origin = static_cast<int>((key >> 24) & 0xFFF), at = static_cast<int>(key >> 36);
        int x = g_.rule(rule).symbols[static_cast<size_t>(dot)];
        int nt = t_.nonterminal(x);
        if (nt < 0) {
            // A terminal: it covers the token before at.
            if (at - 1 >= origin && matches(x, at - 1) &&
                (dot == 1 ? origin == at - 1 : items_.contains(itemKey(at - 1, rule, dot - 1, origin))))
                markItem(rule, dot - 1, origin, at - 1);
            continue;
        }
        // The item before this symbol: at its origin for the first symbol,
        // else at any position between origin and at.
        for (int m = origin, last = dot == 1 ? origin : at; m <= last; ++m) {
            if (++markSteps_ > kMaxMarkSteps) return false;
            bool before = dot == 1 || items_.contains(itemKey(m, rule, dot - 1, origin));
            if (!before) continue;
            bool spans = m == at ? t_.nullable_[static_cast<size_t>(nt)] != 0 : completed_.contains(spanKey(nt, m, at));
            if (!spans) continue;
            constituent(nt, m, at);
            markItem(rule, dot - 1, origin, m);
        }
    }
    return true;
}

bool Chart::useful(int symbol, int from, int to) const {
    if (verdict_ != Verdict::kInLanguage || from >= to) return true;
    int nt = t_.nonterminal(symbol);
    return nt < 0 || useful_.contains(spanKey(nt, from, to));
}

}  // namespace zintra
