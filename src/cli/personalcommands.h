// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cli/clirequest.h"

namespace trek::cli {

// The personal information tab as text and its Save; each expects the process state set up from
// a working folder with a settings file, and answers an exit status (clicommands.h).
int RunPersonalShow(const CliRequest& request);
// Writes nothing unless every box could be stored.
int RunPersonalSet(const CliRequest& request);

} // namespace trek::cli
