// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "trends/sleeptrend.h"
#include "trends/steptrend.h"
#include "trends/trendtable.h"

#include <QColor>
#include <cstddef>
#include <vector>

namespace trek {

class CTrendChartCtrl;

// Up to this many days a bar each; more are shown a bar a week.
inline constexpr int MostDailyBars = 90;
// The span of the average line, in days.
inline constexpr int AverageSpan = 7;

// The days of a steps chart: `lead` days in front of the shown ones feed only the average line.
struct StepChartDays
{
    std::vector<DayTrend> days;
    std::size_t lead = 0;

    std::vector<DayTrend> Shown() const;
};

// The steps a bar a day (a bar a week, the average per day with data, for more than
// MostDailyBars days), coloured by the goal, with the 7-day average as a line and the goal as a
// level.
void DrawStepTrend(CTrendChartCtrl& chart, const StepChartDays& days, int goal);
// What the steps chart shows as a table: its days, or its weeks.
TrendTable StepChartTable(const StepChartDays& days, int goal, int unitMode);

// The nights from `first` to `last` a bar each, as high as the sleep time and shaded by the
// efficiency, with the average sleep time of the worn nights as a level.
void DrawSleepTrend(CTrendChartCtrl& chart, const SleepTrend& trend, QDate first, QDate last);

// Darker for a restless night, brighter for a good one: 50 % and below the darkest.
QColor EfficiencyColour(int efficiency);

} // namespace trek
