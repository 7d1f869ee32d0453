#include "engine/phrase/tree_printer.h"

#include <vector>

#include "engine/grammar/grammar.h"
#include "engine/grammar/parser.h"
#include "engine/phrase/phrase_rules.h"
#include "engine/text/token.h"

namespace zintra {

namespace {

bool printsTag(const char* tag) { return tag && *tag && *tag != '@'; }

void plainWord(std::string& out, const Token& token) {
    out += "<P><B>";
    appendEscaped(out, token.word);
    out += "</B></P>";
}

// A leaf as a token: its own token, or its symbol and word.
Token leafToken(const ParseNode* leaf) {
    if (leaf->token) return *leaf->token;
    Token t;
    t.tag = leaf->symbol ? leaf->symbol : "";
    t.word = leaf->word ? leaf->word : "";
    return t;
}

// The shared walk of both tree forms: children printed in order, each
// node's text wrapped (or not) once its children are done.
template <class Leaf, class Open, class Close>
void walkTree(std::string& out, const ParseNode* root, bool blanks, Leaf leaf, Open open, Close close) {
    struct Frame {
        const ParseNode* node;
        int next;
        size_t start;  // where the node's text begins in out
    };
    if (!root) return;
    if (root->isLeaf()) {
        leaf(out, root);
        return;
    }
    std::vector<Frame> stack{{root, 0, out.size()}};
    while (!stack.empty()) {
        Frame& f = stack.back();
        if (f.next < f.node->childCount) {
            const ParseNode* c = f.node->children[f.next++];
            if (blanks && out.size() > f.start) out += ' ';
            size_t before = out.size();
            if (c->isLeaf()) {
                leaf(out, c);
            } else {
                stack.push_back({c, 0, before});
                continue;
            }
            if (blanks && out.size() == before && before > f.start) out.pop_back();  // the child added nothing
            continue;
        }
        Frame done = f;
        stack.pop_back();
        bool empty = out.size() == done.start;
        if (!empty && done.node->symbol[0] != '@') {
            out.insert(done.start, open(done.node));
            out += close(done.node);
        }
        if (blanks && empty && !stack.empty() && out.size() > stack.back().start) out.pop_back();
    }
}

}  // namespace

void appendEscaped(std::string& out, const char* text) {
    for (const char* p = text ? text : ""; *p; ++p) {
        if (*p == '&')
            out += "&amp;";
        else if (*p == '<')
            out += "&lt;";
        else
            out += *p;
    }
}

void appendTokenBracket(std::string& out, const Token& token) {
    bool open = printsTag(token.tag);
    if (open) {
        out += '(';
        out += token.tag;
        out += ' ';
    }
    if (token.children) {
        for (const Token* m = token.children; m; m = m->next) {
            if (m != token.children) out += ' ';
            appendTokenBracket(out, *m);
        }
    } else {
        out += token.word ? token.word : "";
    }
    if (open) out += ')';
}

void appendTokenSlash(std::string& out, const Token& token) {
    if (token.children) {
        out += '(';
        for (const Token* m = token.children; m; m = m->next) {
            if (m != token.children) out += ' ';
            appendTokenSlash(out, *m);
        }
        out += ')';
    } else {
        out += token.word ? token.word : "";
    }
    out += '/';
    out += token.tag ? token.tag : "";
}

void appendTokenHtml(std::string& out, const Token& token, const WordWriter& writeWord) {
    bool open = printsTag(token.tag);
    if (open) {
        out += "<div><span>";
        out += token.tag;
        out += "</span>";
    }
    if (token.children) {
        for (const Token* m = token.children; m; m = m->next) appendTokenHtml(out, *m, writeWord);
    } else if (writeWord) {
        writeWord(out, token);
    } else {
        plainWord(out, token);
    }
    if (open) out += "</div>\n";
}

void appendTreeBracket(std::string& out, const ParseNode* root) {
    walkTree(
        out, root, true, [](std::string& o, const ParseNode* leaf) { appendTokenBracket(o, leafToken(leaf)); },
        [](const ParseNode* n) { return std::string("(") + n->symbol + " "; },
        [](const ParseNode*) { return std::string(")"); });
}

void appendTreeHtml(std::string& out, const ParseNode* root, const WordWriter& writeWord) {
    walkTree(
        out, root, false,
        [&writeWord](std::string& o, const ParseNode* leaf) { appendTokenHtml(o, leafToken(leaf), writeWord); },
        [](const ParseNode* n) {
            std::string open = "<div><span>";
            appendEscaped(open, n->symbol);
            return open + "</span>";
        },
        [](const ParseNode*) { return std::string("</div>\n"); });
}

void appendPhraseTree(std::string& out, const Grammar* grammar, const Token* first, bool html, Arena& arena,
                      const WordWriter& writeWord) {
    if (!grammar || !grammar->built()) {
        out += "<div></div>\n";
        return;
    }
    const Token* end = nullptr;  // the flat form prints every token
    ParseResult r = analysePhrases(*grammar, first, arena);
    if (r.accepted()) {
        if (html) {
            out += "<!-- ";
            appendTreeBracket(out, r.tree);
            out += " -->\n";
            appendTreeHtml(out, r.tree, writeWord);
        } else {
            appendTreeBracket(out, r.tree);
        }
        return;
    }
    if (html) {
        out += "<div><span>S</span>";
        for (const Token* t = first; t && t != end; t = t->next) appendTokenHtml(out, *t, writeWord);
        out += "</div>\n";
    } else {
        out += "( S ";
        for (const Token* t = first; t && t != end; t = t->next) {
            if (t != first) out += ' ';
            appendTokenBracket(out, *t);
        }
        out += ')';
    }
}

}  // namespace zintra
