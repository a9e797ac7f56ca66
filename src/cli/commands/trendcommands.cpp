// SPDX-License-Identifier: GPL-3.0-or-later
// trend steps|sleep: the steps of a range of days and its nights, as the Trends dialog sums them
// up. Neither writes the settings file.

#include "app/appstate.h"
#include "cli/commands/commandlist.h"
#include "cli/structuredoutput.h"
#include "cli/terminalui.h"
#include "reports/sleepwindow.h"
#include "reports/stepmetrics.h"
#include "trends/dailygoal.h"
#include "trends/sleeptrend.h"
#include "trends/steptrend.h"
#include "trends/trendtable.h"

namespace trek::cli {

namespace {

struct TrendValues
{
    QDate from;
    QDate to;
    QString by; // "day", "week" or "month"; empty: day
    QString format;
    int goal = 0; // 0: the settings file's
};

// Longer than any wristband's history: a range beyond it is a typing error, not a question.
constexpr int MaxYears = 100;

Result<> CheckRange(TrendValues& values)
{
    const QString from = values.from.toString(Qt::ISODate);
    const QString to = values.to.toString(Qt::ISODate);
    if (values.from > values.to) {
        return fail(QStringLiteral("The range from %1 to %2 ends before it starts.").arg(from, to));
    }
    if (values.from.addYears(MaxYears) <= values.to) {
        return fail(QStringLiteral("The range from %1 to %2 is longer than %3 years.")
                        .arg(from, to)
                        .arg(MaxYears));
    }
    return {};
}

QList<Argument<TrendValues>> RangeArguments()
{
    Argument<TrendValues> from = DateArgument(&TrendValues::from);
    Argument<TrendValues> to = DateArgument(&TrendValues::to);
    from.name = QStringLiteral("FROM");
    to.name = QStringLiteral("TO");
    return {from, to};
}

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
Records RangeRecords(const TrendValues& values, const TrendTable& table, const QString& listName)
{
    Records records;
    records.add(QStringLiteral("from"), values.from.toString(Qt::ISODate));
    records.add(QStringLiteral("to"), values.to.toString(Qt::ISODate));
    records.listName = listName;
    records.columns = table.columns;
    records.rows = table.rows;
    return records;
}

int Print(const TrendValues& values, const TrendTable& table, const Records& records)
{
    if (values.format.isEmpty()) {
        return WriteLines(TableLines(table, u'\t'));
    }
    return WriteLines(records, values.format);
}

int RunTrendSteps(const TrendValues& values, const CliRequest& /*request*/)
{
    const MetricSettings settings = CurrentMetricSettings();
    const int goal = values.goal > 0 ? values.goal : ReadDailyGoal();
    const Result<std::vector<DayTrend>> days =
        LoadDays(appState().workingFolder, values.from, values.to, settings);
    if (!days) {
        PrintError(days.error());
        return ExitFailed;
    }
    const TrendPeriod period = PeriodOf(values.by);
    const TrendTable table = period == TrendPeriod::Day
                                 ? DayTable(*days, goal, settings.unitMode)
                                 : PeriodTable(GroupDays(*days, period, goal), settings.unitMode);
    const RangeTrend range = SumUpRange(*days, goal);
    Records records = RangeRecords(values, table, ListName(period));
    records.add(QStringLiteral("units"), UnitsWord(settings.unitMode));
    records.add(QStringLiteral("goal"), goal);
    records.add(QStringLiteral("days_with_data"), range.total.daysWithData);
    records.add(QStringLiteral("average_steps"), range.total.AverageSteps());
    records.add(QStringLiteral("best_day"), DateOrNull(range.bestDay));
    records.add(QStringLiteral("best_steps"), range.bestSteps);
    records.add(QStringLiteral("goal_days"), range.total.goalDays);
    records.add(QStringLiteral("current_run"), range.currentRun);
    records.add(QStringLiteral("longest_run"), range.longestRun);
    return Print(values, table, records);
}

int RunTrendSleep(const TrendValues& values, const CliRequest& /*request*/)
{
    const Result<SleepTrend> nights =
        LoadNights(appState().workingFolder, values.from, values.to, ReadSleepWindow());
    if (!nights) {
        PrintError(nights.error());
        return ExitFailed;
    }
    const TrendTable table = NightTable(*nights);
    Records records = RangeRecords(values, table, QStringLiteral("nights"));
    records.add(QStringLiteral("window_start_hour"), nights->window.startHour());
    records.add(QStringLiteral("window_end_hour"), nights->window.endHour());
    records.add(QStringLiteral("nights_worn"), nights->wornNights);
    records.add(QStringLiteral("average_sleep_minutes"), nights->averageSleepMinutes);
    records.add(QStringLiteral("average_efficiency"), nights->averageEfficiency);
    return Print(values, table, records);
}

const QString WrongWord = QStringLiteral("The command trend needs steps FROM TO or sleep FROM TO.");

} // namespace

QList<CliCommand> TrendCommands()
{
    return {
        Row(CommandRow<TrendValues>{
            .words = {QStringLiteral("trend"), QStringLiteral("steps")},
            .arguments = RangeArguments(),
            .options = {ChoiceOption(QStringLiteral("--by"),
                                     {QStringLiteral("day"), QStringLiteral("week"),
                                      QStringLiteral("month")},
                                     &TrendValues::by),
                        NumberOption(QStringLiteral("--goal"), QStringLiteral("N"),
                                     &TrendValues::goal, DailyGoalSteps.least, DailyGoalSteps.most),
                        FormatOption(&TrendValues::format)},
            .check = CheckRange,
            .wrongArguments =
                QStringLiteral("trend steps needs two dates, FROM and TO, YYYY-MM-DD."),
            .wrongWord = WrongWord,
            .help =
                QStringLiteral(
                    "The steps of the days from FROM to TO (YYYY-MM-DD), as the month report "
                    "counts\n"
                    "them: a header line, then one line per day (--by day, the default), per week\n"
                    "from Sunday to Saturday or per calendar month, the cells separated by tabs. "
                    "A\n"
                    "day has its steps, walking minutes, distance (km or miles as the settings "
                    "file's\n"
                    "units say), calories and the run of days at the goal it ends; a week or "
                    "month\n"
                    "its first and last day in the range, the sums, the days with data, the "
                    "average\n"
                    "steps per such day and the days at the goal. The goal is N steps a day, or "
                    "the\n"
                    "settings file's (\"Trends\" / \"DailyGoal\", 10000 when not set); it is not "
                    "written.\n"
                    "Only days of months with a store file are listed, so a range without any "
                    "prints\n"
                    "the header alone; a store file that cannot be read fails.") +
                FormatHelp(QStringLiteral("the range, the units, the goal, the average per\n"
                                          "day with data, the best day, the days at the goal and "
                                          "the current and\nlongest runs, then the rows (csv: the "
                                          "rows only)")),
            .needs = CliNeeds::SettingsFile,
            .run = RunTrendSteps,
        }),
        Row(CommandRow<TrendValues>{
            .words = {QStringLiteral("trend"), QStringLiteral("sleep")},
            .arguments = RangeArguments(),
            .options = {FormatOption(&TrendValues::format)},
            .check = CheckRange,
            .wrongArguments =
                QStringLiteral("trend sleep needs two dates, FROM and TO, YYYY-MM-DD."),
            .wrongWord = WrongWord,
            .help =
                QStringLiteral(
                    "The nights from the evenings of FROM to TO, each analysed as sleep DATE "
                    "analyses\nit in the settings file's window: a header line, then per night "
                    "its date, the\ntimes of falling asleep and waking, the minutes slept, the "
                    "efficiency and the\nsteps in the window, separated by tabs. Only nights over "
                    "a month with a store\nfile are listed.") +
                FormatHelp(QStringLiteral("the range, the window's hours, the nights\nworn "
                                          "(with steps in the window) and their average sleep "
                                          "time and\nefficiency, then the rows (csv: the rows "
                                          "only)")),
            .needs = CliNeeds::SettingsFile,
            .run = RunTrendSleep,
        }),
    };
}

} // namespace trek::cli
