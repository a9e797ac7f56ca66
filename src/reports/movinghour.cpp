// SPDX-License-Identifier: GPL-3.0-or-later
#include "reports/movinghour.h"

#include "data/monthbuffer.h"

#include <algorithm>

namespace trek {

namespace {

constexpr int WindowMinutes = 60;
constexpr int WindowLead = 30; // minutes of the window before its own minute

// Minutes of the month the window may cover. February counts 29 days in every fourth year, as
// the charts always have; its extra row is zero in other years.
int MonthMinutes(int year, int month)
{
    static constexpr int Days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const int days = month == 2 && year % 4 == 0 ? 29 : Days[std::clamp(month, 1, 12) - 1];
    return days * MonthBuffer::MinutesPerDay;
}

} // namespace

std::vector<int> MovingHourSeries(const MonthBuffer& month, int day)
{
    const int dayStart = MonthBuffer::SlotIndex(day, 0, 0);
    const int lastStart = MonthMinutes(month.year(), month.month()) - WindowMinutes;
    const auto windowStart = [lastStart, dayStart](int k) {
        return std::clamp(dayStart + k - WindowLead, 0, lastStart);
    };

    std::vector<int> series(MonthBuffer::MinutesPerDay, 0);
    int start = windowStart(0);
    int sum = 0;
    for (int i = start; i < start + WindowMinutes; ++i) {
        sum += month.slot(i);
    }
    series[0] = sum;
    // The window moves by one minute or not at all (held at the month's ends), so each value is
    // the last one with a minute taken off and one put on.
    for (int k = 1; k < MonthBuffer::MinutesPerDay; ++k) {
        const int next = windowStart(k);
        if (next != start) {
            sum += month.slot(next + WindowMinutes - 1) - month.slot(start);
            start = next;
        }
        series[static_cast<std::size_t>(k)] = sum;
    }
    return series;
}

int RoundedMaximum(int maximum)
{
    for (const int step : {100000, 10000, 1000, 100}) {
        if (maximum > step) {
            return (maximum / step + 1) * step;
        }
    }
    return 100;
}

} // namespace trek
