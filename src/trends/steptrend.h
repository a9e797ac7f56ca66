// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/result.h"
#include "reports/stepmetrics.h"

#include <QDate>
#include <QString>
#include <QtGlobal>
#include <vector>

namespace trek {

class StoredMonths;

// One day as the month report counts it: effective steps only (slight movement left out), its
// walking minutes, and the distance (in the settings' unit) and calories of its report row.
struct DayTrend
{
    QDate date;
    bool stored = false; // its month has a store file
    int steps = 0;
    int activeMinutes = 0;
    double distance = 0.0;
    double calories = 0.0;
};

// The days of a week, a month or the whole range that lie inside the range, summed up.
struct PeriodTrend
{
    QDate first;
    QDate last;
    qint64 steps = 0;
    qint64 activeMinutes = 0;
    double distance = 0.0;
    double calories = 0.0;
    int daysWithData = 0; // days with any steps: a day the wristband was not worn counts for none
    int goalDays = 0;     // days at or above the goal

    // Steps per day with data, rounded; 0 without any.
    int AverageSteps() const;
};

enum class TrendPeriod { Day, Week, Month };

// What a range of days adds up to.
struct RangeTrend
{
    PeriodTrend total;
    QDate bestDay; // the first day with the most steps; null when no day has any
    int bestSteps = 0;
    int currentRun = 0; // days at or above the goal in a row, ending on the range's last day
    int longestRun = 0;
};

// Every day from `first` to `last` out of the months read.
std::vector<DayTrend> CollectDays(const StoredMonths& months, QDate first, QDate last,
                                  const MetricSettings& settings);

// Reads the store files the range touches, each once, and collects its days; a range without any
// store file gives no days at all.
[[nodiscard]] Result<std::vector<DayTrend>> LoadDays(const QString& workingFolder, QDate first,
                                                     QDate last, const MetricSettings& settings);

// A day reaches the goal with at least `goal` steps.
bool MeetsGoal(const DayTrend& day, int goal);

// The days grouped by weeks from Sunday to Saturday (as the week report) or by calendar months,
// a period cut by the range's ends holding only the days inside it, and only periods with a day
// in a stored month; by day, one period per stored day.
std::vector<PeriodTrend> GroupDays(const std::vector<DayTrend>& days, TrendPeriod period, int goal);

// For each day, how many days in a row up to it reached the goal (0 when it did not).
std::vector<int> GoalRuns(const std::vector<DayTrend>& days, int goal);

RangeTrend SumUpRange(const std::vector<DayTrend>& days, int goal);

// For each day, the average steps per day with data of the `span` days that end with it (fewer
// at the start of `days`).
std::vector<double> MovingAverage(const std::vector<DayTrend>& days, int span);

} // namespace trek
