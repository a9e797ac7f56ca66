// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

namespace trek::platform {

// What went wrong on the way of one SG_IO exchange, before its SCSI status counts: the errno of
// a failed ioctl, else what the host adapter and driver bytes of the header say. 0 when the
// command reached the device and its answer came back.
int sgTransportError(int ioctlErrno, std::uint16_t hostStatus, std::uint16_t driverStatus);

} // namespace trek::platform
