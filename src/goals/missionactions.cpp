// SPDX-License-Identifier: GPL-3.0-or-later
#include "goals/missionactions.h"

#include "app/appstate.h"
#include "app/settingstable.h"

namespace trek {

namespace {

const setting::MissionKeys& KeysOf(int mission)
{
    return setting::Missions.at(static_cast<std::size_t>(mission));
}

// The tick is stored as a signed 32-bit number ("%d").
int StoredTick(std::uint32_t tick)
{
    return static_cast<int>(tick);
}

} // namespace

Result<> StartMission(int mission, int mode, double goes, std::uint32_t tick)
{
    const setting::MissionKeys& keys = KeysOf(mission);
    // The counters start from 0 here too, not only at Stop: steps a finished journal added to
    // the stopped mission after its Stop must not count towards the new one.
    Result<> written = WriteSettings(
        {keys.curSteps.Entry(0), keys.curPeriodM.Entry(0), keys.mode.Entry(mode),
         keys.status.Entry(1), keys.goes.Entry(goes), keys.startTime.Entry(StoredTick(tick))});
    if (!written) {
        return written;
    }
    MissionValues& values = appState().values.missions.at(static_cast<std::size_t>(mission));
    values.mode = mode;
    values.status = 1;
    values.goes = goes;
    values.curSteps = 0;
    values.curPeriodM = 0;
    values.startTime = tick;
    return Result<>{};
}

Result<> StopMission(int mission)
{
    const setting::MissionKeys& keys = KeysOf(mission);
    MissionValues& values = appState().values.missions.at(static_cast<std::size_t>(mission));
    Result<> written =
        WriteSettings({keys.curSteps.Entry(0), keys.curPeriodM.Entry(0),
                       keys.mode.Entry(values.mode), keys.status.Entry(0), keys.goes.Entry(0.0),
                       keys.startTime.Entry(StoredTick(values.startTime))});
    if (!written) {
        return written;
    }
    values.status = 0;
    values.goes = 0.0;
    values.curSteps = 0;
    values.curPeriodM = 0;
    return Result<>{};
}

} // namespace trek
