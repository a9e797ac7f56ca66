// SPDX-License-Identifier: GPL-3.0-or-later
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

// One neutral pass-through request; the operating system layer turns it into its own call and
// fills in what came back.
struct PassThroughRequest
{
    // Room for fixed-format sense with its additional bytes; devices rarely send more.
    static constexpr std::uint8_t SenseCapacity = 32;

    // What to send.
    std::array<std::uint8_t, 16> cdb{};
    DataDirection direction = DataDirection::None;
    std::uint8_t* data = nullptr; // null when length is 0
    std::uint32_t length = 0;
    std::uint32_t timeoutMs = 3000;

    // What came back, filled by ScsiTransport::send().
    std::uint8_t scsiStatus = 0;
    std::uint32_t residue = 0; // bytes of `length` the device did not transfer
    std::array<std::uint8_t, SenseCapacity> sense{};
    std::uint8_t senseLength = 0; // bytes of `sense` the device wrote

    // Before an exchange: nothing transferred, no status, no sense. A request sent again must
    // not carry the answer of its previous exchange.
    void clearResults()
    {
        scsiStatus = 0;
        residue = length;
        sense.fill(0);
        senseLength = 0;
    }
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
    // of the platform when the exchange itself failed. Fills the request's results either way;
    // after a failed exchange they say that nothing was transferred.
    virtual int send(DeviceHandle handle, PassThroughRequest& request) = 0;
    // One attempt each; 0 on success, else the platform's error code.
    virtual int lock(DeviceHandle handle) = 0;
    virtual int unlock(DeviceHandle handle) = 0;
    // Takes the device for this process alone, so that two programs never read and acknowledge
    // the same records; one attempt, 0 on success, EWOULDBLOCK while another process has it.
    // It is given back by release() or by closing the handle. A transport that only this process
    // can reach has nothing to keep out.
    virtual int claim(DeviceHandle /*handle*/) { return 0; }
    virtual void release(DeviceHandle /*handle*/) {}
};

} // namespace trek::platform
