// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <optional>

namespace trek::platform {

// The device nodes behind one disk: the block node that a volume lock is taken on, and the SCSI
// generic node that vendor commands travel through (empty when the sg driver is not loaded).
struct DiskNodes
{
    QString wholeDiskNode;
    QString sgNode;
};

// What the SG transport needs to know of the drive table.
class DriveNodeLookup
{
public:
    virtual ~DriveNodeLookup() = default;
    virtual std::optional<DiskNodes> nodesForLetter(char letter) const = 0;
    // `devicePath` is an sg node such as one listed by DriveTable::diskDevicePaths().
    virtual std::optional<DiskNodes> nodesForDevicePath(const QString& devicePath) const = 0;
};

} // namespace trek::platform
