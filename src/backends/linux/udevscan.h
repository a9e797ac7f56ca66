// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArrayView>
#include <QString>
#include <cstdint>
#include <vector>

struct udev;

namespace trek::platform {

// A block device that may carry a volume of a removable drive: on the USB bus or with
// removable media, a whole disk or one of its partitions.
struct BlockDeviceInfo
{
    std::uint32_t major = 0;
    std::uint32_t minor = 0;
    QString node;          // e.g. /dev/sdb1
    QString wholeDiskNode; // e.g. /dev/sdb
    QString sgNode;        // e.g. /dev/sg2; empty when there is none
    QString label;         // the file system's label, as blkid read it for udev; may be empty
    QString volumeId;      // the file system's type and serial number; empty when it has none
    bool wholeDisk = false;
    bool usb = false;

    friend bool operator==(const BlockDeviceInfo&, const BlockDeviceInfo&) = default;
};

std::vector<BlockDeviceInfo> scanRemovableBlockDevices(udev* context);

// udev writes a label's bytes that are not plain ASCII, and blanks, as "\xNN" in ID_FS_LABEL_ENC,
// the name /dev/disk/by-label uses; this undoes that.
QString decodeUdevLabel(QByteArrayView encoded);

} // namespace trek::platform
