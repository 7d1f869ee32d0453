// Helpers for the grammar tests: reading grammars from strings with the
// messages collected, and parsing blank-separated tag sequences.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "engine/grammar/grammar.h"
#include "engine/grammar/grammar_reader.h"
#include "engine/grammar/parser.h"
#include "engine/text/arena.h"
#include "engine/text/token.h"

namespace zintra::test {

struct Messages {
    std::vector<std::string> lines;
    MessageSink sink() {
        return [this](std::string_view line) { lines.emplace_back(line); };
    }
    std::string all() const {
        std::string out;
        for (const std::string& l : lines) out += l;
        return out;
    }
};

inline std::unique_ptr<Grammar> grammarOf(std::string_view text, Messages& messages, ActionNames actions = {}) {
    StringLineSource source(text);
    return readGrammar(source, actions, messages.sink());
}

// A token list of "TAG" or "TAG/word" items separated by blanks (the word
// defaults to the tag).
inline Token* tokensOf(std::string_view text, Arena& arena) {
    Token* first = nullptr;
    Token* last = nullptr;
    size_t i = 0;
    while (i < text.size()) {
        while (i < text.size() && text[i] == ' ') ++i;
        if (i >= text.size()) break;
        size_t j = text.find(' ', i);
        if (j == std::string_view::npos) j = text.size();
        std::string_view item = text.substr(i, j - i);
        i = j;
        size_t slash = item.find('/');
        std::string tag(item.substr(0, slash));
        std::string word = slash == std::string_view::npos ? tag : std::string(item.substr(slash + 1));
        Token* t = makeToken(arena);
        t->tag = arena.copy(tag);
        t->word = arena.copy(word);
        t->prev = last;
        if (last)
            last->next = t;
        else
            first = t;
        last = t;
    }
    return first;
}

// The tree in bracket form: (SYMBOL child child) for inner nodes, the
// leaf's word for leaves.
inline std::string bracket(const ParseNode* n) {
    if (!n) return "<none>";
    if (n->isLeaf()) return n->word;
    std::string out = "(";
    out += n->symbol;
    for (int i = 0; i < n->childCount; ++i) {
        out += ' ';
        out += bracket(n->children[i]);
    }
    if (n->childCount == 0) out += " ";
    return out + ")";
}

// Parses the tags of text with g; the tree's bracket form, or "FAIL".
inline std::string parseTags(const Grammar& g, std::string_view text, const ParseLimits& limits = {},
                             void* userData = nullptr) {
    Arena arena;
    Token* first = tokensOf(text, arena);
    ParseResult r = parseTokens(g, first, nullptr, arena, limits, userData);
    return r.accepted() ? bracket(r.tree) : "FAIL";
}

}  // namespace zintra::test
