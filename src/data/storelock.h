// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/result.h"
#include "platform/workingfolderlock.h"

namespace trek {

// Takes the working folder for one collection or change of the store: other programs' commits,
// recoveries and settings writes wait meanwhile. A commit an earlier run left unfinished is
// finished first. Fails when another program keeps the folder longer than a short wait, or
// when the earlier commit still cannot be finished: reading now could count its steps twice.
[[nodiscard]] Result<platform::WorkingFolderLock> LockStore();

// The start of either program: finishes an earlier commit and removes the temporary files that a
// killed write of the store or the settings file left behind.
[[nodiscard]] Result<> PrepareWorkingFolder();

} // namespace trek
