// From the alignment path of the chosen template to the report items: the
// sentence-final symbol, the error flags, misplaced and swapped words, and
// the links and bits of phrase and node blocks.
#pragma once

#include <string_view>
#include <vector>

#include "engine/templates/alignment.h"
#include "engine/templates/report_item.h"

namespace zintra {

struct Config;
class TemplateFile;

// Settles the sentence-final punctuation on the path (it may append an entry
// for a missing full stop, or move the final item to the end paired with the
// full-stop element). words are the sentence items the path refers to.
// Returns the sentence-final symbol, empty when it is left as it was.
std::string_view settleFinalSymbol(std::vector<PathEntry>& path, const std::vector<ReportItem>& words,
                                   const Config& config);

// Whether the filler cites at least one comment that exists (numbers of
// 10,000 and more in global) with an English or Japanese text. Citations
// end at the first negative number.
bool citesComments(const Filler& filler, const TemplateFile& file, const TemplateFile* global);

// Makes the report items of a path.
void buildReportItems(const std::vector<PathEntry>& path, const std::vector<ReportItem>& words,
                      const PositionGraph& graph, const TemplateFile& file, const TemplateFile* global,
                      std::vector<ReportItem>& items);

// The scan that marks blocks: the first item of each newly met link gets
// open, the last item of the sentence with the same link gets close. A link
// made before the last one opened does not open again.
void markPhraseBlocks(std::vector<ReportItem>& items);
void markNodeBlocks(std::vector<ReportItem>& items);

}  // namespace zintra
