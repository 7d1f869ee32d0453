#include "engine/phrase/parse_text.h"

#include "engine/language/analyzer.h"
#include "engine/language/tagger.h"
#include "engine/phrase/annotations.h"
#include "engine/phrase/phrase_grammar.h"
#include "engine/text/arena.h"

namespace zintra {

std::string prepareParseText(const Analyzer& analyzer, std::string_view text, int mode) {
    if (mode == kParseGroups) return std::string(text);
    if (mode == kParseAnnotations) return rewriteAnnotations(analyzer.splitter(), text);
    std::string plain(text);
    stripAnnotations(plain);
    return plain;
}

void appendTokenTree(std::string& out, const PhraseGrammar* grammar, const Token* first, bool html, Arena& arena,
                     const WordWriter& writeWord) {
    appendPhraseTree(out, grammar ? &grammar->grammar() : nullptr, first, html, arena, writeWord);
}

void appendParsedText(std::string& out, const Analyzer& analyzer, const PhraseGrammar* grammar, std::string_view text,
                      int mode, bool html, Arena& arena) {
    if (text.empty()) return;
    if (!grammar) {
        out += "<div></div>\n";
        return;
    }
    std::string prepared = prepareParseText(analyzer, text, mode);
    const Token* first = tagSentence(analyzer.data(), prepared, arena);
    appendTokenTree(out, grammar, first, html, arena);
}

std::string parseText(const Analyzer& analyzer, const PhraseGrammar* grammar, std::string_view text, int mode) {
    Arena arena;
    std::string out;
    appendParsedText(out, analyzer, grammar, text, mode, false, arena);
    return out;
}

}  // namespace zintra
