// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/scsitransport.h"

namespace trek::emu {
class ScsiTarget;
}

namespace trek::platform {

// One exchange with an emulated device, as a transport's send() makes it: the request's results
// are the device's answer, and the result code follows the real transport (ENODEV once the
// device has vanished).
int sendToTarget(emu::ScsiTarget& target, PassThroughRequest& request);

} // namespace trek::platform
