// SPDX-License-Identifier: GPL-3.0-or-later
// report month|week|day and summary: the report and summary tabs as text.

#include "app/appstate.h"
#include "cli/commands/commandlist.h"
#include "cli/structuredoutput.h"
#include "cli/terminalui.h"
#include "reports/lifetimesummary.h"
#include "reports/reportbuilder.h"
#include "reports/reportloader.h"
#include "reports/sleeptexts.h"

#include <QStringList>

namespace trek::cli {

namespace {

struct ReportValues
{
    QDate date; // the day, or the first of the month
    QString format;
    bool series = false; // the chart's points instead of the list
};

struct SummaryValues
{
    QString format;
};

QString Cells(const ReportCells& cells)
{
    return QStringList(cells.begin(), cells.end()).join(u'\t');
}

QString ModeWord(ReportMode mode)
{
    switch (mode) {
    case ReportMode::Week:
        return QStringLiteral("week");
    case ReportMode::Day:
        return QStringLiteral("day");
    case ReportMode::Month:
        break;
    }
    return QStringLiteral("month");
}

Records ReportRecords(const ReportValues& values, const Report& report)
{
    const int unitMode = appState().values.unitMode;
    const bool imperial = IsImperial(unitMode);
    Records records;
    records.add(QStringLiteral("report"), ModeWord(report.mode));
    records.add(QStringLiteral("date"), report.mode == ReportMode::Month
                                            ? values.date.toString(QStringLiteral("yyyy-MM"))
                                            : values.date.toString(Qt::ISODate));
    records.add(QStringLiteral("units"), UnitsWord(unitMode));
    if (values.series) {
        records.add(QStringLiteral("left_maximum"), report.leftMaximum);
        records.add(QStringLiteral("right_maximum"), Rounded(report.rightMaximum, 3));
        records.listName = QStringLiteral("points");
        records.columns = {QStringLiteral("index"), QStringLiteral("steps")};
        int index = 0;
        for (const int value : report.series) {
            records.rows.append({index++, value});
        }
        return records;
    }
    records.listName = QStringLiteral("rows");
    records.columns = {QStringLiteral("date"),
                       QStringLiteral("start"),
                       QStringLiteral("end"),
                       QStringLiteral("steps"),
                       QStringLiteral("minutes"),
                       QStringLiteral("cadence"),
                       imperial ? QStringLiteral("distance_mi") : QStringLiteral("distance_km"),
                       imperial ? QStringLiteral("speed_mph") : QStringLiteral("speed_kmh"),
                       QStringLiteral("calories")};
    for (const ReportRow& row : report.rows) {
        const ReportSpan& span = row.span;
        records.rows.append({IsoDate(span.year, span.month, span.day),
                             MinuteClock(span.firstMinute), MinuteClock(span.lastMinute), row.steps,
                             row.minutes, Rounded(row.figures.cadence, 2),
                             Rounded(row.figures.distance, 3), Rounded(row.figures.speed, 3),
                             Rounded(row.figures.calories, 3)});
    }
    return records;
}

Records SummaryRecords()
{
    const int unitMode = appState().values.unitMode;
    const LifetimeFigures figures = CurrentLifetimeFigures();
    Records records;
    records.add(QStringLiteral("units"), UnitsWord(unitMode));
    records.add(QStringLiteral("steps"), figures.steps);
    records.add(IsImperial(unitMode) ? QStringLiteral("distance_mi")
                                     : QStringLiteral("distance_km"),
                Rounded(figures.distance, 3));
    records.add(QStringLiteral("minutes"), figures.minutes);
    records.add(QStringLiteral("calories"), Rounded(figures.calories, 3));
    return records;
}

int RunReport(ReportMode mode, const ReportValues& values)
{
    const Result<Report> report = LoadCurrentReport(mode, values.date);
    if (!report) {
        PrintError(report.error());
        return ExitFailed;
    }
    if (!values.format.isEmpty()) {
        return WriteLines(ReportRecords(values, *report), values.format);
    }
    QStringList lines;
    if (values.series) {
        lines << FormatLeftMaximum(report->leftMaximum) + u'\t' +
                     FormatRightMaximum(report->rightMaximum);
        int index = 0;
        for (const int value : report->series) {
            lines << QString::asprintf("%d\t%d", index++, value);
        }
    } else {
        lines << Cells(ReportColumnTitles(appState().values.unitMode));
        for (const ReportRow& row : report->rows) {
            lines << Cells(row.cells);
        }
    }
    return WriteLines(lines);
}

int RunSummary(const SummaryValues& values, const CliRequest& /*request*/)
{
    if (!values.format.isEmpty()) {
        return WriteLines(SummaryRecords(), values.format);
    }
    QStringList lines;
    for (const SummaryLine& line : CurrentLifetimeSummary()) {
        lines << line.caption + u'\t' + line.value;
    }
    return WriteLines(lines);
}

// The three report commands print alike; the period and its rows differ.
CliCommand ReportCommand(ReportMode mode, Argument<ReportValues> period, const QString& rows)
{
    return Row(CommandRow<ReportValues>{
        .words = {QStringLiteral("report"), ModeWord(mode)},
        .arguments = {std::move(period)},
        .options = {SwitchOption(QStringLiteral("--series"), &ReportValues::series),
                    FormatOption(&ReportValues::format)},
        .wrongWord = QStringLiteral("The command report needs month YYYY-MM, week YYYY-MM-DD or "
                                    "day YYYY-MM-DD."),
        .help = rows +
                QStringLiteral("\nPrints the seven column titles, then one line per row, the cells "
                               "separated\nby tabs. With --series: \"left maximum<TAB>right "
                               "maximum\" of the chart, then\n\"index<TAB>value\" for each of its "
                               "points.") +
                FormatHelp(QStringLiteral(
                    "the rows' date, start, end, steps, minutes,\ncadence, distance, speed and "
                    "calories (the distance in km or miles as the\nsettings file's units say), or "
                    "the chart's maxima and points (csv: the rows or\npoints only)")),
        .needs = CliNeeds::SettingsFile,
        .run = [mode](const ReportValues& values,
                      const CliRequest& /*request*/) { return RunReport(mode, values); },
    });
}

} // namespace

QList<CliCommand> ReportCommands()
{
    return {
        ReportCommand(ReportMode::Month, MonthArgument(&ReportValues::date),
                      QStringLiteral("The month's report: one row per day with steps.")),
        ReportCommand(ReportMode::Week, DateArgument(&ReportValues::date),
                      QStringLiteral("The report of the week, Sunday to Saturday, that holds the "
                                     "date: one row\nper walk.")),
        ReportCommand(ReportMode::Day, DateArgument(&ReportValues::date),
                      QStringLiteral("The day's report: one row per walk (minutes of steps without "
                                     "a break).")),
        Row(CommandRow<SummaryValues>{
            .words = {QStringLiteral("summary")},
            .options = {FormatOption(&SummaryValues::format)},
            .help =
                QStringLiteral("Prints the lifetime summary: four lines \"caption<TAB>value\".") +
                FormatHelp(QStringLiteral("steps, distance, minutes and calories")),
            .needs = CliNeeds::SettingsFile,
            .run = RunSummary,
        }),
    };
}

} // namespace trek::cli
