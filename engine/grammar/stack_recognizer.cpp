#include "engine/grammar/stack_recognizer.h"

#include <algorithm>
#include <cstdint>
#include <map>
#include <set>
#include <vector>

#include "engine/grammar/grammar.h"
#include "engine/grammar/parser.h"

namespace zintra {

// ---- the automaton

namespace {

void addBits(uint64_t* to, const uint64_t* from, int words, bool& changed) {
    for (int w = 0; w < words; ++w) {
        uint64_t fresh = from[w] & ~to[w];
        if (fresh) to[w] |= fresh, changed = true;
    }
}

// Rewrites rules (left side first, then the body) without empty bodies: each
// rule once for every way of leaving out some of its nullable body symbols,
// no empty body, no rule that derives its own left side alone. The rules then
// derive the same strings as before but the empty one. False when a body
// holds too many nullable symbols to spell out.
bool withoutEmptyBodies(const Grammar& g, std::vector<std::vector<int>>& rule, std::vector<uint8_t>& startRule,
                        bool& startNullable) {
    constexpr int kMaxNullable = 8;
    std::vector<uint8_t> nullable(static_cast<size_t>(g.symbolCount()), 0);
    for (bool changed = true; changed;) {
        changed = false;
        for (const std::vector<int>& symbols : rule) {
            if (nullable[static_cast<size_t>(symbols[0])]) continue;
            bool all = true;
            for (size_t i = 1; i < symbols.size() && all; ++i)
                all = g.isNonterminal(symbols[i]) && nullable[static_cast<size_t>(symbols[i])];
            if (all) nullable[static_cast<size_t>(symbols[0])] = 1, changed = true;
        }
    }
    startNullable = nullable[static_cast<size_t>(g.startRuleSymbol())] != 0;
    std::vector<std::vector<int>> out;
    std::vector<uint8_t> outStart;
    std::set<std::vector<int>> seen;
    for (size_t r = 0; r < rule.size(); ++r) {
        const std::vector<int>& symbols = rule[r];
        std::vector<size_t> optional;
        for (size_t i = 1; i < symbols.size(); ++i)
            if (g.isNonterminal(symbols[i]) && nullable[static_cast<size_t>(symbols[i])]) optional.push_back(i);
        if (static_cast<int>(optional.size()) > kMaxNullable) return false;
        for (unsigned mask = 0; mask < (1u << optional.size()); ++mask) {
            std::vector<int> variant{symbols[0]};
            size_t k = 0;
            for (size_t i = 1; i < symbols.size(); ++i) {
                bool left = k < optional.size() && optional[k] == i && ((mask >> k) & 1);
                if (k < optional.size() && optional[k] == i) ++k;
                if (!left) variant.push_back(symbols[i]);
            }
            if (variant.size() == 1 || (variant.size() == 2 && variant[1] == variant[0])) continue;
            if (!seen.insert(variant).second) continue;
            out.push_back(std::move(variant));
            outStart.push_back(startRule[r]);
        }
    }
    rule = std::move(out);
    startRule = std::move(outStart);
    return true;
}

}  // namespace

StackTables::StackTables(const Grammar& g) : g_(g) {
    symbols_ = g.symbolCount();
    words_ = (symbols_ + 63) / 64;
    size_t w = static_cast<size_t>(words_);

    // The automaton's own rules: the grammar's, but a run written right
    // recursively (A : X | X A) is read left recursively (A : X | A X). Both
    // derive the same runs of X; read from the left, a run of n symbols
    // keeps one stack below it instead of one for each of its n suffixes.
    std::vector<std::vector<int>> rule;
    std::vector<uint8_t> startRule;
    for (int r = 0; r < g.ruleCount(); ++r) {
        rule.push_back(g.rule(r).symbols);
        startRule.push_back(g.isStartRule(r));
    }
    for (int a = 0; a < symbols_; ++a) {
        const std::vector<int>& of = g.rulesOf(a);
        if (of.size() != 2) continue;
        std::vector<int>& one = rule[static_cast<size_t>(of[0])];
        std::vector<int>& two = rule[static_cast<size_t>(of[1])];
        std::vector<int>& base = one.size() == 2 ? one : two;
        std::vector<int>& run = one.size() == 2 ? two : one;
        if (base.size() == 2 && run.size() == 3 && base[1] != a && run[1] == base[1] && run[2] == a) {
            run = {a, a, base[1]};
            turned_.push_back(a);
        }
    }
    // Empty phrases would make every new edge of a level send the search over
    // the whole level again: the automaton reads the grammar without them (an
    // input of no tokens is in the language when the start symbol is nullable).
    if (g.hasEmptyRule()) {
        if (!withoutEmptyBodies(g, rule, startRule, startNullable_)) return;
        emptyFree_ = true;
    }
    int rules = static_cast<int>(rule.size());
    std::vector<std::vector<int>> rulesOf(static_cast<size_t>(symbols_));
    for (int r = 0; r < rules; ++r) rulesOf[static_cast<size_t>(rule[static_cast<size_t>(r)][0])].push_back(r);

    // Nullable symbols and FIRST sets, to a fixed point.
    std::vector<uint8_t> nullable(static_cast<size_t>(symbols_), 0);
    std::vector<uint64_t> first(static_cast<size_t>(symbols_) * w, 0);
    auto firstOf = [&](int symbol) { return first.data() + static_cast<size_t>(symbol) * w; };
    for (bool changed = true; changed;) {
        changed = false;
        for (int r = 0; r < rules; ++r) {
            const std::vector<int>& symbols = rule[static_cast<size_t>(r)];
            int lhs = symbols[0];
            bool all = true;
            for (size_t i = 1; i < symbols.size() && all; ++i) {
                int x = symbols[i];
                if (!g.isNonterminal(x)) {
                    uint64_t bit = 1ull << (x % 64);
                    if (!(firstOf(lhs)[x / 64] & bit)) firstOf(lhs)[x / 64] |= bit, changed = true;
                    all = false;
                } else {
                    addBits(firstOf(lhs), firstOf(x), words_, changed);
                    all = nullable[static_cast<size_t>(x)] != 0;
                }
            }
            if (all && !nullable[static_cast<size_t>(lhs)]) nullable[static_cast<size_t>(lhs)] = 1, changed = true;
        }
    }
    // FOLLOW sets: the end after the start symbol; what can come after a
    // symbol in a body, and a left side's own when the rest can be empty.
    follow_.assign(static_cast<size_t>(symbols_) * w, 0);
    auto followOf = [&](int symbol) { return follow_.data() + static_cast<size_t>(symbol) * w; };
    int start = g.startRuleSymbol();
    followOf(start)[g.endSymbol() / 64] |= 1ull << (g.endSymbol() % 64);
    std::vector<uint64_t> trailer(w);
    for (bool changed = true; changed;) {
        changed = false;
        for (int r = 0; r < rules; ++r) {
            const std::vector<int>& symbols = rule[static_cast<size_t>(r)];
            std::copy(followOf(symbols[0]), followOf(symbols[0]) + w, trailer.begin());
            for (size_t i = symbols.size() - 1; i >= 1; --i) {
                int x = symbols[i];
                if (g.isNonterminal(x)) {
                    addBits(followOf(x), trailer.data(), words_, changed);
                    if (!nullable[static_cast<size_t>(x)]) std::fill(trailer.begin(), trailer.end(), 0);
                    for (size_t k = 0; k < w; ++k) trailer[k] |= firstOf(x)[k];
                } else {
                    std::fill(trailer.begin(), trailer.end(), 0);
                    trailer[static_cast<size_t>(x / 64)] |= 1ull << (x % 64);
                }
            }
        }
    }

    // LR(0) item sets. An item is (rule, dot), numbered from the rule's base.
    std::vector<int> base(static_cast<size_t>(rules) + 1, 0);
    for (int r = 0; r < rules; ++r)
        base[static_cast<size_t>(r) + 1] =
            base[static_cast<size_t>(r)] + static_cast<int>(rule[static_cast<size_t>(r)].size());
    std::vector<int> itemRule(static_cast<size_t>(base.back()));
    for (int r = 0; r < rules; ++r)
        for (int i = base[static_cast<size_t>(r)]; i < base[static_cast<size_t>(r) + 1]; ++i)
            itemRule[static_cast<size_t>(i)] = r;
    auto dotOf = [&](int item) { return item - base[static_cast<size_t>(itemRule[static_cast<size_t>(item)])]; };

    std::map<std::vector<int>, int> numbers;
    std::vector<std::vector<int>> kernels;
    std::vector<std::vector<std::pair<int, int>>> moves;  // by state: (symbol, state)
    std::vector<std::vector<int>> completes;
    auto number = [&](std::vector<int> kernel) {
        auto [at, fresh] = numbers.emplace(std::move(kernel), static_cast<int>(kernels.size()));
        if (fresh) kernels.push_back(at->first);
        return at->second;
    };
    std::vector<int> initial;
    for (int r : rulesOf[static_cast<size_t>(start)]) initial.push_back(base[static_cast<size_t>(r)]);
    std::sort(initial.begin(), initial.end());
    number(initial);

    std::vector<int> closure, seenItem(itemRule.size(), -1), seenNt(static_cast<size_t>(symbols_), -1);
    std::vector<std::vector<int>> next(static_cast<size_t>(symbols_));
    std::vector<int> touched;
    for (int s = 0; s < static_cast<int>(kernels.size()); ++s) {
        if (static_cast<int>(kernels.size()) > StackLimits::kMaxStates) return;
        closure = kernels[static_cast<size_t>(s)];
        for (int item : closure) seenItem[static_cast<size_t>(item)] = s;
        for (size_t i = 0; i < closure.size(); ++i) {
            int item = closure[i];
            const std::vector<int>& symbols = rule[static_cast<size_t>(itemRule[static_cast<size_t>(item)])];
            int dot = dotOf(item);
            if (dot + 1 >= static_cast<int>(symbols.size())) continue;
            int x = symbols[static_cast<size_t>(dot) + 1];
            if (!g.isNonterminal(x) || seenNt[static_cast<size_t>(x)] == s) continue;
            seenNt[static_cast<size_t>(x)] = s;
            for (int r : rulesOf[static_cast<size_t>(x)])
                if (seenItem[static_cast<size_t>(base[static_cast<size_t>(r)])] != s) {
                    seenItem[static_cast<size_t>(base[static_cast<size_t>(r)])] = s;
                    closure.push_back(base[static_cast<size_t>(r)]);
                }
        }
        touched.clear();
        std::vector<int> complete;
        for (int item : closure) {
            const std::vector<int>& symbols = rule[static_cast<size_t>(itemRule[static_cast<size_t>(item)])];
            int dot = dotOf(item);
            if (dot + 1 >= static_cast<int>(symbols.size())) {
                complete.push_back(itemRule[static_cast<size_t>(item)]);
                continue;
            }
            int x = symbols[static_cast<size_t>(dot) + 1];
            if (next[static_cast<size_t>(x)].empty()) touched.push_back(x);
            next[static_cast<size_t>(x)].push_back(item + 1);
        }
        std::vector<std::pair<int, int>> out;
        for (int x : touched) {
            std::vector<int>& kernel = next[static_cast<size_t>(x)];
            std::sort(kernel.begin(), kernel.end());
            kernel.erase(std::unique(kernel.begin(), kernel.end()), kernel.end());
            out.emplace_back(x, number(kernel));
            kernel.clear();
        }
        moves.push_back(std::move(out));
        completes.push_back(std::move(complete));
    }
    states_ = static_cast<int>(kernels.size());
    size_t cells = static_cast<size_t>(states_) * static_cast<size_t>(symbols_);
    if (static_cast<long>(cells) > StackLimits::kMaxCells) return;
    nonterminal_.resize(static_cast<size_t>(symbols_));
    for (int x = 0; x < symbols_; ++x) nonterminal_[static_cast<size_t>(x)] = g.isNonterminal(x);
    goto_.assign(cells, -1);
    for (int s = 0; s < states_; ++s)
        for (auto [x, t] : moves[static_cast<size_t>(s)])
            goto_[static_cast<size_t>(s) * static_cast<size_t>(symbols_) + static_cast<size_t>(x)] = t;
    reduceBegin_.assign(cells + static_cast<size_t>(states_) + 1, 0);
    auto entry = [&](int r) {
        const std::vector<int>& symbols = rule[static_cast<size_t>(r)];
        return Reduction{symbols[0], static_cast<int>(symbols.size()) - 1, startRule[static_cast<size_t>(r)] != 0};
    };
    for (int s = 0; s < states_; ++s)
        for (int x = 0; x < symbols_; ++x) {
            size_t cell = static_cast<size_t>(s) * static_cast<size_t>(symbols_) + static_cast<size_t>(x);
            if (!nonterminal_[static_cast<size_t>(x)])
                for (int r : completes[static_cast<size_t>(s)])
                    if (mayFollow(rule[static_cast<size_t>(r)][0], x)) reduce_.push_back(entry(r));
            reduceBegin_[cell + 1] = static_cast<uint32_t>(reduce_.size());
        }
    for (int s = 0; s < states_; ++s) {
        for (int r : completes[static_cast<size_t>(s)]) reduce_.push_back(entry(r));
        reduceBegin_[cells + static_cast<size_t>(s) + 1] = static_cast<uint32_t>(reduce_.size());
    }
    // The rests of the kernel items, for the states an input cannot finish.
    restBegin_.assign(static_cast<size_t>(states_) + 1, 0);
    for (int st = 0; st < states_; ++st) {
        size_t begin = rest_.size();
        bool complete = false;
        for (int item : kernels[static_cast<size_t>(st)]) {
            const std::vector<int>& symbols = rule[static_cast<size_t>(itemRule[static_cast<size_t>(item)])];
            size_t dot = static_cast<size_t>(dotOf(item));
            if (dot + 1 >= symbols.size()) {
                complete = true;
                break;
            }
            rest_.resize(rest_.size() + w, 0);
            uint64_t* set = rest_.data() + rest_.size() - w;
            for (size_t i = dot + 1; i < symbols.size(); ++i) set[symbols[i] / 64] |= 1ull << (symbols[i] % 64);
        }
        if (complete) rest_.resize(begin);
        restBegin_[static_cast<size_t>(st) + 1] = rest_.size();
    }
    ruleLeft_.resize(static_cast<size_t>(rules));
    ruleLength_.resize(static_cast<size_t>(rules));
    std::vector<std::vector<int>> users(static_cast<size_t>(symbols_));
    for (int r = 0; r < rules; ++r) {
        const std::vector<int>& symbols = rule[static_cast<size_t>(r)];
        ruleLeft_[static_cast<size_t>(r)] = symbols[0];
        ruleLength_[static_cast<size_t>(r)] = static_cast<int>(symbols.size()) - 1;
        for (size_t i = 1; i < symbols.size(); ++i) users[static_cast<size_t>(symbols[i])].push_back(r);
    }
    usedByBegin_.assign(static_cast<size_t>(symbols_) + 1, 0);
    for (int x = 0; x < symbols_; ++x) {
        usedBy_.insert(usedBy_.end(), users[static_cast<size_t>(x)].begin(), users[static_cast<size_t>(x)].end());
        usedByBegin_[static_cast<size_t>(x) + 1] = usedBy_.size();
    }
    usable_ = true;
}

void StackTables::derivable(uint64_t* productive, std::vector<int>& work) const {
    // Each rule counts its body symbols not yet known to derive; a rule at 0
    // makes its left side derive, which counts down the rules using it.
    size_t rules = ruleLeft_.size();
    work.assign(rules, 0);
    std::vector<int>& missing = work;
    auto known = [&](int x) { return (productive[x / 64] >> (x % 64)) & 1; };
    auto learn = [&](int x, std::vector<int>& queue) {
        productive[x / 64] |= 1ull << (x % 64);
        queue.push_back(x);
    };
    thread_local std::vector<int> queue;
    queue.clear();
    for (int x = 0; x < symbols_; ++x)
        if (known(x)) queue.push_back(x);
    for (size_t r = 0; r < rules; ++r) missing[r] = ruleLength_[r];
    for (size_t r = 0; r < rules; ++r)
        if (missing[r] == 0 && !known(ruleLeft_[r])) learn(ruleLeft_[r], queue);
    while (!queue.empty()) {
        int x = queue.back();
        queue.pop_back();
        for (size_t i = usedByBegin_[static_cast<size_t>(x)]; i < usedByBegin_[static_cast<size_t>(x) + 1]; ++i) {
            size_t r = static_cast<size_t>(usedBy_[i]);
            if (--missing[r] == 0 && !known(ruleLeft_[r])) learn(ruleLeft_[r], queue);
        }
    }
}

bool StackTables::mayFollow(int lhs, int symbol) const {
    if (symbol == g_.endSymbol()) return followBit(lhs, symbol);
    return followBit(lhs, symbol) || (g_.allInputSymbol() >= 0 && followBit(lhs, g_.allInputSymbol()));
}

// ---- the graph of stacks

namespace {

// The graph: a node is a state reached at an input position (its level);
// an edge leads from a node to the node below it on some stack, over one
// grammar symbol (a shifted token or a reduced phrase).
struct Node {
    int state;
    int firstEdge;  // -1: none (the bottom node)
    // Which nodes of the level stamped maskStamp have an edge to this one
    // (the first 64 of the level, one bit each).
    uint32_t maskStamp;
    uint64_t mask;
    uint32_t mark;  // marked while tracing, to keep each node once per step
};
// The node of a state at the level stamped stamp.
struct Slot {
    uint32_t stamp;
    int node;
};
struct Edge {
    int to;
    int next;  // the node's next edge, -1 at the end
};
// A reduction still to trace: by rule from node, along every path (edge -1)
// or only along paths that begin with edge.
struct Work {
    int node;
    int lhs, length;
    bool start;
    int edge;
};
struct Shift {
    int node;
    int target;
};

class StackGraph {
  public:
    StackVerdict run(const Grammar& g, const StackTables& t, std::span<const InputSymbol> input);
    long maxWork_ = StackLimits::kMaxWork;

