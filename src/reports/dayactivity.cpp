// SPDX-License-Identifier: GPL-3.0-or-later
#include "reports/dayactivity.h"

#include "data/monthbuffer.h"
#include "reports/stepmetrics.h"

namespace trek {

namespace {

int DayStart(int day)
{
    return MonthBuffer::SlotIndex(day, 0, 0);
}

} // namespace

DayActivity SumDay(const MonthBuffer& month, int day, int slightMoving)
{
    DayActivity activity;
    int index = DayStart(day);
    for (int& hourSum : activity.hourSums) {
        for (int minute = 0; minute < 60; ++minute, ++index) {
            const int steps = EffectiveSteps(month.slot(index), slightMoving);
            hourSum += steps;
            activity.activeMinutes += steps != 0 ? 1 : 0;
        }
        activity.steps += hourSum;
    }
    return activity;
}

std::vector<ActivityInterval> FindActivityIntervals(const MonthBuffer& month, int day,
                                                    int slightMoving)
{
    std::vector<ActivityInterval> intervals;
    const int start = DayStart(day);
    bool walking = false;
    for (int minute = 0; minute < MonthBuffer::MinutesPerDay; ++minute) {
        const int steps = EffectiveSteps(month.slot(start + minute), slightMoving);
        if (steps == 0) {
            walking = false;
            continue;
        }
        if (!walking) {
            intervals.push_back({minute, minute, 0});
            walking = true;
        }
        intervals.back().lastMinute = minute;
        intervals.back().steps += steps;
    }
    return intervals;
}

} // namespace trek
