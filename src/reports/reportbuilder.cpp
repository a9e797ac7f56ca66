// SPDX-License-Identifier: GPL-3.0-or-later
#include "reports/reportbuilder.h"

#include "app/currentlanguage.h"
#include "app/lang/filltext.h"
#include "data/monthbuffer.h"
#include "reports/dayactivity.h"
#include "reports/movinghour.h"

#include <algorithm>

namespace trek {

namespace {

constexpr int DaysInWeek = 7;
constexpr int HoursPerDay = 24;
constexpr int MinutesPerHour = 60;

Report ReportFrame(ReportMode mode)
{
    Report report;
    report.mode = mode;
    switch (mode) {
    case ReportMode::Month:
        report.axis = {1.0, 31.99, HoursPerDay, TextRow::Days, 2};
        report.series.assign(std::size_t{MonthBuffer::DayRows} * HoursPerDay, 0);
        break;
    case ReportMode::Week:
        report.axis = {0.0, 6.99, HoursPerDay, TextRow::Week, 1};
        report.series.assign(std::size_t{DaysInWeek} * HoursPerDay, 0);
        break;
    case ReportMode::Day:
        report.axis = {0.0, 24.0, 1, TextRow::Hours, 0};
        report.series.assign(HoursPerDay, 0);
        break;
    }
    return report;
}

// Copies a day's hour sums into the series from `first` on and answers the largest.
int ChartHours(const DayActivity& activity, Report& report, int first)
{
    std::copy(activity.hourSums.begin(), activity.hourSums.end(), report.series.begin() + first);
    return *std::max_element(activity.hourSums.begin(), activity.hourSums.end());
}

// Both axes scale to the busiest hour; the left never drops below 100 steps.
void SetMaxima(int busiestHour, const MetricSettings& settings, Report& report)
{
    report.leftMaximum = std::max(busiestHour, 100);
    report.rightMaximum = HourCalories(report.leftMaximum, settings);
}

// The next row of the list: `steps` walked in `minutes` over `span`, shown as `when`.
void AddRow(const ReportSpan& span, const QString& when, int steps, int minutes,
            const MetricSettings& settings, Report& report)
{
    const StepFigures figures = ComputeStepFigures(steps, minutes, settings);
    const int number = static_cast<int>(report.rows.size()) + 1;
    report.rows.push_back({span,
                           {FormatRowNumber(number), when, FormatSteps(steps),
                            FormatCadence(figures.cadence), FormatFigure(figures.distance),
                            FormatFigure(figures.speed), FormatFigure(figures.calories)},
                           steps,
                           minutes,
                           figures});
}

void AddIntervalRows(const MonthBuffer& month, int day, const MetricSettings& settings,
                     Report& report)
{
    for (const ActivityInterval& interval :
         FindActivityIntervals(month, day, settings.slightMoving)) {
        const int s = interval.firstMinute;
        const int e = interval.lastMinute;
        const QString when = QString::asprintf(
            "%04d/%02d/%02d %02d:%02d ~ %02d:%02d", month.year(), month.month(), day,
            s / MinutesPerHour, s % MinutesPerHour, e / MinutesPerHour, e % MinutesPerHour);
        AddRow({month.year(), month.month(), day, s, e}, when, interval.steps,
               IntervalMinutes(s, e), settings, report);
    }
}

} // namespace

Report EmptyReport(ReportMode mode)
{
    return ReportFrame(mode);
}

Report BuildMonthReport(const MonthBuffer& month, const MetricSettings& settings)
{
    Report report = ReportFrame(ReportMode::Month);
    int busiestHour = 0;
    for (int day = 1; day <= MonthBuffer::DayRows; ++day) {
        const DayActivity activity = SumDay(month, day, settings.slightMoving);
        busiestHour = std::max(busiestHour, ChartHours(activity, report, (day - 1) * HoursPerDay));
        if (activity.steps == 0) {
            continue;
        }
        const QString when = QString::asprintf("%04d/%02d/%02d", month.year(), month.month(), day);
        AddRow({month.year(), month.month(), day, 0, MonthBuffer::MinutesPerDay - 1}, when,
               activity.steps, DayMinutes(activity.activeMinutes), settings, report);
    }
    SetMaxima(busiestHour, settings, report);
    return report;
}

Report BuildDayReport(const MonthBuffer& month, int day, const MetricSettings& settings,
                      bool minuteData)
{
    Report report = ReportFrame(ReportMode::Day);
    const int busiestHour = ChartHours(SumDay(month, day, settings.slightMoving), report, 0);
    AddIntervalRows(month, day, settings, report);
    SetMaxima(busiestHour, settings, report);
    if (minuteData) {
        // The right axis keeps the busiest hour's calories: the moving hour is no hour of the
        // clock.
        report.series = MovingHourSeries(month, day);
        report.axis.pointsPerUnit = MinutesPerHour;
        report.leftMaximum =
            RoundedMaximum(*std::max_element(report.series.begin(), report.series.end()));
    }
    return report;
}

Report BuildWeekReport(const MonthBuffer& first, const MonthBuffer& second, QDate sunday,
                       const MetricSettings& settings)
{
    Report report = ReportFrame(ReportMode::Week);
    int busiestHour = 0;
    for (int i = 0; i < DaysInWeek; ++i) {
        const QDate date = sunday.addDays(i);
        const MonthBuffer& month =
            date.year() == first.year() && date.month() == first.month() ? first : second;
        const DayActivity activity = SumDay(month, date.day(), settings.slightMoving);
        busiestHour = std::max(busiestHour, ChartHours(activity, report, i * HoursPerDay));
        AddIntervalRows(month, date.day(), settings, report);
    }
    SetMaxima(busiestHour, settings, report);
    return report;
}

QDate WeekStart(QDate date)
{
    // Qt counts Monday 1 to Sunday 7; the week here begins on Sunday.
    return date.addDays(-(date.dayOfWeek() % DaysInWeek));
}

ReportCells ReportColumnTitles(int unitMode)
{
    const QString unit = GetLangText(IsImperial(unitMode) ? TextRow::Mile : TextRow::Kilometre);
    return {QStringLiteral("   No"),
            GetLangText(TextRow::Hours),
            GetLangText(TextRow::Steps),
            GetLangText(TextRow::StepsPerSecond),
            FillText(GetLangText(TextRow::Distance), {unit}),
            FillText(GetLangText(TextRow::Speed), {unit}),
            GetLangText(TextRow::CalorieKcal)};
}

} // namespace trek
