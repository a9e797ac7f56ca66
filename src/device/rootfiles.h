// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/result.h"

#include <QByteArrayView>
#include <QString>

namespace trek {

// The wristband's disk is a FAT disk, where names match without regard to case; a simulated
// drive is an ordinary Linux folder. Path of the entry named `name` in `root`, found without
// regard to case; `root`/`name` when there is none (the name to create).
QString RootFilePath(const QString& root, const QString& name);

// The drive root of `letter` from the drive table; empty when the letter has no mounted volume.
QString DriveRootOf(char letter);

// Writes the marker USBWATCH.DAT in `root`, over one that is there under any case of its name:
// hidden where the disk keeps a FAT hidden attribute, and on the disk before this returns, since
// the user may pull the wristband out right after.
[[nodiscard]] Result<> WriteMarkerFile(const QString& root, QByteArrayView content);

// The wristband never reads the marker's content; 80 bytes is what it is used to finding.
inline constexpr int MarkerFileLength = 80;

// Makes the marker in the drive of `letter` unless a regular file of that name is there already.
// Whatever else holds the name (a folder, a link) is left alone and counts as a failure.
[[nodiscard]] Result<> EnsureMarkerFile(char letter);

} // namespace trek
