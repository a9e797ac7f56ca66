// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "backends/linux/drivenodes.h"
#include "platform/scsitransport.h"

#include <QString>
#include <QtGlobal>
#include <map>

namespace trek::platform {

// SCSI pass-through over the sg driver. The sg node is opened read-write: that is what lets an
// ordinary user (given access by the udev rule) send vendor opcodes, which the block nodes
// refuse without CAP_SYS_RAWIO. A handle is the sg node's descriptor.
class SgTransport final : public ScsiTransport
{
    Q_DISABLE_COPY_MOVE(SgTransport)
public:
    // `lookup` must outlive the transport.
    explicit SgTransport(const DriveNodeLookup& lookup);
    ~SgTransport() override;

    DeviceHandle openVolume(char letter) override;
    DeviceHandle openDevicePath(const QString& path) override;
    void close(DeviceHandle handle) override;
    int send(DeviceHandle handle, PassThroughRequest& request) override;
    int lock(DeviceHandle handle) override;
    int unlock(DeviceHandle handle) override;
    int claim(DeviceHandle handle) override;
    void release(DeviceHandle handle) override;

    static constexpr unsigned SenseBufferLength = PassThroughRequest::SenseCapacity;

private:
    struct OpenDisk
    {
        QString wholeDiskNode; // empty when the drive table does not know the disk
        int lockFd = -1;       // holds the exclusive flock while locked
    };

    DeviceHandle openNode(const QString& sgNode, const QString& wholeDiskNode);

    const DriveNodeLookup& m_lookup;
    std::map<DeviceHandle, OpenDisk> m_open;
};

} // namespace trek::platform
