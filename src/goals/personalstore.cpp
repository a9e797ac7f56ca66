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

QString Number(int value)
{
    return QString::number(value);
}

} // namespace

PersonalValues CurrentPersonalValues()
{
    const SettingsValues& held = appState().values;
    return {held.birthday, held.height, held.weightGrams, held.stepSize};
}

Result<> StorePersonalValues(const PersonalValues& values)
{
    Result<> written = WriteSettings({{keys::Personal, "Birthday", Number(values.birthday)},
                                      {keys::Personal, "Height", Number(values.height)},
                                      {keys::Personal, "Weight_g", Number(values.weightGrams)},
                                      {keys::Personal, "StepSize", Number(values.stepSize)}});
    if (written) {
        Remember(values);
    }
    return written;
}

Result<> StorePersonalValues(const PersonalValues& values, int unitMode)
{
    Result<> written = WriteSettings({{keys::Current, "UnitMode", Number(unitMode)},
                                      {keys::Personal, "Birthday", Number(values.birthday)},
                                      {keys::Personal, "Height", Number(values.height)},
                                      {keys::Personal, "Weight_g", Number(values.weightGrams)},
                                      {keys::Personal, "StepSize", Number(values.stepSize)}});
    if (written) {
        Remember(values);
        appState().values.unitMode = unitMode;
    }
    return written;
}

Result<> StoreUnitMode(int unitMode)
{
    Result<> written = WriteSettings({{keys::Current, "UnitMode", Number(unitMode)}});
    if (written) {
        appState().values.unitMode = unitMode;
    }
    return written;
}

} // namespace trek
