#include "engine/request/reply_tree.h"

#include "engine/language/analyzer.h"
#include "engine/language/tagger.h"
#include "engine/phrase/correction_markup.h"
#include "engine/phrase/parse_text.h"
#include "engine/templates/match_graph.h"
#include "engine/templates/sentence_matcher.h"
#include "engine/text/arena.h"
#include "engine/text/token.h"

namespace zintra {

namespace {

// The annotation of one aligned word, or null when the word stands as typed.
CorrectionAnnotation* annotationOf(const ReportItem& item, Arena& arena) {
    if (item.has(kFlagExtra)) return arena.make<CorrectionAnnotation>();  // empty text: delete the word
    if (!item.expected) return nullptr;
    // A word that needs correcting, or one matched by a wrong filler, is
    // shown with the text the learner should have written.
    if (!(item.flags & kErrorFlags) && !item.expected->isWrong()) return nullptr;
    std::string_view model = item.expected->modelText();
    if (model == item.word && item.expected->node) {
        // A wrong filler without a model of its node: its first candidate.
        for (std::string_view c : item.expected->node->candidates)
            if (c != item.word) {
                model = c;
                break;
            }
    }
    if (model.empty() || model == item.word) return nullptr;
    CorrectionAnnotation* a = arena.make<CorrectionAnnotation>();
    a->text = arena.copy(model);
    return a;
}

void writeCorrected(std::string& out, const Token& token) {
    appendCorrectedWord(out, token.word, static_cast<CorrectionAnnotation*>(token.annotations));
}

}  // namespace

void appendRequestTree(std::string& out, const Analyzer& analyzer, const PhraseGrammar* grammar,
                       std::string_view sentence, bool keepTags) {
    Arena arena;
    appendParsedText(out, analyzer, grammar, sentence, keepTags ? kParseAnnotations : -1, true, arena);
}

void appendMatchTree(std::string& out, const Analyzer& analyzer, const PhraseGrammar* grammar,
                     const SentenceMatcher& matcher, std::string_view sentence) {
    if (!grammar) {
        out += "<div></div>\n";
        return;
    }
    Arena arena;
    if (matcher.items().empty()) {
        // No template could be aligned: the sentence as it was typed.
        appendTokenTree(out, grammar, tagSentence(analyzer.data(), sentence, arena), true, arena);
        return;
    }
    Token* first = nullptr;
    Token* last = nullptr;
    CorrectionAnnotation* lastAnnotation = nullptr;
    for (const ReportItem& item : matcher.items()) {
        if (item.word.empty()) continue;  // a missing word has no token
        Token* t = makeToken(arena);
        t->word = arena.copy(item.word);
        if (CorrectionAnnotation* a = annotationOf(item, arena)) {
            // The annotations of the sentence form one chain in sentence order.
            a->prev = lastAnnotation;
            if (lastAnnotation) lastAnnotation->next = a;
            lastAnnotation = a;
            t->annotations = a;
        }
        t->prev = last;
        (last ? last->next : first) = t;
        last = t;
    }
    first = tagTokenList(analyzer.data(), first, arena);
    bool annotated = lastAnnotation != nullptr;
    appendTokenTree(out, grammar, first, true, arena, annotated ? WordWriter(writeCorrected) : WordWriter());
}

}  // namespace zintra
