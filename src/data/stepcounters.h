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
    std::array<bool, 2> missionRunning{}; // a stopped mission gathers nothing
    int slightMoving = 0;                 // steps per minute that still count as resting

    // No additions yet; the missions' running flags and the filter as appState() has them.
    static StepCounters ForReading();

    // Additions wrap like the 32-bit counters of the settings file instead of overflowing.
    void AddSteps(int steps);
    void AddPeriod(int minutes);
    void AddMissionSteps(int steps);
};

// Like the 32-bit counters of the settings file: wraps instead of overflowing.
int WrappingAdd(int a, int b);
int WrappingSubtract(int a, int b);

// The counters `additions` advance ("Summary" "TotalSteps" and "TotalPeriod", and the running
// missions' "A_CurSteps" / "B_CurSteps"), from the values the settings file holds now. The caller
// holds the working-folder lock, so the values cannot change before the commit writes them.
std::vector<CounterChange> CounterChanges(const StepCounters& additions);
// Reads the counters from the settings file into appState().values, after a commit.
void ReloadCounters();

} // namespace trek
