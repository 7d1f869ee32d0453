#include "engine/grammar/parser.h"

#include <algorithm>
#include <unordered_set>
#include <vector>

#include "engine/grammar/recognizer.h"
#include "engine/grammar/stack_recognizer.h"
#include "engine/text/arena.h"
#include "engine/text/token.h"

namespace zintra {

namespace {

// How many nodes the cycle check looks at, at most (an empty span can have
// many nodes below it; over a non-empty one the check follows one chain of
// distinct symbols).
constexpr int kCycleWalk = 64;

// Whether a node of symbol left over the span [start, end) with these
// children would stand above a node of the same symbol over the same span:
// left would derive itself. Such a node adds nothing that the tree below it
// lacks, yet a cyclic grammar could stack them until the budget ends, and
// rule actions that walk down a chain of them would make every step cost
// more than the one before. Only nodes over the whole span are looked at.
// Inner nodes carry their symbol's interned name, so names compare as pointers.
bool closesCycle(const char* left, const ParseNode* const* children, int count, int start, int end) {
    const ParseNode* pending[kCycleWalk];
    int size = 0;
    auto coverers = [&](const ParseNode* const* nodes, int n) {
        for (int i = 0; i < n && size < kCycleWalk; ++i) {
            int childEnd = i + 1 < n ? nodes[i + 1]->position : end;
            if (!nodes[i]->isLeaf() && nodes[i]->position == start && childEnd == end) pending[size++] = nodes[i];
        }
    };
    coverers(children, count);
    for (int visited = 0; size > 0 && visited < kCycleWalk; ++visited) {
        const ParseNode* n = pending[--size];
        if (n->symbol == left) return true;
        coverers(n->children, n->childCount);
    }
    return false;
}

}  // namespace

const ParseNode* ParseContext::node(int k) const {
    const StackEntry* e = top_;
    for (; e && e->node && k > 0; --k) e = e->below;
    return e && e->node ? e->node : endLeaf_;
}

const char* ParseContext::lookAhead() const {
    return position_ < static_cast<int>(input_.size()) ? input_[position_].text : endLeaf_->symbol;
}

const char* ParseContext::lookAheadWord() const {
    return position_ < static_cast<int>(input_.size()) ? input_[position_].word : endLeaf_->word;
}

const Token* ParseContext::lookAheadToken() const {
    return position_ < static_cast<int>(input_.size()) ? input_[position_].token : nullptr;
}

class Driver {
  public:
    Driver(const Grammar& g, std::span<const InputSymbol> input, Arena& arena, const ParseLimits& limits,
           void* userData)
        : g_(g), input_(input), arena_(arena), limits_(limits) {
        ownBudget_ = limits.budget;
        budget_ = limits.sharedBudget ? limits.sharedBudget : &ownBudget_;
        endLeaf_.symbol = g.symbolName(g.endSymbol());
        endLeaf_.word = endLeaf_.symbol;
        context_.grammar_ = &g;
        context_.input_ = input;
        context_.userData_ = userData;
        context_.budget_ = budget_;
        context_.arena_ = &arena;
        context_.endLeaf_ = &endLeaf_;
    }

    ParseResult run();

  private:
    enum Outcome { kContinue, kFail, kAccept };
    enum class Search { kDone, kPaused };
    // The screen gives up (and the search goes on as without it) past this
    // much work per token: a graph that large is an ambiguous sentence the
    // search and the chart decide at least as cheaply.
    static constexpr long kScreenWork = 24;
    static constexpr int kKeyDepth = 64;

    struct Choice {
        const StackEntry* top;
        int position;
        size_t offset;  // into pool_
        int count;
        int next;
    };

    bool spend() {
        if (*budget_ <= 0) return false;
        --*budget_;
        ++result_.steps;
        return true;
    }
    int lookAheadSymbol() const {
        return position_ < static_cast<int>(input_.size()) ? input_[position_].symbol : g_.endSymbol();
    }
    const StackEntry* push(const StackEntry* below, int state, ParseNode* node) {
        StackEntry* e = arena_.make<StackEntry>();
        e->below = below;
        e->node = node;
        e->state = state;
        e->depth = below ? below->depth + 1 : 1;
        uint64_t h = (below ? below->states : 0x243F6A8885A308D3ull) ^ static_cast<uint64_t>(state);
        h *= 0x9E3779B97F4A7C15ull;
        e->states = h ^ (h >> 29);
        return e;
    }
    uint64_t failureKey(const StackEntry* top, int position) const {
        uint64_t h = static_cast<uint64_t>(top->state) * 0x9E3779B97F4A7C15ull + static_cast<uint64_t>(position);
        for (const StackEntry* e = top->below; e && e->depth > top->depth - kKeyDepth; e = e->below)
            h = (h ^ static_cast<uint64_t>(e->state)) * 0xC2B2AE3D27D4EB4Full;
        h ^= h >> 31;
        return h * 0x165667B19E3779F9ull;
    }
    // resume: go on from where the last search paused instead of starting.
    Search search(long pauseAt, bool resume = false);
    Outcome apply(ActionEntry entry);
    Outcome shift(int target);
    Outcome reduce(int rule);
    ParseNode* innerNode(int rule, const StackEntry* from, int count);

