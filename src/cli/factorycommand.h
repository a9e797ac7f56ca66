// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cli/clirequest.h"

namespace trek::cli {

// The factory set-up without its window: wristbands are set up as they are plugged in, one
// line per status text and "count<TAB>N" after each. 0 after the asked number, 1 at the first
// failure or when the time is up.
int RunFactory(const CliRequest& request);

} // namespace trek::cli
