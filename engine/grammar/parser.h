// The LR driver with backtracking. Every action that applies to the top
// state and the next input symbol is tried in precedence order: all but the
// last at a choice point, which records the stack and the input position,
// so a failed path (no action, a vetoing rule action, a full stack) resumes
// at the latest choice with its next entry. The search is a loop over an
// explicit list of choice points, never a recursion on the C++ stack, and
// its work is bounded by a budget of steps.
//
// A parse still searching after a few steps runs its input through the
// stack recogniser (stack_recognizer.h): input no path of the tables
// accepts fails there, whatever the actions would say; otherwise the search
// goes on from where it paused. A parse that is still searching after
// ParseLimits::recogniseAfter steps asks the action-blind chart
// (recognizer.h), and from then on a reduction whose node could not take
// part in any complete derivation fails without being followed.
//
// A choice whose every entry failed is remembered by its input position and
// the states of its whole stack: when another path reaches the same states
// at the same position (the same prefix read another way, as an ambiguous
// grammar does again and again), it fails at once instead of trying the
// same continuations again. Only the rule actions can tell two such paths
// apart, and they see the nodes; a grammar whose actions veto one reading of
// a prefix and allow another of the same states may thereby lose a parse.
//
// A reduction that would put a node above a node of its own symbol over the
// same words (a symbol that derives itself, as in "VP : VP") fails: the tree
// without the repetition is reached another way, and a cyclic grammar no
// longer spends its budget on ever longer chains of one symbol. Rule actions
// that would allow only the longer chain lose that reading.
#pragma once

#include <cstdint>
#include <span>

#include "engine/grammar/grammar.h"
#include "engine/grammar/parse_node.h"

namespace zintra {

class Arena;
struct Token;

// One symbol of the driver's input.
struct InputSymbol {
    int symbol = -1;             // the grammar's terminal, -1 when the grammar does not know it
    const char* text = nullptr;  // the terminal's text (a token's tag)
    const char* word = nullptr;  // the token's word or text
    const Token* token = nullptr;
    int line = 0;  // grammar-file tokens: the number of lines read
};

struct ParseLimits {
    static constexpr int kStackEntries = 64;
    static constexpr long kDefaultBudget = 100000;

    int stackEntries = kStackEntries;  // (state, node) pairs, the bottom one included
    long budget = kDefaultBudget;      // steps: actions taken, look-ups and resumed choices
    // Steps after which the recogniser is run and the search restarted with
    // its pruning (negative: never). Cheap parses never pay for it.
    long recogniseAfter = 256;
    // Whether a parse still searching after screenAfter steps (or
    // recogniseAfter, when fewer) runs its input through the stack
    // recogniser (stack_recognizer.h), so that input no path could accept
    // fails there (only when recogniseAfter is not negative).
    bool screen = true;
    long screenAfter = 64;
    // When set, the steps are drawn from this counter instead (a parse run
    // from inside a rule action shares the budget of the parse around it).
    long* sharedBudget = nullptr;
};

enum class ParseStatus { kAccepted, kRejected, kBudgetExhausted };

struct ParseResult {
    ParseNode* tree = nullptr;  // the node of the start symbol's body when accepted
    ParseStatus status = ParseStatus::kRejected;
    int stoppedAt = 0;  // the furthest input position any path reached
    long steps = 0;
    bool stackFull = false;   // some path was refused for want of stack
    long pruned = 0;          // choices cut short as remembered failures
    bool recognised = false;  // the chart ran over the input, or the stack recogniser rejected it
    bool screened = false;    // the stack recogniser ran over the input
    long cut = 0;             // reductions cut because no derivation uses their node

    bool accepted() const { return status == ParseStatus::kAccepted; }
};

// One entry of the parse stack. Entries are never changed once pushed, so a
// choice point saves the whole stack by keeping its top.
struct StackEntry {
    const StackEntry* below;
    ParseNode* node;  // null for the bottom entry
    int state;
    int depth;        // entries up to and including this one
    uint64_t states;  // a hash of the states from the bottom up to this one
};

// What a rule action sees: the stack as it is before the reduction, the
// next input symbol and the rule being reduced.
class ParseContext {
  public:
    // S0 is the node of the rule's last symbol (top of the stack), S1 the
    // one below it, and so on. Below the bottom of the stack: a leaf with no
    // children whose symbol and word are the end symbol.
    const ParseNode* node(int k) const;
    int stackDepth() const { return top_ ? top_->depth - 1 : 0; }
    const StackEntry* top() const { return top_; }

    int position() const { return position_; }
    // The next input symbol's text and word; the end symbol after the input.
    const char* lookAhead() const;
    const char* lookAheadWord() const;
    const Token* lookAheadToken() const;
    std::span<const InputSymbol> input() const { return input_; }

    int rule() const { return rule_; }
    const Grammar& grammar() const { return *grammar_; }
    const void* owner() const { return grammar_->owner; }
    void* userData() const { return userData_; }
    // The steps left to this parse; a parse run by the action may draw on it.
    long* budget() const { return budget_; }
    Arena& arena() const { return *arena_; }

  private:
    friend class Driver;
    const Grammar* grammar_ = nullptr;
    std::span<const InputSymbol> input_;
    const StackEntry* top_ = nullptr;
    int position_ = 0;
    int rule_ = -1;
    void* userData_ = nullptr;
    long* budget_ = nullptr;
    Arena* arena_ = nullptr;
    const ParseNode* endLeaf_ = nullptr;
};

// Parses input with the built grammar. Nodes and stack entries come from arena.
ParseResult parseInput(const Grammar& grammar, std::span<const InputSymbol> input, Arena& arena,
                       const ParseLimits& limits = {}, void* userData = nullptr);

// The token-level driver: the terminal of a token is its tag; the input
// runs from first up to, not including, end (null: to the end of the list).
ParseResult parseTokens(const Grammar& grammar, const Token* first, const Token* end, Arena& arena,
                        const ParseLimits& limits = {}, void* userData = nullptr);

}  // namespace zintra
