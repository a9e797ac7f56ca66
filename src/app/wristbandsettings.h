// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>

namespace trek {

// The wristband's clock and display settings, taken from the wristband and written back to it.
struct WristbandSettings
{
    static constexpr int DisplayEntryCount = 10;
    static constexpr int PictureSize = 40;
    static constexpr int MessageSize = 40;
    static constexpr int MaxMessageLength = 36;
    static constexpr std::array<int, DisplayEntryCount> ResetDisplayEntries{6, 0, 6, 9, 10,
                                                                            4, 9, 0, 0, 0};

    int hourMode = 0; // 0 = 24-hour, 1 = 12-hour
    int scrollSpeed = 0;
    int clockCorrection = 0; // seconds per day
    std::array<int, DisplayEntryCount> displayEntries{};
    std::array<std::uint8_t, PictureSize> picture{};
    std::array<char, MessageSize> message{};
    bool ledPowerControl = false;
    int ledPowerFromHour = 0;
    int ledPowerToHour = 0;
    bool sleepMonitorOn = false;
    bool sleepMonitorEveryDay = false;
    int sleepStartHour = 0;
    int sleepStartMinute = 0;
    int sleepStopHour = 0;
    int sleepStopMinute = 0;
    bool keptFlag1 = false;
    bool keptFlag2 = false;
};

// The wristband defaults in appState().wristband, taken before its own settings are read; the
// sleep-monitor times only when asked, since a clock file may lack them.
void ResetWristbandSettings(bool includingSleepMonitor);

} // namespace trek
