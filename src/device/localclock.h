#pragma once

#include <QDateTime>
#include <functional>

namespace trek {

// The PC's local time as the wristband code sees it. Times given to the wristband are always
// local, never UTC. Tests install a fixed clock so written files and measured drifts are exact;
// an empty function restores the real clock.
using LocalClock = std::function<QDateTime()>;
void SetLocalClock(LocalClock clock);
QDateTime CurrentLocalTime();

} // namespace trek
