// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace trek {

// The report mode, year and month the report tab drew last. The tab skips a redraw of the same
// month or week; whoever changes the store clears this, so the next draw reads the store again.
struct ReportCache
{
    int mode = -1;
    int year = 0;
    int month = 0;

    void Clear() { *this = ReportCache(); }
    bool Holds(int otherMode, int otherYear, int otherMonth) const
    {
        return mode == otherMode && year == otherYear && month == otherMonth;
    }
};

} // namespace trek
