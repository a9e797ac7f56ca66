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
// Fails when CLOCK.TXT or the marker could not be written (and then says which and why).
Result<> WriteSetupClockFile(char letter);
void RewriteClockFileTime(char letter, int clockCorrection);
// Fails when the wristband did not take the block.
Result<> SendSettingsBlock();
// The same with the clock to set taken by the caller, who shows what was sent.
Result<> SendSettingsBlock(const QDateTime& localNow);
void ApplyStatusBlock(StatusBlockKind kind);

} // namespace trek
