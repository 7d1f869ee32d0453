#include "engine/templates/sentence_matcher.h"

#include <algorithm>
#include <new>

#include "engine/language/analyzer.h"
#include "engine/templates/alignment.h"
#include "engine/templates/alignment_bound.h"
#include "engine/templates/match_graph.h"
#include "engine/templates/match_items.h"
#include "engine/templates/report_writer.h"
#include "engine/templates/sentence_items.h"
#include "engine/templates/template_file.h"

namespace zintra {

SentenceMatcher::SentenceMatcher(const Analyzer& analyzer) : analyzer_(analyzer) {}
SentenceMatcher::~SentenceMatcher() = default;

int SentenceMatcher::match(std::string_view sentence, const TemplateFile* file, const TemplateFile* global) {
    MatchWorkspace& ws = *workspace_;
    file_ = nullptr;
    global_ = nullptr;
    chosen_ = -1;
    best_ = kUnreached;
    finalSymbol_ = {};
    ws.items.clear();
    if (!file || !global || sentence.empty()) return -1;
    try {
        const MatchGraphs& graphs = matchGraphsOf(*file);
        prepareSentence(sentence, analyzer_, graphs.vocabulary(), ws);

        // The template with the best score, the first of equal ones. Templates
        // are scored in the order of their most matched words, so that one
        // whose most is below the matched words of the best so far, and every
        // later one, is passed over: its score cannot be better.
        const std::vector<PositionGraph>& all = graphs.graphs();
        ws.rows.set(ws.wordIds, graphs.vocabulary().size());
        ws.order.clear();
        for (size_t t = 0; t < all.size(); ++t) {
            int32_t most = mostMatchedWords(all[t], ws.wordIds, ws.rows, ws.bound);
            if (most >= 0) ws.order.push_back({most, static_cast<int32_t>(t)});
        }
        std::sort(ws.order.begin(), ws.order.end(),
                  [](const MatchWorkspace::Candidate& a, const MatchWorkspace::Candidate& b) {
                      return a.most != b.most ? a.most > b.most : a.index < b.index;
                  });
        // The first template is aligned with its back links, since it is the
        // likely choice; later ones by their scores alone, the chosen one
        // again with its links when it is not the first.
        ScoreKey& best = best_;
        int linked = -1;  // the template whose links the cell table holds
        for (const MatchWorkspace::Candidate& candidate : ws.order) {
            if (chosen_ >= 0 && candidate.most != kNoBound &&
                static_cast<uint32_t>(candidate.most) < unpackScore(best).matched)
                break;
            const PositionGraph& graph = all[static_cast<size_t>(candidate.index)];
            ScoreKey key;
            if (linked < 0) {
                key = alignWithGraph(graph, ws.wordIds, ws.cells);
                linked = candidate.index;
            } else {
                key = alignmentScore(graph, ws.wordIds, ws.rows, ws.scores);
            }
            if (key > best || (key == best && key != kUnreached && candidate.index < chosen_)) {
                best = key;
                chosen_ = candidate.index;
            }
        }
        file_ = file;
        global_ = global;
        if (chosen_ < 0) return 0;

        const PositionGraph& graph = all[static_cast<size_t>(chosen_)];
        if (linked != chosen_) alignWithGraph(graph, ws.wordIds, ws.cells);
        alignmentPath(graph, ws.wordIds.size(), ws.cells, ws.path);
        finalSymbol_ = settleFinalSymbol(ws.path, ws.words, analyzer_.config());
        buildReportItems(ws.path, ws.words, graph, *file, global, ws.items);
        return 0;
    } catch (const std::bad_alloc&) {
        ws.items.clear();
        chosen_ = -1;
        best_ = kUnreached;
        file_ = nullptr;
        return -1;
    }
}

void SentenceMatcher::appendReport(std::string& out) const {
    if (!file_) return;
    writeReport(workspace_->items, *file_, global_, out, workspace_->comments);
}

std::string SentenceMatcher::report() const {
    std::string out;
    appendReport(out);
    return out;
}

const Template* SentenceMatcher::chosenTemplate() const {
    if (!file_ || chosen_ < 0) return nullptr;
    return file_->mainTemplates[static_cast<size_t>(chosen_)].get();
}

bool SentenceMatcher::freeOfErrors() const { return isFreeOfErrors(workspace_->items); }

}  // namespace zintra
