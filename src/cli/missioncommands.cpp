// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/missioncommands.h"

#include "app/appstate.h"
#include "cli/clicommand.h"
#include "cli/clicommands.h"
#include "cli/reportcommands.h"
#include "cli/structuredoutput.h"
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
        const setting::MissionKeys& keys = setting::Missions.at(static_cast<std::size_t>(mission));
        lines << RawSettingLine(keys.mode, values.mode)
              << RawSettingLine(keys.status, values.status)
              << RawSettingLine(keys.goes, values.goes)
              << RawSettingLine(keys.curSteps, values.curSteps)
              << RawSettingLine(keys.curPeriodM, values.curPeriodM)
              << RawSettingLine(keys.startTime, static_cast<int>(values.startTime));
    }
    return WriteLines(lines);
}

QString Letter(int mission)
{
    return mission == 0 ? QStringLiteral("A") : QStringLiteral("B");
}

const QStringList& KindWords()
{
    static const QStringList words{QStringLiteral("steps"), QStringLiteral("distance"),
                                   QStringLiteral("time"), QStringLiteral("calories")};
    return words;
}

QString TargetUnit(MissionKind kind, int unitMode)
{
    switch (kind) {
    case MissionKind::Distance:
        return IsImperial(unitMode) ? QStringLiteral("mi") : QStringLiteral("km");
    case MissionKind::Time:
        return QStringLiteral("hours");
    case MissionKind::Calories:
        return QStringLiteral("kcal");
    case MissionKind::Steps:
        break;
    }
    return QStringLiteral("steps");
}

MissionKind KindOf(const QString& word)
{
    return KindOfMode(static_cast<int>(KindWords().indexOf(word)));
}

Records MissionRecords(std::uint32_t now)
{
    const int unitMode = appState().values.unitMode;
    Records records;
    records.listName = QStringLiteral("missions");
    records.columns = {QStringLiteral("mission"),         QStringLiteral("kind"),
                       QStringLiteral("target"),          QStringLiteral("target_unit"),
                       QStringLiteral("running"),         QStringLiteral("progress_percent"),
                       QStringLiteral("running_minutes"), QStringLiteral("complete")};
    for (int mission = 0; mission < MissionCount; ++mission) {
        const MissionValues& values = Mission(mission);
        const MissionKind kind = KindOfMode(values.mode);
        const int progress = MissionProgress(values, CurrentMetricSettings());
        QJsonValue running; // null while stopped
        if (values.running()) {
            const RunningTime time = RunningTimeSince(values.startTime, now);
            running = (time.days * 24 + time.hours) * 60 + time.minutes;
        }
        const double shown =
            kind == MissionKind::Distance ? values.goes / UnitDivisor(unitMode) : values.goes;
        records.rows.append({Letter(mission), KindWords().at(static_cast<int>(kind)),
                             Rounded(shown, 3), TargetUnit(kind, unitMode), values.running(),
                             progress, running, progress == FullPercent});
    }
    return records;
}

} // namespace

int RunMissionShow(const CliRequest& request)
{
    if (!request.format.isEmpty()) {
        return WriteLines(MissionRecords(TickOf(request)), request.format);
    }
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
