// SPDX-License-Identifier: GPL-3.0-or-later
#include "reports/chartsummary.h"

#include "app/currentlanguage.h"
#include "app/lang/filltext.h"
#include "reports/reportbuilder.h"
#include "reports/sleeptexts.h"

#include <QStringList>
#include <algorithm>
#include <numeric>

namespace trek {

namespace {

constexpr int HoursPerDay = 24;
constexpr int MinutesPerHour = 60;
constexpr int MinutesPerDay = HoursPerDay * MinutesPerHour;
// The moving hour of a minute reaches this far either side of it.
constexpr int HalfHour = 30;

const QString Separator = QStringLiteral("; ");

QString Day(QDate date)
{
    return QString::asprintf("%04d/%02d/%02d", date.year(), date.month(), date.day());
}

QString Span(int firstMinute, int endMinute)
{
    return MinuteClock(firstMinute) + QStringLiteral(" ~ ") + MinuteClock(endMinute);
}

QString Period(ReportMode mode, QDate date)
{
    switch (mode) {
    case ReportMode::Month:
        return QString::asprintf("%04d/%02d", date.year(), date.month());
    case ReportMode::Week: {
        const QDate sunday = WeekStart(date);
        return Day(sunday) + QStringLiteral(" ~ ") + Day(sunday.addDays(6));
    }
    case ReportMode::Day:
        return Day(date);
    }
    return {};
}

// Where on the chart's scale the point `index` of the series lies, as a person reads it.
QString PointTime(const Report& report, QDate date, bool minuteData, int index)
{
    if (report.mode == ReportMode::Day && minuteData) {
        return Span(std::max(index - HalfHour, 0), std::min(index + HalfHour, MinutesPerDay));
    }
    const int hour = index % HoursPerDay;
    QString hours = Span(hour * MinutesPerHour, (hour + 1) * MinutesPerHour);
    switch (report.mode) {
    case ReportMode::Month:
        return Day(QDate(date.year(), date.month(), 1).addDays(index / HoursPerDay)) +
               QStringLiteral(" ") + hours;
    case ReportMode::Week:
        return GetLangText(RowAfter(TextRow::Sunday, index / HoursPerDay)) + QStringLiteral(" ") +
               hours;
    case ReportMode::Day:
        break;
    }
    return hours;
}

// The time of the night's hour `hour`, counted from the midnight that starts `date`.
QString NightTime(QDate date, int hour)
{
    return Day(date.addDays(hour / HoursPerDay)) + QStringLiteral(" ") +
           MinuteClock(hour % HoursPerDay * MinutesPerHour);
}

QString Filled(TextRow row, const QString& text, int steps)
{
    return FillText(GetLangText(row), {text, QString::number(steps)});
}

} // namespace

QString DescribeReportChart(const Report& report, QDate date, bool minuteData)
{
    const int total = std::accumulate(report.rows.begin(), report.rows.end(), 0,
                                      [](int sum, const ReportRow& r) { return sum + r.steps; });
    QStringList parts{Filled(TextRow::PeriodSteps, Period(report.mode, date), total)};
    if (report.mode == ReportMode::Month && !report.rows.empty()) {
        const auto busiest = std::max_element(
            report.rows.begin(), report.rows.end(),
            [](const ReportRow& a, const ReportRow& b) { return a.steps < b.steps; });
        parts.append(Filled(TextRow::BusiestDay, busiest->cells.at(1), busiest->steps));
    }
    const auto top = std::max_element(report.series.begin(), report.series.end());
    if (top != report.series.end() && *top > 0) {
        const auto index = static_cast<int>(top - report.series.begin());
        parts.append(
            Filled(TextRow::BusiestHour, PointTime(report, date, minuteData, index), *top));
    }
    return parts.join(Separator);
}

QString DescribeSleepChart(const SleepAnalysis& analysis, const SleepPlace& place)
{
    const SleepWindow& window = place.window;
    QStringList parts{
        FillText(GetLangText(TextRow::Night), {NightTime(place.date, window.startHour()),
                                               NightTime(place.date, window.endHour())})};
    const SleepFigureTexts figures = FormatSleepFigures(analysis, window);
    for (const QString* figure :
         {&figures.fallAsleep, &figures.wake, &figures.sleepTime, &figures.efficiency}) {
        parts.append(QString(*figure).replace(u'\n', u' '));
    }
    return parts.join(Separator);
}

} // namespace trek
