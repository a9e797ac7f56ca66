// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/passthrough.h"

#include "app/appstate.h"

#include <QThread>
#include <cerrno>

namespace trek {

namespace {

platform::ScsiTransport* transport()
{
    return appState().services.scsi;
}

void waitBeforeRetry(int milliseconds)
{
    if (const auto& wait = appState().hooks.retryWait) {
        wait(milliseconds);
    } else {
        QThread::msleep(static_cast<unsigned long>(milliseconds));
    }
}

// Makes up to `attempts` attempts, `waitMs` apart, for as long as the error is `worthRetrying`;
// answers the last error code (0 on success).
template <typename Attempt, typename Retryable>
int retry(Attempt attempt, int attempts, int waitMs, Retryable worthRetrying)
{
    int error = 0;
    for (int i = 0; i < attempts; ++i) {
        error = attempt();
        if (!worthRetrying(error)) {
            return error;
        }
        waitBeforeRetry(waitMs);
    }
    return error;
}

// The volume control codes sometimes fail while another program still holds the disk for a
// moment after plug-in, so each gets three tries before its error counts.
template <typename Attempt> int retryVolumeControl(Attempt attempt)
{
    return retry(attempt, 3, 200, [](int error) { return error != 0; });
}

// Opening failures of the one-shot variants are -1 so callers can tell them from an exchange
// that failed on an open device.
int sendOnce(DeviceHandle handle, platform::PassThroughRequest& request)
{
    if (handle == platform::InvalidDeviceHandle) {
        return -1;
    }
    const int result = transport()->send(handle, request);
    transport()->close(handle);
    return result;
}

} // namespace

DeviceHandle OpenVolume(char letter)
{
    return transport() ? transport()->openVolume(letter) : platform::InvalidDeviceHandle;
}

DeviceHandle OpenDevicePath(const QString& path)
{
    return transport() ? transport()->openDevicePath(path) : platform::InvalidDeviceHandle;
}

void CloseDevice(DeviceHandle handle)
{
    if (transport() && handle != platform::InvalidDeviceHandle) {
        transport()->close(handle);
    }
}

int SendPassThrough(char letter, platform::PassThroughRequest& request)
{
    return sendOnce(OpenVolume(letter), request);
}

int SendPassThrough(const QString& devicePath, platform::PassThroughRequest& request)
{
    return sendOnce(OpenDevicePath(devicePath), request);
}

int SendPassThrough(DeviceHandle handle, platform::PassThroughRequest& request)
{
    if (!transport()) {
        return -1;
    }
    return transport()->send(handle, request);
}

int LockVolume(DeviceHandle handle)
{
    if (!transport()) {
        return -1;
    }
    return retryVolumeControl([handle] { return transport()->lock(handle); });
}

int UnlockVolume(DeviceHandle handle)
{
    if (!transport()) {
        return -1;
    }
    return retryVolumeControl([handle] { return transport()->unlock(handle); });
}

WristbandClaim::WristbandClaim(DeviceHandle handle, std::chrono::milliseconds patience)
    : m_handle(handle)
{
    if (!transport()) {
        m_error = -1;
        return;
    }
    constexpr int WaitMs = 100;
    m_error = retry([handle] { return transport()->claim(handle); },
                    static_cast<int>(patience.count() / WaitMs) + 1, WaitMs,
                    [](int error) { return error == EWOULDBLOCK; });
}

WristbandClaim::~WristbandClaim()
{
    if (m_error == 0 && transport()) {
        transport()->release(m_handle);
    }
}

} // namespace trek
