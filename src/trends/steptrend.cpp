// SPDX-License-Identifier: GPL-3.0-or-later
#include "trends/steptrend.h"

#include "data/monthbuffer.h"
#include "reports/dayactivity.h"
#include "reports/reportbuilder.h"
#include "trends/storedmonths.h"

#include <algorithm>

namespace trek {

namespace {

DayTrend DayOf(const MonthBuffer* month, QDate date, const MetricSettings& settings)
{
    DayTrend day;
    day.date = date;
    day.stored = month != nullptr;
    if (month == nullptr) {
        return day;
    }
    const DayActivity activity = SumDay(*month, date.day(), settings.slightMoving);
    day.steps = activity.steps;
    day.activeMinutes = activity.activeMinutes;
    if (day.steps > 0) {
        // The figures of the day's row in the month report.
        const StepFigures figures =
            ComputeStepFigures(day.steps, DayMinutes(day.activeMinutes), settings);
        day.distance = figures.distance;
        day.calories = figures.calories;
    }
    return day;
}

// The first day of the period that holds `date`.
QDate PeriodStart(QDate date, TrendPeriod period)
{
    switch (period) {
    case TrendPeriod::Week:
        return WeekStart(date);
    case TrendPeriod::Month:
        return QDate(date.year(), date.month(), 1);
    case TrendPeriod::Day:
        break;
    }
    return date;
}

void AddDay(PeriodTrend& period, const DayTrend& day, int goal)
{
    period.last = day.date;
    period.steps += day.steps;
    period.activeMinutes += day.activeMinutes;
    period.distance += day.distance;
    period.calories += day.calories;
    period.daysWithData += day.steps > 0 ? 1 : 0;
    period.goalDays += MeetsGoal(day, goal) ? 1 : 0;
}

} // namespace

int PeriodTrend::AverageSteps() const
{
    if (daysWithData == 0) {
        return 0;
    }
    return static_cast<int>((steps + daysWithData / 2) / daysWithData);
}

std::vector<DayTrend> CollectDays(const StoredMonths& months, QDate first, QDate last,
                                  const MetricSettings& settings)
{
    std::vector<DayTrend> days;
    if (!first.isValid() || !last.isValid()) {
        return days;
    }
    days.reserve(static_cast<std::size_t>(std::max<qint64>(first.daysTo(last) + 1, 0)));
    for (QDate date = first; date <= last; date = date.addDays(1)) {
        days.push_back(DayOf(months.Find(date), date, settings));
    }
    return days;
}

Result<std::vector<DayTrend>> LoadDays(const QString& workingFolder, QDate first, QDate last,
                                       const MetricSettings& settings)
{
    const Result<StoredMonths> months = StoredMonths::Load(workingFolder, first, last);
    if (!months) {
        return fail(months.error());
    }
    if (!months->AnyStored()) {
        return std::vector<DayTrend>{};
    }
    return CollectDays(*months, first, last, settings);
}

bool MeetsGoal(const DayTrend& day, int goal)
{
    return day.steps > 0 && day.steps >= goal;
}

std::vector<PeriodTrend> GroupDays(const std::vector<DayTrend>& days, TrendPeriod period, int goal)
{
    std::vector<PeriodTrend> periods;
    QDate start;
    bool anyStored = false;
    for (const DayTrend& day : days) {
        const QDate dayStart = PeriodStart(day.date, period);
        if (periods.empty() || dayStart != start) {
            if (!periods.empty() && !anyStored) {
                periods.pop_back();
            }
            start = dayStart;
            anyStored = false;
            periods.push_back({});
            periods.back().first = day.date;
        }
        anyStored = anyStored || day.stored;
        AddDay(periods.back(), day, goal);
    }
    if (!periods.empty() && !anyStored) {
        periods.pop_back();
    }
    return periods;
}

std::vector<int> GoalRuns(const std::vector<DayTrend>& days, int goal)
{
    std::vector<int> runs;
    runs.reserve(days.size());
    int run = 0;
    for (const DayTrend& day : days) {
        run = MeetsGoal(day, goal) ? run + 1 : 0;
        runs.push_back(run);
    }
    return runs;
}

RangeTrend SumUpRange(const std::vector<DayTrend>& days, int goal)
{
    RangeTrend range;
    if (days.empty()) {
        return range;
    }
    range.total.first = days.front().date;
    for (const DayTrend& day : days) {
        AddDay(range.total, day, goal);
        if (day.steps > range.bestSteps) {
            range.bestSteps = day.steps;
            range.bestDay = day.date;
        }
    }
    const std::vector<int> runs = GoalRuns(days, goal);
    range.currentRun = runs.back();
    range.longestRun = *std::max_element(runs.begin(), runs.end());
    return range;
}

std::vector<double> MovingAverage(const std::vector<DayTrend>& days, int span)
{
    span = std::max(span, 1);
    std::vector<double> averages;
    averages.reserve(days.size());
    qint64 steps = 0;
    int withData = 0;
    for (std::size_t i = 0; i < days.size(); ++i) {
        steps += days[i].steps;
        withData += days[i].steps > 0 ? 1 : 0;
        if (i >= static_cast<std::size_t>(span)) {
            const DayTrend& gone = days[i - static_cast<std::size_t>(span)];
            steps -= gone.steps;
            withData -= gone.steps > 0 ? 1 : 0;
        }
        averages.push_back(withData > 0 ? static_cast<double>(steps) / withData : 0.0);
    }
    return averages;
}

} // namespace trek
