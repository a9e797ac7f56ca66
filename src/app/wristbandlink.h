// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/scsitransport.h"

#include <QString>

namespace trek {

// The connected wristband, as discovery found it.
struct WristbandLink
{
    char driveLetter = 0; // 'D'..'Z', '*' for a device path without a letter, 0 for none
    QString devicePath;   // the path of a '*' wristband
    bool passThrough = false;
    char modelLetter = 0; // the character after the model code, 0 before identification
    bool hasNewData = false;
    platform::DeviceHandle volume = platform::InvalidDeviceHandle;
    bool plugged = true;
    bool discoverySuspended = false;
    char collectingLetter = 0; // re-entry guard of the collection run
    int dataKind = 0;          // 0 text day files, 1 minute data
};

} // namespace trek
