// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/timesetcommands.h"

#include "app/appstate.h"
#include "app/userinterface.h"
#include "cli/clicommands.h"
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

TimeSetChoice ChoiceOf(const CliRequest& request)
{
    TimeSetChoice choice;
    if (!request.hourMode.isEmpty()) {
        choice.hourMode = request.hourMode == QStringLiteral("12") ? 1 : 0;
    }
    if (!request.correction.isEmpty() && request.correction != QStringLiteral("auto")) {
        choice.correction = request.correction.toInt();
    }
    if (!request.sleepMode.isEmpty()) {
        choice.sleepMonitorOn = request.sleepMode != QStringLiteral("off");
        if (*choice.sleepMonitorOn) {
            choice.sleepMonitorEveryDay = request.sleepMode == QStringLiteral("daily");
        }
    }
    if (request.monitorStart.isValid()) {
        choice.sleepStart = request.monitorStart;
    }
    if (request.monitorStop.isValid()) {
        choice.sleepStop = request.monitorStop;
    }
    return choice;
}

// The emulated wristband of an image as the last run left it.
Result<std::unique_ptr<emu::PassThroughWristband>> KeptWristband(const CliRequest& request)
{
    const emu::LoadedImage image = emu::LoadRecordImage(request.target);
    if (!image.ok()) {
        return fail(image.error);
    }
    return emu::MakeKeptWristband(request.target, image.bytes, std::nullopt, RunClock(request),
                                  emu::UnreadableState::Fail);
}

QString WallText(const QDateTime& time)
{
    return time.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
}

} // namespace

std::function<QDateTime()> RunClock(const CliRequest& request)
{
    if (!request.now.isValid()) {
        return {};
    }
    return [now = request.now] {
        return now;
    };
}

int RunTimeSet(const CliRequest& request)
{
    const WristbandSession session;
    const Result<> found =
        request.letter.isEmpty() ? FindWristband() : SelectDrive(request.letter.at(0).toLatin1());
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
    const Result<QString> shown = TimeSet(ChoiceOf(request));
    if (!shown) {
        PrintError(shown.error());
        return ExitFailed;
    }
    PrintOut(*shown);
    return ExitSuccess;
}

int RunClockCheck()
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

int RunSetClock(const CliRequest& request)
{
    Result<std::unique_ptr<emu::PassThroughWristband>> wristband = KeptWristband(request);
    if (!wristband) {
        PrintError(wristband.error());
        return ExitFailed;
    }
    emu::PassThroughWristband& band = **wristband;
    if (!request.correction.isEmpty()) {
        band.setClockCorrection(request.correction.toInt());
    }
    std::optional<QDateTime> lastSet = band.clock().lastSet();
    if (request.neverSet) {
        lastSet.reset();
    } else if (request.lastSet.isValid()) {
        lastSet = request.lastSet;
    }
    band.clock().reset(request.watch, lastSet);
    if (const Result<> saved = emu::SaveWristbandState(request.target, emu::CaptureState(band));
        !saved) {
        PrintError(saved.error());
        return ExitFailed;
    }
    PrintOut(QStringLiteral("The emulated wristband of %1 reads %2, last set %3, correction %4.")
                 .arg(QDir::toNativeSeparators(request.target), WallText(band.clock().now()),
                      lastSet ? WallText(*lastSet) : QStringLiteral("never"))
                 .arg(band.clockCorrection()));
    return ExitSuccess;
}

int RunShowStatus(const CliRequest& request)
{
    Result<std::unique_ptr<emu::PassThroughWristband>> wristband = KeptWristband(request);
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

} // namespace trek::cli
