// SPDX-License-Identifier: GPL-3.0-or-later
#include "goals/personalstore.h"

#include "app/appstate.h"
#include "app/settingstable.h"

namespace trek {

namespace {

void Remember(const PersonalValues& values)
{
    SettingsValues& held = appState().values;
    held.birthday = values.birthday;
    held.height = values.height;
    held.weightGrams = values.weightGrams;
    held.stepSize = values.stepSize;
}

} // namespace

PersonalValues CurrentPersonalValues()
{
    const SettingsValues& held = appState().values;
    return {held.birthday, held.height, held.weightGrams, held.stepSize};
}

Result<> StorePersonalValues(const PersonalValues& values)
{
    Result<> written = WriteSettings(
        {setting::Birthday.Entry(values.birthday), setting::Height.Entry(values.height),
         setting::WeightGrams.Entry(values.weightGrams), setting::StepSize.Entry(values.stepSize)});
    if (written) {
        Remember(values);
    }
    return written;
}

Result<> StorePersonalValues(const PersonalValues& values, int unitMode)
{
    Result<> written = WriteSettings(
        {setting::UnitMode.Entry(unitMode), setting::Birthday.Entry(values.birthday),
         setting::Height.Entry(values.height), setting::WeightGrams.Entry(values.weightGrams),
         setting::StepSize.Entry(values.stepSize)});
    if (written) {
        Remember(values);
        appState().values.unitMode = unitMode;
    }
    return written;
}

Result<> StoreUnitMode(int unitMode)
{
    Result<> written = WriteSettings({setting::UnitMode.Entry(unitMode)});
    if (written) {
        appState().values.unitMode = unitMode;
    }
    return written;
}

} // namespace trek
