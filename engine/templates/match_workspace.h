// Working memory of one match: the sentence copy, the items, the cell
// table, the template choice, the path and the report items. A workspace is leased from a pool
// of the calling thread and returned with its memory kept, so a thread that
// matches again and again allocates only while its sentences and files grow.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "engine/templates/alignment.h"
#include "engine/templates/alignment_bound.h"
#include "engine/templates/report_item.h"

namespace zintra {

struct MatchWorkspace {
    static constexpr int kMaxSpans = 30;

    // The sentence: its words cut off at the final ending, a zero byte, the
    // ending, a zero byte. Item words point into it or into quoted.
    std::string text;
    std::array<std::string, kMaxSpans> quoted;  // normalised spans that begin with a double quote

    // Sentence items, sentinels included, and their comparison-word ids.
    std::vector<ReportItem> words;
    std::vector<int32_t> wordIds;

    // Template choice: the sentence's rows by word id, the bound's table, and
    // the templates with their most matched words.
    struct Candidate {
        int32_t most;
        int32_t index;
    };
    SentenceRows rows;
    BoundTable bound;
    std::vector<Candidate> order;
    CellTable cells;               // a template's scores with their back links
    std::vector<ScoreKey> scores;  // the scores of another template
    std::vector<PathEntry> path;
    std::vector<ReportItem> items;  // the report items
    std::vector<int32_t> comments;  // the report's comment list
    std::vector<uint16_t> scratch;  // closest-word computation
};

// A workspace held for the lifetime of the lease.
class WorkspaceLease {
  public:
    WorkspaceLease();
    ~WorkspaceLease();
    WorkspaceLease(const WorkspaceLease&) = delete;
    WorkspaceLease& operator=(const WorkspaceLease&) = delete;

    MatchWorkspace& operator*() const { return *workspace_; }
    MatchWorkspace* operator->() const { return workspace_.get(); }

  private:
    std::unique_ptr<MatchWorkspace> workspace_;
};

}  // namespace zintra
