// SPDX-License-Identifier: GPL-3.0-or-later
// sleep: the sleep analysis of one night. It never writes the settings file, whichever window it
// is given.

#include "app/appstate.h"
#include "cli/commands/commandlist.h"
#include "cli/structuredoutput.h"
#include "cli/terminalui.h"
#include "reports/sleeploader.h"
#include "reports/sleeptexts.h"
#include "reports/sleepwindow.h"

#include <QStringList>

namespace trek::cli {

namespace {

struct SleepValues
{
    QDate date;
    QString format;
    int start = -1; // the window's hours; -1: the settings file's
    int end = -1;
};

// Both hours or neither may come from the settings file; two given must make a night.
Result<> CheckHours(SleepValues& values)
{
    if (values.start >= 0 && values.end >= 0 && values.end <= values.start) {
        return fail(QStringLiteral("The window from hour %1 to hour %2 ends before it starts.")
                        .arg(values.start)
                        .arg(values.end));
    }
    return {};
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

int RunSleep(const SleepValues& values, const CliRequest& /*request*/)
{
    const SleepWindow stored = ReadSleepWindow();
    const SleepWindow window =
        SleepWindow::Clamped(values.start >= 0 ? values.start : stored.startHour(),
                             values.end >= 0 ? values.end : stored.endHour());
    const Result<SleepNight> night =
        LoadSleepNight(appState().workingFolder, {values.date, window});
    if (!night) {
        PrintError(night.error());
        return ExitFailed;
    }
    const SleepAnalysis analysis = AnalyseNightAfresh(*night);
    if (!values.format.isEmpty()) {
        return WriteLines(SleepRecords(values.date, window, analysis), values.format);
    }
    QStringList lines{SleepTitle(values.date, false)};
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

QString Help()
{
    return QStringLiteral(
               "The sleep analysis of the night from the date's evening: the title, the four\n"
               "figures (falling asleep, waking, sleep time, efficiency; the value and its\n"
               "caption joined by \" | \"), then \"HH:MM<TAB>depth<TAB>class\" for every minute\n"
               "of the window. The window's hours count from the date's midnight (20 to 33 is\n"
               "20:00 to 09:00 the next morning); those not given come from the settings file,\n"
               "an end at or before the start becoming one hour after it. The settings file\n"
               "is not changed.") +
           FormatHelp(QStringLiteral("the window and the four figures, then each\n"
                                     "minute's time, depth and class (csv: the minutes only)"));
}

} // namespace

QList<CliCommand> SleepCommand()
{
    return {Row(CommandRow<SleepValues>{
        .words = {QStringLiteral("sleep")},
        .arguments = {DateArgument(&SleepValues::date)},
        .options = {NumberOption(QStringLiteral("--start"), QStringLiteral("H"),
                                 &SleepValues::start, 0, SleepWindow::LastStartHour),
                    NumberOption(QStringLiteral("--end"), QStringLiteral("H"), &SleepValues::end, 1,
                                 SleepWindow::LastEndHour),
                    FormatOption(&SleepValues::format)},
        .check = CheckHours,
        .help = Help(),
        .needs = CliNeeds::SettingsFile,
        .run = RunSleep,
    })};
}

} // namespace trek::cli
