#include "engine/tagger/lexical_rules.h"

#include "engine/config/config.h"
#include "engine/text/arena.h"
#include "engine/text/bigrams.h"
#include "engine/text/data_file.h"
#include "engine/text/lexicon.h"
#include "engine/text/string_pool.h"

namespace zintra {

namespace {

// strncmp(a, b, n) == 0 for texts without zero bytes: the first n bytes
// agree, a text that ends counting as a zero byte.
bool firstBytesEqual(std::string_view a, std::string_view b, size_t n) {
    for (size_t i = 0; i < n; ++i) {
        char ca = i < a.size() ? a[i] : '\0';
        char cb = i < b.size() ? b[i] : '\0';
        if (ca != cb) return false;
        if (ca == '\0') return true;
    }
    return true;
}

}  // namespace

LexicalRules::LexicalRules(Arena& arena, StringPool& pool)
    : arena_(arena), pool_(pool), nn_(pool.intern("NN")), nnp_(pool.intern("NNP")) {}

bool LexicalRules::load(const std::string& path, Bigrams& bigrams) {
    std::string content;
    if (!readDataFile(path, content)) return false;
    addLines(content, bigrams);
    return true;
}

void LexicalRules::addLines(std::string_view text, Bigrams& bigrams) {
    forEachLine(text, [&](std::string_view line) {
        LexicalRule rule;
        if (parseLine(line, rule, bigrams)) rules_.push_back(rule);
    });
}

bool LexicalRules::parseLine(std::string_view line, LexicalRule& rule, Bigrams& bigrams) {
    line = trimBlanks(line);
    if (isSkippedLine(line, "#")) return false;
    std::vector<std::string_view> fields;
    splitFields(line, fields);
    if (!fields.empty() && fields.back() == "x") fields.pop_back();

    rule = LexicalRule{};
    rule.fieldCount = static_cast<int>(fields.size());
    if (!fields.empty()) {
        const char** stored = arena_.makeArray<const char*>(fields.size());
        for (size_t i = 0; i < fields.size(); ++i) stored[i] = pool_.intern(fields[i]);
        rule.fields = stored;
    }
    int nameField = 1;
    const LexicalKind* name = fields.size() > 1 ? lexicalKindAt(fields[1], 1) : nullptr;
    if (!name && fields.size() > 2) name = lexicalKindAt(fields[nameField = 2], 2);
    if (!name) return true;  // kept in file order, never applied

    int argumentField = nameField - 1;
    if (name->test == LexicalTest::GoodLeft || name->test == LexicalTest::GoodRight)
        bigrams.registerFirstWord(fields[static_cast<size_t>(argumentField)]);

    // The new tag must be a field of its own after the name and N.
    size_t needed = static_cast<size_t>(nameField) + (name->hasLength ? 1 : 0) + 2;
    if (fields.size() < needed) return true;

    rule.test = name->test;
    rule.fromRule = nameField == 2;
    rule.fromTag = rule.fromRule ? rule.fields[0] : nullptr;
    rule.argument = rule.fields[argumentField];
    if (name->hasLength) rule.length = parseIntLikeAtoi(fields[static_cast<size_t>(nameField) + 1]);
    rule.newTag = rule.fields[fields.size() - 1];
    return true;
}

const char* LexicalRules::apply(const LexicalRule& rule, std::string_view word, const char* tag, const Lexicon& lexicon,
                                const Bigrams& bigrams) {
    if (rule.test == LexicalTest::None) return tag;
    if (rule.fromRule ? tag != rule.fromTag : tag == rule.newTag) return tag;

    std::string_view x = rule.argument;
    bool holds = false;
    if (rule.length < 0 && (rule.test == LexicalTest::HasPref || rule.test == LexicalTest::DeletePref ||
                            rule.test == LexicalTest::HasSuf || rule.test == LexicalTest::DeleteSuf))
        return tag;  // a negative length matches nothing
    auto n = static_cast<size_t>(rule.length);
    switch (rule.test) {
        case LexicalTest::None: break;
        case LexicalTest::Char: holds = !x.empty() && word.find_first_of(x) != std::string_view::npos; break;
        case LexicalTest::HasPref: holds = firstBytesEqual(word, x, n); break;
        case LexicalTest::DeletePref:
            holds = n <= word.size() && firstBytesEqual(word, x, n) && lexicon.known(word.substr(n));
            break;
        case LexicalTest::HasSuf:
            holds = n <= word.size() && firstBytesEqual(word.substr(word.size() - n), x, n);
            break;
        case LexicalTest::DeleteSuf:
            holds = n <= word.size() && firstBytesEqual(word.substr(word.size() - n), x, n) &&
                    lexicon.known(word.substr(0, word.size() - n));
            break;
        case LexicalTest::AddPref: holds = lexicon.lookup(x, word) != nullptr; break;
        case LexicalTest::AddSuf: holds = lexicon.lookup(word, x) != nullptr; break;
        case LexicalTest::GoodLeft: holds = bigrams.match(word, x); break;
        case LexicalTest::GoodRight: holds = bigrams.match(x, word); break;
    }
    return holds ? rule.newTag : tag;
}

const char* LexicalRules::guess(std::string_view word, const Lexicon& lexicon, const Bigrams& bigrams) const {
    const char* tag = !word.empty() && word[0] >= 'A' && word[0] <= 'Z' ? nnp_ : nn_;
    for (const LexicalRule& rule : rules_) {
        // The rules that cannot act on the current tag are passed over here
        // (as apply() would), without a call per rule.
        if (rule.test == LexicalTest::None || (rule.fromRule ? tag != rule.fromTag : tag == rule.newTag)) continue;
        tag = apply(rule, word, tag, lexicon, bigrams);
    }
    return tag;
}

}  // namespace zintra
