// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/result.h"

namespace trek {

// Makes the removable drive `letter` the wristband's drive, as a drive button of the time-set
// page does, without collecting: a pass-through wristband is opened and locked, any other drive
// gets the USBWATCH.DAT marker. The drive label tells the outcome; on failure nothing is
// connected. The settings held until now are another wristband's (or nobody's): the next time
// set reads this wristband's own first. Refused while a collection runs.
Result<> SelectDrive(char letter);

} // namespace trek
