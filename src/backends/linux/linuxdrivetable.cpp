// SPDX-License-Identifier: GPL-3.0-or-later
#include "backends/linux/linuxdrivetable.h"

#include <QFile>
#include <QSocketNotifier>
#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <libudev.h>
#include <unistd.h>

namespace trek::platform {

LinuxDriveTable::LinuxDriveTable(LinuxDriveTableConfig config, QObject* parent)
    : DriveTable(parent), m_config(std::move(config)), m_udev(udev_new())
{
    if (m_config.watch) {
        startWatching();
    }
    refresh(false);
}

LinuxDriveTable::~LinuxDriveTable()
{
    delete m_udevNotifier;
    delete m_mountNotifier;
    if (m_mountInfoFd >= 0) {
        ::close(m_mountInfoFd);
    }
    if (m_monitor != nullptr) {
        udev_monitor_unref(m_monitor);
    }
    if (m_udev != nullptr) {
        udev_unref(m_udev);
    }
}

void LinuxDriveTable::startWatching()
{
    if (m_udev != nullptr) {
        // "udev" rather than "kernel" events: by then the rules have run and the device nodes
        // exist with their final permissions.
        m_monitor = udev_monitor_new_from_netlink(m_udev, "udev");
        if (m_monitor != nullptr &&
            (udev_monitor_filter_add_match_subsystem_devtype(m_monitor, "block", nullptr) < 0 ||
             udev_monitor_filter_add_match_subsystem_devtype(m_monitor, "scsi_generic", nullptr) <
                 0 ||
             udev_monitor_enable_receiving(m_monitor) < 0)) {
            udev_monitor_unref(m_monitor);
            m_monitor = nullptr;
        }
        if (m_monitor != nullptr) {
            m_udevNotifier =
                new QSocketNotifier(udev_monitor_get_fd(m_monitor), QSocketNotifier::Read);
            connect(m_udevNotifier, &QSocketNotifier::activated, this,
                    &LinuxDriveTable::onUdevEvent);
        }
    }
    // The kernel flags a change of the mount table as an exceptional condition (POLLPRI).
    m_mountInfoFd =
        ::open(QFile::encodeName(m_config.mountInfoPath).constData(), O_RDONLY | O_CLOEXEC);
    if (m_mountInfoFd >= 0) {
        m_mountNotifier = new QSocketNotifier(m_mountInfoFd, QSocketNotifier::Exception);
        connect(m_mountNotifier, &QSocketNotifier::activated, this,
                &LinuxDriveTable::onMountsChanged);
    }
}

void LinuxDriveTable::onUdevEvent()
{
    // Drain everything queued; one rescan covers them all.
    while (udev_device* device = udev_monitor_receive_device(m_monitor)) {
        udev_device_unref(device);
    }
    refresh(true);
}

void LinuxDriveTable::onMountsChanged()
{
    refresh(true);
}

void LinuxDriveTable::rescan()
{
    refresh(true);
}

bool LinuxDriveTable::readMountInfo(QByteArray& text) const
{
    text.clear();
    if (m_mountInfoFd < 0) {
        QFile file(m_config.mountInfoPath);
        if (!file.open(QIODevice::ReadOnly)) {
            return false;
        }
        text = file.readAll();
        return file.error() == QFileDevice::NoError;
    }
    // Re-reading the watched descriptor from the start yields the table as it is now.
    char buffer[8192];
    off_t offset = 0;
    for (;;) {
        const ssize_t got = ::pread(m_mountInfoFd, buffer, sizeof buffer, offset);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0) {
            return false;
        }
        if (got == 0) {
            return true;
        }
        text.append(buffer, got);
        offset += got;
    }
}

