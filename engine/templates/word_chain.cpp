#include "engine/templates/word_chain.h"

#include "engine/language/analyzer.h"
#include "engine/templates/template_file.h"
#include "engine/text/token_spans.h"

namespace zintra {

static_assert(TokenSpans::kMaxSpans == kMaxFillerWords);

void buildWordChain(Filler& filler, TemplateFile& file, const Analyzer& analyzer) {
    filler.chain = nullptr;
    TokenSpans spans(analyzer.splitter(), filler.text);
    int count = spans.count();
    if (count <= 1) return;
    // A word and its full stop ("boy .") are matched as the filler itself.
    if (count == 2 && !spans.span(1).empty() && spans.span(1).front() == '.') return;
    WordNode* previous = nullptr;
    for (int i = 0; i < count; ++i) {
        auto node = std::make_unique<WordNode>();
        node->kind = filler.kind;
        node->comments = filler.comments;
        node->word = spans.copy(i);
        if (previous) {
            previous->next = node.get();
        } else {
            filler.chain = node.get();
        }
        previous = node.get();
        file.wordNodes.push_back(std::move(node));
    }
}

}  // namespace zintra
