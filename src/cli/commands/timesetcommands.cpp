// SPDX-License-Identifier: GPL-3.0-or-later
// timeset and clockcheck: the Maintain tab's Time Set and Check Watch, without collecting; emulate
// set-clock|show: the clock and settings an emulated pass-through wristband keeps beside its
// record image.

#include "app/appstate.h"
#include "app/userinterface.h"
#include "cli/commands/commandlist.h"
#include "cli/terminalui.h"
#include "device/clockcheck.h"
#include "device/clockfile.h"
#include "device/discovery.h"
#include "device/selectdrive.h"
#include "device/timeset.h"
#include "emulator/keptwristband.h"
#include "emulator/passthroughwristband.h"
#include "emulator/recordimage.h"
#include "emulator/wristbandstate.h"

#include <QDir>
#include <memory>

namespace trek::cli {

namespace {

// The corrections the wristband takes, in seconds per day.
constexpr int MaxCorrection = 99;

struct TimeSetValues
{
    QString letter;     // the drive chosen as a drive button does; empty: found by discovery
    QString hourMode;   // "24" or "12"; empty: the wristband's own
    QString correction; // "auto" or seconds per day; empty: auto
    QString sleepMode;  // "off", "once" or "daily"; empty: the wristband's own
    QTime monitorStart; // null: the wristband's own
    QTime monitorStop;
};

struct EmulatedClockValues
{
    QString image;
    QDateTime watch;    // the emulated wristband's clock
    QDateTime lastSet;  // null: kept, unless neverSet
    QString correction; // seconds per day; empty: kept
    bool neverSet = false;
};

// The core's status lines and boxes are not printed: each command prints its own few lines.
class QuietUi final : public UserInterface
{
public:
    QuietUi() = default;
    ~QuietUi() override = default;
    Q_DISABLE_COPY_MOVE(QuietUi)

