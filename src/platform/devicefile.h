// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/result.h"

#include <QByteArrayView>
#include <QString>

namespace trek::platform {

enum class DeviceFileAttribute {
    Normal,
    Hidden, // the FAT hidden attribute, where the file system keeps one
};

// Writes a file on a wristband's removable disk so that it is whole on the disk, not just in the
// page cache, before the user is told to pull the wristband out. The content goes to a new
// temporary file beside `path` (created exclusively, never through a link), is flushed and
// renamed over `path`, and then the whole file system is synced. As with writeFileAtomically(),
// only a regular file or nothing may be at `path`. Hidden is set on the temporary file, so the
// file never shows unhidden; a file system without the attribute (tmpfs, ext4, FUSE) takes the
// file without it and without complaint.
[[nodiscard]] Result<> writeDeviceFileDurably(const QString& path, QByteArrayView bytes,
                                              DeviceFileAttribute attribute);

} // namespace trek::platform
