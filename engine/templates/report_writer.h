// The match report: the learner's sentence word by word with every error in
// a block that carries its code, its candidates and the numbers of the
// comments that apply, followed by the texts of the cited comments.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "engine/templates/report_item.h"

namespace zintra {

class TemplateFile;

// Appends the report of items to out. Sets bits 2048 and 4096 on the items
// it writes; comments is working memory for the report's comment list.
void writeReport(std::vector<ReportItem>& items, const TemplateFile& file, const TemplateFile* global, std::string& out,
                 std::vector<int32_t>& comments);

// Whether an alignment has no error block: no item with a filler link, no
// closed phrase block, no closed node block of a wrong filler.
bool isFreeOfErrors(const std::vector<ReportItem>& items);

// The candidates a filler link offers: the expected word, or for an element of
// a wrong filler the texts its node offers instead.
void collectCandidates(const ExpectedElement* link, std::vector<std::string_view>& out);

// The comment numbers an element's filler cites that exist with a text (global
// ones with their 10,000 offset), in citation order.
void collectComments(const ExpectedElement* link, const TemplateFile& file, const TemplateFile* global,
                     std::vector<int32_t>& out);

}  // namespace zintra
