// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/wristbandsettings.h"

#include "app/appstate.h"

namespace trek {

void ResetWristbandSettings(bool includingSleepMonitor)
{
    WristbandSettings& s = appState().wristband;
    s.hourMode = 0;
    s.scrollSpeed = 4;
    s.clockCorrection = 0;
    s.displayEntries = WristbandSettings::ResetDisplayEntries;
    s.picture.fill(0xFF);
    s.message.fill('\0');
    if (includingSleepMonitor) {
        s.sleepMonitorOn = false;
        s.sleepMonitorEveryDay = false;
        s.sleepStartHour = 0;
        s.sleepStartMinute = 0;
        s.sleepStopHour = 0;
        s.sleepStopMinute = 0;
    }
}

} // namespace trek
