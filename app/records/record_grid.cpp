#include "app/records/record_grid.h"

#include <algorithm>

namespace korvel {

namespace {

QString oneLine(QString cell)
{
    cell.replace(QLatin1String("\r\n"), QLatin1String(" "));
    for (const QChar c : {QLatin1Char('\r'), QLatin1Char('\n'), QLatin1Char('\t')}) {
        cell.replace(c, QLatin1Char(' '));
    }
    return cell;
}

QByteArray csvCell(const QString& cell)
{
    const bool quote = cell.contains(QLatin1Char(',')) || cell.contains(QLatin1Char('"')) ||
                       cell.contains(QLatin1Char('\n')) || cell.contains(QLatin1Char('\r')) ||
                       cell.startsWith(QLatin1Char(' ')) || cell.endsWith(QLatin1Char(' '));
    if (!quote) {
        return cell.toUtf8();
    }
    QString doubled = cell;
    doubled.replace(QLatin1String("\""), QLatin1String("\"\""));
    return "\"" + doubled.toUtf8() + "\"";
}

template <class Cell>
QByteArray join(const RecordGrid& grid, char separator, const QByteArray& lineEnd, Cell cell)
{
    QByteArray out;
    auto put = [&](const QStringList& row) {
        for (qsizetype i = 0; i < row.size(); ++i) {
            if (i > 0) {
                out += separator;
            }
            out += cell(row[i]);
        }
        out += lineEnd;
    };
    std::for_each(grid.titleRows.begin(), grid.titleRows.end(), put);
    std::for_each(grid.rows.begin(), grid.rows.end(), put);
    return out;
}

}  // namespace

int RecordGrid::columnCount() const
{
    qsizetype count = 0;
    for (const QStringList& row : titleRows) {
        count = std::max(count, row.size());
    }
    for (const QStringList& row : rows) {
        count = std::max(count, row.size());
    }
    return static_cast<int>(count);
}

void RecordGrid::addRow(QStringList cells)
{
    for (QString& cell : cells) {
        cell = oneLine(cell);
    }
    rows.push_back(std::move(cells));
}

QByteArray gridTsv(const RecordGrid& grid)
{
    return join(grid, '\t', "\n", [](const QString& cell) { return cell.toUtf8(); });
}

QByteArray gridCsv(const RecordGrid& grid)
{
    return "\xEF\xBB\xBF" + join(grid, ',', "\r\n", csvCell);
}

}  // namespace korvel
