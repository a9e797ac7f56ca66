#pragma once

#include "cli/clirequest.h"

#include <QStringList>

namespace trek::cli {

// The report and summary tabs as text, their Delete and the sleep analysis; each expects the
// process state set up from a working folder with a settings file, and answers an exit status
// (clicommands.h).
int RunReport(const CliRequest& request);
int RunSummary();
int RunDelete(const CliRequest& request);
// Never writes the settings file, whichever window it is given.
int RunSleep(const CliRequest& request);

// Writes `lines` to standard output, each ended by a line end; ExitFailed when that fails.
int WriteLines(const QStringList& lines);

} // namespace trek::cli
