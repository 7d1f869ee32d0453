// Cells of the lesson content files, which are spreadsheet exports: a cell
// holding a line break or a double quote is wrapped in double quotes and its
// quotes are doubled.
#pragma once

#include <QString>

namespace korvel {

enum class CellMode {
    Line,  // a line break inside the cell becomes one blank
    Text,  // a line break inside the cell becomes CR LF
};

// Undoes the export's quoting of one cell: every pair of double quotes becomes
// one (scanning on after the quote that stays); then, when the text begins
// with a double quote, its first and last characters go; then every LF is
// replaced as `mode` says.
QString unquote_cell(const QString& text, CellMode mode);

// For cells that are only ever single-line: the text trimmed, a leading double
// quote dropped, and then a trailing one (after trimming again).
QString stripCellQuotes(const QString& text);

}  // namespace korvel
