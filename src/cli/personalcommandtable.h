// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cli/clicommand.h"

namespace trek::cli {

// The rows of the command table for the personal information page.
CliCommand PersonalShowCommand();
CliCommand PersonalSetCommand();

} // namespace trek::cli
