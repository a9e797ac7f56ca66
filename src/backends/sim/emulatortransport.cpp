// SPDX-License-Identifier: GPL-3.0-or-later
#include "backends/sim/emulatortransport.h"

#include "backends/sim/simulateddrivetable.h"
#include "backends/sim/targetexchange.h"

#include <cerrno>

namespace trek::platform {

DeviceHandle EmulatorTransport::openIndex(int driveIndex)
{
    if (!m_drives.isPresent(driveIndex)) {
        return InvalidDeviceHandle;
    }
    const DeviceHandle handle = m_nextHandle++;
    m_open.emplace(handle, driveIndex);
    return handle;
}

DeviceHandle EmulatorTransport::openVolume(char letter)
{
    return openIndex(m_drives.indexOfLetter(letter));
}

DeviceHandle EmulatorTransport::openDevicePath(const QString& path)
{
    return openIndex(m_drives.indexOfDevicePath(path));
}

void EmulatorTransport::close(DeviceHandle handle)
{
    m_claims.erase(handle);
    m_open.erase(handle);
}

int EmulatorTransport::send(DeviceHandle handle, PassThroughRequest& request)
{
    const int result = exchange(handle, request);
    m_sent.push_back({request.cdb, request.direction, request.length, request.timeoutMs, result});
    return result;
}

int EmulatorTransport::exchange(DeviceHandle handle, PassThroughRequest& request)
{
    request.clearResults();
    const auto open = m_open.find(handle);
    if (open == m_open.end()) {
        return EBADF;
    }
    emu::ScsiTarget* target = m_drives.target(open->second);
    if (target == nullptr) {
        return ENODEV; // unplugged since it was opened
    }
    return sendToTarget(*target, request);
}

int EmulatorTransport::lockOrUnlock(DeviceHandle handle, InjectedFailure& failure, int& attempts)
{
    ++attempts;
    const auto open = m_open.find(handle);
    if (open == m_open.end()) {
        return EBADF;
    }
    if (failure.count > 0) {
        --failure.count;
        return failure.errorCode;
    }
    return m_drives.isPresent(open->second) ? 0 : ENODEV;
}

int EmulatorTransport::lock(DeviceHandle handle)
{
    return lockOrUnlock(handle, m_lockFailure, m_lockAttempts);
}

int EmulatorTransport::unlock(DeviceHandle handle)
{
    return lockOrUnlock(handle, m_unlockFailure, m_unlockAttempts);
}

int EmulatorTransport::claim(DeviceHandle handle)
{
    const auto open = m_open.find(handle);
    if (open == m_open.end()) {
        return EBADF;
    }
    const int index = open->second;
    if (!m_drives.isPresent(index)) {
        return ENODEV;
    }
    if (!m_drives.option(index).isPassThrough()) {
        return 0; // a folder drive is no device to keep
    }
    if (m_claims.count(handle) != 0) {
        return 0;
    }
    ExclusiveFileLock claimed;
    if (const int error = claimed.tryTake(m_drives.option(index).path); error != 0) {
        return error;
    }
    m_claims[handle] = std::move(claimed);
    m_drives.refreshWristband(index);
    return 0;
}

void EmulatorTransport::release(DeviceHandle handle)
{
    m_claims.erase(handle);
}

void EmulatorTransport::failNextLocks(int count, int errorCode)
{
    m_lockFailure = {count, errorCode};
}

void EmulatorTransport::failNextUnlocks(int count, int errorCode)
{
    m_unlockFailure = {count, errorCode};
}

} // namespace trek::platform
