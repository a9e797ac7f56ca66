// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/selectdrive.h"

#include "app/appstate.h"
#include "app/userinterface.h"
#include "device/discovery.h"
#include "device/identity.h"
#include "device/linklabels.h"
#include "device/rootfiles.h"
#include "device/timesetrules.h"
#include "device/vendorcommands.h"

#include <array>

namespace trek {

namespace {

WristbandLink& link()
{
    return appState().link;
}

Result<> connectPassThrough(char letter, const WristbandIdentity& identity)
{
    link().passThrough = true;
    link().modelLetter = identity.modelLetter;
    link().hasNewData = identity.hasNewData;
    link().volume = OpenVolume(letter);
    if (link().volume == platform::InvalidDeviceHandle) {
        link().passThrough = false;
        return fail(QString::asprintf("The wristband on %c: cannot be opened.", letter));
    }
    // A lock that fails leaves the handle usable; the commands are what matter.
    (void)LockVolume(link().volume);
    return {};
}

Result<> connectFileModel(char letter)
{
    link().modelLetter = 0;
    if (Result<> marked = EnsureMarkerFile(letter); !marked) {
        return fail(
            QString::asprintf("Drive %c: cannot take the wristband's marker file: ", letter) +
            marked.error());
    }
    return {};
}

} // namespace

Result<> SelectDrive(char letter)
{
    if (CollectionRunning()) {
        return fail(QStringLiteral("A collection is running; choose the drive when it is done."));
    }
    link().driveLetter = letter;
    link().passThrough = false;
    link().hasNewData = false;
    ReleaseLinkVolume();

    std::array<std::uint8_t, IdentityBufferLength> answer{};
    InquireIdentity(letter, answer.data());
    const std::optional<WristbandIdentity> identity = ParseIdentity(answer);
    Result<> connected =
        identity ? connectPassThrough(letter, *identity) : connectFileModel(letter);
    if (!connected) {
        link().driveLetter = 0;
        user().setDriveLabel(NotFoundLabel());
        return connected;
    }
    user().notifyRefresh();
    user().setDriveLabel(ConnectedLabel(letter));
    return {};
}

} // namespace trek
