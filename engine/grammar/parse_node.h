// The trees the grammar drivers build. Nodes live in the arena of the parse
// (a request's or a sentence's) and are never freed one by one.
#pragma once

namespace zintra {

struct Token;

struct ParseNode {
    static constexpr int kMaxChildren = 10;

    // Inner nodes: the rule's left side, interned by the grammar. Leaves: the
    // input's terminal (a token's own tag text, or a grammar-file token kind).
    const char* symbol = nullptr;
    // Leaves: the token's word or the grammar-file token's text; "" for inner nodes.
    const char* word = nullptr;
    const Token* token = nullptr;  // leaves of a token-level parse; null otherwise
    int rule = -1;                 // inner nodes: the rule reduced; -1 for leaves
    int position = -1;             // leaves: index of the input symbol
    int childCount = 0;
    int spare = 0;  // free for the caller
    ParseNode* children[kMaxChildren] = {};

    bool isLeaf() const { return rule < 0; }
};

}  // namespace zintra
