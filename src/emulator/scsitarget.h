#pragma once

#include <array>
#include <cstdint>

namespace trek::emu {

// A device that answers SCSI commands: what an emulated wristband is to the transports that
// carry commands to it (the simulated transport, and the ioctl handler of the Linux tests).
class ScsiTarget
{
public:
    enum Direction : std::uint8_t { ToDevice = 0, FromDevice = 1, None = 2 };

    struct Result
    {
        std::uint8_t status = 0;       // SCSI status byte; 0 is good
        std::uint32_t transferred = 0; // bytes actually moved
        bool deviceGone = false;       // the device vanished: the exchange itself failed
    };

    virtual ~ScsiTarget() = default;
    virtual Result execute(const std::array<std::uint8_t, 16>& cdb, Direction direction,
                           std::uint8_t* data, std::uint32_t length) = 0;
};

} // namespace trek::emu
