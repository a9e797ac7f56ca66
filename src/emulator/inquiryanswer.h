// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>

namespace trek::emu {

// Standard INQUIRY data (36 bytes) of a removable direct-access disk.
inline constexpr std::uint32_t InquiryLength = 36;
using InquiryData = std::array<std::uint8_t, InquiryLength>;

// The wristband's answer. Vendor field "Watch K7", product field "<letter>-Band<N> Stepper " where
// <N> is the new-data byte (1 or 0): "Watch" starts at byte 8, so the model code lands 6 bytes
// after it, the model letter 8 and the new-data byte 14 after it, where discovery looks.
InquiryData WristbandInquiry(char modelLetter, bool hasNewData);

// What an ordinary flash disk answers: nothing that looks like a wristband.
InquiryData PlainDiskInquiry();

// Copies as much of `answer` as the CDB's allocation length and the buffer allow.
std::uint32_t CopyInquiry(const InquiryData& answer, const std::array<std::uint8_t, 16>& cdb,
                          std::uint8_t* data, std::uint32_t length);

} // namespace trek::emu
