// SPDX-License-Identifier: GPL-3.0-or-later
#include "trends/ui/trendcharts.h"

#include "reports/reportbuilder.h"
#include "trends/trendsummary.h"
#include "trends/trendtexts.h"
#include "trends/ui/trendchartctrl.h"

#include <algorithm>
#include <cmath>

namespace trek {

namespace {

const QColor Axis(192, 192, 255);
const QColor AtGoal(120, 250, 120);
const QColor BelowGoal(100, 150, 250);
const QColor AverageLine(255, 255, 255);
const QColor GoalLevel(255, 160, 80);
// The bars are ORed over the background's blue: both ends keep its bit set, so that the shades
// stay what they are.
const QColor RestlessNight(60, 80, 200);
const QColor GoodNight(150, 210, 255);

constexpr int DaysInWeek = 7;
constexpr int MinutesPerHour = 60;
constexpr double Headroom = 1.05;

// A day label every this many days (bars) or weeks.
int LabelStep(int bars, bool weekly)
{
    if (weekly) {
        return 5;
    }
    return bars <= 31 ? 5 : 10;
}

QString ShortDay(QDate date)
{
    return QString::asprintf("%d/%02d", date.month(), date.day());
}

// The least round number at or above `value`: 1, 1.5, 2, 2.5, 3, 4, 5, 6 or 8 times a power of
// ten.
double RoundTop(double value)
{
    if (!(value > 0.0)) {
        return 1.0;
    }
    const double unit = std::pow(10.0, std::floor(std::log10(value)));
    for (const double step : {1.0, 1.5, 2.0, 2.5, 3.0, 4.0, 5.0, 6.0, 8.0}) {
        if (step * unit >= value) {
            return step * unit;
        }
    }
    return 10.0 * unit;
}

QString Whole(double value)
{
    return QString::number(static_cast<qint64>(std::llround(value)));
}

// Labels from the last bar backwards, so that the newest day always has one.
std::vector<TrendAxisLabel> BackwardLabels(int bars, int step, const auto& text)
{
    std::vector<TrendAxisLabel> labels;
    for (int slot = bars - 1; slot >= 0; slot -= step) {
        labels.push_back({slot + 0.5, text(slot)});
    }
    std::reverse(labels.begin(), labels.end());
    return labels;
}

} // namespace

std::vector<DayTrend> StepChartDays::Shown() const
{
    const auto from = static_cast<std::ptrdiff_t>(std::min(lead, days.size()));
    return {days.begin() + from, days.end()};
}

void DrawStepTrend(CTrendChartCtrl& chart, const StepChartDays& days, int goal)
{
    const std::vector<DayTrend> shown = days.Shown();
    const bool weekly = static_cast<int>(shown.size()) > MostDailyBars;
    const std::vector<double> averages = MovingAverage(days.days, AverageSpan);
    const std::vector<double> shownAverages(
        averages.begin() + static_cast<std::ptrdiff_t>(averages.size() - shown.size()),
        averages.end());

    // Bars and where each day lies along x, in slots.
    std::vector<std::pair<int, double>> bars;
    std::vector<TrendAxisLabel> labels;
    std::vector<QPointF> line;
    if (weekly && !shown.empty()) {
        const QDate firstSunday = WeekStart(shown.front().date);
        for (const PeriodTrend& week : GroupDays(shown, TrendPeriod::Week, goal)) {
            bars.emplace_back(static_cast<int>(firstSunday.daysTo(week.first) / DaysInWeek),
                              week.AverageSteps());
        }
        const int weeks = static_cast<int>(firstSunday.daysTo(shown.back().date) / DaysInWeek) + 1;
        labels = BackwardLabels(weeks, LabelStep(weeks, true), [&](int slot) {
            return ShortDay(firstSunday.addDays(qint64{slot} * DaysInWeek));
        });
        for (std::size_t i = 0; i < shown.size(); ++i) {
            const auto x = static_cast<double>(firstSunday.daysTo(shown[i].date)) + 0.5;
            line.emplace_back(x / DaysInWeek, shownAverages[i]);
        }
        chart.SetSlots(weeks, labels);
    } else {
        const int count = static_cast<int>(shown.size());
        for (int i = 0; i < count; ++i) {
            bars.emplace_back(i, shown[static_cast<std::size_t>(i)].steps);
            line.emplace_back(i + 0.5, shownAverages[static_cast<std::size_t>(i)]);
        }
        labels = BackwardLabels(count, LabelStep(count, false), [&](int slot) {
            return ShortDay(shown[static_cast<std::size_t>(slot)].date);
        });
        chart.SetSlots(count, labels);
    }

    double top = goal;
    for (const auto& [slot, value] : bars) {
        top = std::max(top, value);
    }
    for (const QPointF& point : line) {
        top = std::max(top, point.y());
    }
    top = RoundTop(top * Headroom);
    chart.SetYRange(top, Whole(top));
    chart.SetYTitle(TrendLangText(TrendText::StepsAxis));
    chart.SetAxisColor(Axis);
    chart.SetLegend(
        {{TrendLegendEntry::Mark::Box, AtGoal, TrendLangText(TrendText::AtGoal)},
         {TrendLegendEntry::Mark::Box, BelowGoal, TrendLangText(TrendText::BelowGoal)},
         {TrendLegendEntry::Mark::Line, AverageLine, TrendLangText(TrendText::WeekAverage)},
         {TrendLegendEntry::Mark::Dashes, GoalLevel,
          TrendLangText(TrendText::Goal) + u' ' + QString::number(goal)}});
    for (const auto& [slot, value] : bars) {
        chart.AddBar(slot, value, value >= goal ? AtGoal : BelowGoal);
    }
    chart.AddLine(line, AverageLine);
    chart.AddLevel(goal, GoalLevel);
    if (!shown.empty()) {
        chart.SetSummary(DescribeStepTrend(SumUpRange(shown, goal), shown.front().date,
                                           shown.back().date, goal));
    }
    chart.update();
}

TrendTable StepChartTable(const StepChartDays& days, int goal, int unitMode)
{
    const std::vector<DayTrend> shown = days.Shown();
    if (static_cast<int>(shown.size()) > MostDailyBars) {
        return PeriodTable(GroupDays(shown, TrendPeriod::Week, goal), unitMode);
    }
    return DayTable(shown, goal, unitMode);
}

void DrawSleepTrend(CTrendChartCtrl& chart, const SleepTrend& trend, QDate first, QDate last)
{
    const int count = static_cast<int>(std::max<qint64>(first.daysTo(last) + 1, 1));
    double top = 8.0 * MinutesPerHour; // a night's sleep, should none be longer
    for (const NightTrend& night : trend.nights) {
        if (night.Worn()) {
            top = std::max(top, static_cast<double>(night.figures.sleptMinutes));
        }
    }
    // Whole hours at the top.
    top = RoundTop(top * Headroom / MinutesPerHour) * MinutesPerHour;
    chart.SetSlots(count, BackwardLabels(count, count <= DaysInWeek ? 1 : 5,
                                         [&](int slot) { return ShortDay(first.addDays(slot)); }));
    chart.SetYRange(top, DurationText(static_cast<int>(top)));
    chart.SetYTitle(TrendLangText(TrendText::SleepAxis));
    chart.SetAxisColor(Axis);
    chart.SetLegend({{TrendLegendEntry::Mark::None, {}, TrendLangText(TrendText::Efficiency)},
                     {TrendLegendEntry::Mark::Box, EfficiencyColour(50), QStringLiteral("50%")},
                     {TrendLegendEntry::Mark::Box, EfficiencyColour(75), QStringLiteral("75%")},
                     {TrendLegendEntry::Mark::Box, EfficiencyColour(100), QStringLiteral("100%")},
                     {TrendLegendEntry::Mark::Dashes, AverageLine,
                      TrendLangText(TrendText::Average) + u' ' +
                          (trend.wornNights > 0 ? DurationText(trend.averageSleepMinutes)
                                                : QStringLiteral("\u2013"))}});
    for (const NightTrend& night : trend.nights) {
        if (night.Worn()) {
            chart.AddBar(static_cast<int>(first.daysTo(night.date)), night.figures.sleptMinutes,
                         EfficiencyColour(night.figures.efficiency));
        }
    }
    if (trend.wornNights > 0) {
        chart.AddLevel(trend.averageSleepMinutes, AverageLine);
    }
    chart.SetSummary(DescribeSleepTrend(trend, first, last));
    chart.update();
}

QColor EfficiencyColour(int efficiency)
{
    const double t = std::clamp((efficiency - 50) / 50.0, 0.0, 1.0);
    const auto mix = [t](int from, int to) {
        return static_cast<int>(std::lround(from + (to - from) * t));
    };
    return {mix(RestlessNight.red(), GoodNight.red()),
            mix(RestlessNight.green(), GoodNight.green()),
            mix(RestlessNight.blue(), GoodNight.blue())};
}

} // namespace trek
