// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/result.h"

namespace trek::platform {

// Gives the open file the FAT hidden attribute through the vfat attribute ioctls. Answers true
// when the file carries it afterwards, false when the file system has no FAT attributes (the
// ioctls are unknown to tmpfs, ext4 and FUSE); any other refusal is a failure.
[[nodiscard]] Result<bool> setFatHidden(int fd);

} // namespace trek::platform
