// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "trends/sleeptrend.h"
#include "trends/steptrend.h"

#include <QChar>
#include <QJsonValue>
#include <QList>
#include <QStringList>
#include <vector>

namespace trek {

// A trend as rows of cells for scripts and spreadsheets: English column names whatever the
// interface language, ISO dates and times, plain numbers rounded as the pages show them.
struct TrendTable
{
    QStringList columns;
    QList<QList<QJsonValue>> rows;
};

// One row per day in a stored month: its date, steps, walking minutes, distance (km or miles
// as `unitMode` says), calories and the run of goal days it ends.
TrendTable DayTable(const std::vector<DayTrend>& days, int goal, int unitMode);
// One row per week or month: its first and last day in the range, the sums, the days with data,
// the average per such day and the days at the goal.
TrendTable PeriodTable(const std::vector<PeriodTrend>& periods, int unitMode);
// One row per night: its date, the four figures of the sleep analysis (the times as ISO minutes)
// and the steps in its window.
TrendTable NightTable(const SleepTrend& trend);

// The header and a line per row, the cells separated by `separator`. No cell needs quoting:
// dates and numbers hold neither commas, quotes nor tabs, and numbers are written in their
// shortest form without an exponent.
QStringList TableLines(const TrendTable& table, QChar separator);

} // namespace trek
