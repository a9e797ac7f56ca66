// SPDX-License-Identifier: GPL-3.0-or-later
#include "emulator/inquiryanswer.h"

#include <algorithm>
#include <cstring>

namespace trek::emu {

namespace {

constexpr std::size_t VendorOffset = 8;
constexpr std::size_t ProductOffset = 16;
constexpr std::size_t RevisionOffset = 32;
constexpr std::size_t NewDataOffset = 22;

InquiryData header()
{
    InquiryData answer{};
    answer[0] = 0x00;                                         // direct-access block device
    answer[1] = 0x80;                                         // removable medium
    answer[2] = 0x04;                                         // SPC-2
    answer[3] = 0x02;                                         // response data format 2
    answer[4] = static_cast<std::uint8_t>(InquiryLength - 5); // additional length
    return answer;
}

void put(InquiryData& answer, std::size_t offset, const char* text)
{
    std::memcpy(answer.data() + offset, text, std::strlen(text));
}

} // namespace

InquiryData WristbandInquiry(char modelLetter, bool hasNewData)
{
    InquiryData answer = header();
    put(answer, VendorOffset, "Watch K7");
    put(answer, ProductOffset, "?-Band? Stepper ");
    answer[ProductOffset] = static_cast<std::uint8_t>(modelLetter);
    answer[NewDataOffset] = hasNewData ? 1 : 0;
    put(answer, RevisionOffset, "1.00");
    return answer;
}

InquiryData PlainDiskInquiry()
{
    InquiryData answer = header();
    put(answer, VendorOffset, "Generic ");
    put(answer, ProductOffset, "Flash Disk      ");
    put(answer, RevisionOffset, "8.07");
    return answer;
}

std::uint32_t CopyInquiry(const InquiryData& answer, const std::array<std::uint8_t, 16>& cdb,
                          std::uint8_t* data, std::uint32_t length)
{
    const std::uint32_t allocation = (std::uint32_t{cdb[3]} << 8) | cdb[4];
    const std::uint32_t count = std::min({InquiryLength, allocation, length});
    if (count > 0 && data != nullptr) {
        std::memcpy(data, answer.data(), count);
    }
    return data != nullptr ? count : 0;
}

} // namespace trek::emu
