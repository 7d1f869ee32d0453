// Matches a learner's sentence against the main templates of a template file
// and writes the report of the best one.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "engine/templates/match_workspace.h"
#include "engine/templates/report_item.h"

namespace zintra {

class Analyzer;
class TemplateFile;
struct Template;

class SentenceMatcher {
  public:
    explicit SentenceMatcher(const Analyzer& analyzer);
    ~SentenceMatcher();
    SentenceMatcher(const SentenceMatcher&) = delete;
    SentenceMatcher& operator=(const SentenceMatcher&) = delete;

    // 0 when the sentence was aligned with the file's templates; -1 when the
    // file or the global file is missing, the sentence is empty, or there is
    // no memory for the alignment. A file without a main template whose end
    // can be reached gives 0 with no items.
    int match(std::string_view sentence, const TemplateFile* file, const TemplateFile* global);

    // After a successful match: the report markup and the chosen template
    // (null when no template could be aligned).
    std::string report() const;
    void appendReport(std::string& out) const;
    const Template* chosenTemplate() const;
    int chosenIndex() const { return chosen_; }
    // The alignment score of the chosen template.
    Score chosenScore() const { return unpackScore(best_); }

    // The report items in sentence order (bits 2048 and 4096 appear once a
    // report has been written).
    const std::vector<ReportItem>& items() const { return workspace_->items; }
    // The sentence-final symbol the match settled on; empty when it left the
    // sentence's own ending as it was.
    std::string_view finalSymbol() const { return finalSymbol_; }
    // Whether the alignment has no error block (the batch check of samples).
    bool freeOfErrors() const;

  private:
    const Analyzer& analyzer_;
    WorkspaceLease workspace_;
    const TemplateFile* file_ = nullptr;
    const TemplateFile* global_ = nullptr;
    int chosen_ = -1;
    ScoreKey best_ = kUnreached;
    std::string_view finalSymbol_;
};

}  // namespace zintra
