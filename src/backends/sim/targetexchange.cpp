// SPDX-License-Identifier: GPL-3.0-or-later
#include "backends/sim/targetexchange.h"

#include "emulator/scsitarget.h"
#include "platform/scsisense.h"

#include <cerrno>

namespace trek::platform {

int sendToTarget(emu::ScsiTarget& target, PassThroughRequest& request)
{
    request.clearResults();
    if (target.execute(request) == emu::ScsiTarget::Outcome::DeviceGone) {
        request.clearResults();
        return ENODEV;
    }
    return classifyExchange(0, request);
}

} // namespace trek::platform
