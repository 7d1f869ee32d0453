#include "engine/templates/sentence_matcher.h"

#include <new>

#include "engine/language/analyzer.h"
#include "engine/templates/alignment.h"
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

        // Each template is aligned in the spare cell table; a better result
        // keeps its table, so the chosen template's path can be read back.
        ScoreKey& best = best_;
        int spare = 0;
        const std::vector<PositionGraph>& all = graphs.graphs();
        for (size_t t = 0; t < all.size(); ++t) {
            ScoreKey key = alignWithGraph(all[t], ws.wordIds, ws.cells[spare]);
            if (key > best) {
                best = key;
                chosen_ = static_cast<int>(t);
                spare ^= 1;
            }
        }
        file_ = file;
        global_ = global;
        if (chosen_ < 0) return 0;

        const PositionGraph& graph = all[static_cast<size_t>(chosen_)];
        alignmentPath(graph, ws.wordIds.size(), ws.cells[spare ^ 1], ws.path);
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
