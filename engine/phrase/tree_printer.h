// Printing phrase trees and tokens: the bracket form (the reply of a parse
// request) and the HTML form (inside match reports), and the flat forms of a
// sentence that has no phrase structure. Symbols that begin with "@" are not
// printed: their children are lifted into the parent.
#pragma once

#include <functional>
#include <string>

namespace zintra {

class Arena;
class Grammar;
struct ParseNode;
struct Token;

// Writes the word element of a token that is no compound into out. The
// default is "<P><B>" + the escaped word + "</B></P>"; a caller that holds
// correction annotations puts its markup around the word instead.
using WordWriter = std::function<void(std::string& out, const Token& token)>;

// "&" becomes "&amp;" and "<" becomes "&lt;".
void appendEscaped(std::string& out, const char* text);

// (TAG word), a compound as (TAG member member); no brackets for a tag that
// is empty or begins with "@".
void appendTokenBracket(std::string& out, const Token& token);
// word/TAG, a compound as (member member)/TAG.
void appendTokenSlash(std::string& out, const Token& token);
// <div><span>TAG</span>...</div>\n around the word element (or the members'
// elements of a compound); only the word element for an empty or "@" tag.
void appendTokenHtml(std::string& out, const Token& token, const WordWriter& writeWord = {});

// The bracketed tree of a node: children's texts joined by single blanks,
// as "(" SYMBOL " " text ")" unless the text is empty or the symbol begins
// with "@". Leaves print their token (a leaf without a token: its symbol as
// the tag and its word). The walk is iterative: deep trees are safe.
void appendTreeBracket(std::string& out, const ParseNode* root);
// The HTML tree: children's texts one after another inside
// "<div><span>" SYMBOL "</span>" ... "</div>\n" on the same conditions.
void appendTreeHtml(std::string& out, const ParseNode* root, const WordWriter& writeWord = {});

// Analyses the phrases of the token list from first (phrase_rules.h) and
// prints the outcome: without a grammar "<div></div>\n"; a tree in bracket
// form, or in HTML form as "<!-- " bracket " -->\n" and the HTML tree; a
// sentence without phrase structure as "( S " all its tokens ")" or
// "<div><span>S</span>" their elements "</div>\n".
void appendPhraseTree(std::string& out, const Grammar* grammar, const Token* first, bool html, Arena& arena,
                      const WordWriter& writeWord = {});

}  // namespace zintra
