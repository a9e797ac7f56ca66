// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/result.h"

namespace trek {

enum class SafeRemoval {
    NotOffered, // not the connected file-model wristband, or nothing here can unmount it
    Declined,
    Unmounted,
};

// After a file-model time set: asks the user whether to unmount the wristband's volume now, so
// that it can be pulled out at once, and does it. Only unmounts, never powers the disk off: the
// wristband applies CLOCK.TXT when it is unplugged. Never offered for a pass-through wristband,
// whose settings went over the vendor commands and whose volume is not the wristband's own.
// Tells the user how it went (the status line, or a box with the reason); the answer is for the
// caller's own exit status.
[[nodiscard]] Result<SafeRemoval> OfferSafeRemoval(char letter);

} // namespace trek
