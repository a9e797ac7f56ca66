// SPDX-License-Identifier: GPL-3.0-or-later
#include "backends/linux/udevscan.h"

#include <QByteArray>
#include <cstring>
#include <libudev.h>
#include <memory>
#include <sys/sysmacros.h>

namespace trek::platform {

namespace {

struct DeviceUnref
{
    void operator()(udev_device* device) const { udev_device_unref(device); }
};
struct EnumerateUnref
{
    void operator()(udev_enumerate* enumerate) const { udev_enumerate_unref(enumerate); }
};
using DevicePtr = std::unique_ptr<udev_device, DeviceUnref>;
using EnumeratePtr = std::unique_ptr<udev_enumerate, EnumerateUnref>;

bool equals(const char* value, const char* expected)
{
    return value != nullptr && std::strcmp(value, expected) == 0;
}

QString nodeOf(udev_device* device)
{
    const char* node = udev_device_get_devnode(device);
    return node != nullptr ? QString::fromLocal8Bit(node) : QString();
}

bool isOnUsb(udev_device* device)
{
    return udev_device_get_parent_with_subsystem_devtype(device, "usb", "usb_interface") !=
               nullptr ||
           udev_device_get_parent_with_subsystem_devtype(device, "usb", "usb_device") != nullptr ||
           equals(udev_device_get_property_value(device, "ID_BUS"), "usb");
}

bool hasRemovableMedia(udev_device* disk)
{
    const char* removable = udev_device_get_sysattr_value(disk, "removable");
    return removable != nullptr && removable[0] == '1';
}

// libudev takes the number from the uevent file; fall back to the "dev" attribute, which is
// what a hand-made sysfs tree is most likely to carry.
bool deviceNumber(udev_device* device, std::uint32_t& majorNumber, std::uint32_t& minorNumber)
{
    const dev_t number = udev_device_get_devnum(device);
    if (number != 0) {
        majorNumber = major(number);
        minorNumber = minor(number);
        return true;
    }
    const QByteArray dev(udev_device_get_sysattr_value(device, "dev"));
    const qsizetype colon = dev.indexOf(':');
    if (colon <= 0) {
        return false;
    }
    bool majorOk = false;
    bool minorOk = false;
    majorNumber = dev.left(colon).trimmed().toUInt(&majorOk);
    minorNumber = dev.mid(colon + 1).trimmed().toUInt(&minorOk);
    return majorOk && minorOk;
}

bool isHexDigit(char c)
{
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

// ID_FS_LABEL_ENC keeps the label exact; ID_FS_LABEL has blanks and other bytes replaced.
QString labelOf(udev_device* device)
{
    const char* encoded = udev_device_get_property_value(device, "ID_FS_LABEL_ENC");
    if (encoded != nullptr) {
        return decodeUdevLabel(QByteArrayView(encoded));
    }
    const char* plain = udev_device_get_property_value(device, "ID_FS_LABEL");
    return plain != nullptr ? QString::fromUtf8(plain) : QString();
}

// A FAT volume's serial number is written when it is formatted, so it stays with the disk from
// one plug-in to the next, whichever node and mount point it gets.
QString volumeIdOf(udev_device* device)
{
    const char* uuid = udev_device_get_property_value(device, "ID_FS_UUID");
    if (uuid == nullptr || *uuid == '\0') {
        return {};
    }
    const char* type = udev_device_get_property_value(device, "ID_FS_TYPE");
    return QString::fromUtf8(type != nullptr ? type : "") + u':' + QString::fromUtf8(uuid);
}

// The sg node is not an ancestor of the disk but a sibling: the scsi_generic child of the
// scsi_device both hang from.
QString genericNodeOf(udev* context, udev_device* disk)
{
    udev_device* scsiDevice =
        udev_device_get_parent_with_subsystem_devtype(disk, "scsi", "scsi_device");
    if (scsiDevice == nullptr) {
        return {};
    }
    const EnumeratePtr enumerate(udev_enumerate_new(context));
    if (!enumerate || udev_enumerate_add_match_parent(enumerate.get(), scsiDevice) < 0 ||
        udev_enumerate_add_match_subsystem(enumerate.get(), "scsi_generic") < 0 ||
        udev_enumerate_scan_devices(enumerate.get()) < 0) {
        return {};
    }
    udev_list_entry* entry = nullptr;
    udev_list_entry_foreach(entry, udev_enumerate_get_list_entry(enumerate.get()))
    {
        const DevicePtr generic(
            udev_device_new_from_syspath(context, udev_list_entry_get_name(entry)));
        if (generic) {
            QString node = nodeOf(generic.get());
            if (!node.isEmpty()) {
                return node;
            }
        }
    }
    return {};
}

} // namespace

QString decodeUdevLabel(QByteArrayView encoded)
{
    QByteArray bytes;
    bytes.reserve(encoded.size());
    for (qsizetype i = 0; i < encoded.size(); ++i) {
        if (encoded[i] == '\\' && i + 3 < encoded.size() && encoded[i + 1] == 'x' &&
            isHexDigit(encoded[i + 2]) && isHexDigit(encoded[i + 3])) {
            bytes.append(static_cast<char>(encoded.sliced(i + 2, 2).toInt(nullptr, 16)));
            i += 3;
            continue;
        }
        bytes.append(encoded[i]);
    }
    return QString::fromUtf8(bytes);
}

std::vector<BlockDeviceInfo> scanRemovableBlockDevices(udev* context)
{
    std::vector<BlockDeviceInfo> devices;
    if (context == nullptr) {
        return devices;
    }
    const EnumeratePtr enumerate(udev_enumerate_new(context));
    if (!enumerate || udev_enumerate_add_match_subsystem(enumerate.get(), "block") < 0 ||
        udev_enumerate_scan_devices(enumerate.get()) < 0) {
        return devices;
    }
    udev_list_entry* entry = nullptr;
    udev_list_entry_foreach(entry, udev_enumerate_get_list_entry(enumerate.get()))
    {
        const DevicePtr device(
            udev_device_new_from_syspath(context, udev_list_entry_get_name(entry)));
        if (!device) {
            continue;
        }
        const char* devtype = udev_device_get_devtype(device.get());
        const bool wholeDisk = equals(devtype, "disk");
        if (!wholeDisk && !equals(devtype, "partition")) {
            continue;
        }
        // The parent is owned by the child and lives as long as `device`.
        udev_device* disk =
            wholeDisk
                ? device.get()
                : udev_device_get_parent_with_subsystem_devtype(device.get(), "block", "disk");
        if (disk == nullptr) {
            continue;
        }
        BlockDeviceInfo info;
        info.usb = isOnUsb(device.get());
        if (!info.usb && !hasRemovableMedia(disk)) {
            continue;
        }
        if (!deviceNumber(device.get(), info.major, info.minor)) {
            continue;
        }
        info.wholeDisk = wholeDisk;
        info.node = nodeOf(device.get());
        info.wholeDiskNode = nodeOf(disk);
        info.sgNode = genericNodeOf(context, disk);
        info.label = labelOf(device.get());
        info.volumeId = volumeIdOf(device.get());
        devices.push_back(std::move(info));
    }
    return devices;
}

} // namespace trek::platform
