// SPDX-License-Identifier: GPL-3.0-or-later
#include "backends/sim/singletargettransport.h"

#include "backends/sim/targetexchange.h"

#include <cerrno>

namespace trek::platform {

int SingleTargetTransport::send(DeviceHandle handle, PassThroughRequest& request)
{
    if (handle != Handle) {
        request.clearResults();
        return EBADF;
    }
    return sendToTarget(m_target, request);
}

} // namespace trek::platform
