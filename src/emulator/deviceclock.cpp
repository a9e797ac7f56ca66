// SPDX-License-Identifier: GPL-3.0-or-later
#include "emulator/deviceclock.h"

#include <cmath>

namespace trek::emu {

namespace {
constexpr double SecondsPerDay = 86400.0;
}

DeviceClock::DeviceClock(ClockFunction hostNow) : m_hostNow(std::move(hostNow))
{
    m_baseHost = this->hostNow();
    m_baseWall = wallTime(m_baseHost.toLocalTime());
}

QDateTime DeviceClock::wallTime(const QDateTime& anyTime)
{
    return QDateTime(anyTime.date(), anyTime.time(), Qt::UTC);
}

QDateTime DeviceClock::hostNow() const
{
    return m_hostNow ? m_hostNow() : QDateTime::currentDateTime();
}

QDateTime DeviceClock::wallAt(const QDateTime& host) const
{
    const double elapsedMs = static_cast<double>(m_baseHost.msecsTo(host));
    const double rate = 1.0 + (m_drift + m_correction) / SecondsPerDay;
    return m_baseWall.addMSecs(static_cast<qint64>(std::llround(elapsedMs * rate)));
}

QDateTime DeviceClock::now() const
{
    return wallAt(hostNow());
}

DeviceClock::Reading DeviceClock::reading() const
{
    const QDateTime host = hostNow();
    return {wallAt(host), host};
}

void DeviceClock::restore(const Reading& reading, std::optional<QDateTime> lastSet)
{
    m_baseWall = wallTime(reading.wall);
    m_baseHost = reading.host;
    m_lastSet = lastSet ? std::optional(wallTime(*lastSet)) : std::nullopt;
}

void DeviceClock::rebase()
{
    m_baseWall = now();
    m_baseHost = hostNow();
}

void DeviceClock::set(const QDateTime& wallTime)
{
    reset(wallTime, wallTime);
}

void DeviceClock::reset(const QDateTime& wallTime, std::optional<QDateTime> lastSet)
{
    m_baseWall = DeviceClock::wallTime(wallTime);
    m_baseHost = hostNow();
    m_lastSet = lastSet ? std::optional(DeviceClock::wallTime(*lastSet)) : std::nullopt;
}

void DeviceClock::setDriftSecondsPerDay(double seconds)
{
    rebase(); // the new rate applies from now on, not retroactively
    m_drift = seconds;
}

void DeviceClock::setCorrection(int secondsPerDay)
{
    rebase();
    m_correction = secondsPerDay;
}

} // namespace trek::emu
