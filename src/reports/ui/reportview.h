// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "reports/report.h"

#include <QDate>

namespace trek {

class CChartCtrl;
class CListCtrlEx;

// How the report tab puts a report on its two controls; shared by the page, the demo's pictures
// and the benchmark, so they all draw the same.

// The seven columns in the current language and unit, replacing whatever columns were there.
void SetReportColumns(CListCtrlEx& list);
// One list row per report row, in the two alternating row colours. Each row's item data is its
// index in `report.rows`, so a sorted list still finds the row's span.
void FillReportList(CListCtrlEx& list, const Report& report);
// The axes, titles, colours and strokes of the report's series: a curve through the points, or
// with minute data a bar per point; and the summary of the report of `date` for screen readers.
void DrawReportChart(CChartCtrl& chart, const Report& report, QDate date, bool minuteData);

} // namespace trek
