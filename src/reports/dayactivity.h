// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <vector>

namespace trek {

class MonthBuffer;

// The walking of one day row of a month, by effective steps (slight movement left out).
struct DayActivity
{
    std::array<int, 24> hourSums{};
    int steps = 0;
    int activeMinutes = 0; // minutes with effective steps
};

DayActivity SumDay(const MonthBuffer& month, int day, int slightMoving);

// A maximal run of walking minutes inside one day; a walk still going at 23:59 ends there.
struct ActivityInterval
{
    int firstMinute = 0; // of the day, both ends included
    int lastMinute = 0;
    int steps = 0;
};

std::vector<ActivityInterval> FindActivityIntervals(const MonthBuffer& month, int day,
                                                    int slightMoving);

} // namespace trek
