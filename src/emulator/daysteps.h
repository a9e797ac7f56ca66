// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDate>
#include <array>
#include <cstdint>
#include <vector>

namespace trek::emu {

// The steps of one calendar day, one count per minute: what the wristband counted before it
// packs the counts into one of its record formats.
struct DaySteps
{
    static constexpr int MinutesPerDay = 1440;

    QDate date;
    std::array<std::uint16_t, MinutesPerDay> minutes{};

    int total() const
    {
        int sum = 0;
        for (const std::uint16_t count : minutes) {
            sum += count;
        }
        return sum;
    }
    int hourTotal(int hour) const
    {
        int sum = 0;
        for (int minute = 0; minute < 60; ++minute) {
            sum += minutes[static_cast<std::size_t>(hour) * 60 + static_cast<std::size_t>(minute)];
        }
        return sum;
    }
};

using StepHistory = std::vector<DaySteps>; // days in calendar order

} // namespace trek::emu
