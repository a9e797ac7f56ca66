// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <array>
#include <cstdint>

namespace trek {

struct MissionValues
{
    int mode = 0;
    int status = 0; // 0 stopped, anything else running
    double goes = 0.0;
    int curSteps = 0;
    int curPeriodM = 0;
    std::uint32_t startTime = 0; // mission clock at the start of the mission
    bool running() const { return status != 0; }
};

// The settings read once when the main window opens and kept current by whoever changes them.
struct SettingsValues
{
    bool enableUpgrade = true;
    bool autoConfirm = false;
    int displayMode = 0;
    int unitMode = 0;
    int totalSteps = 0;
    int totalPeriod = 0;
    int birthday = 20000201;
    int height = 0; // cm
    int weightGrams = 0;
    int stepSize = 0;                      // cm
    std::array<MissionValues, 2> missions; // A, B
    int slightMoving = 0;
};

} // namespace trek
