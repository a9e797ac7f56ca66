#include "emulator/plaindisktarget.h"

#include "emulator/inquiryanswer.h"

namespace trek::emu {

ScsiTarget::Result PlainDiskTarget::execute(const std::array<std::uint8_t, 16>& cdb,
                                            Direction direction, std::uint8_t* data,
                                            std::uint32_t length)
{
    constexpr std::uint8_t Inquiry = 0x12;
    constexpr std::uint8_t CheckCondition = 0x02;
    if (cdb[0] == Inquiry && direction == FromDevice) {
        return {0, CopyInquiry(PlainDiskInquiry(), cdb, data, length), false};
    }
    return {CheckCondition, 0, false};
}

} // namespace trek::emu
