// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/wristbandsettings.h"
#include "platform/result.h"

#include <QDateTime>

namespace trek {

enum class StatusBlockKind { Collection, ClockCheck };

// Wristband clock and display settings in their two forms: CLOCK.TXT on a file-model disk and
// the 256-byte settings block of a pass-through wristband. All work on appState().wristband;
// ResetWristbandSettings() of app/wristbandsettings.h gives its defaults.
void ReadClockFile(char letter);
// The writers answer why CLOCK.TXT or the block could not be written; when they succeed the
// files are on the disk (or the block on the wristband) and the user may unplug the wristband.
[[nodiscard]] Result<> WriteSetupClockFile(char letter);
// Fails when the drive has no volume or the file cannot be replaced; the old file then stays.
[[nodiscard]] Result<> RewriteClockFileTime(char letter, int clockCorrection);
[[nodiscard]] Result<> SendSettingsBlock();
// The same with the clock to set taken by the caller, who shows what was sent.
[[nodiscard]] Result<> SendSettingsBlock(const QDateTime& localNow);
// Kind ClockCheck is ClockCheck() of device/clockcheck.h.
void ApplyStatusBlock(StatusBlockKind kind);

} // namespace trek
