// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/scsitransport.h"

#include <QtGlobal>

namespace trek::emu {
class ScsiTarget;
}

namespace trek::platform {

// Carries commands straight to one emulated device, with no drive table in between: every open
// gives handle 1, which is the device, and locks always succeed. For tests and benchmarks that
// talk to a single device.
class SingleTargetTransport final : public ScsiTransport
{
    Q_DISABLE_COPY_MOVE(SingleTargetTransport)
public:
    static constexpr DeviceHandle Handle = 1;

    // `target` must outlive the transport.
    explicit SingleTargetTransport(emu::ScsiTarget& target) : m_target(target) {}
    ~SingleTargetTransport() override = default;

    DeviceHandle openVolume(char /*letter*/) override { return Handle; }
    DeviceHandle openDevicePath(const QString& /*path*/) override { return Handle; }
    void close(DeviceHandle /*handle*/) override {}
    int send(DeviceHandle handle, PassThroughRequest& request) override;
    int lock(DeviceHandle /*handle*/) override { return 0; }
    int unlock(DeviceHandle /*handle*/) override { return 0; }

private:
    emu::ScsiTarget& m_target;
};

} // namespace trek::platform
