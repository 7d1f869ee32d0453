#include <vector>

#include "engine/grammar/grammar_reader.h"

namespace zintra {

const char* const kMetaGrammarLines[] = {
    "S define* %% rule*",
    "define* define define*",
    "define*",
    "define %left wordtag*",
    "define %right wordtag*",
    "def? %prec NN",
    "def?",
    "wordtag* wordtag wordtag*",
    "wordtag*",
    "wordtag NN",
    "wordtag NN ':' NN",
    "NN* NN NN*",
    "NN*",
    "rule* rule rule*",
    "rule*",
    "rule NN ':' sbody ';'",
    "sbody body abody*",
    "abody* abody abody*",
    "abody*",
    "abody '|' body",
    "body NN* def? fun?",
    "fun? '{' NN '}'",
    "fun?",
};
const size_t kMetaGrammarLineCount = sizeof kMetaGrammarLines / sizeof kMetaGrammarLines[0];

const Grammar& metaGrammar() {
    static const std::unique_ptr<Grammar> meta = [] {
        // Built quietly on first use: its build line would land in the middle
        // of whatever the first grammar file's reader prints.
        ArrayLineSource lines(kMetaGrammarLines, kMetaGrammarLineCount);
        return grammarFromLines(lines, [](std::string_view) {});
    }();
    return *meta;
}

std::unique_ptr<Grammar> grammarFromLines(LineSource& lines, const MessageSink& sink) {
    auto grammar = std::make_unique<Grammar>();
    std::string line;
    std::vector<int> body;
    while (lines.next(line)) {
        std::string_view rest(line);
        body.clear();
        int left = -1;
        bool first = true;
        for (;;) {
            while (!rest.empty() && isBlank(rest.front())) rest.remove_prefix(1);
            if (rest.empty()) break;
            if (first && rest.front() == '#') break;
            size_t end = 0;
            while (end < rest.size() && !isBlank(rest[end])) ++end;
            std::string_view field = rest.substr(0, end);
            rest.remove_prefix(end);
            if (field.size() >= 2 && field.front() == '\'' && field.back() == '\'')
                field = field.substr(1, field.size() - 2);
            int id = grammar->symbol(field);
            if (first)
                left = id;
            else
                body.push_back(id);
            first = false;
        }
        if (left < 0) continue;
        if (left == grammar->endSymbol() || left == grammar->allInputSymbol()) return nullptr;
        if (static_cast<int>(body.size()) > Grammar::kMaxBody) return nullptr;
        grammar->addRule(left, body);
    }
    if (!grammar->build(sink)) return nullptr;
    return grammar;
}

}  // namespace zintra
