#include "engine/grammar/grammar_lexer.h"

#include "engine/grammar/grammar.h"
#include "engine/text/arena.h"

namespace zintra {

namespace {

bool isLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

bool isPunctuation(char c) { return c == ':' || c == ';' || c == '{' || c == '}' || c == '|'; }

void lexLine(std::string_view line, int lineNumber, Arena& arena, std::vector<GrammarToken>& tokens) {
    size_t zero = line.find('\0');
    if (zero != std::string_view::npos) line = line.substr(0, zero);
    size_t i = 0;
    while (i < line.size() && isBlank(line[i])) ++i;
    if (i < line.size() && line[i] == '#') return;
    while (i < line.size()) {
        char c = line[i];
        if (isBlank(c)) {
            ++i;
            continue;
        }
        if (c == '\'') {
            size_t start = i + 1, j = start;
            for (;;) {
                size_t q = line.find('\'', j);
                if (q == std::string_view::npos) {
                    j = line.size();  // unclosed: the rest of the line
                    i = j;
                    break;
                }
                if (q + 1 < line.size() && line[q + 1] == '\'') {
                    j = q + 2;
                    continue;
                }
                j = q;
                i = q + 1;
                break;
            }
            std::string_view text = line.substr(start, j - start);
            while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
            while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
            tokens.push_back({"NN", arena.copy(text), lineNumber});
            continue;
        }
        if (isPunctuation(c)) {
            const char* text = arena.copy(line.substr(i, 1));
            tokens.push_back({text, text, lineNumber});
            ++i;
            continue;
        }
        size_t j = i;
        while (j < line.size() && !isBlank(line[j]) && line[j] != '\'' && !isPunctuation(line[j])) ++j;
        std::string_view run = line.substr(i, j - i);
        const char* text = arena.copy(run);
        bool own = run[0] == '%' || (run.size() == 1 && !isLetter(run[0]));
        tokens.push_back({own ? text : "NN", text, lineNumber});
        i = j;
    }
}

}  // namespace

int lexGrammarText(LineSource& source, Arena& arena, std::vector<GrammarToken>& tokens) {
    std::string line;
    int lines = 0;
    while (source.next(line)) lexLine(line, ++lines, arena, tokens);
    return lines;
}

int TextParse::errorLine() const {
    int at = result.stoppedAt;
    return at < static_cast<int>(tokens.size()) ? tokens[at].line : linesRead;
}

const char* TextParse::errorWord() const {
    int at = result.stoppedAt;
    return at < static_cast<int>(tokens.size()) ? tokens[at].text : "";
}

TextParse parseText(const Grammar& grammar, LineSource& source, Arena& arena) {
    TextParse out;
    out.linesRead = lexGrammarText(source, arena, out.tokens);
    size_t n = out.tokens.size();
    if (n > kMaxGrammarTokens) {
        // Refused before parsing: the tree of a file this long would take
        // hundreds of megabytes. The error names the first token past the limit.
        out.result.stoppedAt = static_cast<int>(kMaxGrammarTokens);
        return out;
    }
    InputSymbol* input = arena.makeArray<InputSymbol>(n);
    for (size_t i = 0; i < n; ++i) {
        input[i].symbol = grammar.findSymbol(out.tokens[i].kind);
        input[i].text = out.tokens[i].kind;
        input[i].word = out.tokens[i].text;
        input[i].line = out.tokens[i].line;
    }
    ParseLimits limits;
    long size = static_cast<long>(n);
    limits.stackEntries = static_cast<int>(std::min<long>(2 * size + 64, 1L << 30));
    limits.budget = 64 * size + 10000;
    // The error line names the furthest token a path reached, which only the
    // search itself finds; the meta-grammar's few choices need no recogniser.
    limits.recogniseAfter = -1;
    out.result = parseInput(grammar, std::span<const InputSymbol>(input, n), arena, limits);
    return out;
}

}  // namespace zintra
