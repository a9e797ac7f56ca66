// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace trek::cli {

// Waits for wristbands and collects each one as it is plugged in, with the same commit as the
// window's collection, printing one line per event. Ends with 0 at SIGTERM, SIGINT or SIGHUP,
// after a collection in progress has finished; 1 when it cannot listen for them.
int RunWatch();

} // namespace trek::cli
