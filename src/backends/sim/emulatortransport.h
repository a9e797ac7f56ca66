// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/exclusivefilelock.h"
#include "platform/scsitransport.h"

#include <QtGlobal>
#include <map>
#include <vector>

namespace trek::platform {

class SimulatedDriveTable;

// Carries pass-through requests to the emulated device behind a simulated drive. Results follow
// the real transport: 0, minus the SCSI status, or a positive error code (ENODEV once the drive
// has gone, EBADF for a handle that is not open).
class EmulatorTransport final : public ScsiTransport
{
    Q_DISABLE_COPY_MOVE(EmulatorTransport)
public:
    // What was asked of the device, kept so tests can check the exact commands.
    struct SentRequest
    {
        std::array<std::uint8_t, 16> cdb{};
        DataDirection direction = DataDirection::None;
        std::uint32_t length = 0;
        std::uint32_t timeoutMs = 0;
        int result = 0;
    };

    explicit EmulatorTransport(SimulatedDriveTable& drives) : m_drives(drives) {}
    ~EmulatorTransport() override = default;

    DeviceHandle openVolume(char letter) override;
    DeviceHandle openDevicePath(const QString& path) override;
    void close(DeviceHandle handle) override;
    int send(DeviceHandle handle, PassThroughRequest& request) override;
    int lock(DeviceHandle handle) override;
    int unlock(DeviceHandle handle) override;
    // An advisory lock on the record image: two processes emulating one wristband take it as two
    // programs take a real one. Once held, the wristband is brought up to date with what the
    // other process left behind.
    int claim(DeviceHandle handle) override;
    void release(DeviceHandle handle) override;

    // The next `count` lock (or unlock) attempts fail with `errorCode`.
    void failNextLocks(int count, int errorCode);
    void failNextUnlocks(int count, int errorCode);
    int lockAttempts() const { return m_lockAttempts; }
    int unlockAttempts() const { return m_unlockAttempts; }
    int openHandleCount() const { return static_cast<int>(m_open.size()); }
    const std::vector<SentRequest>& sentRequests() const { return m_sent; }
    void clearSentRequests() { m_sent.clear(); }

private:
    struct InjectedFailure
    {
        int count = 0;
        int errorCode = 0;
    };
    int lockOrUnlock(DeviceHandle handle, InjectedFailure& failure, int& attempts);
    DeviceHandle openIndex(int driveIndex);
    int exchange(DeviceHandle handle, PassThroughRequest& request);

    SimulatedDriveTable& m_drives;
    std::map<DeviceHandle, int> m_open; // handle -> drive index
    std::map<DeviceHandle, ExclusiveFileLock> m_claims;
    DeviceHandle m_nextHandle = 100;
    InjectedFailure m_lockFailure;
    InjectedFailure m_unlockFailure;
    int m_lockAttempts = 0;
    int m_unlockAttempts = 0;
    std::vector<SentRequest> m_sent;
};

} // namespace trek::platform
