// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/settingstable.h"
#include "platform/result.h"

namespace trek {

// The night the sleep analysis looks at: whole hours counted from the selected day's midnight,
// hours above 23 lying on the following days (20 to 33 runs from 20:00 to 09:00 next morning).
// Only the clamping factory makes one, so a window always ends after it starts and an analysis
// never divides by an empty night.
class SleepWindow final
{
public:
    static constexpr int DefaultStartHour = setting::SleepStartHour.defaultValue();
    static constexpr int DefaultEndHour = setting::SleepEndHour.defaultValue();
    static constexpr int LastStartHour = 47;
    static constexpr int LastEndHour = 48;

    SleepWindow() = default; // 20 to 33

    // Start into 0..47 and end into 1..48; an end at or before the start becomes start + 1.
    static SleepWindow Clamped(int startHour, int endHour);

    int startHour() const { return m_startHour; }
    int endHour() const { return m_endHour; }
    int minutes() const { return (m_endHour - m_startHour) * 60; }

    friend bool operator==(const SleepWindow&, const SleepWindow&) = default;

private:
    SleepWindow(int startHour, int endHour) : m_startHour(startHour), m_endHour(endHour) {}

    int m_startHour = DefaultStartHour;
    int m_endHour = DefaultEndHour;
};

// "Sleep" / "StartHour" and "EndHour" of the settings file, clamped. They are read whenever the
// analysis opens rather than at start-up: the window is the last one the user left, whatever day
// it is opened for.
SleepWindow ReadSleepWindow();
// Both keys as "%d".
[[nodiscard]] Result<> WriteSleepWindow(const SleepWindow& window);

} // namespace trek
