#pragma once

#include "platform/result.h"

#include <QString>

namespace trek {

// The wristband's disk is a FAT disk, where names match without regard to case; a simulated
// drive is an ordinary Linux folder. Path of the entry named `name` in `root`, found without
// regard to case; `root`/`name` when there is none (the name to create).
QString RootFilePath(const QString& root, const QString& name);

// The drive root of `letter` from the drive table; empty when the letter has no mounted volume.
QString DriveRootOf(char letter);

// Makes the USBWATCH.DAT that tells the wristband it has met the program, unless a regular file
// of that name is there already. Whatever else holds the name (a folder, a link) is left alone
// and counts as a failure.
Result<> EnsureMarkerFile(char letter);

} // namespace trek
