// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDateTime>

namespace trek {

// The PC's local time as the wristband code sees it, in whole seconds: times given to the
// wristband are always local, never UTC. appState().hooks.localClock replaces it in tests.
QDateTime CurrentLocalTime();

} // namespace trek
