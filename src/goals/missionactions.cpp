// SPDX-License-Identifier: GPL-3.0-or-later
#include "goals/missionactions.h"

#include "app/appstate.h"
#include "app/settingstable.h"
#include "goals/missionprogress.h"

#include <array>

namespace trek {

namespace {

struct MissionKeys
{
    const char* mode;
    const char* status;
    const char* goes;
    const char* curSteps;
    const char* curPeriodM;
    const char* startTime;
};

constexpr std::array<MissionKeys, MissionCount> Keys{{
    {"A_Mode", "A_Status", "A_Goes", "A_CurSteps", "A_CurPeriodM", "A_StartTime"},
    {"B_Mode", "B_Status", "B_Goes", "B_CurSteps", "B_CurPeriodM", "B_StartTime"},
}};

QString Number(int value)
{
    return QString::number(value);
}

// The tick is stored as a signed 32-bit number ("%d").
QString TickText(std::uint32_t tick)
{
    return Number(static_cast<int>(tick));
}

} // namespace

Result<> StartMission(int mission, int mode, double goes, std::uint32_t tick)
{
    const MissionKeys& names = Keys.at(static_cast<std::size_t>(mission));
    // The counters start from 0 here too, not only at Stop: steps a finished journal added to
    // the stopped mission after its Stop must not count towards the new one.
    Result<> written = WriteSettings({{keys::Mission, names.curSteps, Number(0)},
                                      {keys::Mission, names.curPeriodM, Number(0)},
                                      {keys::Mission, names.mode, Number(mode)},
                                      {keys::Mission, names.status, Number(1)},
                                      {keys::Mission, names.goes, StoredTargetText(goes)},
                                      {keys::Mission, names.startTime, TickText(tick)}});
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
    const MissionKeys& names = Keys.at(static_cast<std::size_t>(mission));
    MissionValues& values = appState().values.missions.at(static_cast<std::size_t>(mission));
    Result<> written =
        WriteSettings({{keys::Mission, names.curSteps, Number(0)},
                       {keys::Mission, names.curPeriodM, Number(0)},
                       {keys::Mission, names.mode, Number(values.mode)},
                       {keys::Mission, names.status, Number(0)},
                       {keys::Mission, names.goes, StoredTargetText(0.0)},
                       {keys::Mission, names.startTime, TickText(values.startTime)}});
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
