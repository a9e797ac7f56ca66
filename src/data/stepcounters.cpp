#include "data/stepcounters.h"

#include "app/appstate.h"
#include "app/settingstable.h"

#include <cstdint>
#include <vector>

namespace trek {

namespace {

constexpr std::array<const char*, 2> MissionStepKeys{"A_CurSteps", "B_CurSteps"};

} // namespace

int WrappingAdd(int a, int b)
{
    return static_cast<int>(static_cast<std::uint32_t>(a) + static_cast<std::uint32_t>(b));
}

int WrappingSubtract(int a, int b)
{
    return static_cast<int>(static_cast<std::uint32_t>(a) - static_cast<std::uint32_t>(b));
}

StepCounters StepCounters::ForReading()
{
    const SettingsValues& values = appState().values;
    StepCounters counters;
    for (std::size_t i = 0; i < 2; ++i) {
        counters.missionRunning[i] = values.missions[i].running();
    }
    counters.slightMoving = values.slightMoving;
    return counters;
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

std::vector<CounterChange> CounterChanges(const StepCounters& additions)
{
    std::vector<CounterChange> changes;
    const auto add = [&changes](const char* section, const char* key, int addition) {
        if (addition != 0) {
            const int now = ReadSettingInt(section, key, 0);
            changes.push_back({QString::fromLatin1(section), QString::fromLatin1(key), now,
                               WrappingAdd(now, addition)});
        }
    };
    add(keys::Summary, "TotalSteps", additions.totalSteps);
    add(keys::Summary, "TotalPeriod", additions.totalPeriod);
    for (std::size_t i = 0; i < 2; ++i) {
        if (additions.missionRunning[i]) {
            add(keys::Mission, MissionStepKeys[i], additions.missionSteps[i]);
        }
    }
    return changes;
}

void ReloadCounters()
{
    SettingsValues& values = appState().values;
    values.totalSteps = ReadSettingInt(keys::Summary, "TotalSteps", 0);
    values.totalPeriod = ReadSettingInt(keys::Summary, "TotalPeriod", 0);
    for (std::size_t i = 0; i < 2; ++i) {
        values.missions[i].curSteps = ReadSettingInt(keys::Mission, MissionStepKeys[i], 0);
    }
}

} // namespace trek
