// SPDX-License-Identifier: GPL-3.0-or-later
#include "trends/trendsummary.h"

#include "app/lang/filltext.h"
#include "trends/trendtexts.h"

#include <algorithm>

namespace trek {

namespace {

constexpr int MinutesPerHour = 60;

QString Number(qint64 value)
{
    return QString::number(value);
}

} // namespace

QString TrendDay(QDate date)
{
    return QString::asprintf("%04d/%02d/%02d", date.year(), date.month(), date.day());
}

QString DurationText(int minutes)
{
    return QString::asprintf("%02d:%02d", minutes / MinutesPerHour, minutes % MinutesPerHour);
}

QString DescribeStepTrend(const RangeTrend& range, QDate first, QDate last, int goal)
{
    const PeriodTrend& total = range.total;
    if (total.daysWithData == 0) {
        return FillText(TrendLangText(TrendText::NoStepsSummary),
                        {TrendDay(first), TrendDay(last)});
    }
    return FillText(TrendLangText(TrendText::StepsSummary),
                    {TrendDay(first), TrendDay(last), Number(total.steps),
                     Number(total.daysWithData), Number(total.AverageSteps()),
                     TrendDay(range.bestDay), Number(range.bestSteps), Number(total.goalDays),
                     Number(goal), DayCountText(range.currentRun), DayCountText(range.longestRun)});
}

QString DescribeSleepTrend(const SleepTrend& trend, QDate first, QDate last)
{
    const QString nights = Number(first.daysTo(last) + 1);
    const auto longest = std::max_element(
        trend.nights.begin(), trend.nights.end(), [](const NightTrend& a, const NightTrend& b) {
            return a.Worn() < b.Worn() ||
                   (a.Worn() == b.Worn() && a.figures.sleptMinutes < b.figures.sleptMinutes);
        });
    if (trend.wornNights == 0 || longest == trend.nights.end()) {
        return FillText(TrendLangText(TrendText::NoSleepSummary),
                        {nights, TrendDay(first), TrendDay(last)});
    }
    return FillText(TrendLangText(TrendText::SleepSummary),
                    {nights, TrendDay(first), TrendDay(last), Number(trend.wornNights),
                     DurationText(trend.averageSleepMinutes), Number(trend.averageEfficiency),
                     DurationText(longest->figures.sleptMinutes), TrendDay(longest->date)});
}

} // namespace trek
