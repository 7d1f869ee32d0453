// A recogniser that ignores the rule actions: an Earley chart over the
// grammar's rules. It tells in polynomial time whether the input can be
// derived at all, and which constituents (a non-terminal over a span of the
// input) take part in some complete derivation. The backtracking driver asks
// it once a parse turns out to be costly: input outside the language fails
// at once, and a reduction that builds a constituent no derivation uses is
// cut before the search goes on from it. Rule actions only ever veto, so
// neither answer can lose a parse the actions would allow.
#pragma once

#include <cstdint>
#include <span>
#include <utility>
#include <vector>

namespace zintra {

class Grammar;
struct InputSymbol;

// A set of 64-bit keys (never 0) with open addressing.
class KeySet {
  public:
    void reserve(size_t keys);
    bool insert(uint64_t key);  // true when the key is new
    bool contains(uint64_t key) const;
    void clear();
    size_t size() const { return count_; }

  private:
    void grow();
    std::vector<uint64_t> slots_;
    size_t count_ = 0;
};

// The grammar's rules arranged for the chart; built with the grammar's tables.
class RecognizerTables {
  public:
    explicit RecognizerTables(const Grammar& grammar);

    // Dense numbers of the non-terminals; -1 for a terminal.
    int nonterminal(int symbol) const {
        return symbol >= 0 && symbol < static_cast<int>(ntOf_.size()) ? ntOf_[symbol] : -1;
    }
    bool usable() const { return usable_; }

  private:
    friend class Chart;
    const Grammar& g_;
    bool usable_ = true;
    int nonterminals_ = 0;
    int words_ = 0;                                // 64-bit words of a set of non-terminals
    std::vector<int> ntOf_;                        // by symbol
    std::vector<int> lhsNt_;                       // by rule
    std::vector<int> dotBase_;                     // by rule: the number of its first (rule, dot) pair
    int ruleDots_ = 0;                             // (rule, dot) pairs of all rules
    std::vector<uint8_t> nullable_;                // by non-terminal
    std::vector<uint64_t> closure_;                // by non-terminal: the non-terminals a prediction brings in
    std::vector<std::vector<int>> startsWith_;     // by symbol: the rules whose body begins with it
    std::vector<std::vector<int>> nullableFirst_;  // by non-terminal: its rules whose body begins nullable
};

// One input's chart. run() fills it; useful() then answers for constituents.
class Chart {
  public:
    enum class Verdict { kNotRun, kInLanguage, kNotInLanguage, kTooLarge };

    static constexpr size_t kMaxItems = 400000;
    static constexpr size_t kMaxInput = 1000;
    // Positions times (rule, dot) pairs and symbols: the size of its tables.
    static constexpr size_t kMaxCells = size_t{4} << 20;
    // Steps of marking the useful constituents; past it the chart gives no
    // advice. Marking grows with the cube of the input's length on long runs
    // of words that group in many ways (190 tokens of "%" took 1.9 million
    // steps, ~60 ms). Every treebank dev sentence gets the same tree with a
    // quarter of this limit; one changes at a sixteenth.
    static constexpr size_t kMaxMarkSteps = size_t{1} << 17;

    Chart(const RecognizerTables& tables, std::span<const InputSymbol> input);
    Verdict run();
    // Whether the non-terminal symbol over input [from, to) is part of some
    // complete derivation. Empty spans are always reported useful.
    bool useful(int symbol, int from, int to) const;
    size_t items() const { return itemCount_; }

  private:
    struct Item {
        int rule, dot, origin;
        int sameNext;  // the previous item of its position with the same next symbol, or -1
    };
    static uint64_t itemKey(int at, int rule, int dot, int origin) {
        return ((((static_cast<uint64_t>(at) << 12 | static_cast<uint64_t>(origin)) << 20 | static_cast<uint64_t>(rule))
                 << 4) |
                static_cast<uint64_t>(dot)) +
               1;
    }
    static uint64_t spanKey(int nt, int from, int to) {
        return ((static_cast<uint64_t>(to) << 12 | static_cast<uint64_t>(from)) << 24 | static_cast<uint64_t>(nt)) + 1;
    }
    bool predicted(int at, int nt) const {
        return (predicted_[static_cast<size_t>(at) * static_cast<size_t>(t_.words_) + static_cast<size_t>(nt / 64)] >>
                (nt % 64)) &
               1;
    }
    bool matches(int bodySymbol, int at) const;
    void add(int at, int rule, int dot, int origin);
    void predict(int at, int nt);
    void complete(int at, const Item& item);
    void scan(int at);
    int& waiting(int at, int symbol) {
        return waiting_[static_cast<size_t>(at) * static_cast<size_t>(symbols_) + static_cast<size_t>(symbol)];
    }
    bool markUseful();
    void markItem(int rule, int dot, int origin, int at);

    const RecognizerTables& t_;
    const Grammar& g_;
    std::span<const InputSymbol> input_;
    int n_ = 0;
    bool overflow_ = false;
    size_t itemCount_ = 0;
    size_t markSteps_ = 0;
    int symbols_ = 0;
    // The items of all positions in order: position k holds [begin_[k], begin_[k + 1]).
    std::vector<Item> all_;
    std::vector<int> begin_;
    // Per position and symbol: the last item whose next symbol it is (-1: none).
    std::vector<int> waiting_;
    // Which items the position being worked on and the next one hold: per
    // parity of the position, (origin, rule, dot) marked with the position + 1.
    std::vector<uint16_t> seen_;
    std::vector<uint64_t> predicted_;
    KeySet items_, completed_, useful_, marked_;
    std::vector<uint64_t> work_;  // constituents and items still to mark
    // The finished items as (span key of their left side and span, rule),
    // sorted, so that a constituent finds the items that make it without
    // walking every item of its end position.
    std::vector<std::pair<uint64_t, int>> finishedBySpan_;
    Verdict verdict_ = Verdict::kNotRun;
};

}  // namespace zintra
