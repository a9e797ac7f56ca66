// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace trek {

// "Not found K7 Stepo-Disk" in the current language: the drive label while nothing is connected.
QString NotFoundLabel();
// The drive label of a connected wristband: its model, and its letter unless it has none ('*').
QString ConnectedLabel(char letter);

} // namespace trek
