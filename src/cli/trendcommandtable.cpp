// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/trendcommandtable.h"

#include "trends/dailygoal.h"

namespace trek::cli {

namespace {

using Command = CliRequest::Command;

// Longer than any wristband's history: a range beyond it is a typing error, not a question.
constexpr int MaxYears = 100;

Result<> CheckRange(CliRequest& request)
{
    const QString from = request.from.toString(Qt::ISODate);
    const QString to = request.to.toString(Qt::ISODate);
    if (request.from > request.to) {
        return fail(QStringLiteral("The range from %1 to %2 ends before it starts.").arg(from, to));
    }
    if (request.from.addYears(MaxYears) <= request.to) {
        return fail(QStringLiteral("The range from %1 to %2 is longer than %3 years.")
                        .arg(from, to)
                        .arg(MaxYears));
    }
    return {};
}

QList<CliArgument> RangeArguments()
{
    CliArgument from = DateArgument(&CliRequest::from);
    CliArgument to = DateArgument(&CliRequest::to);
    from.name = QStringLiteral("FROM");
    to.name = QStringLiteral("TO");
    return {from, to};
}

} // namespace

CliCommand TrendStepsCommand()
{
    return CliCommand{
        .command = Command::TrendSteps,
        .words = {QStringLiteral("trend"), QStringLiteral("steps")},
        .arguments = RangeArguments(),
        .options = {ChoiceOption(
                        QStringLiteral("--by"),
                        {QStringLiteral("day"), QStringLiteral("week"), QStringLiteral("month")},
                        &CliRequest::trendBy),
                    NumberOption(QStringLiteral("--goal"), QStringLiteral("N"),
                                 &CliRequest::trendGoal, DailyGoalSteps.least, DailyGoalSteps.most),
                    FormatOption()},
        .check = CheckRange,
        .wrongArguments = QStringLiteral("trend steps needs two dates, FROM and TO, YYYY-MM-DD."),
        .help =
            QStringLiteral(
                "The steps of the days from FROM to TO (YYYY-MM-DD), as the month report counts\n"
                "them: a header line, then one line per day (--by day, the default), per week\n"
                "from Sunday to Saturday or per calendar month, the cells separated by tabs. A\n"
                "day has its steps, walking minutes, distance (km or miles as the settings file's\n"
                "units say), calories and the run of days at the goal it ends; a week or month\n"
                "its first and last day in the range, the sums, the days with data, the average\n"
                "steps per such day and the days at the goal. The goal is N steps a day, or the\n"
                "settings file's (\"Trends\" / \"DailyGoal\", 10000 when not set); it is not "
                "written.\n"
                "Only days of months with a store file are listed, so a range without any prints\n"
                "the header alone; a store file that cannot be read fails.") +
            FormatHelp(QStringLiteral("the range, the units, the goal, the average per\n"
                                      "day with data, the best day, the days at the goal and "
                                      "the current and\nlongest runs, then the rows (csv: the "
                                      "rows only)")),
    };
}

CliCommand TrendSleepCommand()
{
    return CliCommand{
        .command = Command::TrendSleep,
        .words = {QStringLiteral("trend"), QStringLiteral("sleep")},
        .arguments = RangeArguments(),
        .options = {FormatOption()},
        .check = CheckRange,
        .wrongArguments = QStringLiteral("trend sleep needs two dates, FROM and TO, YYYY-MM-DD."),
        .help = QStringLiteral(
                    "The nights from the evenings of FROM to TO, each analysed as sleep DATE "
                    "analyses\nit in the settings file's window: a header line, then per night "
                    "its date, the\ntimes of falling asleep and waking, the minutes slept, the "
                    "efficiency and the\nsteps in the window, separated by tabs. Only nights over "
                    "a month with a store\nfile are listed.") +
                FormatHelp(QStringLiteral("the range, the window's hours, the nights\nworn "
                                          "(with steps in the window) and their average sleep "
                                          "time and\nefficiency, then the rows (csv: the rows "
                                          "only)")),
    };
}

QString TrendWords()
{
    return QStringLiteral("The command trend needs steps FROM TO or sleep FROM TO.");
}

} // namespace trek::cli
