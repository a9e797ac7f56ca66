// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/scsitransport.h"

#include <cstddef>
#include <cstdint>

namespace trek::platform {

inline constexpr std::uint8_t ScsiStatusGood = 0x00;
inline constexpr std::uint8_t ScsiStatusCheckCondition = 0x02;

// A sense key with its additional sense code and qualifier.
struct SenseCode
{
    std::uint8_t key = 0;
    std::uint8_t asc = 0;
    std::uint8_t ascq = 0;
};

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
SenseInfo decodeSense(const PassThroughRequest& request);

// Ends `request` as a device refuses a command: CHECK CONDITION with fixed-format sense.
void setCheckCondition(PassThroughRequest& request, SenseCode code);

// Result code of ScsiTransport::send() for an exchange whose results `request` holds: 0 good,
// minus the SCSI status when the device answered with another status, or `transportError`, the
// platform's positive error code, when the exchange itself failed (0 when it did not).
int classifyExchange(int transportError, const PassThroughRequest& request);

} // namespace trek::platform
