#include "cli/reportcommands.h"

#include "app/appstate.h"
#include "cli/clicommands.h"
#include "cli/terminalui.h"
#include "platform/processrandom.h"
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

} // namespace

// Standard output carries these lines and nothing else, written at once; a failed write (a full
// disk, a closed pipe) is a failed command.
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

int RunReport(const CliRequest& request)
{
    const Result<Report> report = LoadCurrentReport(ModeOf(request.command), request.date);
    if (!report) {
        PrintError(report.error());
        return ExitFailed;
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

int RunSummary()
{
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
    if (const Result<> deleted = DeleteReportSpan(span); !deleted) {
        PrintError(deleted.error());
        return ExitFailed;
    }
    return ExitSuccess;
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
    // A fresh process: the generator is at its first state, so every run prints the same night.
    const SleepAnalysis analysis = AnalyseNight(*night, platform::ProcessRandom::instance());
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
