// SPDX-License-Identifier: GPL-3.0-or-later
#include "data/stepcounters.h"

#include "app/appstate.h"
#include "app/settingstable.h"

#include <cstdint>
#include <vector>

namespace trek {

namespace {

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
    const setting::MissionKeys& keys = setting::Missions.at(mission);
    return {keys.status.Read() != 0, keys.startTime.Read()};
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
    const auto add = [&changes](const SettingKey<int>& key, int addition) {
        if (addition != 0) {
            const int now = key.Read();
            changes.push_back({QString::fromLatin1(key.section()), QString::fromLatin1(key.name()),
                               now, WrappingAdd(now, addition)});
        }
    };
    add(setting::TotalSteps, additions.totalSteps);
    add(setting::TotalPeriod, additions.totalPeriod);
    for (std::size_t i = 0; i < 2; ++i) {
        const MissionRun began{additions.missionRunning.at(i), additions.missionStartTime.at(i)};
        // Stopped meanwhile, or stopped and started anew: the steps belong to no running mission.
        if (began.running && ReadMissionRun(i) == began) {
            add(setting::Missions.at(i).curSteps, additions.missionSteps.at(i));
            add(setting::Missions.at(i).curPeriodM, additions.missionMinutes.at(i));
        }
    }
    return changes;
}

void ReloadCounters()
{
    SettingsValues& values = appState().values;
    values.totalSteps = setting::TotalSteps.Read();
    values.totalPeriod = setting::TotalPeriod.Read();
    for (std::size_t i = 0; i < 2; ++i) {
        values.missions.at(i).curSteps = setting::Missions.at(i).curSteps.Read();
        values.missions.at(i).curPeriodM = setting::Missions.at(i).curPeriodM.Read();
    }
}

} // namespace trek
