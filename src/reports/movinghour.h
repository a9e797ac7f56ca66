// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <vector>

namespace trek {

class MonthBuffer;

// For each minute of `day`, the raw steps of the hour around it (30 minutes before to 29 after),
// the window pushed back inside the month at its first and last hour: 1,440 values. Minute data
// is too spiky to chart as it is; the moving hour shows when the wearer walked.
std::vector<int> MovingHourSeries(const MonthBuffer& month, int day);

// The top of a left axis over values up to `maximum`: the next step of its decade above it
// (1,234 becomes 2,000), and never below 100.
int RoundedMaximum(int maximum);

} // namespace trek
