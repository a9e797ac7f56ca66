// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/scsitransport.h"

#include <QString>
#include <QtGlobal>
#include <array>
#include <chrono>
#include <cstdint>

namespace trek {

using platform::DeviceHandle;

DeviceHandle OpenVolume(char letter);
DeviceHandle OpenDevicePath(const QString& path);
void CloseDevice(DeviceHandle handle);

// 0 good status, minus the SCSI status, the platform's error code, or -1 when opening failed.
// The request's results are filled as ScsiTransport::send() fills them.
int SendPassThrough(char letter, platform::PassThroughRequest& request);
int SendPassThrough(const QString& devicePath, platform::PassThroughRequest& request);
int SendPassThrough(DeviceHandle handle, platform::PassThroughRequest& request);

// Three attempts, 200 ms apart (appState().hooks.retryWait waits in tests); 0 on success, else the
// last error code.
int LockVolume(DeviceHandle handle);
int UnlockVolume(DeviceHandle handle);

// Holds the wristband behind `handle` for this process alone while it lives: another program
// collecting the same wristband waits for it. Waits up to `patience` for a program that has it.
class WristbandClaim final
{
    Q_DISABLE_COPY_MOVE(WristbandClaim)
public:
    WristbandClaim(DeviceHandle handle, std::chrono::milliseconds patience);
    ~WristbandClaim();
    // 0 once held, else the last error code (EWOULDBLOCK when another program kept it).
    int error() const { return m_error; }

private:
    DeviceHandle m_handle;
    int m_error = 0;
};

} // namespace trek
