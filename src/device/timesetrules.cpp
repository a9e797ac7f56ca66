// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/timesetrules.h"

#include "app/appstate.h"
#include "app/currentlanguage.h"
#include "app/lang/filltext.h"

namespace trek {

namespace {
constexpr int FirstButtonBit = 3; // 'D'
constexpr int LastButtonBit = 25; // 'Z'
} // namespace

TimeSetControls TimeSetControlRules(const TimeSetState& state)
{
    const bool connected = state.driveLetter != 0;
    const bool passThrough = connected && state.passThrough;
    TimeSetControls controls;
    controls.driveButtonsEnabled = !state.busy;
    controls.timeSetEnabled = connected && !state.busy;
    controls.clockCheckVisible = passThrough;
    controls.clockCheckEnabled = passThrough && !state.busy;
    controls.autoManualVisible = passThrough;
    controls.correctionEnabled = !passThrough || state.manualCorrection;
    controls.sleepTimesEnabled = state.sleepMonitorOn;
    return controls;
}

TimeSetState CurrentTimeSetState(bool pageBusy)
{
    const AppState& app = appState();
    TimeSetState state;
    state.driveLetter = app.link.driveLetter;
    state.passThrough = app.link.passThrough;
    state.manualCorrection = app.link.plugged;
    state.sleepMonitorOn = app.wristband.sleepMonitorOn;
    state.busy = pageBusy || CollectionRunning();
    return state;
}

bool CollectionRunning()
{
    return appState().link.collectingLetter != 0;
}

QString CorrectionLabelText(int correction)
{
    if (correction > 0) {
        return FillText(GetLangText(TextRow::FasterPerDay), {QString::number(correction)});
    }
    if (correction < 0) {
        return FillText(GetLangText(TextRow::SlowerPerDay), {QString::number(-correction)});
    }
    return {};
}

QList<char> DriveButtonLetters(std::uint32_t driveMask)
{
    QList<char> letters;
    for (int bit = FirstButtonBit; bit <= LastButtonBit && letters.size() < MaxDriveButtons;
         ++bit) {
        if ((driveMask & (std::uint32_t{1} << bit)) != 0) {
            letters.append(static_cast<char>('A' + bit));
        }
    }
    return letters;
}

} // namespace trek
