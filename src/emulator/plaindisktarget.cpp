// SPDX-License-Identifier: GPL-3.0-or-later
#include "emulator/plaindisktarget.h"

#include "emulator/inquiryanswer.h"

namespace trek::emu {

ScsiTarget::Outcome PlainDiskTarget::execute(platform::PassThroughRequest& request)
{
    constexpr std::uint8_t Inquiry = 0x12;
    if (request.cdb[0] != Inquiry) {
        return Refuse(request, sense::InvalidOpcode);
    }
    if (request.direction != platform::DataDirection::FromDevice) {
        return Refuse(request, sense::InvalidFieldInCdb);
    }
    return Answer(request,
                  CopyInquiry(PlainDiskInquiry(), request.cdb, request.data, request.length));
}

} // namespace trek::emu
