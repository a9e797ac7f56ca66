// SPDX-License-Identifier: GPL-3.0-or-later
// mission show|start|stop: the missions tab as text, and its Start and Stop. All three print the
// page's texts as they stand afterwards.

#include "app/appstate.h"
#include "cli/commands/commandlist.h"
#include "cli/structuredoutput.h"
#include "cli/terminalui.h"
#include "goals/missionactions.h"
#include "goals/missionprogress.h"
#include "goals/missiontexts.h"

#include <QStringList>

namespace trek::cli {

namespace {

constexpr int FullPercent = 100;

struct MissionCommandValues
{
    QString letter; // "A" or "B"
    QString kind;   // "steps", "distance", "time" or "calories"
    QString target; // as typed into the target box
    QString format;
    std::optional<quint32> tick; // stands in for the mission clock
    bool raw = false;            // the stored values
};

std::uint32_t TickOf(const MissionCommandValues& values)
{
    return values.tick.value_or(CurrentTick());
}

int MissionOf(const MissionCommandValues& values)
{
    return values.letter == QStringLiteral("B") ? 1 : 0;
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

int RunMissionShow(const MissionCommandValues& values, const CliRequest& /*request*/)
{
    if (!values.format.isEmpty()) {
        return WriteLines(MissionRecords(TickOf(values)), values.format);
    }
    return values.raw ? PrintRaw() : PrintPage(TickOf(values));
}

// Refuses (exit 2) a target the page would not start with; a running mission is not started
// again (exit 1).
int RunMissionStart(const MissionCommandValues& values, const CliRequest& /*request*/)
{
    const int mission = MissionOf(values);
    if (Mission(mission).running()) {
        PrintError(QStringLiteral("Mission %1 is running; stop it first.").arg(Letter(mission)));
        return ExitFailed;
    }
    const MissionKind kind = KindOf(values.kind);
    const TypedTarget typed = ReadTypedTarget(values.target, kind, appState().values.unitMode);
    switch (typed.verdict) {
    case TypedTarget::Verdict::TooSmall:
        PrintError(QStringLiteral("The target \"%1\" is no number at least 0.01 from 0; the "
                                  "mission was not started.")
                       .arg(Shown(values.target)));
        return ExitUsage;
    case TypedTarget::Verdict::Negative:
        PrintError(NegativeTargetText(kind, appState().values.unitMode));
        return ExitUsage;
    case TypedTarget::Verdict::TooLarge:
        PrintError(QStringLiteral("The target \"%1\" is too large for a mission.")
                       .arg(Shown(values.target)));
        return ExitUsage;
    case TypedTarget::Verdict::Accepted:
        break;
    }
    const std::uint32_t now = TickOf(values);
    if (const Result<> started = StartMission(mission, static_cast<int>(kind), typed.goes, now);
        !started) {
        PrintError(started.error());
        return ExitFailed;
    }
    return PrintPage(now);
}

// A stopped mission is not stopped again (exit 1).
int RunMissionStop(const MissionCommandValues& values, const CliRequest& /*request*/)
{
    const int mission = MissionOf(values);
    if (!Mission(mission).running()) {
        PrintError(QStringLiteral("Mission %1 is not running.").arg(Letter(mission)));
        return ExitFailed;
    }
    if (const Result<> stopped = StopMission(mission); !stopped) {
        PrintError(stopped.error());
        return ExitFailed;
    }
    return PrintPage(TickOf(values));
}

// "--tick MS": the mission clock the mission commands take as now.
Option<MissionCommandValues> TickOption()
{
    const QString name = QStringLiteral("--tick");
    return {name, QStringLiteral("MS"), false,
            [name](MissionCommandValues& values, const QString& value) -> Result<> {
                bool ok = false;
                const quint32 tick = value.toUInt(&ok);
                if (!ok) {
                    return fail(
                        QStringLiteral("The option %1 needs a whole number from 0 to 4294967295.")
                            .arg(name));
                }
                values.tick = tick;
                return {};
            }};
}

Argument<MissionCommandValues> LetterArgument()
{
    return ChoiceArgument({QStringLiteral("A"), QStringLiteral("B")},
                          &MissionCommandValues::letter);
}

// What mission show prints; start and stop end with the same page.
QString PageHelp()
{
    return QStringLiteral(
        "Prints the Mission/Target tab, caption<TAB>text: for mission A, then B, the frame and\n"
        "its kind, the target caption and target, and while it runs its progress and\n"
        "running time; then a line for each completion box the tab would open. --tick MS\n"
        "is the mission clock to measure the running time by: wall-clock milliseconds\n"
        "modulo 2^32 (default: now).");
}

const QString WrongWord = QStringLiteral("The command mission needs show, start A|B or stop A|B.");

} // namespace

QList<CliCommand> MissionCommands()
{
    return {
        Row(CommandRow<MissionCommandValues>{
            .words = {QStringLiteral("mission"), QStringLiteral("show")},
            .options = {SwitchOption(QStringLiteral("--raw"), &MissionCommandValues::raw),
                        TickOption(), FormatOption(&MissionCommandValues::format)},
            .wrongWord = WrongWord,
            .help = PageHelp() +
                    QStringLiteral("\nWith --raw: the settings file's mission keys, "
                                   "key<TAB>value.") +
                    FormatHelp(QStringLiteral("each mission's kind, target and its unit,\n"
                                              "progress and running time")),
            .needs = CliNeeds::SettingsFile,
            .run = RunMissionShow,
        }),
        Row(CommandRow<MissionCommandValues>{
            .words = {QStringLiteral("mission"), QStringLiteral("start")},
            .arguments = {LetterArgument()},
            .options = {Required(ChoiceOption(QStringLiteral("--kind"), KindWords(),
                                              &MissionCommandValues::kind)),
                        Required(TextOption(QStringLiteral("--target"), QStringLiteral("T"),
                                            &MissionCommandValues::target)),
                        TickOption()},
            .wrongArguments = QStringLiteral("mission start needs the mission, A or B."),
            .wrongWord = WrongWord,
            .help = QStringLiteral(
                "Starts the mission as the tab's Start does, T read as typed into its target\n"
                "box (a distance in the settings file's unit), at the tick MS; then prints the\n"
                "tab as mission show does. A target closer to 0 than 0.01 starts nothing."),
            .needs = CliNeeds::FirstUseSettings,
            .run = RunMissionStart,
        }),
        Row(CommandRow<MissionCommandValues>{
            .words = {QStringLiteral("mission"), QStringLiteral("stop")},
            .arguments = {LetterArgument()},
            .options = {TickOption()},
            .wrongArguments = QStringLiteral("mission stop needs the mission, A or B."),
            .wrongWord = WrongWord,
            .help = QStringLiteral("Stops the mission and clears its target, steps and time; "
                                   "then prints\nthe tab as mission show does."),
            .needs = CliNeeds::FirstUseSettings,
            .run = RunMissionStop,
        }),
    };
}

} // namespace trek::cli
