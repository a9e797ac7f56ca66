// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/trendcommands.h"

#include "app/appstate.h"
#include "cli/clicommands.h"
#include "cli/reportcommands.h"
#include "cli/structuredoutput.h"
#include "cli/terminalui.h"
#include "trends/dailygoal.h"
#include "trends/sleeptrend.h"
#include "trends/steptrend.h"
#include "trends/trendtable.h"

namespace trek::cli {

namespace {

TrendPeriod PeriodOf(const QString& word)
{
    if (word == u"week") {
        return TrendPeriod::Week;
    }
    if (word == u"month") {
        return TrendPeriod::Month;
    }
    return TrendPeriod::Day;
}

QString ListName(TrendPeriod period)
{
    switch (period) {
    case TrendPeriod::Week:
        return QStringLiteral("weeks");
    case TrendPeriod::Month:
        return QStringLiteral("months");
    case TrendPeriod::Day:
        break;
    }
    return QStringLiteral("days");
}

QJsonValue DateOrNull(QDate date)
{
    return date.isValid() ? QJsonValue(date.toString(Qt::ISODate)) : QJsonValue();
}

// The fields of the range, then the table as the list.
Records RangeRecords(const CliRequest& request, const TrendTable& table, const QString& listName)
{
    Records records;
    records.add(QStringLiteral("from"), request.from.toString(Qt::ISODate));
    records.add(QStringLiteral("to"), request.to.toString(Qt::ISODate));
    records.listName = listName;
    records.columns = table.columns;
    records.rows = table.rows;
    return records;
}

int Print(const CliRequest& request, const TrendTable& table, const Records& records)
{
    if (request.format.isEmpty()) {
        return WriteLines(TableLines(table, u'\t'));
    }
    return WriteLines(records, request.format);
}

} // namespace

int RunTrendSteps(const CliRequest& request)
{
    const MetricSettings settings = CurrentMetricSettings();
    const int goal = request.trendGoal > 0 ? request.trendGoal : ReadDailyGoal();
    const Result<std::vector<DayTrend>> days =
        LoadDays(appState().workingFolder, request.from, request.to, settings);
    if (!days) {
        PrintError(days.error());
        return ExitFailed;
    }
    const TrendPeriod period = PeriodOf(request.trendBy);
    const TrendTable table = period == TrendPeriod::Day
                                 ? DayTable(*days, goal, settings.unitMode)
                                 : PeriodTable(GroupDays(*days, period, goal), settings.unitMode);
    const RangeTrend range = SumUpRange(*days, goal);
    Records records = RangeRecords(request, table, ListName(period));
    records.add(QStringLiteral("units"), UnitsWord(settings.unitMode));
    records.add(QStringLiteral("goal"), goal);
    records.add(QStringLiteral("days_with_data"), range.total.daysWithData);
    records.add(QStringLiteral("average_steps"), range.total.AverageSteps());
    records.add(QStringLiteral("best_day"), DateOrNull(range.bestDay));
    records.add(QStringLiteral("best_steps"), range.bestSteps);
    records.add(QStringLiteral("goal_days"), range.total.goalDays);
    records.add(QStringLiteral("current_run"), range.currentRun);
    records.add(QStringLiteral("longest_run"), range.longestRun);
    return Print(request, table, records);
}

int RunTrendSleep(const CliRequest& request)
{
    const Result<SleepTrend> nights =
        LoadNights(appState().workingFolder, request.from, request.to, ReadSleepWindow());
    if (!nights) {
        PrintError(nights.error());
        return ExitFailed;
    }
    const TrendTable table = NightTable(*nights);
    Records records = RangeRecords(request, table, QStringLiteral("nights"));
    records.add(QStringLiteral("window_start_hour"), nights->window.startHour());
    records.add(QStringLiteral("window_end_hour"), nights->window.endHour());
    records.add(QStringLiteral("nights_worn"), nights->wornNights);
    records.add(QStringLiteral("average_sleep_minutes"), nights->averageSleepMinutes);
    records.add(QStringLiteral("average_efficiency"), nights->averageEfficiency);
    return Print(request, table, records);
}

} // namespace trek::cli
