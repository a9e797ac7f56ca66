// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/wristbandsettings.h"

namespace trek::test {

// The settings a freshly reset wristband record holds, written out here rather than taken from
// the code under test so that a wrong reset value shows up.
inline WristbandSettings ResetSettings()
{
    WristbandSettings s;
    s.scrollSpeed = 4;
    s.displayEntries = WristbandSettings::ResetDisplayEntries;
    s.picture.fill(0xFF);
    return s;
}

} // namespace trek::test
