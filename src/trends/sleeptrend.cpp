// SPDX-License-Identifier: GPL-3.0-or-later
#include "trends/sleeptrend.h"

#include "data/monthbuffer.h"
#include "reports/sleepanalysis.h"
#include "reports/sleeploader.h"
#include "trends/storedmonths.h"

#include <numeric>

namespace trek {

namespace {

// The month after `place`'s, when the night reaches into it.
const MonthBuffer* FollowingMonth(const StoredMonths& months, const SleepPlace& place)
{
    return NightPassesMonthEnd(place) ? months.Find(place.date.addMonths(1)) : nullptr;
}

int WindowSteps(const SleepNight& night)
{
    // The lead minutes before the window only prime the analysis.
    const auto begin = night.steps.begin() + SleepLeadMinutes;
    return begin < night.steps.end() ? std::accumulate(begin, night.steps.end(), 0) : 0;
}

int Average(long long sum, int count)
{
    return count > 0 ? static_cast<int>((sum + count / 2) / count) : 0;
}

} // namespace

SleepTrend CollectNights(const StoredMonths& months, QDate first, QDate last,
                         const SleepWindow& window)
{
    SleepTrend trend;
    trend.window = window;
    long long slept = 0;
    long long efficiency = 0;
    for (QDate date = first; first.isValid() && date <= last; date = date.addDays(1)) {
        const SleepPlace place{date, window};
        const MonthBuffer* month = months.Find(date);
        const MonthBuffer* next = FollowingMonth(months, place);
        if (month == nullptr && next == nullptr) {
            continue;
        }
        // A month without a store file holds no steps, as the sleep command reads it.
        static const MonthBuffer Empty;
        const SleepNight night = NightFromStore(place, month != nullptr ? *month : Empty, next);
        const SleepAnalysis analysis = AnalyseNightAfresh(night);
        trend.nights.push_back({date, ComputeSleepFigures(analysis, window), WindowSteps(night)});
        const NightTrend& added = trend.nights.back();
        if (added.Worn()) {
            ++trend.wornNights;
            slept += added.figures.sleptMinutes;
            efficiency += added.figures.efficiency;
        }
    }
    trend.averageSleepMinutes = Average(slept, trend.wornNights);
    trend.averageEfficiency = Average(efficiency, trend.wornNights);
    return trend;
}

Result<SleepTrend> LoadNights(const QString& workingFolder, QDate first, QDate last,
                              const SleepWindow& window)
{
    const QDate reach = NightPassesMonthEnd({last, window}) ? last.addMonths(1) : last;
    const Result<StoredMonths> months = StoredMonths::Load(workingFolder, first, reach);
    if (!months) {
        return fail(months.error());
    }
    return CollectNights(*months, first, last, window);
}

} // namespace trek
