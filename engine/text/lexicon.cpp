#include "engine/text/lexicon.h"

#include <new>
#include <vector>

#include "engine/text/arena.h"
#include "engine/text/data_file.h"
#include "engine/text/string_pool.h"

namespace zintra {

namespace {

size_t countDictionaryLines(std::string_view text) {
    size_t count = 0;
    forEachLine(text, [&](std::string_view line) {
        if (!isSkippedLine(line, "//")) ++count;
    });
    return count;
}

}  // namespace

Lexicon::Lexicon(Arena& arena, StringPool& pool) : arena_(arena), pool_(pool) {}

bool Lexicon::loadMain(const std::string& path) {
    std::string content;
    if (!readDataFile(path, content)) return false;
    table_ = StringTable::create(arena_, StringTable::primeAtLeast(countDictionaryLines(content)));
    addLines(content);
    return true;
}

bool Lexicon::loadUser(const std::string& path) {
    std::string content;
    if (!readDataFile(path, content)) return false;
    addLines(content);
    return true;
}

void Lexicon::addLines(std::string_view text) {
    if (!table_) table_ = StringTable::create(arena_);
    std::vector<std::string_view> fields;
    forEachLine(text, [&](std::string_view line) {
        if (isSkippedLine(line, "//")) return;
        splitFields(line, fields);
        if (fields.empty()) return;
        StringTable::Entry* e = table_->insert(fields[0]);
        // The tags follow their entry in memory.
        size_t count = fields.size() - 1;
        void* memory = arena_.allocate(sizeof(LexiconEntry) + count * sizeof(const char*));
        auto* entry = new (memory) LexiconEntry{e->key, static_cast<int>(count), nullptr};
        if (count > 0) {
            auto** tags = reinterpret_cast<const char**>(entry + 1);
            for (size_t i = 0; i < count; ++i) tags[i] = pool_.intern(fields[i + 1]);
            entry->tags = tags;
        }
        // A later line for the same word replaces the earlier entry.
        e->value = entry;
    });
}

const LexiconEntry* Lexicon::lookup(std::string_view head, std::string_view tail) const {
    if (!table_) return nullptr;
    const StringTable::Entry* e = table_->find(head, tail);
    return e ? static_cast<const LexiconEntry*>(e->value) : nullptr;
}

bool Lexicon::hasTag(std::string_view word, std::string_view tag) const {
    const LexiconEntry* entry = lookup(word);
    if (!entry) return false;
    for (int i = 0; i < entry->count; ++i)
        if (tag == entry->tags[i]) return true;
    return false;
}

size_t Lexicon::size() const { return table_ ? table_->size() : 0; }

}  // namespace zintra
