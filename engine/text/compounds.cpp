#include "engine/text/compounds.h"

#include <vector>

#include "engine/text/arena.h"
#include "engine/text/data_file.h"
#include "engine/text/string_pool.h"
#include "engine/text/token.h"

namespace zintra {

namespace {

bool isUpper(char c) { return c >= 'A' && c <= 'Z'; }

// The word with its first byte lowered, as a one-byte head and the rest.
std::string_view loweredHead(std::string_view word) {
    return std::string_view(StringPool::single(static_cast<unsigned char>(word[0] - 'A' + 'a')), 1);
}

// Whether node's word equals head followed by tail.
bool wordIs(const CompoundNode* node, std::string_view head, std::string_view tail) {
    std::string_view w = node->word;
    return w.size() == head.size() + tail.size() && w.substr(0, head.size()) == head && w.substr(head.size()) == tail;
}

const CompoundNode* childMatching(const CompoundNode* node, std::string_view head, std::string_view tail) {
    for (const CompoundNode* c = node->child; c; c = c->sibling)
        if (wordIs(c, head, tail)) return c;
    return nullptr;
}

// The child of node that the token's word matches, retrying with the first
// letter lowered.
const CompoundNode* matchChild(const CompoundNode* node, std::string_view word) {
    if (const CompoundNode* c = childMatching(node, word, {})) return c;
    if (!word.empty() && isUpper(word[0])) return childMatching(node, loweredHead(word), word.substr(1));
    return nullptr;
}

}  // namespace

CompoundList::CompoundList(Arena& arena, StringPool& pool) : arena_(arena), pool_(pool) {}

bool CompoundList::load(const std::string& path) {
    std::string content;
    if (!readDataFile(path, content)) return false;
    size_t dataLines = 0;
    forEachLine(content, [&](std::string_view line) {
        if (!isSkippedLine(line, "#")) ++dataLines;
    });
    if (dataLines == 0) return false;
    table_ = StringTable::create(arena_, StringTable::primeAtLeast(dataLines));
    addLines(content);
    return true;
}

CompoundNode* CompoundList::rootFor(std::string_view word) {
    StringTable::Entry* e = table_->insert(word);
    if (!e->value) {
        auto* node = arena_.make<CompoundNode>();
        node->word = pool_.intern(word);
        e->value = node;
    }
    return const_cast<CompoundNode*>(static_cast<const CompoundNode*>(e->value));
}

CompoundNode* CompoundList::childFor(CompoundNode* node, std::string_view word, Arena& arena, StringPool& pool) {
    CompoundNode** link = &node->child;
    while (*link) {
        int c = std::string_view((*link)->word).compare(word);
        if (c == 0) return *link;
        if (c > 0) break;
        link = &(*link)->sibling;
    }
    auto* child = arena.make<CompoundNode>();
    child->word = pool.intern(word);
    child->sibling = *link;
    *link = child;
    return child;
}

size_t CompoundList::addLines(std::string_view text) {
    if (!table_) table_ = StringTable::create(arena_);
    size_t dataLines = 0;
    std::vector<std::string_view> words, tagFields;
    forEachLine(text, [&](std::string_view line) {
        if (isSkippedLine(line, "#")) return;
        ++dataLines;
        size_t slash = line.find('/');
        if (slash == std::string_view::npos) return;
        splitFields(line.substr(0, slash), words);
        splitFields(line.substr(slash + 1), tagFields);
        if (words.empty()) return;
        CompoundNode* node = rootFor(words[0]);
        for (size_t i = 1; i < words.size(); ++i) node = childFor(node, words[i], arena_, pool_);
        // A later line for the same words replaces the tag; a line without a
        // tag after the "/" adds the words but marks no compound.
        if (!tagFields.empty()) node->tag = pool_.intern(tagFields[0]);
    });
    return dataLines;
}

const CompoundNode* CompoundList::root(std::string_view word) const {
    if (!table_) return nullptr;
    const StringTable::Entry* e = table_->find(word);
    return e ? static_cast<const CompoundNode*>(e->value) : nullptr;
}

const CompoundNode* CompoundList::child(const CompoundNode* node, std::string_view word) {
    return node ? childMatching(node, word, {}) : nullptr;
}

Token* CompoundList::merge(Token* first, Arena& arena) const {
    if (!table_ || table_->size() == 0) return first;
    Token* head = first;
    Token* start = first;
    while (start) {
        std::string_view word = start->word;
        const CompoundNode* node = root(word);
        if (!node && !word.empty() && isUpper(word[0])) {
            const StringTable::Entry* e = table_->find(loweredHead(word), word.substr(1));
            node = e ? static_cast<const CompoundNode*>(e->value) : nullptr;
        }
        Token* lastTagged = nullptr;
        const char* tag = nullptr;
        Token* at = start;
        while (node) {
            if (node->tag) {
                lastTagged = at;
                tag = node->tag;
            }
            at = at->next;
            if (!at) break;
            node = matchChild(node, at->word);
        }
        if (!lastTagged || lastTagged == start) {
            start = start->next;
            continue;
        }
        Token* compound = makeToken(arena);
        compound->tag = tag;
        compound->children = start;
        compound->prev = start->prev;
        if (start->prev) start->prev->next = compound;
        if (start == head) head = compound;
        start->prev = compound;
        Token* after = lastTagged->next;
        lastTagged->next = nullptr;
        compound->next = after;
        if (after) after->prev = compound;
        start = after;
    }
    return head;
}

}  // namespace zintra
