// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>
#include <cstdint>

namespace trek {

// What the time-set page's controls depend on.
struct TimeSetState
{
    char driveLetter = 0; // the connected wristband's, 0 for none
    bool passThrough = false;
    bool manualCorrection = false; // Manual chosen (the link's plugged flag), else Auto
    bool sleepMonitorOn = false;
    // A collection runs, or the page itself is talking to the wristband: a click served from
    // inside that work's message pump could close its handle or reach another wristband.
    bool busy = false;
};

// Which controls are shown and usable. The sleep-monitor check box is always usable, and the
// sleep times are always shown.
struct TimeSetControls
{
    bool driveButtonsEnabled = false;
    bool timeSetEnabled = false; // the button and the factory gesture it carries
    bool clockCheckVisible = false;
    bool clockCheckEnabled = false;
    bool autoManualVisible = false;
    bool correctionEnabled = false; // the slider, its scale and its label
    bool sleepTimesEnabled = false;
};

TimeSetControls TimeSetControlRules(const TimeSetState& state);
// The state as appState() holds it now; `pageBusy` while the page waits on the wristband.
TimeSetState CurrentTimeSetState(bool pageBusy = false);

// True while a collection run holds the wristband.
bool CollectionRunning();

// The slider's position in words: "Faster 5 sec/day", "Slower 7 sec/day", or empty at 0.
QString CorrectionLabelText(int correction);

// The page has eight drive buttons: the letters of the drive mask from D upwards that get one.
inline constexpr int MaxDriveButtons = 8;
QList<char> DriveButtonLetters(std::uint32_t driveMask);

} // namespace trek
