#include "platform/linux/sgresult.h"

#include <cerrno>

namespace trek::platform {

namespace {

// Host byte values of the Linux SCSI midlayer (DID_*); kept here so that this decoder stays a
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

constexpr std::uint8_t StatusGood = 0x00;
constexpr std::uint8_t StatusCheckCondition = 0x02;
constexpr std::uint8_t SenseKeyNoSense = 0x00;
constexpr std::uint8_t SenseKeyRecoveredError = 0x01;

int hostError(std::uint16_t host)
{
    switch (host) {
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

SenseInfo decodeSense(const std::uint8_t* sense, std::size_t length)
{
    SenseInfo info;
    if (sense == nullptr || length < 2) {
        return info;
    }
    const std::uint8_t responseCode = sense[0] & 0x7f;
    switch (responseCode) {
    case 0x70:
    case 0x71:
        if (length < 3) {
            return info;
        }
        info.valid = true;
        info.deferred = responseCode == 0x71;
        info.key = sense[2] & 0x0f;
        // A short fixed block simply has no additional sense code.
        info.asc = length > 12 ? sense[12] : 0;
        info.ascq = length > 13 ? sense[13] : 0;
        return info;
    case 0x72:
    case 0x73:
        info.valid = true;
        info.deferred = responseCode == 0x73;
        info.key = sense[1] & 0x0f;
        info.asc = length > 2 ? sense[2] : 0;
        info.ascq = length > 3 ? sense[3] : 0;
        return info;
    default:
        return info;
    }
}

int classifySgExchange(const SgExchange& exchange)
{
    if (exchange.ioctlErrno != 0) {
        return exchange.ioctlErrno > 0 ? exchange.ioctlErrno : EIO;
    }
    if (exchange.hostStatus != HostOk) {
        return hostError(exchange.hostStatus);
    }
    if (const int error = driverError(exchange.driverStatus); error != 0) {
        return error;
    }
    if (exchange.scsiStatus != StatusGood) {
        return -static_cast<int>(exchange.scsiStatus);
    }
    // Some USB bridges lose the status byte but still hand over the sense data of a failed
    // command; reporting success then would let a caller trust a block the device never filled.
    const SenseInfo sense = decodeSense(exchange.sense, exchange.senseLength);
    if (sense.valid && !sense.deferred && sense.key != SenseKeyNoSense &&
        sense.key != SenseKeyRecoveredError) {
        return -static_cast<int>(StatusCheckCondition);
    }
    return 0;
}

} // namespace trek::platform
