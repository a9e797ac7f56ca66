// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/scsisense.h"
#include "platform/scsitransport.h"

#include <cstdint>

namespace trek::emu {

// A device that answers SCSI commands: what an emulated wristband is to the transports that
// carry commands to it (the simulated transports, and the ioctl handler of the Linux tests).
class ScsiTarget
{
public:
    // A device that vanished answers nothing: the exchange itself fails.
    enum class Outcome : std::uint8_t { Answered, DeviceGone };

    virtual ~ScsiTarget() = default;
    // Carries out the request's command and fills in its status, residue and sense.
    virtual Outcome execute(platform::PassThroughRequest& request) = 0;
};

// Refusals the emulated devices give, all ILLEGAL REQUEST except the failing read.
namespace sense {
inline constexpr platform::SenseCode InvalidOpcode{0x05, 0x20, 0x00};
inline constexpr platform::SenseCode InvalidFieldInCdb{0x05, 0x24, 0x00};
inline constexpr platform::SenseCode ParameterListLength{0x05, 0x1a, 0x00};
inline constexpr platform::SenseCode InvalidFieldInParameters{0x05, 0x26, 0x00};
inline constexpr platform::SenseCode UnrecoveredReadError{0x03, 0x11, 0x00};
inline constexpr platform::SenseCode WriteError{0x03, 0x0c, 0x00};
} // namespace sense

// Good status with `count` of the request's bytes moved.
inline ScsiTarget::Outcome Answer(platform::PassThroughRequest& request, std::uint32_t count)
{
    request.scsiStatus = platform::ScsiStatusGood;
    request.residue = count < request.length ? request.length - count : 0;
    request.senseLength = 0;
    return ScsiTarget::Outcome::Answered;
}

// CHECK CONDITION with `code`; a refused command moves no data.
inline ScsiTarget::Outcome Refuse(platform::PassThroughRequest& request, platform::SenseCode code)
{
    request.residue = request.length;
    platform::setCheckCondition(request, code);
    return ScsiTarget::Outcome::Answered;
}

} // namespace trek::emu
