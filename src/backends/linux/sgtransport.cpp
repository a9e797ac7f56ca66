// SPDX-License-Identifier: GPL-3.0-or-later
#include "backends/linux/sgtransport.h"

#include "backends/linux/sgstatus.h"
#include "platform/scsisense.h"

#include <QFile>
#include <algorithm>
#include <array>
#include <cerrno>
#include <fcntl.h>
#include <scsi/sg.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <unistd.h>

namespace trek::platform {

namespace {

int directionOf(DataDirection direction)
{
    switch (direction) {
    case DataDirection::ToDevice:
        return SG_DXFER_TO_DEV;
    case DataDirection::FromDevice:
        return SG_DXFER_FROM_DEV;
    case DataDirection::None:
        break;
    }
    return SG_DXFER_NONE;
}

void closeQuietly(int fd)
{
    // The descriptor is gone after close() even when it reports EINTR; never retry it.
    static_cast<void>(::close(fd));
}

} // namespace

SgTransport::SgTransport(const DriveNodeLookup& lookup) : m_lookup(lookup) {}

SgTransport::~SgTransport()
{
    for (const auto& [handle, disk] : m_open) {
        if (disk.lockFd >= 0) {
            closeQuietly(disk.lockFd);
        }
        closeQuietly(handle);
    }
}

DeviceHandle SgTransport::openVolume(char letter)
{
    const std::optional<DiskNodes> nodes = m_lookup.nodesForLetter(letter);
    if (!nodes || nodes->sgNode.isEmpty()) {
        return InvalidDeviceHandle;
    }
    return openNode(nodes->sgNode, nodes->wholeDiskNode);
}

DeviceHandle SgTransport::openDevicePath(const QString& path)
{
    const std::optional<DiskNodes> nodes = m_lookup.nodesForDevicePath(path);
    return openNode(path, nodes ? nodes->wholeDiskNode : QString());
}

DeviceHandle SgTransport::openNode(const QString& sgNode, const QString& wholeDiskNode)
{
    if (sgNode.isEmpty()) {
        return InvalidDeviceHandle;
    }
    const int fd = ::open(QFile::encodeName(sgNode).constData(), O_RDWR | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        return InvalidDeviceHandle;
    }
    m_open[fd] = OpenDisk{wholeDiskNode, -1};
    return fd;
}

void SgTransport::close(DeviceHandle handle)
{
    const auto found = m_open.find(handle);
    if (found == m_open.end()) {
        return; // never ours: closing someone else's descriptor would be far worse than nothing
    }
    if (found->second.lockFd >= 0) {
        closeQuietly(found->second.lockFd);
    }
    closeQuietly(handle);
    m_open.erase(found);
}

int SgTransport::send(DeviceHandle handle, PassThroughRequest& request)
{
    request.clearResults();
    if (m_open.count(handle) == 0) {
        return EBADF;
    }
    const bool carriesData = request.direction != DataDirection::None && request.length != 0;
    if (carriesData && request.data == nullptr) {
        return EINVAL;
    }
    std::array<std::uint8_t, 16> cdb = request.cdb;

    sg_io_hdr_t header{};
    header.interface_id = 'S';
    header.dxfer_direction = carriesData ? directionOf(request.direction) : SG_DXFER_NONE;
    header.cmd_len = static_cast<unsigned char>(cdb.size());
    header.mx_sb_len = static_cast<unsigned char>(request.sense.size());
    header.dxfer_len = carriesData ? request.length : 0;
    header.dxferp = carriesData ? request.data : nullptr;
    header.cmdp = cdb.data();
    header.sbp = request.sense.data();
    header.timeout = request.timeoutMs;

    // No retry on EINTR: the command may already have reached the device.
    const int ioctlErrno = ::ioctl(handle, SG_IO, &header) < 0 ? errno : 0;
    const int transportError =
        sgTransportError(ioctlErrno, header.host_status, header.driver_status);
    if (transportError != 0) {
        request.clearResults(); // whatever the header holds then describes no answer
        return transportError;
    }
    request.scsiStatus = header.status;
    request.senseLength =
        static_cast<std::uint8_t>(std::min<std::size_t>(header.sb_len_wr, request.sense.size()));
    // resid counts within the transfer that was set up; a request without one moved nothing.
    if (carriesData) {
        request.residue =
            header.resid <= 0
                ? 0
                : std::min<std::uint32_t>(static_cast<std::uint32_t>(header.resid), request.length);
    }
    return classifyExchange(0, request);
}

int SgTransport::lock(DeviceHandle handle)
{
    const auto found = m_open.find(handle);
    if (found == m_open.end()) {
        return EBADF;
    }
    OpenDisk& disk = found->second;
    if (disk.lockFd >= 0) {
        return 0;
    }
    if (disk.wholeDiskNode.isEmpty()) {
        return ENODEV;
    }
    const int fd = ::open(QFile::encodeName(disk.wholeDiskNode).constData(),
                          O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        return errno;
    }
    // udev and well-behaved tools leave a disk alone while someone holds this lock.
    if (::flock(fd, LOCK_EX | LOCK_NB) < 0) {
        const int error = errno;
        closeQuietly(fd);
        return error;
    }
    disk.lockFd = fd;
    return 0;
}

int SgTransport::unlock(DeviceHandle handle)
{
    const auto found = m_open.find(handle);
    if (found == m_open.end()) {
        return EBADF;
    }
    OpenDisk& disk = found->second;
    // Nothing held is nothing to release; failing here would only make callers retry and wait.
    if (disk.lockFd < 0) {
        return 0;
    }
    closeQuietly(disk.lockFd); // closing the only descriptor drops the flock
    disk.lockFd = -1;
    return 0;
}

// The lock sits on the sg node every collector opens, apart from the volume lock on the block
// node, which the Maintain page may hold for as long as it shows the wristband.
int SgTransport::claim(DeviceHandle handle)
{
    if (m_open.count(handle) == 0) {
        return EBADF;
    }
    return ::flock(handle, LOCK_EX | LOCK_NB) < 0 ? errno : 0;
}

void SgTransport::release(DeviceHandle handle)
{
    if (m_open.count(handle) != 0) {
        static_cast<void>(::flock(handle, LOCK_UN));
    }
}

} // namespace trek::platform
