#include "engine/text/bigrams.h"

#include <vector>

#include "engine/text/data_file.h"
#include "engine/text/string_pool.h"

namespace zintra {

Bigrams::Bigrams(Arena& arena, StringPool& pool)
    : pool_(pool), firstWords_(arena), secondWords_(arena), table_(arena) {}

void Bigrams::registerFirstWord(std::string_view word) { firstWords_.insert(word); }

void Bigrams::registerSecondWord(std::string_view word) { secondWords_.insert(word); }

bool Bigrams::load(const std::string& path) {
    std::string content;
    if (!readDataFile(path, content)) return false;
    addLines(content);
    return true;
}

void Bigrams::addLines(std::string_view text) {
    std::vector<std::string_view> fields;
    forEachLine(text, [&](std::string_view line) {
        if (isSkippedLine(line, "#")) return;
        splitFields(line, fields);
        if (fields.size() < 2) return;
        if (!firstWords_.contains(fields[0]) && !secondWords_.contains(fields[1])) return;
        bool added = false;
        StringTable::Entry* e = table_.insert(fields[0], &added);
        // The first kept line of a first word wins.
        if (added) e->value = pool_.intern(fields[1]);
    });
}

const char* Bigrams::secondOf(std::string_view first) const {
    const StringTable::Entry* e = table_.find(first);
    return e ? static_cast<const char*>(e->value) : nullptr;
}

bool Bigrams::match(std::string_view first, std::string_view second) const {
    const char* kept = secondOf(first);
    return kept && second == kept;
}

}  // namespace zintra
