// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/wristbandsettings.h"
#include "platform/result.h"

#include <QString>
#include <QTime>
#include <optional>

namespace trek {

// What the user chose on the time-set page (or on the command line). A value left empty keeps
// what the wristband has; an empty correction is Auto: the one the wristband's drift calls for
// (pass-through) or the one it was last given (file model).
struct TimeSetChoice
{
    std::optional<int> hourMode; // 0 24-hour, 1 12-hour
    std::optional<int> correction;
    std::optional<bool> sleepMonitorOn;
    std::optional<bool> sleepMonitorEveryDay;
    std::optional<QTime> sleepStart;
    std::optional<QTime> sleepStop;

    void applyTo(WristbandSettings& settings) const; // all but the correction
};

// Sets the connected wristband's clock from the PC's with the chosen settings: a pass-through
// wristband gets the settings block at once, built on its own block read just before (its
// message, picture and display settings are never another wristband's); a file-model one gets
// CLOCK.TXT rewritten and must be unplugged to apply it. Answers what the user was shown: the
// status line of the block sent, or the request to unplug. A failure shows "### Setup failed ###"
// and a status line, and nothing is sent when the wristband's own block cannot be read first.
// Refused while a collection runs. appState().wristband holds what was sent afterwards.
Result<QString> TimeSet(const TimeSetChoice& choice);

} // namespace trek