    const Grammar& g_;
    std::span<const InputSymbol> input_;
    Arena& arena_;
    ParseLimits limits_;
    long ownBudget_ = 0;
    long* budget_;
    ParseNode endLeaf_;
    ParseContext context_;

    const StackEntry* top_ = nullptr;
    int position_ = 0;
    std::vector<Choice> choices_;
    std::vector<ActionEntry> pool_;
    std::unordered_set<uint64_t> failed_;  // failureKey of choices whose every entry failed
    const Chart* chart_ = nullptr;         // set once the recogniser found the input derivable
    Outcome outcome_ = kContinue;          // of the search's last step
    ParseResult result_;
};

ParseNode* Driver::innerNode(int rule, const StackEntry* from, int count) {
    ParseNode* n = arena_.make<ParseNode>();
    n->symbol = g_.symbolName(g_.rule(rule).symbols[0]);
    n->word = "";
    n->rule = rule;
    n->childCount = count;
    for (int i = count - 1; i >= 0; --i, from = from->below) n->children[i] = from->node;
    // Where the node's span begins (an empty one at the current position).
    n->position = count ? n->children[0]->position : position_;
    return n;
}

Driver::Outcome Driver::shift(int target) {
    if (position_ >= static_cast<int>(input_.size())) return kFail;  // nothing to shift past the end
    if (top_->depth >= limits_.stackEntries) {
        result_.stackFull = true;
        return kFail;
    }
    const InputSymbol& in = input_[position_];
    ParseNode* leaf = arena_.make<ParseNode>();
    leaf->symbol = in.text;
    leaf->word = in.word ? in.word : "";
    leaf->token = in.token;
    leaf->position = position_;
    top_ = push(top_, target, leaf);
    ++position_;
    if (position_ > result_.stoppedAt) result_.stoppedAt = position_;
    return kContinue;
}

Driver::Outcome Driver::reduce(int r) {
    const GrammarRule& rule = g_.rule(r);
    int k = rule.bodyLength();
    if (k > ParseNode::kMaxChildren || k >= top_->depth) return kFail;
    const StackEntry* exposed = top_;
    for (int i = 0; i < k; ++i) exposed = exposed->below;
    bool accept = g_.isStartRule(r) && exposed->below == nullptr && lookAheadSymbol() == g_.endSymbol();
    if (chart_ && k > 0) {
        const StackEntry* firstChild = top_;
        for (int i = 1; i < k; ++i) firstChild = firstChild->below;
        if (!chart_->useful(rule.symbols[0], firstChild->node->position, position_)) {
            ++result_.cut;
            return kFail;
        }
    }
    if (k > 0) {
        const ParseNode* children[ParseNode::kMaxChildren];
        const StackEntry* e = top_;
        for (int i = k - 1; i >= 0; --i, e = e->below) children[i] = e->node;
        if (closesCycle(g_.symbolName(rule.symbols[0]), children, k, children[0]->position, position_)) return kFail;
    }
    // The augmented rule has no action; a grammar's own start rules may.
    if (rule.action) {
        context_.top_ = top_;
        context_.position_ = position_;
        context_.rule_ = r;
        if (rule.action(context_) != 0) return kFail;
    }
    if (accept) {
        result_.tree = k == 1 ? top_->node : innerNode(r, top_, k);
        return kAccept;
    }
    int target = g_.gotoState(exposed->state, rule.symbols[0]);
    if (target < 0) return kFail;
    if (exposed->depth >= limits_.stackEntries) {
        result_.stackFull = true;
        return kFail;
    }
    ParseNode* n = innerNode(r, top_, k);
    top_ = push(exposed, target, n);
    return kContinue;
}

Driver::Outcome Driver::apply(ActionEntry entry) {
    return entry.isShift() ? shift(entry.target()) : reduce(entry.rule());
}

ParseResult Driver::run() {
    const RecognizerTables* tables = g_.recognizer();
    bool canRecognise = tables && tables->usable() && limits_.recogniseAfter >= 0;
    bool resume = false;
    if (limits_.recogniseAfter >= 0 && limits_.screen) {
        // Parses that end within a few steps never pay for the screen; the
        // search pauses for it and then goes on as if it had not.
        if (search(std::min(limits_.screenAfter, limits_.recogniseAfter)) == Search::kDone) return result_;
        result_.screened = true;
        if (recogniseWithStacks(g_, input_, kScreenWork * (static_cast<long>(input_.size()) + 1)) ==
            StackVerdict::kNotInLanguage) {
            result_.recognised = true;
            result_.status = ParseStatus::kRejected;
            return result_;
        }
        resume = true;
    }
    if (search(canRecognise ? limits_.recogniseAfter : -1, resume) == Search::kDone) return result_;
    // A costly parse: ask the recogniser, then search again with its answer.
    // The failures remembered so far stay failures.
    result_.recognised = true;
    Chart chart(*tables, input_);
    Chart::Verdict verdict = chart.run();
    if (verdict == Chart::Verdict::kNotInLanguage) {
        result_.status = ParseStatus::kRejected;
        return result_;
    }
    if (verdict == Chart::Verdict::kInLanguage) chart_ = &chart;
    choices_.clear();
    pool_.clear();
    search(-1);
    chart_ = nullptr;
    return result_;
}

// Runs the search from the start until it accepts, fails on every path or
// runs out of budget (kDone, with result_ set), or until it has taken
// pauseAt steps (kPaused; never when pauseAt is negative).
Driver::Search Driver::search(long pauseAt, bool resume) {
    if (!resume) {
        top_ = push(nullptr, 0, nullptr);
        position_ = 0;
        outcome_ = kContinue;
    }
    Outcome& outcome = outcome_;
    for (;;) {
        if (pauseAt >= 0 && result_.steps >= pauseAt) return Search::kPaused;
        if (!spend()) {
            result_.status = ParseStatus::kBudgetExhausted;
            return Search::kDone;
        }
        if (outcome == kContinue) {
            int la = lookAheadSymbol();
            std::span<const ActionEntry> list = g_.actions(top_->state, la);
            std::span<const ActionEntry> any;
            if (g_.usesAllInput() && la != g_.endSymbol() && la != g_.allInputSymbol())
                any = g_.actions(top_->state, g_.allInputSymbol());
            size_t count = list.size() + any.size();
            if (count == 0) {
                outcome = kFail;
            } else if (count == 1) {
                outcome = apply(list.empty() ? any[0] : list[0]);
            } else if (failed_.count(failureKey(top_, position_))) {
                ++result_.pruned;
                outcome = kFail;
            } else {
                size_t offset = pool_.size();
                pool_.insert(pool_.end(), list.begin(), list.end());
                pool_.insert(pool_.end(), any.begin(), any.end());
                if (!any.empty() || g_.hasWordPrecedence()) {
                    const char* word = position_ < static_cast<int>(input_.size()) ? input_[position_].word : "";
                    const char* topWord = top_->node && top_->node->word ? top_->node->word : "";
                    g_.orderEntries(std::span<ActionEntry>(pool_.data() + offset, count), la, word ? word : "",
                                    topWord);
                }
                choices_.push_back({top_, position_, offset, static_cast<int>(count), 1});
                outcome = apply(pool_[offset]);
            }
            if (outcome == kAccept) {
                result_.status = ParseStatus::kAccepted;
                return Search::kDone;
            }
            continue;
        }
        // A failed path: resume at the latest choice with its next entry; a
        // choice with no entry left is remembered as failed and dropped.
        while (!choices_.empty() && choices_.back().next == choices_.back().count) {
            failed_.insert(failureKey(choices_.back().top, choices_.back().position));
            pool_.resize(choices_.back().offset);
            choices_.pop_back();
        }
        if (choices_.empty()) {
            result_.status = ParseStatus::kRejected;
            return Search::kDone;
        }
        Choice& c = choices_.back();
        top_ = c.top;
        position_ = c.position;
        ActionEntry entry = pool_[c.offset + static_cast<size_t>(c.next)];
        ++c.next;
        outcome = apply(entry);
        if (outcome == kAccept) {
            result_.status = ParseStatus::kAccepted;
            return Search::kDone;
        }
    }
}

ParseResult parseInput(const Grammar& grammar, std::span<const InputSymbol> input, Arena& arena,
                       const ParseLimits& limits, void* userData) {
    if (!grammar.built()) return {};
    Driver driver(grammar, input, arena, limits, userData);
    return driver.run();
}

ParseResult parseTokens(const Grammar& grammar, const Token* first, const Token* end, Arena& arena,
                        const ParseLimits& limits, void* userData) {
    int n = 0;
    for (const Token* t = first; t && t != end; t = t->next) ++n;
    InputSymbol* input = arena.makeArray<InputSymbol>(static_cast<size_t>(n));
    int i = 0;
    for (const Token* t = first; t && t != end; t = t->next, ++i) {
        input[i].text = t->tag ? t->tag : "";
        input[i].word = t->word ? t->word : "";
        input[i].symbol = grammar.findSymbol(input[i].text);
        input[i].token = t;
    }
    return parseInput(grammar, std::span<const InputSymbol>(input, static_cast<size_t>(n)), arena, limits, userData);
}

}  // namespace zintra