void LinuxDriveTable::refresh(bool announce)
{
    const std::vector<BlockDeviceInfo> devicesBefore = m_devices;
    m_devices = scanRemovableBlockDevices(m_udev);
    QByteArray text;
    // A failed read keeps the last known table rather than making every volume vanish.
    if (readMountInfo(text)) {
        m_mounts = parseMountInfo(text);
    }

    std::vector<VolumeKey> mounted;
    std::map<std::pair<std::uint32_t, std::uint32_t>, DiskNodes> nodesOf;
    std::map<std::pair<std::uint32_t, std::uint32_t>, QString> labelOf;
    std::map<std::pair<std::uint32_t, std::uint32_t>, QString> volumeOf;
    for (const MountEntry& mount : m_mounts) {
        const auto device =
            std::find_if(m_devices.begin(), m_devices.end(), [&mount](const BlockDeviceInfo& d) {
                return d.major == mount.major && d.minor == mount.minor;
            });
        if (device == m_devices.end() || nodesOf.count({mount.major, mount.minor}) != 0) {
            continue; // not ours, or a further mount of a volume that already has its letter
        }
        nodesOf[{mount.major, mount.minor}] = DiskNodes{device->wholeDiskNode, device->sgNode};
        labelOf[{mount.major, mount.minor}] = device->label;
        volumeOf[{mount.major, mount.minor}] = device->volumeId;
        mounted.push_back(VolumeKey{mount.major, mount.minor, mount.mountPoint});
    }

    const LetterMap before = m_letters;
    m_letters = assignLetters(before, mounted);
    m_letterNodes.clear();
    m_letterLabels.clear();
    m_letterVolumes.clear();
    for (const auto& [letter, key] : m_letters) {
        m_letterNodes[letter] = nodesOf[{key.major, key.minor}];
        m_letterLabels[letter] = labelOf[{key.major, key.minor}];
        m_letterVolumes[letter] = volumeOf[{key.major, key.minor}];
    }
    if (!announce) {
        return;
    }
    // Every mount anywhere on the machine (a backup disk, a container, a network share) touches
    // the mount table; only a change of our letters or devices is news to the program.
    if (before == m_letters && devicesBefore == m_devices) {
        return;
    }
    const LetterChanges changes = compareLetters(before, m_letters);
    if (changes.removed != 0) {
        emit volumeRemoved(changes.removed);
    }
    if (changes.arrived != 0) {
        emit volumeArrived(changes.arrived);
    }
    emit devicesChanged();
}

std::uint32_t LinuxDriveTable::logicalDriveMask() const
{
    return letterMask(m_letters);
}

QString LinuxDriveTable::driveRoot(char letter) const
{
    const auto found = m_letters.find(letter);
    return found != m_letters.end() ? found->second.mountPoint : QString();
}

QString LinuxDriveTable::volumeLabel(char letter) const
{
    const auto found = m_letterLabels.find(letter);
    return found != m_letterLabels.end() ? found->second : QString();
}

QStringList LinuxDriveTable::diskDevicePaths() const
{
    QStringList paths;
    for (const BlockDeviceInfo& disk : m_devices) {
        if (!disk.wholeDisk || !disk.usb || disk.sgNode.isEmpty() || paths.contains(disk.sgNode)) {
            continue;
        }
        const bool hasVolume =
            std::any_of(m_letterNodes.begin(), m_letterNodes.end(), [&disk](const auto& entry) {
                return entry.second.wholeDiskNode == disk.wholeDiskNode;
            });
        if (!hasVolume) {
            paths.append(disk.sgNode);
        }
    }
    return paths;
}

std::optional<DiskNodes> LinuxDriveTable::nodesForLetter(char letter) const
{
    const auto found = m_letterNodes.find(letter);
    if (found == m_letterNodes.end()) {
        return std::nullopt;
    }
    return found->second;
}

std::optional<DiskNodes> LinuxDriveTable::nodesForDevicePath(const QString& devicePath) const
{
    for (const BlockDeviceInfo& device : m_devices) {
        if (device.wholeDisk && !devicePath.isEmpty() && device.sgNode == devicePath) {
            return DiskNodes{device.wholeDiskNode, device.sgNode};
        }
    }
    return std::nullopt;
}

QString LinuxDriveTable::volumeIdentity(char letter) const
{
    const auto found = m_letterVolumes.find(letter);
    return found != m_letterVolumes.end() ? found->second : QString();
}

} // namespace trek::platform
