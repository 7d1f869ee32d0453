// A language data set built from text in a test, without files.
#pragma once

#include <string>
#include <string_view>

#include "engine/config/config.h"
#include "engine/language/language_data.h"
#include "engine/language/tagger.h"
#include "engine/text/arena.h"
#include "engine/text/data_file.h"
#include "engine/text/token.h"

namespace zintra::test {

// Joins texts by appending (GCC 12 warns wrongly about chained string +).
template <class... Parts>
std::string cat(const Parts&... parts) {
    std::string out;
    (out.append(std::string_view(parts)), ...);
    return out;
}

struct LanguageText {
    LanguageText() = default;
    LanguageText(std::string configLines, std::string lexiconLines = "")
        : config(std::move(configLines)), lexicon(std::move(lexiconLines)) {}

    std::string config;  // configuration lines
    std::string lexicon;
    std::string lexicalRules;
    std::string bigrams;
    std::string compounds;
    std::string contextualRules;
};

class LanguageFixture {
  public:
    explicit LanguageFixture(const LanguageText& text) {
        forEachLine(text.config, [&](std::string_view line) { applyConfigLine(config, line); });
        data.configure(config);
        data.mutableLexicon().addLines(text.lexicon);
        data.mutableLexicalRules().addLines(text.lexicalRules, data.mutableBigrams());
        data.mutableBigrams().addLines(text.bigrams);
        data.mutableCompounds().addLines(text.compounds);
        data.mutableContextualRules().addLines(text.contextualRules);
        data.setParsing(true);
    }

    // The tagged sentence in slash form: word/TAG, a compound as (members)/TAG,
    // a fixed token marked with a "!" after its tag.
    std::string tag(std::string_view sentence) {
        arena.clear();
        return slashForm(tagSentence(data, sentence, arena));
    }

    static std::string slashForm(const Token* first) {
        std::string out;
        for (const Token* t = first; t; t = t->next) {
            if (!out.empty()) out += ' ';
            if (t->children) {
                out += '(';
                out += slashForm(t->children);
                out += ')';
            } else {
                out += t->word;
            }
            out += '/';
            out += t->tag;
            if (t->fixed) out += '!';
        }
        return out;
    }

    // The words of the tokenised sentence, separated by "|".
    std::string words(std::string_view sentence) {
        arena.clear();
        std::string out;
        for (const Token* t = tagSentence(data, sentence, arena); t; t = t->next) {
            if (!out.empty()) out += '|';
            out += t->word;
        }
        return out;
    }

    Config config;
    LanguageData data;
    Arena arena;
};

}  // namespace zintra::test
