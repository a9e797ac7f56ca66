// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <cstdint>

namespace trek::platform {

enum class DriveType {
    Unknown,
    NoRootDirectory, // what a device path without a mounted volume answers
    Removable,
    Fixed,
    Remote,
    CdRom,
    RamDisk,
};

// Bit of `letter` ('A' to 'Z') in a drive mask.
constexpr std::uint32_t driveBit(char letter)
{
    return std::uint32_t{1} << (letter - 'A');
}

// The program thinks in drive letters: every mounted removable or USB volume gets one from D
// upwards. Bit n of the drive mask stands for letter 'A' + n.
class DriveTable : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;

    virtual std::uint32_t logicalDriveMask() const = 0;
    // Removable for a letter with a mounted volume; a letter nobody has has no root folder.
    DriveType driveType(char letter) const
    {
        return (logicalDriveMask() & driveBit(letter)) != 0 ? DriveType::Removable
                                                            : DriveType::NoRootDirectory;
    }
    // Folder where the volume with this letter is mounted; empty when there is none.
    virtual QString driveRoot(char letter) const = 0;
    // Label of the volume with this letter, as its file system holds it; empty when the volume
    // has none, there is no volume, or the table knows no labels.
    virtual QString volumeLabel(char /*letter*/) const { return {}; }
    // What tells the volume with this letter from every other one, wherever and however often it
    // is mounted (a file system's serial number); empty when the table cannot tell.
    virtual QString volumeIdentity(char /*letter*/) const { return {}; }
    // Device paths of the present USB disks that expose no mounted volume.
    virtual QStringList diskDevicePaths() const = 0;

signals:
    // Unit masks use the same bit numbering as logicalDriveMask().
    void volumeArrived(std::uint32_t unitMask);
    void volumeRemoved(std::uint32_t unitMask);
    // Any change of the present devices, after the arrival and removal notices.
    void devicesChanged();
};

} // namespace trek::platform
