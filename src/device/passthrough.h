#pragma once

#include "platform/scsitransport.h"

#include <QString>
#include <array>
#include <cstdint>

namespace trek {

using platform::DeviceHandle;

// Block sizes of the vendor commands.
inline constexpr int IdentityLength = 44;
inline constexpr int SettingsBlockLength = 256;
inline constexpr int RecordBlockLength = 512;

DeviceHandle OpenVolume(char letter);
DeviceHandle OpenDevicePath(const QString& path);
void CloseDevice(DeviceHandle handle);

// 0 good status, minus the SCSI status, the platform's error code, or -1 when opening failed.
// The request's results are filled as ScsiTransport::send() fills them.
int SendPassThrough(char letter, platform::PassThroughRequest& request);
int SendPassThrough(const QString& devicePath, platform::PassThroughRequest& request);
int SendPassThrough(DeviceHandle handle, platform::PassThroughRequest& request);

// `buffer` is zeroed first in every read, so a failed read leaves zeros.
int InquireIdentity(char letter, std::uint8_t* buffer); // 44 bytes
int InquireIdentity(const QString& devicePath, std::uint8_t* buffer);
int ReadSettingsBlock(DeviceHandle handle, std::uint8_t* block512); // 256 used
int WriteSettingsBlock(DeviceHandle handle, const std::uint8_t* block256);
int ReadMemoryBlock(DeviceHandle handle, int blockNumber, std::uint8_t* block512);
int EndCollection(DeviceHandle handle);
int ReadNextRecordBlock(DeviceHandle handle, std::uint8_t* block512);

// Three attempts, 200 ms apart (appState().hooks.retryWait waits in tests); 0 on success, else the
// last error code.
int LockVolume(DeviceHandle handle);
int UnlockVolume(DeviceHandle handle);

} // namespace trek
