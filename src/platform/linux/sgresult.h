#pragma once

#include <cstddef>
#include <cstdint>

namespace trek::platform {

// What the sense data of a failed command says, in either sense format.
struct SenseInfo
{
    bool valid = false;    // a fixed (0x70/0x71) or descriptor (0x72/0x73) block was present
    bool deferred = false; // 0x71/0x73: it belongs to an earlier command
    std::uint8_t key = 0;
    std::uint8_t asc = 0;
    std::uint8_t ascq = 0;
};

SenseInfo decodeSense(const std::uint8_t* sense, std::size_t length);

// The raw outcome of one SG_IO exchange, as the kernel reported it.
struct SgExchange
{
    int ioctlErrno = 0; // errno of a failed ioctl, 0 when the ioctl itself succeeded
    std::uint8_t scsiStatus = 0;
    std::uint16_t hostStatus = 0;
    std::uint16_t driverStatus = 0;
    const std::uint8_t* sense = nullptr;
    std::size_t senseLength = 0; // bytes the kernel wrote into the sense buffer
};

// Result code of ScsiTransport::send(): 0 good, minus the SCSI status when the device answered
// with another status, or a positive errno when the exchange itself failed.
int classifySgExchange(const SgExchange& exchange);

} // namespace trek::platform
