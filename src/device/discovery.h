// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <cstdint>

namespace trek {

// Finding the wristband. All run on the user-interface thread and report through appState().ui.
void DiscoverWristband();
bool ProbeDrive(char letter);
bool ProbeDevicePath(const QString& path);
bool ScanDiskInterfaces();
void ResetLink();
// Unlocks and closes the volume handle of the link, if it holds one.
void ReleaseLinkVolume();

// Reactions to the device notifications; each does nothing while discovery is suspended.
void OnVolumeArrival(std::uint32_t unitMask);
void OnVolumeRemoval(std::uint32_t unitMask);
void OnDeviceChange();

} // namespace trek
