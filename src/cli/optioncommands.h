// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cli/clirequest.h"

namespace trek::cli {

// The user options tab as text, and its choices made from the command line; each expects the
// process state set up from a working folder with a settings file, and answers an exit status
// (clicommands.h).
int RunOptionsShow(const CliRequest& request);
// Every option given is written in one replacement of the settings file, or none is.
int RunOptionsSet(const CliRequest& request);

} // namespace trek::cli
