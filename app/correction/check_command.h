// `korvel --check EXERCISE SENTENCE [--prompt TEXT] [--mode 1|3] [--content DIR]`:
// the correction the composition test runs, without a window, printed as one
// JSON object for template authors, scripts and tests.
#pragma once

#include "app/correction/correction.h"

#include <QString>
#include <QStringList>

namespace korvel {

// True when the command line asks for the check.
bool isCheckCommand(int argc, char** argv);

// Runs the check and prints the JSON object on standard output; engine and
// analysis errors go to standard error. 0 when the check ran, 1 when it failed.
int runCheckCommand(const QStringList& arguments, const QString& executableFolder);

// The JSON object of a check (UTF-8, keys in a fixed order).
QByteArray checkJson(const CorrectionResult& result, const QString& modelBlock);

}  // namespace korvel
