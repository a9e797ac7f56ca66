#pragma once

#include <array>

namespace trek {

// The running counters that follow every addition to the store, as one value so that a reading
// can advance a copy and hand it over only once its steps are safely stored.
struct StepCounters
{
    int totalSteps = 0;
    int totalPeriod = 0;
    std::array<int, 2> missionSteps{};    // A, B
    std::array<bool, 2> missionRunning{}; // a stopped mission gathers nothing
    int slightMoving = 0;                 // steps per minute that still count as resting

    static StepCounters FromAppState();
    // Copies the counters (not the running flags or the filter) into appState().values.
    void ApplyToAppState() const;

    // Additions wrap like the 32-bit counters of the settings file instead of overflowing.
    void AddSteps(int steps);
    void AddPeriod(int minutes);
    void AddMissionSteps(int steps);
};

// Writes the counters to the settings file: "Summary" "TotalSteps" and "TotalPeriod", then the
// running missions' "A_CurSteps" / "B_CurSteps". On a failed write, the keys already written are
// put back to `previous` as far as possible and false is answered.
bool WriteCounters(const StepCounters& counters, const StepCounters& previous);
// Writes the counters held in appState().values.
bool SaveCounters();

} // namespace trek
