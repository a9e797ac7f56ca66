#include "device/localclock.h"

namespace trek {

namespace {

LocalClock& installedClock()
{
    static LocalClock clock;
    return clock;
}

} // namespace

void SetLocalClock(LocalClock clock)
{
    installedClock() = std::move(clock);
}

QDateTime CurrentLocalTime()
{
    if (installedClock()) {
        return installedClock()();
    }
    // Whole seconds: the wristband's clock has no finer unit, and drift is measured in seconds.
    const QDateTime now = QDateTime::currentDateTime();
    return now.addMSecs(-now.time().msec());
}

} // namespace trek
