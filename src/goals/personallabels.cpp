// SPDX-License-Identifier: GPL-3.0-or-later
#include "goals/personallabels.h"

#include "app/appstate.h"
#include "app/currentlanguage.h"
#include "reports/stepmetrics.h"

namespace trek {

namespace {

namespace row {
constexpr int Height = 1;
constexpr int Weight = 2;
constexpr int StepSize = 3;
constexpr int Birthday = 9;
constexpr int Save = 41;
constexpr int MetricUnits = 133;
constexpr int ImperialUnits = 134;
constexpr int Pound = 135;
constexpr int Inch = 136;
constexpr int Feet = 137;
} // namespace row

} // namespace

PersonalLabels CurrentPersonalLabels(int unitMode)
{
    // The Simplified Chinese interface has unit words of its own.
    const int kilogram = UnitBlockRow(appState().language);
    const QString centimetre = GetLangText(kilogram + 1);
    const bool imperial = IsImperial(unitMode);
    PersonalLabels labels;
    labels.birthday = GetLangText(row::Birthday);
    labels.height = GetLangText(row::Height);
    labels.heightUnit = centimetre;
    labels.feetUnit = GetLangText(row::Feet);
    labels.inchUnit = GetLangText(row::Inch);
    labels.weight = GetLangText(row::Weight);
    labels.weightUnit = GetLangText(imperial ? row::Pound : kilogram);
    labels.step = GetLangText(row::StepSize);
    labels.stepUnit = imperial ? GetLangText(row::Inch) : centimetre;
    labels.metric = GetLangText(row::MetricUnits);
    labels.imperial = GetLangText(row::ImperialUnits);
    labels.save = GetLangText(row::Save);
    return labels;
}

} // namespace trek
