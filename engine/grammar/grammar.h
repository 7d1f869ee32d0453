// A context-free grammar with operator precedence, and the canonical LR(1)
// tables built from it. Symbols are interned strings numbered densely; a
// symbol is a non-terminal exactly when some rule has it as its left side.
//
// A grammar is filled (symbols, rules, precedence), then built once; after
// build() it is read-only and may be shared by any number of parses at once.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "engine/text/arena.h"
#include "engine/text/string_pool.h"

namespace zintra {

class ParseContext;
class RecognizerTables;
class StackTables;
class TableImage;
struct LrTables;

// The check run when the parser reduces by a rule: 0 lets the reduction go
// ahead, anything else vetoes it (the parser then backtracks).
using RuleAction = int (*)(ParseContext& context);

// One entry of a caller's table of braced action names.
struct NamedAction {
    const char* name;
    RuleAction action;
};
using ActionNames = std::span<const NamedAction>;

// The action bound to name, or null when the table has no such name.
RuleAction findAction(ActionNames names, std::string_view name);

// Where the builder's and reader's lines go ("rule: ..." and the error line).
using MessageSink = std::function<void(std::string_view)>;
// The sink that writes to the standard output.
MessageSink standardOutput();

enum Associativity { kLeft = 1, kRight = 2 };

struct Precedence {
    int associativity = 0;  // kLeft or kRight
    int level = 0;          // from 1; 0 means none
};

struct GrammarRule {
    std::vector<int> symbols;   // [0] the left side, [1..] the body
    int precedenceSymbol = -1;  // given by %prec, or -1
    RuleAction action = nullptr;
    const char* actionName = nullptr;  // the braced name (interned), kept when unknown

    int bodyLength() const { return static_cast<int>(symbols.size()) - 1; }
};

// One entry of an action list: a shift to a state (>= 0) or a reduction by
// rule r (encoded as -1 - r).
struct ActionEntry {
    int32_t code;
    bool isShift() const { return code >= 0; }
    int target() const { return code; }
    int rule() const { return -1 - code; }
    static ActionEntry shift(int state) { return {state}; }
    static ActionEntry reduce(int rule) { return {-1 - rule}; }
};

class Grammar {
  public:
    static constexpr int kMaxBody = 10;  // a node has at most 10 children
    static constexpr const char* kStart = "start";
    static constexpr const char* kAllInput = "$ALLINPUT";
    static constexpr const char* kEnd = "\xFF\xFF\xFF";

    Grammar();
    ~Grammar();
    Grammar(const Grammar&) = delete;
    Grammar& operator=(const Grammar&) = delete;

    // ---- symbols
    int symbol(std::string_view name);            // interned, numbered when new
    int findSymbol(std::string_view name) const;  // -1 when unknown
    const char* symbolName(int id) const { return names_[id]; }
    int symbolCount() const { return static_cast<int>(names_.size()); }
    bool isNonterminal(int id) const { return id >= 0 && id < symbolCount() && !rulesOf_[id].empty(); }
    int endSymbol() const { return end_; }
    int allInputSymbol() const { return allInput_; }
    // Whether some rule's body holds $ALLINPUT (known once built).
    bool usesAllInput() const { return usesAllInput_; }
    // Whether some rule has an empty body (known once built).
    bool hasEmptyRule() const { return hasEmptyRule_; }
    int startRuleSymbol() const { return start_; }
    StringPool& pool() { return pool_; }

    // ---- rules. Returns the rule's number; an identical rule (same symbols,
    // %prec and action name) entered before is kept once and its number returned.
    // The body must have at most kMaxBody symbols (checked by the caller).
    int addRule(int left, std::span<const int> body, int precedenceSymbol = -1, RuleAction action = nullptr,
                const char* actionName = nullptr);
    int ruleCount() const { return static_cast<int>(rules_.size()); }
    const GrammarRule& rule(int r) const { return rules_[r]; }
    const std::vector<int>& rulesOf(int symbol) const { return rulesOf_[symbol]; }
    // The left side of the first rule entered; -1 while there is none.
    int firstLeftSide() const { return rules_.empty() ? -1 : rules_[0].symbols[0]; }

    // ---- precedence. word empty: the entry of the symbol alone. A later
    // declaration of the same symbol and word replaces the earlier one.
    void addPrecedence(int symbol, std::string_view word, int associativity, int level);
    // The entry of (symbol, word), else that of the symbol alone, else none.
    Precedence precedence(int symbol, std::string_view word) const;
    bool hasWordPrecedence() const { return wordPrecedenceCount_ > 0; }

    // ---- tables
    // Adds the augmented start rule unless a rule for "start" exists, builds
    // FIRST sets, states and actions, and sends "rule: %d   state: %d    action: %d\n"
    // to sink. False (with the reason in *error) when the tables would grow
    // past the builder's limits; the grammar is then unusable. With an
    // image, its tables are taken when it is current; otherwise they are
    // built and the image is written afresh (skipped when it cannot be).
    bool build(const MessageSink& sink, std::string* error = nullptr, const TableImage* image = nullptr);
    // Whether the last build() took its tables from an image.
    bool tablesFromImage() const { return tablesFromImage_; }
    bool built() const { return tables_ != nullptr; }
    int stateCount() const;
    long actionEntryCount() const;
    // The action list of (state, symbol), ordered by the precedence of its
    // entries looked up without words; empty when there is none.
    std::span<const ActionEntry> actions(int state, int symbol) const;
    // The state reached from state over symbol, or -1.
    int gotoState(int state, int symbol) const;
    // The rules arranged for the action-blind recogniser; null before build().
    const RecognizerTables* recognizer() const { return recognizer_.get(); }
    // The LR(0) automaton of the stack recogniser; null before build().
    const StackTables* stackTables() const { return stackTables_.get(); }
    // True when rule r has "start" as its left side.
    bool isStartRule(int r) const { return rules_[r].symbols[0] == start_; }

    // The level and associativity of one action-list entry; lookAheadWord is
    // the next input word (shifts), topWord the word of the top stack node
    // (reductions).
    Precedence entryPrecedence(ActionEntry entry, int lookAhead, std::string_view lookAheadWord,
                               std::string_view topWord) const;
    // Orders entries by precedence: higher level first; at equal level with
    // left associativity a reduction before a shift; every other pair keeps
    // its order. A stable insertion sort, so the order is fully determined.
    void orderEntries(std::span<ActionEntry> entries, int lookAhead, std::string_view lookAheadWord,
                      std::string_view topWord) const;

    // What the grammar's rule actions receive as the grammar's owner.
    const void* owner = nullptr;

  private:
    struct WordPrecedence {
        const char* word;
        Precedence precedence;
    };

    Arena arena_;
    StringPool pool_;
    std::vector<const char*> names_;
    std::unordered_map<std::string_view, int> ids_;
    std::vector<GrammarRule> rules_;
    std::vector<std::vector<int>> rulesOf_;
    std::vector<Precedence> symbolPrecedence_;
    std::vector<std::vector<WordPrecedence>> wordPrecedence_;  // by symbol
    std::unordered_map<std::string, int> ruleIds_;
    int wordPrecedenceCount_ = 0;
    bool usesAllInput_ = false;
    bool hasEmptyRule_ = false;
    bool tablesFromImage_ = false;
    int end_ = -1, allInput_ = -1, start_ = -1;
    std::unique_ptr<LrTables> tables_;
    std::unique_ptr<RecognizerTables> recognizer_;
    std::unique_ptr<StackTables> stackTables_;
};

}  // namespace zintra
