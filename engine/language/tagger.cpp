#include "engine/language/tagger.h"

#include "engine/language/language_data.h"
#include "engine/language/tokenizer.h"
#include "engine/text/token.h"

namespace zintra {

Token* tagSentence(const LanguageData& data, std::string_view text, Arena& arena) {
    if (!data.parsing()) return nullptr;
    Token* first = tokenizeSentence(data, text, arena);
    first = data.compounds().merge(first, arena);
    data.contextualRules().apply(first, arena);
    return first;
}

Token* tagTokenList(const LanguageData& data, Token* first, Arena& arena) {
    int index = 0;
    for (Token* t = first; t; t = t->next, ++index) {
        // A compound parent built by an earlier merge keeps its compound's tag.
        if (t->fixed || t->children) continue;
        t->tag = initialTag(data, t->word ? t->word : kEmptyWord, index, nullptr);
    }
    first = data.compounds().merge(first, arena);
    data.contextualRules().apply(first, arena);
    return first;
}

}  // namespace zintra
