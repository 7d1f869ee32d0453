// `korvel --records VIEW [--user N] [--content DIR] [--order newest|oldest]
// [--answers show|hide] [--sort frequency|id|japanese|english]`: the grid of
// record view VIEW (1 to 18) of learner N (default: the last learner), as the
// record contents screen shows it, printed as tab-separated UTF-8 lines, the
// title rows first, one grid row per line.
#pragma once

#include "app/records/record_views.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace korvel {

bool isRecordsCommand(int argc, char** argv);

struct RecordsArguments {
    int view = 0;
    std::optional<int> user;  // the learner's number (0 to 29); none: the last learner
    RecordViewOptions options;
};
// The command's arguments, or nothing when they do not make sense.
std::optional<RecordsArguments> parseRecordsArguments(const QStringList& arguments);

// Prints the grid. Error reports go to standard error. 0 when every file the
// view needs was read, 2 when something was reported (the grid then holds
// what could be read), 1 for wrong arguments or an unknown learner.
int runRecordsCommand(const QStringList& arguments, const QString& executableFolder);

}  // namespace korvel
