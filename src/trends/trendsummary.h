// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "trends/sleeptrend.h"
#include "trends/steptrend.h"

#include <QDate>
#include <QString>

namespace trek {

// "2024/03/05", as the chart summaries write a day.
QString TrendDay(QDate date);
// "07:31": hours and minutes of a duration, the hours not reduced to a day.
QString DurationText(int minutes);

// What the steps chart of the days from `first` to `last` shows, in one line of the interface
// language for a screen reader: the steps and days with data, the average, the best day, the
// days at the goal and the runs.
QString DescribeStepTrend(const RangeTrend& range, QDate first, QDate last, int goal);

// What the chart of the nights from `first` to `last` shows: how many were worn, the average
// sleep time and efficiency, and the longest sleep.
QString DescribeSleepTrend(const SleepTrend& trend, QDate first, QDate last);

} // namespace trek
