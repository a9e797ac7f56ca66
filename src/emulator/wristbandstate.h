// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "emulator/deviceclock.h"
#include "platform/result.h"

#include <QByteArray>
#include <QString>
#include <optional>

namespace trek::emu {

class PassThroughWristband;

// What an emulated pass-through wristband keeps between runs: its clock, the time it was last
// set and the settings it was last sent. A real wristband keeps them while it is unplugged; the
// emulated one lives only as long as the process, so they are kept in a small text file beside
// its record image, as the collected mark is.
struct WristbandState
{
    char modelLetter = 0;
    QByteArray settings; // the 256 bytes it answers, clock fields aside
    DeviceClock::Reading clock;
    std::optional<QDateTime> lastSet;
    double driftSecondsPerDay = 0.0;
};

QString WristbandStatePath(const QString& imagePath);
// Nothing when no state was kept; an error when the file is there but is not one of ours.
Result<std::optional<WristbandState>> LoadWristbandState(const QString& imagePath);
Result<> SaveWristbandState(const QString& imagePath, const WristbandState& state);

WristbandState CaptureState(const PassThroughWristband& wristband);
// The settings, the correction in force and the clock; the model stays the wristband's.
void RestoreState(PassThroughWristband& wristband, const WristbandState& state);

} // namespace trek::emu
