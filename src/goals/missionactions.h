// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/result.h"

#include <cstdint>

namespace trek {

// Start and Stop of a mission (0 for A, 1 for B). Each writes every key it changes in one
// replacement of the settings file, so a crash never leaves a mission running without its target
// or stopped with the old one's steps; appState().values follow only a write that succeeded.

// Runs the mission from `tick` towards `goes` (metric units) of kind `mode`.
[[nodiscard]] Result<> StartMission(int mission, int mode, double goes, std::uint32_t tick);
// Stops the mission and clears its target, steps and minutes.
[[nodiscard]] Result<> StopMission(int mission);

} // namespace trek
