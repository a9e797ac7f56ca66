// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/vendorcommands.h"

#include <algorithm>
#include <cstring>

namespace trek {

namespace {

using platform::DataDirection;
using platform::PassThroughRequest;

constexpr std::uint32_t ShortTimeoutMs = 3000;
// The record stream is produced while the wristband walks its memory, which can take a while.
constexpr std::uint32_t RecordStreamTimeoutMs = 10000;

constexpr std::uint8_t VendorOpcode = 0xFE;

PassThroughRequest vendorRequest(std::uint8_t subcommand, DataDirection direction,
                                 std::uint8_t* data, std::uint32_t length,
                                 std::uint32_t timeoutMs = ShortTimeoutMs)
{
    PassThroughRequest request;
    request.cdb[0] = VendorOpcode;
    request.cdb[1] = subcommand;
    request.direction = direction;
    request.data = length > 0 ? data : nullptr;
    request.length = length;
    request.timeoutMs = timeoutMs;
    return request;
}

PassThroughRequest inquiryRequest(std::uint8_t* buffer)
{
    std::memset(buffer, 0, IdentityLength);
    PassThroughRequest request;
    request.cdb[0] = 0x12; // INQUIRY
    request.cdb[4] = 0x24; // 36 bytes of standard data asked
    request.direction = DataDirection::FromDevice;
    request.data = buffer;
    request.length = IdentityLength;
    request.timeoutMs = ShortTimeoutMs;
    return request;
}

} // namespace

int InquireIdentity(char letter, std::uint8_t* buffer)
{
    PassThroughRequest request = inquiryRequest(buffer);
    return SendPassThrough(letter, request);
}

int InquireIdentity(const QString& devicePath, std::uint8_t* buffer)
{
    PassThroughRequest request = inquiryRequest(buffer);
    return SendPassThrough(devicePath, request);
}

int InquireIdentity(DeviceHandle handle, std::uint8_t* buffer)
{
    PassThroughRequest request = inquiryRequest(buffer);
    return SendPassThrough(handle, request);
}

int ReadSettingsBlock(DeviceHandle handle, std::uint8_t* block512)
{
    std::memset(block512, 0, RecordBlockLength);
    PassThroughRequest request =
        vendorRequest(0x00, DataDirection::FromDevice, block512, SettingsBlockLength);
    return SendPassThrough(handle, request);
}

int WriteSettingsBlock(DeviceHandle handle, const std::uint8_t* block256)
{
    // The request carries a writable pointer; a copy keeps the caller's block untouched.
    std::array<std::uint8_t, SettingsBlockLength> copy{};
    std::copy_n(block256, SettingsBlockLength, copy.begin());
    PassThroughRequest request =
        vendorRequest(0x01, DataDirection::ToDevice, copy.data(), SettingsBlockLength);
    return SendPassThrough(handle, request);
}

int ReadMemoryBlock(DeviceHandle handle, int blockNumber, std::uint8_t* block512)
{
    std::memset(block512, 0, RecordBlockLength);
    PassThroughRequest request =
        vendorRequest(0x02, DataDirection::FromDevice, block512, RecordBlockLength);
    request.cdb[4] = static_cast<std::uint8_t>(blockNumber);
    return SendPassThrough(handle, request);
}

int EndCollection(DeviceHandle handle)
{
    PassThroughRequest request = vendorRequest(0x03, DataDirection::None, nullptr, 0);
    return SendPassThrough(handle, request);
}

int ReadNextRecordBlock(DeviceHandle handle, std::uint8_t* block512)
{
    std::memset(block512, 0, RecordBlockLength);
    PassThroughRequest request = vendorRequest(0x04, DataDirection::FromDevice, block512,
                                               RecordBlockLength, RecordStreamTimeoutMs);
    return SendPassThrough(handle, request);
}

} // namespace trek
