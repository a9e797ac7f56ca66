// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cli/clirequest.h"
#include "cli/structuredoutput.h"

#include <QStringList>

namespace trek::cli {

// Standard output carries these lines and nothing else, written at once; a failed write (a full
// disk, a closed pipe) is a failed command (ExitFailed, with a line on standard error).
int WriteLines(const QStringList& lines);
// The records as --format asks ("csv" or "json"), the same way.
int WriteLines(const Records& records, const QString& format);

// The report and summary tabs as text, their Delete and the sleep analysis; each expects the
// process state set up from a working folder with a settings file, and answers an exit status
// (clicommands.h).
int RunReport(const CliRequest& request);
int RunSummary(const CliRequest& request);
int RunDelete(const CliRequest& request);
// Never writes the settings file, whichever window it is given.
int RunSleep(const CliRequest& request);

} // namespace trek::cli
