// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "data/commitplan.h"

#include <array>
#include <vector>

namespace trek {

// What a reading adds to the running counters of the settings file. The additions are kept apart
// from the stored values, which only the commit reads and advances, so that another program's
// additions made meanwhile are never overwritten by an older copy.
struct StepCounters
{
    int totalSteps = 0;
    int totalPeriod = 0;
    std::array<int, 2> missionSteps{};    // A, B
    std::array<int, 2> missionMinutes{};  // the minutes whose steps the mission took
    std::array<bool, 2> missionRunning{}; // a stopped mission gathers nothing
    // "A_StartTime" / "B_StartTime" as the reading found them: a mission stopped and started
    // again before the commit is another mission, which the reading's steps do not belong to.
    std::array<int, 2> missionStartTime{};
    int slightMoving = 0; // steps per minute that still count as resting

    // No additions yet; the missions as the settings file holds them, the filter as appState()
    // has it.
    static StepCounters ForReading();

    // Additions wrap like the 32-bit counters of the settings file instead of overflowing.
    void AddSteps(int steps);
    void AddPeriod(int minutes);
    // Steps a running mission takes, walked in `minutes`.
    void AddMissionSteps(int steps, int minutes);
};

// Like the 32-bit counters of the settings file: wraps instead of overflowing.
int WrappingAdd(int a, int b);
int WrappingSubtract(int a, int b);

// The counters `additions` advance ("Summary" "TotalSteps" and "TotalPeriod", and the missions'
// "A_CurSteps" / "A_CurPeriodM" and the same of B), from the values the settings file holds now.
// A mission gets its additions only while the file still shows it running since the same start
// as when the reading began. The caller holds the working-folder lock, so the values cannot
// change before the commit writes them.
std::vector<CounterChange> CounterChanges(const StepCounters& additions);
// Reads the counters from the settings file into appState().values, after a commit.
void ReloadCounters();

} // namespace trek
