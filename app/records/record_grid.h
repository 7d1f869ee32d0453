// One view of the record screens as cells of text: the title rows first, then
// one row per item. The contents screen, its CSV export and `korvel --records`
// all take their texts from one RecordGrid, so they cannot differ.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <vector>

namespace korvel {

struct RecordGrid {
    int view = 0;
    std::vector<QStringList> titleRows;
    std::vector<QStringList> rows;
    std::vector<int> rightAligned;  // columns whose cells are aligned right on the screen
    // False when a file the view needs could not be read (after its report):
    // the grid then holds its title rows only.
    bool complete = true;

    int columnCount() const;
    // Adds a row; line breaks and TABs inside a cell become one blank each, so
    // that every cell is one line of text wherever it is shown.
    void addRow(QStringList cells);
};

// The grid as tab-separated UTF-8 text: the title rows, then the rows, each
// ended by LF.
QByteArray gridTsv(const RecordGrid& grid);
// The grid as CSV for spreadsheet programs: UTF-8 with a byte-order mark,
// cells separated by commas and quoted (quotes doubled) when they hold a
// comma, a quote or a leading or trailing blank; rows ended by CR LF.
QByteArray gridCsv(const RecordGrid& grid);

}  // namespace korvel
