// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/clockfile.h"

#include "app/appstate.h"
#include "app/userinterface.h"
#include "device/clockcheck.h"
#include "device/clocktext.h"
#include "device/localclock.h"
#include "device/rootfiles.h"
#include "device/settingsblock.h"
#include "device/vendorcommands.h"
#include "platform/devicefile.h"
#include "platform/regularfile.h"

namespace trek {

namespace {

const QString ClockFileName = QStringLiteral("CLOCK.TXT");
// The real file is a few hundred bytes; anything far larger is not the wristband's and is not
// read at all.
constexpr qint64 MaxClockFileSize = 1 << 16;

WristbandSettings& settings()
{
    return appState().wristband;
}

// A missing file, or anything but a regular file under its name, reads as empty.
QByteArray readClockFile(const QString& root)
{
    const Result<QByteArray> text =
        platform::readRegularFile(RootFilePath(root, ClockFileName), MaxClockFileSize);
    return text ? FromDiskLineEnds(*text) : QByteArray();
}

// Replaced whole so an unplug in the middle never leaves the wristband a torn clock file to
// apply, and on the disk before the user is told to unplug; a link under its name is refused,
// not followed.
Result<> writeClockFile(const QString& root, const QByteArray& text)
{
    if (Result<> written = platform::writeDeviceFileDurably(RootFilePath(root, ClockFileName),
                                                            ToDiskLineEnds(text),
                                                            platform::DeviceFileAttribute::Normal);
        !written) {
        return fail(QStringLiteral("CLOCK.TXT cannot be written: ") + written.error());
    }
    return {};
}

Failure noVolume(char letter)
{
    return fail(QStringLiteral("Drive %1: has no mounted volume.").arg(QChar::fromLatin1(letter)));
}

} // namespace

void ReadClockFile(char letter)
{
    ResetWristbandSettings(false);
    if (letter == 0) {
        return;
    }
    const QString root = DriveRootOf(letter);
    if (root.isEmpty()) {
        return;
    }
    ParseClockText(readClockFile(root), settings());
}

Result<> WriteSetupClockFile(char letter)
{
    const QString root = DriveRootOf(letter);
    if (root.isEmpty()) {
        return noVolume(letter);
    }
    const QByteArray message = FilterMessage(settings().message);
    settings().message.fill('\0');
    std::copy(message.begin(), message.end(), settings().message.begin());
    if (Result<> written =
            writeClockFile(root, FormatSetupClockText(settings(), CurrentLocalTime()));
        !written) {
        return written;
    }
    return WriteMarkerFile(root, QByteArrayView());
}

Result<> RewriteClockFileTime(char letter, int clockCorrection)
{
    const QString root = DriveRootOf(letter);
    if (root.isEmpty()) {
        return noVolume(letter);
    }
    return writeClockFile(root, RewriteClockText(readClockFile(root), CurrentLocalTime(),
                                                 clockCorrection, settings().hourMode));
}

Result<> SendSettingsBlock()
{
    return SendSettingsBlock(CurrentLocalTime());
}

Result<> SendSettingsBlock(const QDateTime& localNow)
{
    const SettingsBlock block =
        BuildSettingsBlock(settings(), localNow, appState().link.modelLetter);
    if (const int code = WriteSettingsBlock(appState().link.volume, block.data()); code != 0) {
        return fail(
            QStringLiteral("The wristband did not take the settings block (error %1).").arg(code));
    }
    return {};
}

void ApplyStatusBlock(StatusBlockKind kind)
{
    if (kind == StatusBlockKind::ClockCheck) {
        (void)ClockCheck();
        return;
    }
    const WristbandLink& link = appState().link;
    ResetWristbandSettings(true);
    if (link.volume == platform::InvalidDeviceHandle) {
        return;
    }
    const QDateTime pcNow = CurrentLocalTime();
    std::array<std::uint8_t, RecordBlockLength> block{};
    ReadSettingsBlock(link.volume, block.data());
    if (!HasMakerHeader(block)) {
        return;
    }
    const DriftReport drift = MeasureDrift(block, pcNow);
    user().showMessage(ClockCheckReportText(link, pcNow, drift));
    TakeOverBlockSettings(block, TakeOverScope::Collection, settings());
    settings().clockCorrection = drift.clockCorrection;
}

} // namespace trek