    void setStatusText(const QString&) override {}
    void setDriveLabel(const QString&) override {}
    int askYesNo(const QString&, const QString&) override { return UserInterface::No; }
    void showMessage(const QString&) override {}
    void pumpMessages() override {}
    void notifyDataChanged() override {}
    void notifyRefresh() override {}
};

// Installs the quiet interface for one command and lets the wristband go at its end.
class WristbandSession final
{
public:
    WristbandSession() { appState().ui = &m_ui; }
    ~WristbandSession()
    {
        ReleaseLinkVolume();
        appState().ui = nullptr;
    }
    Q_DISABLE_COPY_MOVE(WristbandSession)

private:
    QuietUi m_ui;
};

const QString NotFound = QStringLiteral("### Not found Stepo-Disk ###");

// Discovery without its collection run: the wristband is found, not read.
Result<> FindWristband()
{
    DiscoverWristband();
    if (appState().link.driveLetter == 0) {
        return fail(NotFound);
    }
    return {};
}

TimeSetChoice ChoiceOf(const TimeSetValues& values)
{
    TimeSetChoice choice;
    if (!values.hourMode.isEmpty()) {
        choice.hourMode = values.hourMode == QStringLiteral("12") ? 1 : 0;
    }
    if (!values.correction.isEmpty() && values.correction != QStringLiteral("auto")) {
        choice.correction = values.correction.toInt();
    }
    if (!values.sleepMode.isEmpty()) {
        choice.sleepMonitorOn = values.sleepMode != QStringLiteral("off");
        if (*choice.sleepMonitorOn) {
            choice.sleepMonitorEveryDay = values.sleepMode == QStringLiteral("daily");
        }
    }
    if (values.monitorStart.isValid()) {
        choice.sleepStart = values.monitorStart;
    }
    if (values.monitorStop.isValid()) {
        choice.sleepStop = values.monitorStop;
    }
    return choice;
}

// The emulated wristband of an image as the last run left it.
Result<std::unique_ptr<emu::PassThroughWristband>> KeptWristband(const QString& target,
                                                                 const CliRequest& request)
{
    const emu::LoadedImage image = emu::LoadRecordImage(target);
    if (!image.ok()) {
        return fail(image.error);
    }
    return emu::MakeKeptWristband(target, image.bytes, std::nullopt, request.clock(),
                                  emu::UnreadableState::Fail);
}

QString WallText(const QDateTime& time)
{
    return time.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
}

Result<> CheckCorrection(const QString& correction, bool autoAllowed)
{
    if (correction.isEmpty() || (autoAllowed && correction == QStringLiteral("auto"))) {
        return {};
    }
    bool ok = false;
    const int seconds = correction.toInt(&ok);
    if (!ok || seconds < -MaxCorrection || seconds > MaxCorrection) {
        return fail(
            QStringLiteral("The option --correction takes %1a whole number from -99 to "
                           "99, not \"%2\".")
                .arg(autoAllowed ? QStringLiteral("auto or ") : QString(), Shown(correction)));
    }
    return {};
}

Result<> CheckTimeSet(TimeSetValues& values)
{
    if (!values.letter.isEmpty()) {
        const QChar letter = values.letter.at(0).toUpper();
        if (values.letter.size() != 1 || letter < u'D' || letter > u'Z') {
            return fail(QStringLiteral("The option --letter takes one drive letter from D to Z, "
                                       "not \"%1\".")
                            .arg(Shown(values.letter)));
        }
        values.letter = letter;
    }
    return CheckCorrection(values.correction, true);
}

Result<> CheckSetClock(EmulatedClockValues& values)
{
    if (values.lastSet.isValid() && values.neverSet) {
        return fail(QStringLiteral("The options --last-set and --never-set exclude each other."));
    }
    return CheckCorrection(values.correction, false);
}

int RunTimeSet(const TimeSetValues& values, const CliRequest& /*request*/)
{
    const WristbandSession session;
    const Result<> found =
        values.letter.isEmpty() ? FindWristband() : SelectDrive(values.letter.at(0).toLatin1());
    if (!found) {
        PrintError(found.error());
        return ExitFailed;
    }
    const WristbandLink& link = appState().link;
    // What the page would show after finding a file-model wristband: its CLOCK.TXT. A
    // pass-through wristband's own block is read by the time set itself.
    if (!link.passThrough) {
        ReadClockFile(link.driveLetter);
    }
    const Result<QString> shown = TimeSet(ChoiceOf(values));
    if (!shown) {
        PrintError(shown.error());
        return ExitFailed;
    }
    PrintOut(*shown);
    return ExitSuccess;
}

int RunClockCheck(const NoValues& /*values*/, const CliRequest& /*request*/)
{
    const WristbandSession session;
    if (const Result<> found = FindWristband(); !found) {
        PrintError(found.error());
        return ExitFailed;
    }
    const Result<ClockCheckReport> report = ClockCheck();
    if (!report) {
        PrintError(report.error());
        return ExitFailed;
    }
    QString reportLine = report->reportText;
    reportLine.replace(u'\n', QStringLiteral(" | "));
    PrintOut(report->statusText);
    PrintOut(reportLine);
    PrintOut(QStringLiteral("correction\t%1").arg(report->clockCorrection));
    return ExitSuccess;
}

int RunSetClock(const EmulatedClockValues& values, const CliRequest& request)
{
    Result<std::unique_ptr<emu::PassThroughWristband>> wristband =
        KeptWristband(values.image, request);
    if (!wristband) {
        PrintError(wristband.error());
        return ExitFailed;
    }
    emu::PassThroughWristband& band = **wristband;
    if (!values.correction.isEmpty()) {
        band.setClockCorrection(values.correction.toInt());
    }
    std::optional<QDateTime> lastSet = band.clock().lastSet();
    if (values.neverSet) {
        lastSet.reset();
    } else if (values.lastSet.isValid()) {
        lastSet = values.lastSet;
    }
    band.clock().reset(values.watch, lastSet);
    if (const Result<> saved = emu::SaveWristbandState(values.image, emu::CaptureState(band));
        !saved) {
        PrintError(saved.error());
        return ExitFailed;
    }
    PrintOut(QStringLiteral("The emulated wristband of %1 reads %2, last set %3, correction %4.")
                 .arg(QDir::toNativeSeparators(values.image), WallText(band.clock().now()),
                      lastSet ? WallText(*lastSet) : QStringLiteral("never"))
                 .arg(band.clockCorrection()));
    return ExitSuccess;
}

int RunShowStatus(const EmulatedClockValues& values, const CliRequest& request)
{
    Result<std::unique_ptr<emu::PassThroughWristband>> wristband =
        KeptWristband(values.image, request);
    if (!wristband) {
        PrintError(wristband.error());
        return ExitFailed;
    }
    std::array<std::uint8_t, emu::PassThroughWristband::SettingsSize> block{};
    platform::PassThroughRequest read;
    read.cdb[0] = 0xFE; // vendor command 00: read the settings block
    read.direction = platform::DataDirection::FromDevice;
    read.data = block.data();
    read.length = static_cast<std::uint32_t>(block.size());
    (void)(*wristband)->execute(read);
    constexpr int BytesPerLine = 16;
    for (std::size_t line = 0; line < block.size(); line += BytesPerLine) {
        QStringList bytes;
        for (std::size_t at = line; at < line + BytesPerLine; ++at) {
            bytes << QString::asprintf("%02X", block.at(at));
        }
        PrintOut(bytes.join(u' '));
    }
    return ExitSuccess;
}

Argument<EmulatedClockValues> ImageArgument()
{
    return TextArgument(QStringLiteral("IMAGE"), &EmulatedClockValues::image);
}

} // namespace

QList<CliCommand> TimeSetCommands()
{
    return {
        Row(CommandRow<TimeSetValues>{
            .words = {QStringLiteral("timeset")},
            .options = {TextOption(QStringLiteral("--letter"), QStringLiteral("L"),
                                   &TimeSetValues::letter),
                        ChoiceOption(QStringLiteral("--hour-mode"),
                                     {QStringLiteral("24"), QStringLiteral("12")},
                                     &TimeSetValues::hourMode),
                        TextOption(QStringLiteral("--correction"), QStringLiteral("auto|N"),
                                   &TimeSetValues::correction),
                        ChoiceOption(QStringLiteral("--sleep"),
                                     {QStringLiteral("off"), QStringLiteral("once"),
                                      QStringLiteral("daily")},
                                     &TimeSetValues::sleepMode),
                        TimeOption(QStringLiteral("--sleep-start"), &TimeSetValues::monitorStart),
                        TimeOption(QStringLiteral("--sleep-stop"), &TimeSetValues::monitorStop)},
            .check = CheckTimeSet,
            .help = QStringLiteral(
                "Sets the wristband's clock from the PC's, as the Maintain tab's Time Set does,\n"
                "without collecting: a pass-through wristband gets its settings block, a file-\n"
                "model one a rewritten CLOCK.TXT. The wristband is found by discovery, or the\n"
                "drive --letter is taken as its drive button does. What is not given stays the\n"
                "wristband's own; --correction auto (the default) is the correction its drift\n"
                "calls for (pass-through) or the one it has (file model). Prints one line: the\n"
                "status line, or the text of the box that asks to unplug the wristband."),
            .needs = CliNeeds::Wristband,
            .run = RunTimeSet,
        }),
        Row(CommandRow<NoValues>{
            .words = {QStringLiteral("clockcheck")},
            .help = QStringLiteral(
                "Reads the pass-through wristband's clock, as the Maintain tab's Check Watch\n"
                "does, and prints the status line, the report (its lines joined by \" | \") and\n"
                "\"correction<TAB>N\", the correction the next Time Set in Auto sends."),
            .needs = CliNeeds::Wristband,
            .run = RunClockCheck,
        }),
        Row(CommandRow<EmulatedClockValues>{
            .words = {QStringLiteral("emulate"), QStringLiteral("set-clock")},
            .arguments = {ImageArgument()},
            .options = {Required(
                            DateTimeOption(QStringLiteral("--watch"), &EmulatedClockValues::watch)),
                        DateTimeOption(QStringLiteral("--last-set"), &EmulatedClockValues::lastSet),
                        SwitchOption(QStringLiteral("--never-set"), &EmulatedClockValues::neverSet),
                        TextOption(QStringLiteral("--correction"), QStringLiteral("N"),
                                   &EmulatedClockValues::correction)},
            .check = CheckSetClock,
            .wrongArguments = QStringLiteral("emulate set-clock needs exactly one record image."),
            .help = QStringLiteral(
                "Sets the clock of the emulated wristband of a record image to the --watch time\n"
                "now, and the time it was last set (kept unless given) and its correction. The\n"
                "clock and settings are kept beside the image and run on between runs."),
            .run = RunSetClock,
        }),
        Row(CommandRow<EmulatedClockValues>{
            .words = {QStringLiteral("emulate"), QStringLiteral("show")},
            .arguments = {ImageArgument()},
            .wrongArguments = QStringLiteral("emulate show needs exactly one record image."),
            .help = QStringLiteral(
                "Prints the 256-byte settings block the emulated wristband of a record image\n"
                "answers now, as 16 lines of 16 hexadecimal bytes."),
            .run = RunShowStatus,
        }),
    };
}

} // namespace trek::cli
