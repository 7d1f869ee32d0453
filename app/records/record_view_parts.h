// What the view builders share; used inside app/records only.
#pragma once

#include "app/records/record_views.h"

#include <QDateTime>

namespace korvel::record_views {

// "○" for a right flag, "×" for a wrong one.
QString markText(std::int16_t right);
// "mm/dd hh:mm"; empty for a date that is not valid.
QString dateText(const QDateTime& when);
// A grid with one title row.
RecordGrid titled(int view, const QStringList& titles);

RecordGrid progressTable(const RecordSources& sources);
RecordGrid testResults(const RecordSources& sources, const RecordViewOptions& options);
RecordGrid wordView(int view, const RecordSources& sources, const RecordViewOptions& options);
RecordGrid compositionView(int view, const RecordSources& sources, const RecordViewOptions& options);
RecordGrid listeningView(int view, const RecordSources& sources, const RecordViewOptions& options);
RecordGrid commentView(const RecordSources& sources, const RecordViewOptions& options);

// Indexes 0..n-1 of a history in the order chosen: the log is newest first.
std::vector<std::size_t> historyOrder(std::size_t n, RecordOrder order);

}  // namespace korvel::record_views
