// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/settingstable.h"

#include "app/appstate.h"
#include "app/currentlanguage.h"
#include "platform/systemservices.h"

#include <algorithm>
#include <limits>

namespace trek {

namespace {

std::uint32_t currentTick()
{
    const platform::SystemServices* system = appState().services.system;
    return system != nullptr ? system->missionClock() : 0;
}

// "Weight" held kilograms before "Weight_g" held grams; a huge old value must not overflow.
int gramsFromKilograms(int kilograms)
{
    const qint64 grams = qint64(kilograms) * 1000;
    return static_cast<int>(std::clamp<qint64>(grams, std::numeric_limits<int>::min(),
                                               std::numeric_limits<int>::max()));
}

MissionValues readMission(const setting::MissionKeys& keys)
{
    MissionValues mission;
    mission.mode = keys.mode.Read();
    mission.status = keys.status.Read();
    mission.goes = keys.goes.Read();
    mission.curSteps = keys.curSteps.Read();
    mission.curPeriodM = keys.curPeriodM.Read();
    // The tick is stored as a signed 32-bit number; the cast gives the counter value back.
    mission.startTime =
        static_cast<std::uint32_t>(keys.startTime.Read(static_cast<int>(currentTick())));
    return mission;
}

} // namespace

void ReadLanguageSetting()
{
    const platform::SystemServices* system = appState().services.system;
    const int localeDefault =
        DefaultLanguageForLocale(system != nullptr ? system->localeAbbreviation() : QString());
    appState().language = setting::Language.Read(localeDefault);
}

void ReadStartSettings()
{
    SettingsValues& values = appState().values;
    values.enableUpgrade = setting::EnableUpgrade.Read();
    values.autoConfirm = setting::AutoConfirm.Read();
    values.displayMode = setting::DisplayMode.Read();
    values.unitMode = setting::UnitMode.Read();
    values.totalSteps = setting::TotalSteps.Read();
    values.totalPeriod = setting::TotalPeriod.Read();
    values.birthday = setting::Birthday.Read();
    values.height = setting::Height.Read();
    values.weightGrams = setting::WeightGrams.Read();
    if (values.weightGrams == 0) {
        values.weightGrams = gramsFromKilograms(setting::WeightKilograms.Read());
    }
    values.stepSize = setting::StepSize.Read();
    values.missions[0] = readMission(setting::Missions[0]);
    values.missions[1] = readMission(setting::Missions[1]);
    values.slightMoving = setting::SlightMoving.Read();
}

Result<> WriteStartSettings()
{
    const AppState& state = appState();
    const SettingsValues& values = state.values;
    return WriteSettings({
        setting::Language.Entry(state.language),
        setting::EnableUpgrade.Entry(values.enableUpgrade),
        setting::AutoConfirm.Entry(values.autoConfirm),
        setting::UnitMode.Entry(values.unitMode),
        setting::TotalSteps.Entry(values.totalSteps),
        setting::TotalPeriod.Entry(values.totalPeriod),
        setting::Birthday.Entry(values.birthday),
        setting::Height.Entry(values.height),
        setting::WeightGrams.Entry(values.weightGrams),
        setting::StepSize.Entry(values.stepSize),
        setting::SlightMoving.Entry(values.slightMoving),
    });
}

} // namespace trek
