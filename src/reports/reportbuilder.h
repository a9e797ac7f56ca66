// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "reports/report.h"
#include "reports/stepmetrics.h"

#include <QDate>

namespace trek {

class MonthBuffer;

// The report of a period without any store file: no rows and a flat chart of the mode's hour
// points (24 for a day, minute data or not), both axes 0 to 100.
Report EmptyReport(ReportMode mode);

// One row per day with walking, the chart the 744 hour sums of the 31 day rows.
Report BuildMonthReport(const MonthBuffer& month, const MetricSettings& settings);

// One row per activity interval of `day`, the chart its 24 hour sums. With `minuteData` (the
// wristband counts every minute) the chart is the moving hour of each of the 1,440 minutes
// instead, and the left axis follows it.
Report BuildDayReport(const MonthBuffer& month, int day, const MetricSettings& settings,
                      bool minuteData);

// The seven days from Sunday `sunday`: one row per activity interval, each labelled with its own
// date, the chart their 168 hour sums. A day is read from whichever of the two buffers holds its
// month; a week inside one month passes the same buffer twice.
Report BuildWeekReport(const MonthBuffer& first, const MonthBuffer& second, QDate sunday,
                       const MetricSettings& settings);

// The Sunday that begins the week of `date`.
QDate WeekStart(QDate date);

// The seven column titles in the current language, the unit word filled in.
ReportCells ReportColumnTitles(int unitMode);

} // namespace trek
