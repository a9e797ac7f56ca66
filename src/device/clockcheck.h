// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/wristbandlink.h"
#include "device/settingsblock.h"
#include "platform/result.h"

#include <QDateTime>
#include <QString>

namespace trek {

// What a clock check showed.
struct ClockCheckReport
{
    QString statusText; // " >> Time Difference = ..."
    QString reportText; // the report box: drive, model, last update, both clocks, difference
    int clockCorrection = 0;
};

// Reads the pass-through wristband's clock, shows the drift in the status line and the report
// box, and takes over the correction it calls for together with the settings the time-set page
// shows (the sleep-monitor times stay the page's). Fails, saying so in the status line, when the
// wristband's block cannot be read; the settings are then at their reset values. Refused while
// a collection runs.
Result<ClockCheckReport> ClockCheck();

// The report box's text (language row 88).
QString ClockCheckReportText(const WristbandLink& link, const QDateTime& pcNow,
                             const DriftReport& drift);

} // namespace trek
