// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "reports/report.h"
#include "reports/sleepanalysis.h"

#include <QDate>
#include <QString>

namespace trek {

// What a chart shows, in one line of the interface language, for a screen reader that cannot see
// the curve: the period and its steps, the busiest day of a month and the busiest hour with its
// steps, the top of the curve. `date` is the date the report was made for; with `minuteData` a
// day's chart is the moving hour around each minute, so its busiest hour is that hour.
QString DescribeReportChart(const Report& report, QDate date, bool minuteData);

// The night's span and the four figures over the sleep chart.
QString DescribeSleepChart(const SleepAnalysis& analysis, const SleepPlace& place);

} // namespace trek
