// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "backends/linux/driveletters.h"
#include "backends/linux/drivenodes.h"
#include "backends/linux/mountinfo.h"
#include "backends/linux/udevscan.h"
#include "platform/drivetable.h"

#include <QByteArray>
#include <QString>
#include <map>
#include <vector>

class QSocketNotifier;
struct udev;
struct udev_monitor;

namespace trek::platform {

struct LinuxDriveTableConfig
{
    // Tests point this at a file of their own; the watch then never fires and they call rescan().
    QString mountInfoPath = QStringLiteral("/proc/self/mountinfo");
    // Whether to listen for udev events and mount changes.
    bool watch = true;
};

// Drive letters for the mounted USB and removable volumes of this machine, from libudev and the
// mount table, kept current by a udev monitor and the mount table's change notice.
class LinuxDriveTable final : public DriveTable, public DriveNodeLookup
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(LinuxDriveTable)
public:
    explicit LinuxDriveTable(LinuxDriveTableConfig config = {}, QObject* parent = nullptr);
    ~LinuxDriveTable() override;

    std::uint32_t logicalDriveMask() const override;
    QString driveRoot(char letter) const override;
    QString volumeLabel(char letter) const override;
    QString volumeIdentity(char letter) const override;
    QStringList diskDevicePaths() const override;

    std::optional<DiskNodes> nodesForLetter(char letter) const override;
    std::optional<DiskNodes> nodesForDevicePath(const QString& devicePath) const override;

    // Reads devices and mounts anew; when the letters or the devices changed, announces what
    // changed, then devicesChanged(). A change elsewhere in the mount table announces nothing.
    void rescan();

private:
    void refresh(bool announce);
    bool readMountInfo(QByteArray& text) const;
    void onUdevEvent();
    void onMountsChanged();
    void startWatching();

    LinuxDriveTableConfig m_config;
    udev* m_udev = nullptr;
    udev_monitor* m_monitor = nullptr;
    int m_mountInfoFd = -1;
    QSocketNotifier* m_udevNotifier = nullptr;
    QSocketNotifier* m_mountNotifier = nullptr;

    std::vector<BlockDeviceInfo> m_devices;
    std::vector<MountEntry> m_mounts;
    LetterMap m_letters;
    std::map<char, DiskNodes> m_letterNodes;
    std::map<char, QString> m_letterLabels;
    std::map<char, QString> m_letterVolumes;
};

} // namespace trek::platform
