// SPDX-License-Identifier: GPL-3.0-or-later
#include "backends/linux/sgstatus.h"

#include <cerrno>

namespace trek::platform {

namespace {

// Host byte values of the Linux SCSI midlayer (DID_*); kept here so that this mapping stays a
// pure function that the tests can feed with any combination.
enum HostStatus : std::uint16_t {
    HostOk = 0x00,
    HostNoConnect = 0x01,
    HostBusBusy = 0x02,
    HostTimeOut = 0x03,
    HostBadTarget = 0x04,
    HostAbort = 0x05,
    HostSoftError = 0x0b,
    HostImmediateRetry = 0x0c,
    HostRequeue = 0x0d,
    HostTransportDisrupted = 0x0e,
    HostTransportFailfast = 0x0f,
};

// Driver byte values (DRIVER_*); only the low nibble carries the status.
enum DriverStatus : std::uint16_t {
    DriverOk = 0x00,
    DriverBusy = 0x01,
    DriverTimeout = 0x06,
    DriverSense = 0x08,
};

int hostError(std::uint16_t host)
{
    switch (host) {
    case HostOk:
        return 0;
    case HostNoConnect:
    case HostBadTarget:
    case HostTransportFailfast:
        return ENODEV;
    case HostTimeOut:
        return ETIMEDOUT;
    case HostAbort:
        return ECANCELED;
    case HostBusBusy:
        return EBUSY;
    case HostSoftError:
    case HostImmediateRetry:
    case HostRequeue:
    case HostTransportDisrupted:
        return EAGAIN;
    default:
        return EIO;
    }
}

int driverError(std::uint16_t driver)
{
    switch (driver & 0x0f) {
    case DriverOk:
    case DriverSense: // sense data is there; the status byte says what happened
        return 0;
    case DriverBusy:
        return EBUSY;
    case DriverTimeout:
        return ETIMEDOUT;
    default:
        return EIO;
    }
}

} // namespace

int sgTransportError(int ioctlErrno, std::uint16_t hostStatus, std::uint16_t driverStatus)
{
    if (ioctlErrno != 0) {
        return ioctlErrno > 0 ? ioctlErrno : EIO;
    }
    if (const int error = hostError(hostStatus); error != 0) {
        return error;
    }
    return driverError(driverStatus);
}

} // namespace trek::platform
