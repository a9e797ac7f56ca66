// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cli/clirequest.h"

#include <QDateTime>
#include <functional>

namespace trek::cli {

// The PC's time of the run: frozen at --now, or the real clock (an empty function).
std::function<QDateTime()> RunClock(const CliRequest& request);

// The Maintain tab's Time Set and Check Watch, without collecting. Each expects the process state
// set up from a working folder and the drives, and answers an exit status (clicommands.h).
int RunTimeSet(const CliRequest& request);
int RunClockCheck();

// The clock and settings an emulated pass-through wristband keeps beside its record image.
int RunSetClock(const CliRequest& request);
int RunShowStatus(const CliRequest& request);

} // namespace trek::cli
