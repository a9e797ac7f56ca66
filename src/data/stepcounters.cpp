#include "data/stepcounters.h"

#include "app/appstate.h"
#include "app/settingstable.h"

#include <cstdint>
#include <vector>

namespace trek {

namespace {

int WrappingAdd(int a, int b)
{
    return static_cast<int>(static_cast<std::uint32_t>(a) + static_cast<std::uint32_t>(b));
}

constexpr std::array<const char*, 2> MissionStepKeys{"A_CurSteps", "B_CurSteps"};

} // namespace

StepCounters StepCounters::FromAppState()
{
    const SettingsValues& values = appState().values;
    StepCounters counters;
    counters.totalSteps = values.totalSteps;
    counters.totalPeriod = values.totalPeriod;
    for (std::size_t i = 0; i < 2; ++i) {
        counters.missionSteps[i] = values.missions[i].curSteps;
        counters.missionRunning[i] = values.missions[i].running();
    }
    counters.slightMoving = values.slightMoving;
    return counters;
}

void StepCounters::ApplyToAppState() const
{
    SettingsValues& values = appState().values;
    values.totalSteps = totalSteps;
    values.totalPeriod = totalPeriod;
    for (std::size_t i = 0; i < 2; ++i) {
        values.missions[i].curSteps = missionSteps[i];
    }
}

void StepCounters::AddSteps(int steps)
{
    totalSteps = WrappingAdd(totalSteps, steps);
}

void StepCounters::AddPeriod(int minutes)
{
    totalPeriod = WrappingAdd(totalPeriod, minutes);
}

void StepCounters::AddMissionSteps(int steps)
{
    for (std::size_t i = 0; i < 2; ++i) {
        if (missionRunning[i]) {
            missionSteps[i] = WrappingAdd(missionSteps[i], steps);
        }
    }
}

bool WriteCounters(const StepCounters& counters, const StepCounters& previous)
{
    struct Entry
    {
        const char* section;
        const char* key;
        int value;
        int previousValue;
    };
    std::vector<Entry> entries{
        {keys::Summary, "TotalSteps", counters.totalSteps, previous.totalSteps},
        {keys::Summary, "TotalPeriod", counters.totalPeriod, previous.totalPeriod},
    };
    for (std::size_t i = 0; i < 2; ++i) {
        if (counters.missionRunning[i]) {
            entries.push_back({keys::Mission, MissionStepKeys[i], counters.missionSteps[i],
                               previous.missionSteps[i]});
        }
    }
    for (std::size_t written = 0; written < entries.size(); ++written) {
        if (!WriteSettingInt(entries[written].section, entries[written].key,
                             entries[written].value)) {
            for (std::size_t undo = 0; undo < written; ++undo) {
                WriteSettingInt(entries[undo].section, entries[undo].key,
                                entries[undo].previousValue);
            }
            return false;
        }
    }
    return true;
}

bool SaveCounters()
{
    const StepCounters counters = StepCounters::FromAppState();
    return WriteCounters(counters, counters);
}

} // namespace trek
