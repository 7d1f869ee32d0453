// Reads an engine report into the item table (prc_添削結果解析), repairs a word
// reported as both missing and superfluous (fix_WordOrder) and reads the
// comment list at the report's tail (get_CommentBlock).
//
// A report that does not fit the tables (a 31st item, a 12th candidate or
// comment number, a 52nd comment block) or that is malformed (no span, a code
// or comment number that is not a number, blocks nested more than one deep)
// is refused as a whole: the analysis fails with the error row and the
// routine that met the problem, and no table is written past its end.
#pragma once

#include "app/correction/correction_items.h"
#include "app/correction/quote_check.h"

#include <QString>

#include <cstdint>
#include <vector>

namespace korvel {

struct ReportFailure {
    std::int16_t row = 0;  // 0: no failure
    QString routine;
    QString detail;  // empty: the caller names the request
};

struct ReportAnalysis {
    bool ok = false;
    ReportFailure failure;
    std::int16_t errorCount = 0;
    std::vector<CorrectionItem> items;
    std::vector<CommentBlock> blocks;
};

// Parses `report` for a sentence checked with `quote`. Line feeds are ignored.
ReportAnalysis prc_添削結果解析(const QString& report, const QuoteCheck& quote);

// The repair on its own, as the parse runs it once at its end.
void fix_WordOrder(std::vector<CorrectionItem>& items);

// The overflow message of the item table.
QString tooManyWordsText();

}  // namespace korvel
