// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDateTime>
#include <functional>
#include <optional>

namespace trek::emu {

// The host's current time. Injected so that tests can move time forward without sleeping.
using ClockFunction = std::function<QDateTime()>;

// The wristband's own clock: a wall-clock time (no time zone; the wristband knows none) that runs
// from the moment it was set, gaining `drift + correction` seconds per day. The correction is the
// value the PC sends to cancel the drift it measured, so a well-corrected wristband keeps time.
class DeviceClock
{
public:
    explicit DeviceClock(ClockFunction hostNow = {});

    // One reading of the clock: its wall time at a moment of the host's clock. A reading kept
    // in a file lets the next process restore a clock that ran on in between.
    struct Reading
    {
        QDateTime wall;
        QDateTime host;
    };

    // Wall times are handled as Qt::UTC values so that no daylight-saving gap can shift them.
    QDateTime now() const;
    Reading reading() const;
    // Takes a reading over as the clock's state, with the time it was last set.
    void restore(const Reading& reading, std::optional<QDateTime> lastSet);
    std::optional<QDateTime> lastSet() const { return m_lastSet; }

    // Sets the clock as the PC does: the time becomes the last-set time as well.
    void set(const QDateTime& wallTime);
    // Moves the clock without recording a set, as a battery change or a factory reset would.
    void reset(const QDateTime& wallTime, std::optional<QDateTime> lastSet = std::nullopt);

    double driftSecondsPerDay() const { return m_drift; }
    void setDriftSecondsPerDay(double seconds);
    int correction() const { return m_correction; }
    void setCorrection(int secondsPerDay);

    static QDateTime wallTime(const QDateTime& anyTime); // strips the zone, keeps date and time

private:
    QDateTime hostNow() const;
    QDateTime wallAt(const QDateTime& host) const;
    void rebase(); // starts a new run segment at the current time

    ClockFunction m_hostNow;
    QDateTime m_baseWall;
    QDateTime m_baseHost;
    std::optional<QDateTime> m_lastSet;
    double m_drift = 0.0;
    int m_correction = 0;
};

} // namespace trek::emu
