#include "engine/language/tokenizer.h"

#include <cstring>

#include "engine/language/language_data.h"
#include "engine/text/arena.h"
#include "engine/text/token.h"

namespace zintra {

namespace {

bool isBlank(char c) {
    auto u = static_cast<unsigned char>(c);
    return u >= 1 && u <= 32;
}
bool isUpper(char c) { return c >= 'A' && c <= 'Z'; }
bool isLower(char c) { return c >= 'a' && c <= 'z'; }

// The second form of a sentence-initial word is built in a buffer of this
// size; a longer word is tagged only as typed.
constexpr size_t kFlipCapacity = 1024;

// The tag of a word whose lexicon entry (null when unknown) is known.
const char* tagOfEntry(const LanguageData& data, std::string_view word, const LexiconEntry* found) {
    // A word listed without tags is guessed like an unknown word.
    if (found && found->count > 0) return found->tags[0];
    return data.lexicalRules().guess(word, data.lexicon(), data.bigrams());
}

const char* tagOf(const LanguageData& data, std::string_view word, const LexiconEntry** entry) {
    const LexiconEntry* found = data.lexicon().lookup(word);
    if (entry) *entry = found;
    return tagOfEntry(data, word, found);
}

// The initial tag of a word at position index whose own entry is typedEntry.
const char* initialTagOfEntry(const LanguageData& data, std::string_view word, int index,
                              const LexiconEntry* typedEntry);

// Builds the token list of one sentence.
class SentenceBuilder {
  public:
    SentenceBuilder(const LanguageData& data, Arena& arena) : data_(data), arena_(arena) {}

    Token* first() const { return first_; }

    // Cuts the zero-terminated unit into tokens numbered from index upward.
    // Their words are looked up in batches (see resolve()).
    void cutUnit(const char* unit, int index) {
        const Splitter& splitter = data_.splitter();
        const char* pos = unit;
        while (true) {
            std::string_view piece = splitter.nextToken(pos);
            if (piece.empty()) break;
            if (pending_ == kBatch) resolve();
            Token* t = append(kEmptyWord, kEmptyWord, 0);
            pieces_[pending_++] = Piece{t, piece, index++, 0};
        }
    }

    // Gives the tokens cut so far their words and initial tags. The index
    // slots of the whole batch are fetched first, then the records they
    // name, so the batch waits on memory about once instead of once a word.
    void resolve() {
        const Lexicon& lexicon = data_.lexicon();
        for (size_t k = 0; k < pending_; ++k) {
            pieces_[k].hash = Lexicon::hashOf(pieces_[k].text);
            lexicon.fetchSlot(pieces_[k].hash);
        }
        for (size_t k = 0; k < pending_; ++k) lexicon.fetchRecord(pieces_[k].hash);
        for (size_t k = 0; k < pending_; ++k) {
            const Piece& p = pieces_[k];
            const LexiconEntry* entry = lexicon.lookupHashed(p.text, p.hash);
            p.token->tag = initialTagOfEntry(data_, p.text, p.index, entry);
            // A known word can share the lexicon's copy of its text.
            p.token->word = entry ? entry->word() : arena_.copy(p.text);
        }
        pending_ = 0;
    }

    // A bracket group "(TAG word ...)": content is the text between the brackets.
    void group(char* content, int index) {
        while (isBlank(*content)) ++content;
        char* tagEnd = content;
        while (*tagEnd && !isBlank(*tagEnd)) ++tagEnd;
        char* word = tagEnd;
        while (isBlank(*word)) ++word;
        char* wordEnd = word + std::strlen(word);
        while (wordEnd > word && isBlank(wordEnd[-1])) --wordEnd;
        if (word == wordEnd) {  // a group of one word is an ordinary unit
            *tagEnd = '\0';
            cutUnit(content, index);
            return;
        }
        *wordEnd = '\0';
        std::string_view tag(content, static_cast<size_t>(tagEnd - content));
        const char* interned = data_.pool().find(tag);
        append(word, interned ? interned : arena_.copy(tag), 1);
    }

