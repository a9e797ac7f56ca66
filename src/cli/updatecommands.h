// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cli/clirequest.h"

namespace trek::cli {

// update check / update download: the version check, and the download with its verification,
// as the window runs them at start, without ever starting the updater. Each expects the process
// state set up from a working folder with a settings file and answers an exit status.
int RunUpdate(const CliRequest& request);

} // namespace trek::cli
