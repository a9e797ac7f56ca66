// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/entryranges.h"
#include "app/settingstable.h"
#include "platform/result.h"

#include <QString>

namespace trek {

// The steps a day should reach: "Trends" / "DailyGoal" of the settings file. A goal is a walk
// someone can set out for; a handful of steps would count every day as met.
inline constexpr int DefaultDailyGoal = setting::DailyGoal.defaultValue();
inline constexpr WholeRange DailyGoalSteps{100, 100000};

// The stored goal, a value outside the range (a hand-edited file) taken as the nearest bound;
// the default while the key is missing. Reading never writes it.
int ReadDailyGoal();
// Writes the key alone, as "%d".
[[nodiscard]] Result<> WriteDailyGoal(int steps);

// What a person typed into the goal box: a whole number of steps in DailyGoalSteps, or the
// refusal in the interface language that names the box by `field` and gives the bounds in `unit`.
[[nodiscard]] Result<int> ReadTypedDailyGoal(const QString& typed, const QString& field,
                                             const QString& unit);

} // namespace trek
