// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/localclock.h"

#include "app/appstate.h"

namespace trek {

QDateTime CurrentLocalTime()
{
    if (const auto& frozen = appState().hooks.localClock) {
        return frozen();
    }
    // Whole seconds: the wristband's clock has no finer unit, and drift is measured in seconds.
    const QDateTime now = QDateTime::currentDateTime();
    return now.addMSecs(-now.time().msec());
}

} // namespace trek