    // The unit that reaches the end of the text: its sentence-final ending
    // becomes a "." token unless the whole word is in the lexicon.
    void lastUnit(char* unit, int index) {
        std::string_view word(unit);
        size_t n = data_.splitter().splitTail(word);
        if (n == 0 || data_.lexicon().known(word)) {
            cutUnit(unit, index);
            return;
        }
        const char* tail = arena_.copy(word.substr(word.size() - n));
        unit[word.size() - n] = '\0';
        cutUnit(unit, index);
        append(tail, data_.periodTag(), 0);
    }

  private:
    struct Piece {
        Token* token;
        std::string_view text;
        int index;
        uint32_t hash;
    };
    static constexpr size_t kBatch = 32;

    Token* append(const char* word, const char* tag, int fixed) {
        Token* t = makeToken(arena_);
        t->word = word;
        t->tag = tag;
        t->fixed = fixed;
        t->prev = last_;
        if (last_) {
            last_->next = t;
        } else {
            first_ = t;
        }
        last_ = t;
        return t;
    }

    const LanguageData& data_;
    Arena& arena_;
    Piece pieces_[kBatch];
    size_t pending_ = 0;
    Token* first_ = nullptr;
    Token* last_ = nullptr;
};

// Finds the ")" that closes the group opened at open, or null.
char* closingBracket(char* open) {
    int depth = 0;
    for (char* p = open; *p; ++p) {
        if (*p == '(') ++depth;
        if (*p == ')' && --depth == 0) return p;
    }
    return nullptr;
}

}  // namespace

namespace {

const char* initialTagOfEntry(const LanguageData& data, std::string_view word, int index,
                              const LexiconEntry* typedEntry) {
    const char* typed = tagOfEntry(data, word, typedEntry);
    if (index != 0 || word.empty() || word.size() >= kFlipCapacity) return typed;
    char first = word[0];
    char flipped;
    if (isUpper(first) && !typedEntry) {
        flipped = static_cast<char>(first - 'A' + 'a');
    } else if (isLower(first)) {
        flipped = static_cast<char>(first - 'a' + 'A');
    } else {
        return typed;  // the second form is the word itself
    }
    char buffer[kFlipCapacity];
    buffer[0] = flipped;
    std::memcpy(buffer + 1, word.data() + 1, word.size() - 1);
    const char* second = tagOf(data, std::string_view(buffer, word.size()), nullptr);
    return second[0] == 'V' ? second : typed;
}

}  // namespace

const char* initialTag(const LanguageData& data, std::string_view word, int index, const LexiconEntry** entry) {
    const LexiconEntry* typedEntry = data.lexicon().lookup(word);
    if (entry) *entry = typedEntry;
    return initialTagOfEntry(data, word, index, typedEntry);
}

Token* tokenizeSentence(const LanguageData& data, std::string_view text, Arena& arena) {
    char* buffer = arena.copyMutable(text);  // a zero byte in text ends it
    SentenceBuilder builder(data, arena);
    int unit = 0;
    char* unitStart = nullptr;
    bool plain = false;  // after a group that does not close, "(" is an ordinary byte
    char* p = buffer;
    while (*p) {
        if (*p == '(' && !plain) {
            char* close = closingBracket(p);
            if (unitStart) {
                *p = '\0';
                builder.cutUnit(unitStart, unit++);
                unitStart = nullptr;
                if (close) *p = '(';
            }
            if (!close) {
                plain = true;
                *p = '(';
                continue;
            }
            *close = '\0';
            builder.group(p + 1, unit++);
            p = close + 1;
            continue;
        }
        if (isBlank(*p)) {
            if (unitStart) {
                *p = '\0';
                builder.cutUnit(unitStart, unit++);
                unitStart = nullptr;
            }
        } else if (!unitStart) {
            unitStart = p;
        }
        ++p;
    }
    if (unitStart) builder.lastUnit(unitStart, unit);
    builder.resolve();
    return builder.first();
}

}  // namespace zintra
