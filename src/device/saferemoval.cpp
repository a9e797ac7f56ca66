// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/saferemoval.h"

#include "app/appstate.h"
#include "app/userinterface.h"
#include "device/rootfiles.h"
#include "platform/volumeejector.h"

namespace trek {

namespace {

// There is no row for these in the text table; they stay English in every language.
QString questionText(char letter, const QString& root)
{
    return QStringLiteral("Unmount Disk-%1: (%2) now, so that the wristband can be unplugged "
                          "safely?\nIt takes the new time when it is unplugged.")
        .arg(QChar::fromLatin1(letter))
        .arg(root);
}

} // namespace

Result<SafeRemoval> OfferSafeRemoval(char letter)
{
    const WristbandLink& link = appState().link;
    if (link.driveLetter != letter || link.passThrough) {
        return SafeRemoval::NotOffered;
    }
    const QString root = DriveRootOf(letter);
    platform::VolumeEjector* ejector = appState().services.ejector;
    if (root.isEmpty() || ejector == nullptr || !ejector->available()) {
        return SafeRemoval::NotOffered;
    }
    if (user().askYesNo(QStringLiteral("Safely Remove"), questionText(letter, root)) !=
        UserInterface::Yes) {
        return SafeRemoval::Declined;
    }
    if (Result<> unmounted = ejector->unmount(root); !unmounted) {
        user().showMessage(unmounted.error());
        return fail(unmounted.error());
    }
    user().setStatusText(
        QStringLiteral(" >> Disk-%1: unmounted, unplug it now").arg(QChar::fromLatin1(letter)));
    return SafeRemoval::Unmounted;
}

} // namespace trek
