#include "engine/templates/sentence_items.h"

#include "engine/language/analyzer.h"
#include "engine/templates/match_graph.h"
#include "engine/templates/match_workspace.h"
#include "engine/text/lexicon.h"
#include "engine/text/splitter.h"
#include "engine/text/token_spans.h"

namespace zintra {

namespace {

bool isBlank(unsigned char c) { return c >= 1 && c <= 32; }
bool isUpper(char c) { return c >= 'A' && c <= 'Z'; }
bool isLower(char c) { return c >= 'a' && c <= 'z'; }
char lowered(char c) { return static_cast<char>(c - 'A' + 'a'); }

const std::string_view kSentinelWord = "\xFF";

// Where the sentence's final ending begins, or npos when none is separated:
// the DEL_TAIL ending of the last blank-separated word, unless the whole word
// is a vocabulary word, or unless the word without the ending is not one
// while the whole word is in the lexicon.
size_t finalEndingStart(std::string_view sentence, const Analyzer& analyzer, const Vocabulary& vocabulary) {
    size_t end = sentence.size();
    while (end > 0 && isBlank(static_cast<unsigned char>(sentence[end - 1]))) --end;
    size_t begin = end;
    while (begin > 0 && !isBlank(static_cast<unsigned char>(sentence[begin - 1]))) --begin;
    std::string_view last = sentence.substr(begin, end - begin);
    size_t n = analyzer.splitter().splitTail(last);
    if (n == 0 || last.size() <= n) return std::string_view::npos;
    if (vocabulary.find(last) != kUnknownWordId) return std::string_view::npos;
    if (vocabulary.find(last.substr(0, last.size() - n)) == kUnknownWordId && analyzer.lexicon().known(last))
        return std::string_view::npos;
    return end - n;
}

void addItem(MatchWorkspace& ws, std::string_view word, int32_t id) {
    ReportItem item;
    item.comparison = word;
    item.word = word;
    ws.words.push_back(item);
    ws.wordIds.push_back(id);
}

// The checks of one word item (index i, 1 for the sentence's first word).
void checkWord(MatchWorkspace& ws, size_t i, const Lexicon& lexicon, const Vocabulary& vocabulary) {
    ReportItem& item = ws.words[i];
    std::string_view word = item.word;
    if (word.empty() || static_cast<unsigned char>(word.front()) >= 0x80) return;
    if (ws.wordIds[i] != kUnknownWordId) return;  // a vocabulary word

    const bool first = i == 1;
    const bool capital = isUpper(word.front());
    const char low = capital ? lowered(word.front()) : word.front();
    const std::string_view lowHead(&low, 1);
    if (capital) {
        int32_t id = vocabulary.find(lowHead, word.substr(1));
        if (id != kUnknownWordId) {
            item.comparison = vocabulary.word(id);
            ws.wordIds[i] = id;
            if (!first) item.flags |= kFlagCapital;
            return;
        }
    }
    if (word.size() == 1) return;

    if (!lexicon.known(word)) {
        bool lowKnown = capital && lexicon.lookup(lowHead, word.substr(1)) != nullptr;
        if (!lowKnown)
            item.flags |= kFlagUnknown;
        else if (!first)
            item.flags |= kFlagCapital;
    }

    int32_t id = vocabulary.closest(word, ws.scratch);
    if (id == kUnknownWordId) return;
    std::string_view closest = vocabulary.word(id);
    if (closest == ws.words[i - 1].comparison || closest == ws.words[i + 1].comparison) return;
    item.comparison = closest;
    ws.wordIds[i] = id;
    item.flags |= kFlagSpelling;
}

}  // namespace

void prepareSentence(std::string_view sentence, const Analyzer& analyzer, const Vocabulary& vocabulary,
                     MatchWorkspace& ws) {
    sentence = sentence.substr(0, sentence.find('\n'));
    size_t endingStart = finalEndingStart(sentence, analyzer, vocabulary);
    std::string_view body = sentence;
    std::string_view ending;
    if (endingStart != std::string_view::npos) {
        body = sentence.substr(0, endingStart);
        ending = sentence.substr(endingStart);
        while (!ending.empty() && isBlank(static_cast<unsigned char>(ending.back()))) ending.remove_suffix(1);
    }

    // The buffer is complete before any view into it is taken.
    ws.text.assign(body);
    ws.text.push_back('\0');
    ws.text.append(ending);
    ws.text.push_back('\0');
    const char* base = ws.text.data();

    ws.words.clear();
    ws.wordIds.clear();
    addItem(ws, kSentinelWord, kSentinelWordId);

    const Splitter& splitter = analyzer.splitter();
    const char* pos = base;
    int count = 0;
    for (; count < MatchWorkspace::kMaxSpans; ++count) {
        const char* start = pos;
        const char* end = splitter.nextTokenEnd(pos, &start);
        if (end == start) break;
        std::string_view span(start, static_cast<size_t>(end - start));
        if (span.front() == '"') {
            ws.quoted[count] = TokenSpans::normaliseQuoted(span);
            span = ws.quoted[count];
        }
        addItem(ws, span, vocabulary.find(span));
        pos = end;
    }
    if (count == MatchWorkspace::kMaxSpans && analyzer.diagnostics().active()) {
        const char* start = pos;
        if (splitter.nextTokenEnd(pos, &start) != start)
            analyzer.diagnostics().report("the sentence has more than " + std::to_string(count) +
                                          " words; only the first " + std::to_string(count) +
                                          " are matched: " + std::string(sentence));
    }
    if (!ending.empty()) {
        std::string_view tail(base + body.size() + 1, ending.size());
        addItem(ws, tail, vocabulary.find(tail));
    }
    addItem(ws, kSentinelWord, kSentinelWordId);

    const Lexicon& lexicon = analyzer.lexicon();
    for (size_t i = 1; i + 1 < ws.words.size(); ++i) checkWord(ws, i, lexicon, vocabulary);
    if (ws.words.size() > 2 && isLower(ws.words[1].word.front())) ws.words[1].flags |= kFlagCapital;
}

}  // namespace zintra
