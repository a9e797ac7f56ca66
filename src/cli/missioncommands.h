// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cli/clirequest.h"

namespace trek::cli {

// The missions tab as text, and its Start and Stop; each expects the process state set up from a
// working folder with a settings file, and answers an exit status (clicommands.h). All three
// print the page's texts as they stand afterwards.
int RunMissionShow(const CliRequest& request);
// Refuses (exit 2) a target the page would not start with; a running mission is not started
// again (exit 1).
int RunMissionStart(const CliRequest& request);
// A stopped mission is not stopped again (exit 1).
int RunMissionStop(const CliRequest& request);

} // namespace trek::cli
