// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cli/cliarguments.h"

namespace trek::cli {

// Exit status of the command-line tool.
enum ExitStatus : int { ExitSuccess = 0, ExitFailed = 1, ExitUsage = 2 };

// Each command expects the process state (working folder, settings, platform services) to be set
// up by main(), and reports its errors on standard error.
int RunCollect();
int RunExportCsv(const CliRequest& request);
int RunMakeDisk(const CliRequest& request);
int RunMakeImage(const CliRequest& request);

} // namespace trek::cli
