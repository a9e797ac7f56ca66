#pragma once

#include <QString>
#include <array>
#include <cstdint>

namespace trek::platform {

using DeviceHandle = int;
inline constexpr DeviceHandle InvalidDeviceHandle = -1;

enum class DataDirection : std::uint8_t {
    ToDevice = 0,
    FromDevice = 1,
    None = 2,
};

// One neutral pass-through request; the operating system layer turns it into its own call.
struct PassThroughRequest
{
    std::array<std::uint8_t, 16> cdb{};
    DataDirection direction = DataDirection::None;
    std::uint8_t* data = nullptr; // null when length is 0
    std::uint32_t length = 0;
    std::uint32_t timeoutMs = 3000;
};

// Opens disks, exchanges SCSI commands with them and locks their volumes.
class ScsiTransport
{
public:
    virtual ~ScsiTransport() = default;

    virtual DeviceHandle openVolume(char letter) = 0;
    virtual DeviceHandle openDevicePath(const QString& path) = 0;
    virtual void close(DeviceHandle handle) = 0;
    // 0 on good status, minus the SCSI status byte for another status, or a positive error code
    // of the platform when the exchange itself failed.
    virtual int send(DeviceHandle handle, const PassThroughRequest& request) = 0;
    // One attempt each; 0 on success, else the platform's error code.
    virtual int lock(DeviceHandle handle) = 0;
    virtual int unlock(DeviceHandle handle) = 0;
};

} // namespace trek::platform
