#include "engine/grammar/grammar.h"

#include <cstdio>
#include <cstring>

#include "engine/grammar/lr_tables.h"
#include "engine/grammar/recognizer.h"
#include "engine/grammar/stack_recognizer.h"
#include "engine/grammar/table_image.h"

namespace zintra {

RuleAction findAction(ActionNames names, std::string_view name) {
    for (const NamedAction& entry : names)
        if (entry.name && name == entry.name) return entry.action;
    return nullptr;
}

MessageSink standardOutput() {
    return [](std::string_view line) {
        std::fwrite(line.data(), 1, line.size(), stdout);
        std::fflush(stdout);
    };
}

Grammar::Grammar() : pool_(arena_) {
    end_ = symbol(kEnd);
    allInput_ = symbol(kAllInput);
    start_ = symbol(kStart);
}

Grammar::~Grammar() = default;

int Grammar::symbol(std::string_view name) {
    auto found = ids_.find(name);
    if (found != ids_.end()) return found->second;
    const char* stored = pool_.intern(name);
    int id = static_cast<int>(names_.size());
    names_.push_back(stored);
    ids_.emplace(std::string_view(stored, name.size()), id);
    rulesOf_.emplace_back();
    symbolPrecedence_.emplace_back();
    wordPrecedence_.emplace_back();
    return id;
}

int Grammar::findSymbol(std::string_view name) const {
    auto found = ids_.find(name);
    return found == ids_.end() ? -1 : found->second;
}

int Grammar::addRule(int left, std::span<const int> body, int precedenceSymbol, RuleAction action,
                     const char* actionName) {
    // The identity of a rule: its symbols, %prec symbol and action name.
    std::string key;
    key.reserve((body.size() + 3) * sizeof(int));
    auto put = [&key](int v) { key.append(reinterpret_cast<const char*>(&v), sizeof v); };
    put(left);
    put(static_cast<int>(body.size()));
    for (int s : body) put(s);
    put(precedenceSymbol);
    if (actionName) key.append(actionName);
    auto [it, added] = ruleIds_.emplace(std::move(key), ruleCount());
    if (!added) return it->second;
    GrammarRule rule;
    rule.symbols.reserve(body.size() + 1);
    rule.symbols.push_back(left);
    rule.symbols.insert(rule.symbols.end(), body.begin(), body.end());
    rule.precedenceSymbol = precedenceSymbol;
    rule.action = action;
    rule.actionName = actionName ? pool_.intern(actionName) : nullptr;
    rules_.push_back(std::move(rule));
    rulesOf_[left].push_back(ruleCount() - 1);
    return ruleCount() - 1;
}

void Grammar::addPrecedence(int sym, std::string_view word, int associativity, int level) {
    Precedence p{associativity, level};
    if (word.empty()) {
        symbolPrecedence_[sym] = p;
        return;
    }
    for (WordPrecedence& entry : wordPrecedence_[sym])
        if (word == entry.word) {
            entry.precedence = p;
            return;
        }
    wordPrecedence_[sym].push_back({pool_.intern(word), p});
    ++wordPrecedenceCount_;
}

Precedence Grammar::precedence(int sym, std::string_view word) const {
    if (sym < 0 || sym >= symbolCount()) return {};
    if (!word.empty())
        for (const WordPrecedence& entry : wordPrecedence_[sym])
            if (word == entry.word) return entry.precedence;
    return symbolPrecedence_[sym];
}

Precedence Grammar::entryPrecedence(ActionEntry entry, int lookAhead, std::string_view lookAheadWord,
                                    std::string_view topWord) const {
    if (entry.isShift()) return precedence(lookAhead, lookAheadWord);
    const GrammarRule& r = rules_[entry.rule()];
    int sym = r.precedenceSymbol;
    // Without %prec: the second-to-last symbol counted with the left side, the
    // operator of a rule such as E -> E + E.
    if (sym < 0 && r.bodyLength() >= 2) sym = r.symbols[r.symbols.size() - 2];
    return sym < 0 ? Precedence{} : precedence(sym, topWord);
}

void Grammar::orderEntries(std::span<ActionEntry> entries, int lookAhead, std::string_view lookAheadWord,
                           std::string_view topWord) const {
    constexpr size_t kInline = 16;
    Precedence inlineLevels[kInline];
    std::vector<Precedence> heapLevels;
    Precedence* levels = inlineLevels;
    if (entries.size() > kInline) {
        heapLevels.resize(entries.size());
        levels = heapLevels.data();
    }
    bool any = false;
    for (size_t i = 0; i < entries.size(); ++i) {
        levels[i] = entryPrecedence(entries[i], lookAhead, lookAheadWord, topWord);
        any |= levels[i].level > 0;
    }
    if (!any) return;
    auto before = [&](size_t a, size_t b) {
        const Precedence& pa = levels[a];
        const Precedence& pb = levels[b];
        if (pa.level == 0 || pb.level == 0) return false;
        if (pa.level != pb.level) return pa.level > pb.level;
        return pa.associativity == kLeft && !entries[a].isShift() && entries[b].isShift();
    };
    for (size_t i = 1; i < entries.size(); ++i)
        for (size_t j = i; j > 0 && before(j, j - 1); --j) {
            std::swap(entries[j], entries[j - 1]);
            std::swap(levels[j], levels[j - 1]);
        }
}

bool Grammar::build(const MessageSink& sink, std::string* error, const TableImage* image) {
    tables_.reset();
    tablesFromImage_ = false;
    recognizer_.reset();
    stackTables_.reset();
    if (rulesOf_[start_].empty()) {
        int s = firstLeftSide();
        if (s < 0) s = symbol("S");
        int body[1] = {s};
        addRule(start_, body);
    }
    // Tables from an image are read into objects of their own and dropped
    // unless complete, so a bad image leaves nothing behind.
    auto tables = std::make_unique<LrTables>();
    if (image && image->load(*this, *tables)) {
        tablesFromImage_ = true;
    } else {
        tables = std::make_unique<LrTables>();
        std::string reason;
        if (!buildLrTables(*this, *tables, LrLimits{}, &reason)) {
            if (error) *error = reason;
            return false;
        }
        if (image) image->store(*this, *tables);
    }
    tables_ = std::move(tables);
    recognizer_ = std::make_unique<RecognizerTables>(*this);
    usesAllInput_ = false;
    hasEmptyRule_ = false;
    for (const GrammarRule& r : rules_) {
        hasEmptyRule_ = hasEmptyRule_ || r.bodyLength() == 0;
        for (size_t i = 1; i < r.symbols.size(); ++i) usesAllInput_ = usesAllInput_ || r.symbols[i] == allInput_;
    }
    stackTables_ = std::make_unique<StackTables>(*this);
    char line[128];
    std::snprintf(line, sizeof line, "rule: %d   state: %d    action: %ld\n", ruleCount(), stateCount(),
                  actionEntryCount());
    if (sink) sink(line);
    return true;
}

int Grammar::stateCount() const { return tables_ ? tables_->states : 0; }

long Grammar::actionEntryCount() const { return tables_ ? tables_->entryCount : 0; }

std::span<const ActionEntry> Grammar::actions(int state, int sym) const {
    if (!tables_) return {};
    const LrTables::Row* row = tables_->find(state, sym);
    if (!row) return {};
    return {tables_->entries.data() + row->offset, LrTables::count(row)};
}

int Grammar::gotoState(int state, int sym) const {
    for (ActionEntry e : actions(state, sym))
        if (e.isShift()) return e.target();
    return -1;
}

}  // namespace zintra
