// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "reports/stepmetrics.h"

#include <QString>
#include <array>

namespace trek {

// One line of the summary tab: "Total Steps:" and its value.
struct SummaryLine
{
    QString caption;
    QString value;
};

// The numbers of the summary: the distance in the shown unit (km or miles).
struct LifetimeFigures
{
    int steps = 0;
    double distance = 0.0;
    int minutes = 0;
    double calories = 0.0;
};
LifetimeFigures ComputeLifetimeFigures(int totalSteps, int totalMinutes,
                                       const MetricSettings& settings);
LifetimeFigures CurrentLifetimeFigures();

// Steps, distance, time and calories of a lifetime of `totalSteps` walked in `totalMinutes`, in
// the current language. The totals are the running counters of the settings file, not sums over
// the store: deleting a report row does not lower them.
std::array<SummaryLine, 4> LifetimeSummary(int totalSteps, int totalMinutes,
                                           const MetricSettings& settings);

// The same for the counters the program holds now.
std::array<SummaryLine, 4> CurrentLifetimeSummary();

} // namespace trek
