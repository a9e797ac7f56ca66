// SPDX-License-Identifier: GPL-3.0-or-later
#include "goals/personallabels.h"

#include "app/currentlanguage.h"
#include "reports/stepmetrics.h"

namespace trek {

PersonalLabels CurrentPersonalLabels(int unitMode)
{
    // Each language labels metric values with the unit words of its own block.
    const TextRow kilogram = CurrentLanguage().unitBlock;
    const QString centimetre = GetLangText(RowAfter(kilogram, 1));
    const bool imperial = IsImperial(unitMode);
    PersonalLabels labels;
    labels.birthday = GetLangText(TextRow::Birthday);
    labels.height = GetLangText(TextRow::Height);
    labels.heightUnit = centimetre;
    labels.feetUnit = GetLangText(TextRow::Feet);
    labels.inchUnit = GetLangText(TextRow::Inch);
    labels.weight = GetLangText(TextRow::Weight);
    labels.weightUnit = GetLangText(imperial ? TextRow::Pound : kilogram);
    labels.step = GetLangText(TextRow::StepSize);
    labels.stepUnit = imperial ? GetLangText(TextRow::Inch) : centimetre;
    labels.metric = GetLangText(TextRow::MetricUnits);
    labels.imperial = GetLangText(TextRow::ImperialUnits);
    labels.save = GetLangText(TextRow::Save);
    return labels;
}

} // namespace trek
