// A recogniser that runs an LR(0) automaton of the grammar's rules on a
// graph of stacks: every action is followed at once, and stacks that reach
// the same state at the same input position are merged into one node, so the
// work grows with the input instead of with its readings. A reduction is
// taken only before a symbol that may follow its left side (the SLR test).
//
// Every path of the backtracking driver is a path of this automaton (the
// driver's LR(1) states are these states split by look-ahead, and its
// reductions take look-aheads that follow their left side), and the
// recogniser ignores the rule actions, the stack's capacity and the budget.
// So it accepts every input the driver could accept: an input it rejects can
// never parse. The driver asks it before its first step, which makes input
// the rules cannot derive fail for the price of one pass over the tokens.
//
// The automaton is small (hundreds of states where the LR(1) tables have
// thousands), so its dense tables stay in the cache. Working memory belongs
// to the calling thread and is kept between calls: a parse allocates
// nothing once the thread has parsed a sentence of its size.
#pragma once

#include <algorithm>
#include <cstdint>
#include <span>
#include <vector>

namespace zintra {

class Grammar;
struct InputSymbol;

enum class StackVerdict { kInLanguage, kNotInLanguage, kTooLarge };

struct StackLimits {
    static constexpr int kMaxStates = 20000;
    static constexpr long kMaxCells = 8L * 1024 * 1024;  // states times symbols of the goto table
    static constexpr long kMaxNodes = 200000;
    static constexpr long kMaxEdges = 1000000;
    // Edges followed while tracing reductions back, and work items queued.
    static constexpr long kMaxWork = 4000000;
};

// The LR(0) automaton of a grammar and the symbols that may follow each
// non-terminal. Built with the grammar's tables, read-only afterwards.
class StackTables {
  public:
    explicit StackTables(const Grammar& grammar);
    // False when the automaton would pass StackLimits (never asked then).
    bool usable() const { return usable_; }
    // Whether the automaton's rules were made free of empty bodies (the
    // grammar has some): no stack then grows over an empty phrase.
    bool emptyFree() const { return emptyFree_; }
    // Whether the start symbol derives the empty input.
    bool startNullable() const { return startNullable_; }
    int states() const { return states_; }

    // The state reached from state over symbol, or -1.
    int go(int state, int symbol) const {
        return symbol >= 0 && symbol < symbols_
                   ? goto_[static_cast<size_t>(state) * static_cast<size_t>(symbols_) + static_cast<size_t>(symbol)]
                   : -1;
    }
    // The reductions of state that may be taken before a next symbol
    // (SLR: the symbol may follow the rule's left side; a token tagged with a
    // non-terminal or an unknown tag is not screened).
    struct Reduction {
        int lhs;
        int length;
        bool start;  // a rule of the start symbol
    };
    // Where the reductions before one next symbol lie: state s has its list
    // in cell s * stride + offset.
    struct Column {
        size_t stride, offset;
    };
    Column column(int next) const {
        if (next >= 0 && next < symbols_ && !nonterminal_[static_cast<size_t>(next)])
            return {static_cast<size_t>(symbols_), static_cast<size_t>(next)};
        return {1, static_cast<size_t>(states_) * static_cast<size_t>(symbols_)};
    }
    std::span<const Reduction> reductions(int state, Column c) const {
        size_t cell = static_cast<size_t>(state) * c.stride + c.offset;
        return {reduce_.data() + reduceBegin_[cell], reduceBegin_[cell + 1] - reduceBegin_[cell]};
    }
    std::span<const Reduction> reductions(int state, int next) const { return reductions(state, column(next)); }

    // Whether the automaton reads the runs of non-terminal symbol left
    // recursively where the grammar has them right recursive.
    bool turned(int symbol) const { return std::find(turned_.begin(), turned_.end(), symbol) != turned_.end(); }

    // ---- the symbols an input can give. A kernel item of a state is
    // (rule, dot); what is left of its body must be derived from the rest of
    // the input. So over an input whose tokens use only some terminals, a
    // state none of whose kernel items is complete or has a rest made of
    // symbols derivable from those terminals never leads to acceptance.
    int words() const { return words_; }
    // The symbols of the rest of each of state's kernel items, a set of
    // words() words per item; empty when some kernel item is complete.
    std::span<const uint64_t> rests(int state) const {
        return {rest_.data() + restBegin_[static_cast<size_t>(state)],
                restBegin_[static_cast<size_t>(state) + 1] - restBegin_[static_cast<size_t>(state)]};
    }
    // Sets productive (words() words) to the symbols that derive a string of
    // the given terminals (which are included); work is scratch space.
    void derivable(uint64_t* productive, std::vector<int>& work) const;

  private:
    bool mayFollow(int lhs, int symbol) const;
    bool followBit(int lhs, int symbol) const {
        size_t word = static_cast<size_t>(lhs) * static_cast<size_t>(words_) + static_cast<size_t>(symbol / 64);
        return (follow_[word] >> (symbol % 64)) & 1;
    }

    const Grammar& g_;
    bool usable_ = false;
    bool emptyFree_ = false;
    bool startNullable_ = false;
    int symbols_ = 0;
    int states_ = 0;
    int words_ = 0;                     // 64-bit words of a set of symbols
    std::vector<uint8_t> nonterminal_;  // by symbol
    std::vector<int32_t> goto_;         // states x symbols
    // The reductions of (state, next symbol), cell by cell: states x symbols
    // cells, then one cell per state with all its reductions.
    std::vector<Reduction> reduce_;
    std::vector<uint32_t> reduceBegin_;
    std::vector<uint64_t> follow_;  // by symbol: the symbols that may follow it
    std::vector<int> turned_;       // non-terminals whose runs are read left recursively
    std::vector<uint64_t> rest_;    // the kernel items' rests, state by state
    std::vector<size_t> restBegin_;
    // The automaton's rules for derivable(): the left side and the number of
    // body symbols of each, and for each symbol the rules whose body holds
    // it (once per occurrence).
    std::vector<int> ruleLeft_, ruleLength_;
    std::vector<int> usedBy_;
    std::vector<size_t> usedByBegin_;
};

// Whether some path of the automaton accepts input. kTooLarge when the
// grammar has no usable automaton or the graph would pass StackLimits: the
// caller then searches as it would without the answer.
// maxWork, when not negative, lowers the limit of work (StackLimits::kMaxWork).
StackVerdict recogniseWithStacks(const Grammar& grammar, std::span<const InputSymbol> input, long maxWork = -1);

}  // namespace zintra
