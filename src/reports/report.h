// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/lang/textrows.h"
#include "reports/stepmetrics.h"

#include <QString>
#include <array>
#include <vector>

namespace trek {

// The three views of the report tab, numbered as "Current" / "ReportMode" stores them.
enum class ReportMode { Month = 0, Week = 1, Day = 2 };

// The minutes of one day that a list row stands for, both ends included: what its deletion
// clears. The day is a row of the month's store file and may lie past the month's end when a
// day file named such a date (the 31st of September).
struct ReportSpan
{
    int year = 0;
    int month = 0;
    int day = 0;
    int firstMinute = 0; // of the day
    int lastMinute = 1439;
};

inline constexpr int ReportColumnCount = 7;
// No, time, steps, cadence, distance, speed, calories: the texts as the list shows them.
using ReportCells = std::array<QString, ReportColumnCount>;

struct ReportRow
{
    ReportSpan span;
    ReportCells cells;
    // The numbers behind the cells, for output made for scripts.
    int steps = 0;
    int minutes = 0; // the duration the figures are computed over
    StepFigures figures;
};

// How the chart lays its points along the x axis.
struct ReportAxis
{
    double from = 1.0;
    double to = 31.99;
    int pointsPerUnit = 24;
    TextRow titleRow = TextRow::Days;
    int labelMode = 2; // 0 numbers from 0, 1 weekday names, 2 day numbers
};

// Everything the report tab shows for one mode and date: the list rows, the chart's points and
// the tops of its two axes (steps on the left, kilocalories of the busiest hour on the right).
struct Report
{
    ReportMode mode = ReportMode::Month;
    std::vector<ReportRow> rows;
    std::vector<int> series;
    ReportAxis axis;
    int leftMaximum = 100;
    double rightMaximum = 100.0;
};

QString FormatLeftMaximum(int maximum);     // "%d"
QString FormatRightMaximum(double maximum); // "%.3f"

} // namespace trek
