// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The wristband's vendor commands over the pass-through link.

#include "device/passthrough.h"

#include <QString>
#include <cstdint>

namespace trek {

// Block sizes of the vendor commands.
inline constexpr int IdentityLength = 44;
inline constexpr int SettingsBlockLength = 256;
inline constexpr int RecordBlockLength = 512;

// `buffer` is zeroed first in every read, so a failed read leaves zeros.
int InquireIdentity(char letter, std::uint8_t* buffer); // 44 bytes
int InquireIdentity(const QString& devicePath, std::uint8_t* buffer);
int InquireIdentity(DeviceHandle handle, std::uint8_t* buffer);
int ReadSettingsBlock(DeviceHandle handle, std::uint8_t* block512); // 256 used
int WriteSettingsBlock(DeviceHandle handle, const std::uint8_t* block256);
int ReadMemoryBlock(DeviceHandle handle, int blockNumber, std::uint8_t* block512);
int EndCollection(DeviceHandle handle);
int ReadNextRecordBlock(DeviceHandle handle, std::uint8_t* block512);

} // namespace trek
