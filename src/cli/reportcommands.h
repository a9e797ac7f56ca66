#pragma once

#include "cli/clirequest.h"

namespace trek::cli {

// The report and summary tabs as text, and their Delete; each expects the process state set up
// from a working folder with a settings file, and answers an exit status (clicommands.h).
int RunReport(const CliRequest& request);
int RunSummary();
int RunDelete(const CliRequest& request);

} // namespace trek::cli
