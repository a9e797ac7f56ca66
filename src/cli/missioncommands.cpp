#include "cli/missioncommands.h"

#include "app/appstate.h"
#include "cli/clicommand.h"
#include "cli/clicommands.h"
#include "cli/reportcommands.h"
#include "cli/terminalui.h"
#include "goals/missionactions.h"
#include "goals/missionprogress.h"
#include "goals/missiontexts.h"

#include <QStringList>

namespace trek::cli {

namespace {

constexpr int FullPercent = 100;

std::uint32_t TickOf(const CliRequest& request)
{
    return request.tick.value_or(CurrentTick());
}

int MissionOf(const CliRequest& request)
{
    return request.missionLetter == QStringLiteral("B") ? 1 : 0;
}

const MissionValues& Mission(int mission)
{
    return appState().values.missions.at(static_cast<std::size_t>(mission));
}

MissionKind KindOf(const QString& word)
{
    const QStringList words{QStringLiteral("steps"), QStringLiteral("distance"),
                            QStringLiteral("time"), QStringLiteral("calories")};
    return KindOfMode(static_cast<int>(words.indexOf(word)));
}

QString Line(const QString& caption, const QString& text)
{
    return caption + u'\t' + text;
}

// What the page shows of one mission: its frame with the chosen kind, the target, and while it
// runs the progress and the running time.
QStringList PageLines(int mission, std::uint32_t now)
{
    const MissionValues& values = Mission(mission);
    const MissionKind kind = KindOfMode(values.mode);
    const int unitMode = appState().values.unitMode;
    const QString title = MissionTitle(mission);
    QStringList lines{
        Line(title, MissionKindText(kind)),
        Line(TargetCaption(kind, unitMode), ShownTarget(kind, values.goes, unitMode))};
    if (values.running()) {
        lines << Line(title, ProgressText(MissionProgress(values, CurrentMetricSettings())))
              << Line(title, RunningText(RunningTimeSince(values.startTime, now)));
    }
    return lines;
}

int PrintPage(std::uint32_t now)
{
    QStringList lines;
    for (int mission = 0; mission < MissionCount; ++mission) {
        lines << PageLines(mission, now);
    }
    // The completion boxes the page would open now, in the same order.
    for (int mission = 0; mission < MissionCount; ++mission) {
        if (MissionProgress(Mission(mission), CurrentMetricSettings()) == FullPercent) {
            lines << Line(CompletionTitle(), CompletionText(mission));
        }
    }
    return WriteLines(lines);
}

// The settings file's keys as the program read them.
int PrintRaw()
{
    QStringList lines;
    for (int mission = 0; mission < MissionCount; ++mission) {
        const MissionValues& values = Mission(mission);
        const QString prefix = mission == 0 ? QStringLiteral("A_") : QStringLiteral("B_");
        lines << Line(prefix + QStringLiteral("Mode"), QString::number(values.mode))
              << Line(prefix + QStringLiteral("Status"), QString::number(values.status))
              << Line(prefix + QStringLiteral("Goes"), StoredTargetText(values.goes))
              << Line(prefix + QStringLiteral("CurSteps"), QString::number(values.curSteps))
              << Line(prefix + QStringLiteral("CurPeriodM"), QString::number(values.curPeriodM))
              << Line(prefix + QStringLiteral("StartTime"),
                      QString::number(static_cast<int>(values.startTime)));
    }
    return WriteLines(lines);
}

QString Letter(int mission)
{
    return mission == 0 ? QStringLiteral("A") : QStringLiteral("B");
}

} // namespace

int RunMissionShow(const CliRequest& request)
{
    return request.missionRaw ? PrintRaw() : PrintPage(TickOf(request));
}

int RunMissionStart(const CliRequest& request)
{
    const int mission = MissionOf(request);
    if (Mission(mission).running()) {
        PrintError(QStringLiteral("Mission %1 is running; stop it first.").arg(Letter(mission)));
        return ExitFailed;
    }
    const MissionKind kind = KindOf(request.missionKind);
    const TypedTarget typed =
        ReadTypedTarget(request.missionTarget, kind, appState().values.unitMode);
    switch (typed.verdict) {
    case TypedTarget::Verdict::TooSmall:
        PrintError(QStringLiteral("The target \"%1\" is no number at least 0.01 from 0; the "
                                  "mission was not started.")
                       .arg(Shown(request.missionTarget)));
        return ExitUsage;
    case TypedTarget::Verdict::Negative:
        PrintError(NegativeTargetText(kind, appState().values.unitMode));
        return ExitUsage;
    case TypedTarget::Verdict::TooLarge:
        PrintError(QStringLiteral("The target \"%1\" is too large for a mission.")
                       .arg(Shown(request.missionTarget)));
        return ExitUsage;
    case TypedTarget::Verdict::Accepted:
        break;
    }
    const std::uint32_t now = TickOf(request);
    if (const Result<> started = StartMission(mission, static_cast<int>(kind), typed.goes, now);
        !started) {
        PrintError(started.error());
        return ExitFailed;
    }
    return PrintPage(now);
}

int RunMissionStop(const CliRequest& request)
{
    const int mission = MissionOf(request);
    if (!Mission(mission).running()) {
        PrintError(QStringLiteral("Mission %1 is not running.").arg(Letter(mission)));
        return ExitFailed;
    }
    if (const Result<> stopped = StopMission(mission); !stopped) {
        PrintError(stopped.error());
        return ExitFailed;
    }
    return PrintPage(TickOf(request));
}

} // namespace trek::cli