  private:
    // The node of state at the current level, or -1.
    int nodeAt(int state) const {
        size_t s = static_cast<size_t>(state);
        return slot_[s].stamp == levelStamp_ ? slot_[s].node : -1;
    }
    int makeNode(int state) {
        int id = static_cast<int>(nodes_.size());
        nodes_.push_back({state, -1, 0, 0, 0});
        slot_[static_cast<size_t>(state)] = {levelStamp_, id};
        return id;
    }
    // Adds the edge from -> to unless it is there; its number, or -1 when it
    // was. Edges leave nodes of the current level only: the first 64 of them
    // keep one bit each in a mask per node below; the rest look through
    // their own edges.
    int addEdge(int from, int to) {
        int bit = from - levelBegin_;
        Node& t = nodes_[static_cast<size_t>(to)];
        if (bit < 64) {
            if (t.maskStamp != levelStamp_) t.maskStamp = levelStamp_, t.mask = 0;
            if ((t.mask >> bit) & 1) return -1;
            t.mask |= 1ull << bit;
        } else {
            for (int e = nodes_[static_cast<size_t>(from)].firstEdge; e >= 0; e = edges_[static_cast<size_t>(e)].next)
                if (edges_[static_cast<size_t>(e)].to == to) return -1;
        }
        int id = static_cast<int>(edges_.size());
        edges_.push_back({to, nodes_[static_cast<size_t>(from)].firstEdge});
        nodes_[static_cast<size_t>(from)].firstEdge = id;
        return id;
    }
    // Queues the node's reductions that the look-ahead may follow (along
    // every path, or those beginning with edge); a new node also records its
    // shifts.
    void queue(int node, int edge, bool fresh);
    // Whether no stack through a node of state can be finished from the
    // input's terminals (see StackTables::rests).
    bool dead(int state);
    void trace(const Work& w);
    void reduceTo(int below, int lhs, bool start);

