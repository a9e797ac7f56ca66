// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/scsisense.h"

#include <algorithm>

namespace trek::platform {

namespace {

constexpr std::uint8_t SenseKeyNoSense = 0x00;
constexpr std::uint8_t SenseKeyRecoveredError = 0x01;

constexpr std::uint8_t FixedCurrent = 0x70;
constexpr std::size_t FixedLength = 18;
constexpr std::size_t FixedKeyOffset = 2;
constexpr std::size_t FixedAdditionalLengthOffset = 7;
constexpr std::size_t FixedAscOffset = 12;
constexpr std::size_t FixedAscqOffset = 13;

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
        info.key = sense[FixedKeyOffset] & 0x0f;
        // A short fixed block simply has no additional sense code.
        info.asc = length > FixedAscOffset ? sense[FixedAscOffset] : 0;
        info.ascq = length > FixedAscqOffset ? sense[FixedAscqOffset] : 0;
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

SenseInfo decodeSense(const PassThroughRequest& request)
{
    return decodeSense(request.sense.data(),
                       std::min<std::size_t>(request.senseLength, request.sense.size()));
}

void setCheckCondition(PassThroughRequest& request, SenseCode code)
{
    static_assert(FixedLength <= PassThroughRequest::SenseCapacity);
    request.scsiStatus = ScsiStatusCheckCondition;
    request.sense.fill(0);
    request.sense[0] = FixedCurrent;
    request.sense[FixedKeyOffset] = code.key & 0x0f;
    request.sense[FixedAdditionalLengthOffset] = FixedLength - (FixedAdditionalLengthOffset + 1);
    request.sense[FixedAscOffset] = code.asc;
    request.sense[FixedAscqOffset] = code.ascq;
    request.senseLength = FixedLength;
}

int classifyExchange(int transportError, const PassThroughRequest& request)
{
    if (transportError != 0) {
        return transportError;
    }
    if (request.scsiStatus != ScsiStatusGood) {
        return -static_cast<int>(request.scsiStatus);
    }
    // Some USB bridges lose the status byte but still hand over the sense data of a failed
    // command; reporting success then would let a caller trust a block the device never filled.
    const SenseInfo sense = decodeSense(request);
    if (sense.valid && !sense.deferred && sense.key != SenseKeyNoSense &&
        sense.key != SenseKeyRecoveredError) {
        return -static_cast<int>(ScsiStatusCheckCondition);
    }
    return 0;
}

} // namespace trek::platform
