// SPDX-License-Identifier: GPL-3.0-or-later
#include "data/stepcounters.h"

#include "app/appstate.h"
#include "app/settingstable.h"

#include <cstdint>
#include <vector>

namespace trek {

namespace {

constexpr std::array<const char*, 2> MissionStepKeys{"A_CurSteps", "B_CurSteps"};
constexpr std::array<const char*, 2> MissionMinuteKeys{"A_CurPeriodM", "B_CurPeriodM"};
constexpr std::array<const char*, 2> MissionStatusKeys{"A_Status", "B_Status"};
constexpr std::array<const char*, 2> MissionStartKeys{"A_StartTime", "B_StartTime"};

struct MissionRun
{
    bool running = false;
    int startTime = 0;
    bool operator==(const MissionRun&) const = default;
};

// A missing start time reads as 0 here, not as the tick of the moment: two readings of the
// same file must name the same run.
MissionRun ReadMissionRun(std::size_t mission)
{
    return {ReadSettingInt(keys::Mission, MissionStatusKeys.at(mission), 0) != 0,
            ReadSettingInt(keys::Mission, MissionStartKeys.at(mission), 0)};
}

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
    StepCounters counters;
    for (std::size_t i = 0; i < 2; ++i) {
        const MissionRun run = ReadMissionRun(i);
        counters.missionRunning.at(i) = run.running;
        counters.missionStartTime.at(i) = run.startTime;
    }
    counters.slightMoving = appState().values.slightMoving;
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

void StepCounters::AddMissionSteps(int steps, int minutes)
{
    for (std::size_t i = 0; i < 2; ++i) {
        if (missionRunning.at(i)) {
            missionSteps.at(i) = WrappingAdd(missionSteps.at(i), steps);
            missionMinutes.at(i) = WrappingAdd(missionMinutes.at(i), minutes);
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
        const MissionRun began{additions.missionRunning.at(i), additions.missionStartTime.at(i)};
        // Stopped meanwhile, or stopped and started anew: the steps belong to no running mission.
        if (began.running && ReadMissionRun(i) == began) {
            add(keys::Mission, MissionStepKeys.at(i), additions.missionSteps.at(i));
            add(keys::Mission, MissionMinuteKeys.at(i), additions.missionMinutes.at(i));
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
        values.missions.at(i).curSteps = ReadSettingInt(keys::Mission, MissionStepKeys.at(i), 0);
        values.missions.at(i).curPeriodM =
            ReadSettingInt(keys::Mission, MissionMinuteKeys.at(i), 0);
    }
}

} // namespace trek
