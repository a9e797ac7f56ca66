// SPDX-License-Identifier: GPL-3.0-or-later
#include "reports/sleeploader.h"

#include "data/monthbuffer.h"

namespace trek {

namespace {

// The window's first minute, counted from the first minute of its month.
int WindowStart(const SleepPlace& place)
{
    return MonthBuffer::SlotIndex(place.date.day(), place.window.startHour(), 0);
}

int MonthMinutes(QDate date)
{
    return date.daysInMonth() * MonthBuffer::MinutesPerDay;
}

} // namespace

bool NightPassesMonthEnd(const SleepPlace& place)
{
    const int lastMinute = WindowStart(place) + place.window.minutes();
    return lastMinute >= MonthMinutes(place.date);
}

SleepNight NightFromStore(const SleepPlace& place, const MonthBuffer& month,
                          const MonthBuffer* next)
{
    const int first = WindowStart(place) - SleepLeadMinutes;
    const int monthMinutes = MonthMinutes(place.date);
    SleepNight night{place, {}, 0};
    night.steps.assign(static_cast<std::size_t>(place.window.minutes() + SleepLeadMinutes) + 1, 0);
    for (std::size_t i = 0; i < night.steps.size(); ++i) {
        const int minute = first + static_cast<int>(i);
        if (minute < 0) {
            night.outsideStore = static_cast<int>(i) + 1;
        } else if (minute < monthMinutes) {
            night.steps[i] = month.slot(minute);
        } else if (next != nullptr) {
            // At most the next month's first day and its midnight: a window ends by hour 48.
            night.steps[i] = next->slot(minute - monthMinutes);
        }
    }
    return night;
}

Result<SleepNight> LoadSleepNight(const QString& workingFolder, const SleepPlace& place)
{
    if (!place.date.isValid()) {
        return fail(QStringLiteral("A sleep analysis needs a real date."));
    }
    MonthBuffer month;
    if (Result<> loaded = month.Load(workingFolder, place.date.year(), place.date.month());
        !loaded) {
        return fail(loaded.error());
    }
    if (!NightPassesMonthEnd(place)) {
        return NightFromStore(place, month, nullptr);
    }
    const QDate following = place.date.addMonths(1);
    MonthBuffer next;
    if (Result<> loaded = next.Load(workingFolder, following.year(), following.month()); !loaded) {
        return fail(loaded.error());
    }
    return NightFromStore(place, month, &next);
}

} // namespace trek
