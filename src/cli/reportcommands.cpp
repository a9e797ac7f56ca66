// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/reportcommands.h"

#include "app/appstate.h"
#include "cli/clicommands.h"
#include "cli/structuredoutput.h"
#include "cli/terminalui.h"
#include "reports/lifetimesummary.h"
#include "reports/reportbuilder.h"
#include "reports/reportloader.h"
#include "reports/sleeploader.h"
#include "reports/sleeptexts.h"
#include "reports/spandeletion.h"

#include <QStringList>
#include <cstdio>

namespace trek::cli {

namespace {

ReportMode ModeOf(CliRequest::Command command)
{
    switch (command) {
    case CliRequest::Command::ReportWeek:
        return ReportMode::Week;
    case CliRequest::Command::ReportDay:
        return ReportMode::Day;
    default:
        return ReportMode::Month;
    }
}

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

Records ReportRecords(const CliRequest& request, const Report& report)
{
    const int unitMode = appState().values.unitMode;
    const bool imperial = IsImperial(unitMode);
    Records records;
    records.add(QStringLiteral("report"), ModeWord(report.mode));
    records.add(QStringLiteral("date"), report.mode == ReportMode::Month
                                            ? request.date.toString(QStringLiteral("yyyy-MM"))
                                            : request.date.toString(Qt::ISODate));
    records.add(QStringLiteral("units"), UnitsWord(unitMode));
    if (request.series) {
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

QString ClassWord(SleepClass sleepClass)
{
    switch (sleepClass) {
    case SleepClass::Awake:
        return QStringLiteral("awake");
    case SleepClass::Sleep:
        return QStringLiteral("sleep");
    case SleepClass::DeepSleep:
        break;
    }
    return QStringLiteral("deep-sleep");
}

Records SleepRecords(QDate date, const SleepWindow& window, const SleepAnalysis& analysis)
{
    const SleepFigures figures = ComputeSleepFigures(analysis, window);
    const int windowStart = window.startHour() * 60;
    Records records;
    records.add(QStringLiteral("date"), date.toString(Qt::ISODate));
    records.add(QStringLiteral("window_start"), IsoMinute(date, windowStart));
    records.add(QStringLiteral("window_end"), IsoMinute(date, window.endHour() * 60));
    records.add(QStringLiteral("fall_asleep"), IsoMinute(date, figures.fallAsleepMinute));
    records.add(QStringLiteral("wake"), IsoMinute(date, figures.wakeMinute));
    records.add(QStringLiteral("sleep_minutes"), figures.sleptMinutes);
    records.add(QStringLiteral("efficiency"), figures.efficiency);
    records.listName = QStringLiteral("minutes");
    records.columns = {QStringLiteral("time"), QStringLiteral("depth"), QStringLiteral("class")};
    for (std::size_t k = 0; k < analysis.depth.size(); ++k) {
        const int depth = analysis.depth[k];
        records.rows.append({IsoMinute(date, windowStart + static_cast<int>(k)), depth,
                             ClassWord(ClassifyDepth(depth))});
    }
    return records;
}

} // namespace

int WriteLines(const QStringList& lines)
{
    QByteArray bytes;
    for (const QString& line : lines) {
        bytes += line.toUtf8();
        bytes += '\n';
    }
    (void)std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), stdout);
    if (std::fflush(stdout) != 0 || std::ferror(stdout) != 0) {
        PrintError(QStringLiteral("The lines could not be written to standard output."));
        return ExitFailed;
    }
    return ExitSuccess;
}

int WriteLines(const Records& records, const QString& format)
{
    return WriteLines(FormatRecords(records, OutputFormatOf(format)));
}

int RunReport(const CliRequest& request)
{
    const Result<Report> report = LoadCurrentReport(ModeOf(request.command), request.date);
    if (!report) {
        PrintError(report.error());
        return ExitFailed;
    }
    if (!request.format.isEmpty()) {
        return WriteLines(ReportRecords(request, *report), request.format);
    }
    QStringList lines;
    if (request.series) {
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

int RunSummary(const CliRequest& request)
{
    if (!request.format.isEmpty()) {
        return WriteLines(SummaryRecords(), request.format);
    }
    QStringList lines;
    for (const SummaryLine& line : CurrentLifetimeSummary()) {
        lines << line.caption + u'\t' + line.value;
    }
    return WriteLines(lines);
}

int RunDelete(const CliRequest& request)
{
    ReportSpan span = WholeDaySpan(request.date);
    span.firstMinute = request.firstMinute;
    span.lastMinute = request.lastMinute;
    const Result<ClearedSteps> deleted = DeleteReportSpan(span);
    if (!deleted) {
        PrintError(deleted.error());
        return ExitFailed;
    }
    const QString when = QStringLiteral("%1 from %2 to %3")
                             .arg(request.date.toString(Qt::ISODate), MinuteClock(span.firstMinute),
                                  MinuteClock(span.lastMinute));
    if (deleted->minutes == 0) {
        return WriteLines({QStringLiteral("Nothing to clear on %1.").arg(when)});
    }
    return WriteLines({QStringLiteral("Cleared %1 steps in %2 minutes on %3.")
                           .arg(deleted->steps)
                           .arg(deleted->minutes)
                           .arg(when)});
}

int RunSleep(const CliRequest& request)
{
    const SleepWindow stored = ReadSleepWindow();
    const SleepWindow window =
        SleepWindow::Clamped(request.sleepStart >= 0 ? request.sleepStart : stored.startHour(),
                             request.sleepEnd >= 0 ? request.sleepEnd : stored.endHour());
    const Result<SleepNight> night =
        LoadSleepNight(appState().workingFolder, {request.date, window});
    if (!night) {
        PrintError(night.error());
        return ExitFailed;
    }
    const SleepAnalysis analysis = AnalyseNightAfresh(*night);
    if (!request.format.isEmpty()) {
        return WriteLines(SleepRecords(request.date, window, analysis), request.format);
    }
    QStringList lines{SleepTitle(request.date, false)};
    const SleepFigureTexts figures = FormatSleepFigures(analysis, window);
    for (QString text : {figures.fallAsleep, figures.wake, figures.sleepTime, figures.efficiency}) {
        lines << text.replace(u'\n', QStringLiteral(" | "));
    }
    for (std::size_t k = 0; k < analysis.depth.size(); ++k) {
        const int depth = analysis.depth[k];
        lines << SleepClockText(window, static_cast<int>(k)) + u'\t' + QString::number(depth) +
                     u'\t' + SleepClassName(ClassifyDepth(depth));
    }
    return WriteLines(lines);
}

} // namespace trek::cli
