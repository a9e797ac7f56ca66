// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/result.h"

#include <QString>

namespace trek::platform {

// The desktop's "safely remove" short of powering the device off: the volume is unmounted, so
// everything written reaches the disk and nothing else is written to it, and the device stays
// powered. A file-model wristband applies CLOCK.TXT when it is unplugged, so it must keep its
// power until then.
class VolumeEjector
{
public:
    virtual ~VolumeEjector() = default;
    // Whether the system offers unmounting volumes to the user at all; asked before the user is.
    virtual bool available() = 0;
    // Unmounts the volume mounted at `root` (a drive root of the drive table).
    virtual Result<> unmount(const QString& root) = 0;
};

} // namespace trek::platform
