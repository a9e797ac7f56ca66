// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cli/clirequest.h"

namespace trek::cli {

// The trends of a range of days as a table, or as --format asks; each expects the process state
// set up from a working folder with a settings file, and answers an exit status (clicommands.h).
// Neither writes the settings file.
int RunTrendSteps(const CliRequest& request);
int RunTrendSleep(const CliRequest& request);

} // namespace trek::cli
