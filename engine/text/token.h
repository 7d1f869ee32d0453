// One node of a tagged sentence. Tokens and their strings live in the arena
// of the request (or sentence) that made them.
#pragma once

namespace zintra {

class Arena;

// The shared empty string of every token made blank; the string pool returns
// the same pointer for an interned empty string.
extern const char* const kEmptyWord;

struct Token {
    const char* word = kEmptyWord;  // the token's text; empty for a compound parent
    const char* tag = kEmptyWord;   // interned part-of-speech tag
    int fixed = 0;                  // 1 when the tag was given in the input; never re-tagged
    Token* prev = nullptr;          // previous token; for a compound's first member, the parent
    Token* next = nullptr;          // next token; null after the last one
    Token* children = nullptr;      // first member of a compound parent; null otherwise
    void* annotations = nullptr;    // what template matching attaches; null when made
};

// A blank token (empty word and tag, no links) taken from the arena.
Token* makeToken(Arena& arena);

// Number of tokens in the list starting at first (top level only).
int tokenCount(const Token* first);

}  // namespace zintra
