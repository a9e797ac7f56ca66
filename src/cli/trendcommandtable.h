// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cli/clicommand.h"

namespace trek::cli {

// The rows of the command table for the trends: steps and nights over a range of days.
CliCommand TrendStepsCommand();
CliCommand TrendSleepCommand();
// The sentence for "trend" without steps or sleep after it.
QString TrendWords();

} // namespace trek::cli
