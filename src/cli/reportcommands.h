#pragma once

#include "cli/clirequest.h"

namespace trek::cli {

// Writes the lines to standard output at once, each ended by a line feed, and nothing else;
// ExitFailed when they could not be written.
int WriteLines(const QStringList& lines);

// The report and summary tabs as text, their Delete and the sleep analysis; each expects the
// process state set up from a working folder with a settings file, and answers an exit status
// (clicommands.h).
int RunReport(const CliRequest& request);
int RunSummary();
int RunDelete(const CliRequest& request);
// Never writes the settings file, whichever window it is given.
int RunSleep(const CliRequest& request);

} // namespace trek::cli
