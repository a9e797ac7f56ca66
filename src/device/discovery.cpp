// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/discovery.h"

#include "app/appstate.h"
#include "app/settingstable.h"
#include "app/userinterface.h"
#include "device/clockfile.h"
#include "device/filemodelprobe.h"
#include "device/identity.h"
#include "device/linklabels.h"
#include "device/rootfiles.h"
#include "device/vendorcommands.h"
#include "platform/drivetable.h"

#include <array>

namespace trek {

namespace {

// Drive letters 'D' to 'Z'; 'A' to 'C' are floppies and the system disk and are never probed.
constexpr int FirstProbedBit = 3;
constexpr int LastDriveBit = 25;
constexpr int MaxDevicePathLength = 1024;

WristbandLink& link()
{
    return appState().link;
}

platform::DriveTable* drives()
{
    return appState().services.drives;
}

char letterOfBit(int bit)
{
    return static_cast<char>('A' + bit);
}

bool bitSet(std::uint32_t mask, int bit)
{
    return (mask & (std::uint32_t{1} << bit)) != 0;
}

QString letterText(const char* format, char letter)
{
    return QString::asprintf(format, letter);
}

void setDataKind(int kind, bool remember)
{
    link().dataKind = kind;
    appState().values.displayMode = kind;
    if (remember) {
        (void)setting::DisplayMode.Write(kind);
    }
}

void takeIdentity(const WristbandIdentity& identity)
{
    link().passThrough = true;
    link().modelLetter = identity.modelLetter;
    link().hasNewData = identity.hasNewData;
    // Pass-through wristbands deliver minute data; the settings file keeps what the last file
    // model delivered.
    setDataKind(1, false);
}

// A file-model wristband holds no handle; any left from an earlier pass-through one goes.
void becomeFileModel()
{
    link().passThrough = false;
    link().hasNewData = false;
    ReleaseLinkVolume();
}

bool probeFileModel(char letter)
{
    switch (ProbeFileModel(DriveRootOf(letter))) {
    case FileModelEvidence::TextDayFile:
        becomeFileModel();
        setDataKind(0, true);
        return true;
    case FileModelEvidence::MinuteDayFile:
        becomeFileModel();
        setDataKind(1, true);
        return true;
    case FileModelEvidence::MarkerFile:
        becomeFileModel();
        return true;
    case FileModelEvidence::None:
        break;
    }
    return false;
}

WristbandSighting sightingOfLink()
{
    WristbandSighting sighting;
    sighting.letter = link().driveLetter;
    if (sighting.letter == '*') {
        sighting.place = link().devicePath;
    } else if (drives() != nullptr) {
        sighting.place = drives()->volumeIdentity(sighting.letter);
    }
    if (link().passThrough) {
        sighting.hasNewData = link().hasNewData;
    } else {
        sighting.dayFiles = DayFileNames(DriveRootOf(sighting.letter));
    }
    return sighting;
}

// The collection run lives above this layer and plugs itself in; without it, the wristband found
// is only shown. A wristband that stays in its drive with nothing new on it is only shown too:
// it was handed over when it came, and every device change finds it again.
void handOver()
{
    const auto& run = appState().hooks.collectionRun;
    if (appState().roster.Sight(sightingOfLink()) && run) {
        run();
        return;
    }
    user().setDriveLabel(ConnectedLabel(link().driveLetter));
}

void forgetAbsentWristbands()
{
    if (drives() != nullptr && !appState().roster.IsEmpty()) {
        appState().roster.ForgetAbsent(drives()->logicalDriveMask(), drives()->diskDevicePaths());
    }
}

} // namespace

void ReleaseLinkVolume()
{
    if (link().volume != platform::InvalidDeviceHandle) {
        UnlockVolume(link().volume);
        CloseDevice(link().volume);
        link().volume = platform::InvalidDeviceHandle;
    }
}

void ResetLink()
{
    link().driveLetter = 0;
    link().devicePath.clear();
    link().passThrough = false;
    link().hasNewData = false;
    ReleaseLinkVolume();
    link().collectingLetter = 0;
    ResetWristbandSettings(true);
}

bool ProbeDrive(char letter)
{
    link().modelLetter = 0;
    if (!drives() || drives()->driveType(letter) != platform::DriveType::Removable) {
        return false;
    }
    std::array<std::uint8_t, IdentityBufferLength> answer{};
    InquireIdentity(letter, answer.data());
    const std::optional<WristbandIdentity> identity = ParseIdentity(answer);
    if (!identity) {
        return probeFileModel(letter);
    }
    takeIdentity(*identity);
    ReleaseLinkVolume();
    link().volume = OpenVolume(letter);
    if (link().volume == platform::InvalidDeviceHandle) {
        link().passThrough = false;
        return false;
    }
    user().setStatusText(letterText(" Lock Volumn %c:", letter));
    user().setStatusText(letterText(" Lock %c: Complete", letter));
    link().plugged = false;
    return true;
}

bool ProbeDevicePath(const QString& path)
{
    link().modelLetter = 0;
    // The drive table lists only disks without a mounted volume, as the probe wants them.
    if (!drives()) {
        return false;
    }
    std::array<std::uint8_t, IdentityBufferLength> answer{};
    InquireIdentity(path, answer.data());
    const std::optional<WristbandIdentity> identity = ParseIdentity(answer);
    if (!identity) {
        return false;
    }
    takeIdentity(*identity);
    ReleaseLinkVolume();
    link().volume = OpenDevicePath(path);
    if (link().volume == platform::InvalidDeviceHandle) {
        link().passThrough = false;
        return false;
    }
    link().plugged = false;
    return true;
}

bool ScanDiskInterfaces()
{
    if (!drives()) {
        return false;
    }
    const QStringList paths = drives()->diskDevicePaths();
    for (const QString& path : paths) {
        if (path.isEmpty() || path.size() > MaxDevicePathLength) {
            continue;
        }
        if (ProbeDevicePath(path)) {
            link().driveLetter = '*';
            link().devicePath = path;
            return true;
        }
    }
    return false;
}

void DiscoverWristband()
{
    forgetAbsentWristbands();
    link().driveLetter = 0;
    link().devicePath.clear();
    link().passThrough = false;
    link().hasNewData = false;

    const std::uint32_t mask = drives() ? drives()->logicalDriveMask() : 0;
    for (int bit = FirstProbedBit; bit <= LastDriveBit; ++bit) {
        if (bitSet(mask, bit) && ProbeDrive(letterOfBit(bit))) {
            link().plugged = false;
            link().driveLetter = letterOfBit(bit);
            break;
        }
    }
    if (link().driveLetter == 0) {
        ScanDiskInterfaces();
    }
    if (link().driveLetter == 0) {
        user().setDriveLabel(NotFoundLabel());
        return;
    }
    handOver();
}

void OnVolumeArrival(std::uint32_t unitMask)
{
    if (link().discoverySuspended) {
        return;
    }
    for (int bit = FirstProbedBit; bit <= LastDriveBit; ++bit) {
        if (!bitSet(unitMask, bit)) {
            continue;
        }
        const char letter = letterOfBit(bit);
        user().setStatusText(letterText(" New coming Disk-%c:", letter));
        user().pumpMessages();
        if (ProbeDrive(letter)) {
            link().driveLetter = letter;
            handOver();
        }
    }
    user().notifyDataChanged();
}

void OnVolumeRemoval(std::uint32_t unitMask)
{
    if (link().discoverySuspended) {
        return;
    }
    for (int bit = 0; bit <= LastDriveBit; ++bit) {
        const char letter = letterOfBit(bit);
        if (bitSet(unitMask, bit)) {
            appState().roster.Forget(letter);
        }
        if (!bitSet(unitMask, bit) || letter != link().driveLetter) {
            continue;
        }
        user().setStatusText(letterText(" Remove Disk-%c:", letter));
        user().pumpMessages();
        ResetLink();
        user().setDriveLabel(NotFoundLabel());
        user().setStatusText(letterText(" Remove Disk-%c: done", letter));
        user().pumpMessages();
    }
    user().notifyDataChanged();
}

void OnDeviceChange()
{
    if (link().discoverySuspended) {
        return;
    }
    const char letter = link().driveLetter;
    if (letter == '*') {
        ReleaseLinkVolume();
    } else if (letter >= 'A' && letter <= 'Z') {
        const std::uint32_t mask = drives() ? drives()->logicalDriveMask() : 0;
        if (!bitSet(mask, letter - 'A')) {
            link().driveLetter = 0;
            link().passThrough = false;
            link().plugged = true;
            ReleaseLinkVolume();
            user().notifyDataChanged();
        }
    }
    DiscoverWristband();
    if (link().driveLetter != 0) {
        user().notifyRefresh();
    }
}

} // namespace trek
