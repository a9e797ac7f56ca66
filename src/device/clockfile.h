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
// The two writers answer why CLOCK.TXT or the marker could not be written; when they succeed the
// files are on the disk and the user may unplug the wristband.
[[nodiscard]] Result<> WriteSetupClockFile(char letter);
[[nodiscard]] Result<> RewriteClockFileTime(char letter, int clockCorrection);
void SendSettingsBlock();
// The same with the clock to set taken by the caller, who shows what was sent.
void SendSettingsBlock(const QDateTime& localNow);
void ApplyStatusBlock(StatusBlockKind kind);

} // namespace trek