    const Grammar* g_ = nullptr;
    const StackTables* t_ = nullptr;
    int lookAhead_ = -1;
    StackTables::Column column_{};  // where the look-ahead's reductions lie
    bool withAny_ = false;
    bool atEnd_ = false;
    bool accepted_ = false;
    bool tooLarge_ = false;
    bool noEmptyRules_ = true;
    int levelBegin_ = 0;  // the first node of the current level
    // One-symbol reductions taken at once nest at most this deep; deeper
    // ones are queued.
    static constexpr int kMaxDepth = 32;
    int depth_ = 0;
    long work_ = 0;

    std::vector<Node> nodes_;
    std::vector<Edge> edges_;
    std::vector<Work> queue_;
    std::vector<Shift> shifts_, nextShifts_;
    // Per state: its node at the level stamped levelStamp_.
    std::vector<Slot> slot_;
    // The symbols the input's terminals can give, and per state whether it
    // is dead for this input (valid when its stamp is runStamp_).
    bool prune_ = false;
    std::vector<uint64_t> productive_;
    std::vector<int> scratch_;
    std::vector<uint32_t> deadStamp_;
    std::vector<uint8_t> deadValue_;
    uint32_t runStamp_ = 0;
    uint32_t levelStamp_ = 0;
    uint32_t markStamp_ = 0;
    std::vector<int> from_, to_;
};

void StackGraph::queue(int node, int edge, bool fresh) {
    int state = nodes_[static_cast<size_t>(node)].state;
    for (const StackTables::Reduction& r : t_->reductions(state, column_)) {
        if (r.length > ParseNode::kMaxChildren || (edge >= 0 && r.length == 0)) continue;
        if (r.length == 1 && depth_ < kMaxDepth) {
            // A one-symbol reduction goes back one edge: taken at once, not
            // queued. Edges reduceTo adds to this node go to the head of its
            // list and are queued on their own.
            ++depth_;
            if (edge >= 0) {
                reduceTo(edges_[static_cast<size_t>(edge)].to, r.lhs, r.start);
            } else {
                for (int e = nodes_[static_cast<size_t>(node)].firstEdge; e >= 0;
                     e = edges_[static_cast<size_t>(e)].next) {
                    ++work_;
                    reduceTo(edges_[static_cast<size_t>(e)].to, r.lhs, r.start);
                }
            }
            --depth_;
            continue;
        }
        queue_.push_back({node, r.lhs, r.length, r.start, edge});
    }
    if (!fresh || atEnd_) return;
    int target = t_->go(state, lookAhead_);
    if (target >= 0 && !dead(target)) shifts_.push_back({node, target});
    if (withAny_ && (target = t_->go(state, g_->allInputSymbol())) >= 0 && !dead(target))
        shifts_.push_back({node, target});
}

bool StackGraph::dead(int state) {
    if (!prune_) return false;
    size_t s = static_cast<size_t>(state);
    if (deadStamp_[s] == runStamp_) return deadValue_[s] != 0;
    std::span<const uint64_t> rests = t_->rests(state);
    size_t w = static_cast<size_t>(t_->words());
    bool none = !rests.empty();
    for (size_t at = 0; none && at < rests.size(); at += w) {
        bool viable = true;
        for (size_t k = 0; k < w && viable; ++k) viable = (rests[at + k] & ~productive_[k]) == 0;
        none = !viable;
    }
    deadStamp_[s] = runStamp_;
    deadValue_[s] = none;
    return none;
}

void StackGraph::trace(const Work& w) {
    int k = w.length;
    int start = w.node;
    if (w.edge >= 0) {
        start = edges_[static_cast<size_t>(w.edge)].to;
        --k;
    }
    if (k == 0) {
        reduceTo(start, w.lhs, w.start);
        return;
    }
    if (k == 1) {
        // One node's edges lead to distinct nodes. Edges reduceTo adds to
        // start go to the head of its list and are queued on their own.
        for (int e = nodes_[static_cast<size_t>(start)].firstEdge; e >= 0; e = edges_[static_cast<size_t>(e)].next) {
            ++work_;
            reduceTo(edges_[static_cast<size_t>(e)].to, w.lhs, w.start);
        }
        return;
    }
    from_.clear();
    from_.push_back(start);
    for (; k > 0 && !from_.empty(); --k) {
        if (++markStamp_ == 0) {
            for (Node& node : nodes_) node.mark = 0;
            markStamp_ = 1;
        }
        to_.clear();
        for (int u : from_)
            for (int e = nodes_[static_cast<size_t>(u)].firstEdge; e >= 0; e = edges_[static_cast<size_t>(e)].next) {
                int v = edges_[static_cast<size_t>(e)].to;
                ++work_;
                if (nodes_[static_cast<size_t>(v)].mark == markStamp_) continue;
                nodes_[static_cast<size_t>(v)].mark = markStamp_;
                to_.push_back(v);
            }
        from_.swap(to_);
    }
    for (int below : from_) reduceTo(below, w.lhs, w.start);
}

void StackGraph::reduceTo(int below, int lhs, bool start) {
    // The bottom node is node 0; a start rule reduced onto it at the end of
    // the input accepts, as in the driver.
    if (atEnd_ && below == 0 && start) {
        accepted_ = true;
        return;
    }
    int target = t_->go(nodes_[static_cast<size_t>(below)].state, lhs);
    if (target < 0) return;
    int node = nodeAt(target);
    if (node < 0) {
        if (dead(target)) return;
        if (static_cast<long>(nodes_.size()) >= StackLimits::kMaxNodes) {
            tooLarge_ = true;
            return;
        }
        node = makeNode(target);
        addEdge(node, below);
        queue(node, -1, true);
        return;
    }
    int edge = addEdge(node, below);
    if (edge < 0) return;
    if (noEmptyRules_) {
        // Every edge spans at least one token, so only paths that begin at
        // this node can run through the new edge.
        queue(node, edge, false);
    } else {
        // Paths from other nodes of this level may reach the node over
        // empty phrases: trace every reduction of the level again (edges
        // already there are not added twice, so this ends).
        for (int n = levelBegin_; n < static_cast<int>(nodes_.size()); ++n) queue(n, -1, false);
    }
}

StackVerdict StackGraph::run(const Grammar& g, const StackTables& t, std::span<const InputSymbol> input) {
    g_ = &g;
    t_ = &t;
    accepted_ = tooLarge_ = false;
    work_ = 0;
    depth_ = 0;
    noEmptyRules_ = !g.hasEmptyRule() || t.emptyFree();
    if (t.emptyFree() && input.empty())
        return t.startNullable() ? StackVerdict::kInLanguage : StackVerdict::kNotInLanguage;
    nodes_.clear();
    edges_.clear();
    queue_.clear();
    shifts_.clear();
    size_t states = static_cast<size_t>(t.states());
    if (slot_.size() < states) {
        slot_.resize(states, Slot{0, -1});
        deadStamp_.resize(states, 0);
        deadValue_.resize(states, 0);
    }
    if (++runStamp_ == 0) {
        std::fill(deadStamp_.begin(), deadStamp_.end(), 0);
        runStamp_ = 1;
    }
    int n = static_cast<int>(input.size());
    // A token that reads as the end symbol would let the driver accept
    // before the end, and one tagged with a run read the other way round
    // stands where the automaton's rules do not put it: such input is left
    // to the search.
    for (const InputSymbol& in : input)
        if (in.symbol == g.endSymbol() || t.turned(in.symbol)) return StackVerdict::kTooLarge;
    // The terminals of the input, and what they can derive. A token whose
    // tag is unknown or names a non-terminal turns the pruning off.
    productive_.assign(static_cast<size_t>(t.words()), 0);
    prune_ = true;
    for (const InputSymbol& in : input) {
        if (in.symbol < 0 || g.isNonterminal(in.symbol)) prune_ = false;
        if (in.symbol >= 0) productive_[static_cast<size_t>(in.symbol / 64)] |= 1ull << (in.symbol % 64);
    }
    if (g.usesAllInput() && n > 0)
        productive_[static_cast<size_t>(g.allInputSymbol() / 64)] |= 1ull << (g.allInputSymbol() % 64);
    if (prune_) t.derivable(productive_.data(), scratch_);
    for (int level = 0; level <= n; ++level) {
        if (++levelStamp_ == 0) {
            for (Slot& slot : slot_) slot.stamp = 0;
            for (Node& node : nodes_) node.maskStamp = 0;
            levelStamp_ = 1;
        }
        atEnd_ = level == n;
        lookAhead_ = atEnd_ ? g.endSymbol() : input[static_cast<size_t>(level)].symbol;
        column_ = t.column(lookAhead_);
        withAny_ = g.usesAllInput() && !atEnd_ && lookAhead_ != g.allInputSymbol();
        levelBegin_ = static_cast<int>(nodes_.size());
        nextShifts_.swap(shifts_);
        shifts_.clear();
        if (level == 0) {
            if (dead(0)) return StackVerdict::kNotInLanguage;
            makeNode(0);
        } else {
            for (const Shift& s : nextShifts_) {
                int node = nodeAt(s.target);
                if (node < 0) node = makeNode(s.target);
                addEdge(node, s.node);
            }
        }
        for (int node = levelBegin_; node < static_cast<int>(nodes_.size()); ++node) queue(node, -1, true);
        for (;;) {
            if (accepted_) return StackVerdict::kInLanguage;
            if (tooLarge_ || work_ + static_cast<long>(queue_.size()) > maxWork_ ||
                static_cast<long>(edges_.size()) > StackLimits::kMaxEdges)
                return StackVerdict::kTooLarge;
            if (queue_.empty()) break;
            Work w = queue_.back();
            queue_.pop_back();
            trace(w);
        }
        if (!atEnd_ && shifts_.empty()) return StackVerdict::kNotInLanguage;
    }
    return StackVerdict::kNotInLanguage;
}

}  // namespace

StackVerdict recogniseWithStacks(const Grammar& grammar, std::span<const InputSymbol> input, long maxWork) {
    const StackTables* tables = grammar.stackTables();
    if (!tables || !tables->usable()) return StackVerdict::kTooLarge;
    thread_local StackGraph graph;
    graph.maxWork_ = maxWork >= 0 && maxWork < StackLimits::kMaxWork ? maxWork : StackLimits::kMaxWork;
    return graph.run(grammar, *tables, input);
}

}  // namespace zintra
