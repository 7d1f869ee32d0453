// The grammar-file lexer and the text-level driver that parses grammar
// files with the meta-grammar.
//
// Tokens: "#" at the start of a line (after blanks) makes the line a comment.
// A token is a quoted symbol ('...', up to the next quote; a quote that
// follows directly stays part of it, as does the doubled quote itself), one
// of the characters : ; { } |, or a run of other bytes up to a blank, a quote
// or one of those characters. An unquoted token of one byte that is not a
// letter, and a token that begins with "%", is a terminal of its own; every
// other token, quoted symbols included, is the terminal NN with the token's
// text as its value. A zero byte ends its line.
#pragma once

#include <string>
#include <vector>

#include "engine/grammar/line_source.h"
#include "engine/grammar/parser.h"

namespace zintra {

class Arena;
class Grammar;

struct GrammarToken {
    const char* kind;  // the terminal: "NN", or the token itself
    const char* text;  // the token's text, quotes removed
    int line;          // lines read when the token was read (its line number)
};

// Reads every line of source into tokens (strings from arena); returns the
// number of lines read.
int lexGrammarText(LineSource& source, Arena& arena, std::vector<GrammarToken>& tokens);

// Grammar files of more tokens are refused (ten thousand alternatives of
// ten symbols each are about 110,000 tokens).
constexpr size_t kMaxGrammarTokens = 200000;

struct TextParse {
    ParseResult result;
    std::vector<GrammarToken> tokens;
    int linesRead = 0;
    // Where parsing stopped: the line and text of the token (at the end of
    // the input, the lines read and an empty text).
    int errorLine() const;
    const char* errorWord() const;
};

// The text-level driver: lexes source and parses the tokens with grammar
// (normally the meta-grammar). The stack and step limits grow with the input
// so that any grammar file the meta-grammar accepts can be read; more than
// kMaxGrammarTokens tokens are refused.
TextParse parseText(const Grammar& grammar, LineSource& source, Arena& arena);

}  // namespace zintra
