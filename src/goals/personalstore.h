// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "goals/personalform.h"
#include "platform/result.h"

namespace trek {

// The body data as the program holds it now (read at start, kept current by the stores below).
PersonalValues CurrentPersonalValues();

// A Save: the four keys in one replacement of the settings file, birthday, height, weight and
// step length. The values in memory change only when the file did; a failure says why.
[[nodiscard]] Result<> StorePersonalValues(const PersonalValues& values);
// The same together with a new unit mode, for a unit switch and a Save done as one action.
[[nodiscard]] Result<> StorePersonalValues(const PersonalValues& values, int unitMode);
// A unit switch alone.
[[nodiscard]] Result<> StoreUnitMode(int unitMode);

} // namespace trek
