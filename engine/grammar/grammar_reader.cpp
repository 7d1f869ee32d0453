// Entering a grammar file: a walk over the meta-grammar's tree. Every list
// of the meta-grammar (define*, wordtag*, rule*, abody*, NN*) is right
// recursive, so each is followed along its second child in a loop; the walk
// never recurses, however long the file.
#include <cstdio>
#include <cstring>
#include <vector>

#include "engine/grammar/grammar_lexer.h"
#include "engine/grammar/grammar_reader.h"
#include "engine/text/arena.h"

namespace zintra {

namespace {

bool is(const ParseNode* n, const char* symbol) { return n && std::strcmp(n->symbol, symbol) == 0; }

class Enter {
  public:
    Enter(Grammar& g, ActionNames actions) : g_(g), actions_(actions) {}

    // False with the offending leaf in errorLeaf() when the tree holds a
    // rule the grammar cannot take.
    bool run(const ParseNode* root);
    const ParseNode* errorLeaf() const { return error_; }

  private:
    void defines(const ParseNode* list);
    bool rules(const ParseNode* list);
    bool body(int left, const ParseNode* body);
    bool fail(const ParseNode* leaf) {
        error_ = leaf;
        return false;
    }

    Grammar& g_;
    ActionNames actions_;
    const ParseNode* error_ = nullptr;
    int level_ = 0;
    std::vector<int> symbols_;
};

bool Enter::run(const ParseNode* root) {
    // S : define* %% rule*
    if (!is(root, "S") || root->childCount != 3) return false;
    defines(root->children[0]);
    return rules(root->children[2]);
}

void Enter::defines(const ParseNode* list) {
    for (; is(list, "define*") && list->childCount == 2; list = list->children[1]) {
        const ParseNode* define = list->children[0];  // %left|%right wordtag*
        int associativity = std::strcmp(define->children[0]->word, "%left") == 0 ? kLeft : kRight;
        ++level_;
        for (const ParseNode* tags = define->children[1]; is(tags, "wordtag*") && tags->childCount == 2;
             tags = tags->children[1]) {
            const ParseNode* tag = tags->children[0];  // NN, or NN ':' NN
            int symbol = g_.symbol(tag->children[0]->word);
            const char* word = tag->childCount == 3 ? tag->children[2]->word : "";
            g_.addPrecedence(symbol, word, associativity, level_);
        }
    }
}

bool Enter::rules(const ParseNode* list) {
    for (; is(list, "rule*") && list->childCount == 2; list = list->children[1]) {
        const ParseNode* rule = list->children[0];  // NN ':' sbody ';'
        const ParseNode* name = rule->children[0];
        if (!*name->word) return fail(name);
        int left = g_.symbol(name->word);
        // The end of input and $ALLINPUT are terminals by definition.
        if (left == g_.endSymbol() || left == g_.allInputSymbol()) return fail(name);
        const ParseNode* sbody = rule->children[2];  // body abody*
        if (!body(left, sbody->children[0])) return false;
        for (const ParseNode* alts = sbody->children[1]; is(alts, "abody*") && alts->childCount == 2;
             alts = alts->children[1])
            if (!body(left, alts->children[0]->children[1])) return false;  // '|' body
    }
    return true;
}

bool Enter::body(int left, const ParseNode* node) {
    // body : NN* def? fun?
    symbols_.clear();
    for (const ParseNode* list = node->children[0]; is(list, "NN*") && list->childCount == 2;
         list = list->children[1]) {
        const ParseNode* leaf = list->children[0];
        if (!*leaf->word) return fail(leaf);  // '' names no symbol
        if (static_cast<int>(symbols_.size()) == Grammar::kMaxBody) return fail(leaf);
        symbols_.push_back(g_.symbol(leaf->word));
    }
    int precedence = -1;
    const ParseNode* def = node->children[1];
    if (def->childCount == 2) {
        if (!*def->children[1]->word) return fail(def->children[1]);
        precedence = g_.symbol(def->children[1]->word);
    }
    RuleAction action = nullptr;
    const char* actionName = nullptr;
    const ParseNode* fun = node->children[2];
    if (fun->childCount == 3) {
        actionName = fun->children[1]->word;
        action = findAction(actions_, actionName);
    }
    g_.addRule(left, symbols_, precedence, action, actionName);
    return true;
}

void errorLine(const MessageSink& sink, int line, const char* word) {
    std::string text = "There is error in line: " + std::to_string(line) + ", the word is " + word + "\n";
    if (sink) sink(text);
}

}  // namespace

std::unique_ptr<Grammar> readGrammar(LineSource& source, ActionNames actions, const MessageSink& sink,
                                     const void* owner, const TableImage* image) {
    const Grammar& meta = metaGrammar();
    Arena arena;
    TextParse parse = parseText(meta, source, arena);
    if (!parse.result.accepted()) {
        errorLine(sink, parse.errorLine(), parse.errorWord());
        return nullptr;
    }
    auto grammar = std::make_unique<Grammar>();
    grammar->owner = owner;
    Enter enter(*grammar, actions);
    if (!enter.run(parse.result.tree)) {
        const ParseNode* leaf = enter.errorLeaf();
        int line = leaf && leaf->position >= 0 ? parse.tokens[leaf->position].line : parse.linesRead;
        errorLine(sink, line, leaf ? leaf->word : "");
        return nullptr;
    }
    std::string reason;
    if (!grammar->build(sink, &reason, image)) {
        if (sink) sink("The grammar is not used: " + reason + "\n");
        return nullptr;
    }
    return grammar;
}

std::unique_ptr<Grammar> readGrammarFile(const std::string& path, ActionNames actions, const MessageSink& sink,
                                         const void* owner) {
    return readGrammarFile(path, actions, sink, owner, std::string());
}

std::unique_ptr<Grammar> readGrammarFile(const std::string& path, ActionNames actions, const MessageSink& sink,
                                         const void* owner, const std::string& imageFolder) {
    FileLineSource source(path);
    if (!source.ok()) return nullptr;
    if (imageFolder.empty()) return readGrammar(source, actions, sink, owner);
    TableImage image(imageFolder, path, source.content());
    return readGrammar(source, actions, sink, owner, &image);
}

}  // namespace zintra
