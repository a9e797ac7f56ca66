// SPDX-License-Identifier: GPL-3.0-or-later
#include "trends/dailygoal.h"

#include "app/appstate.h"
#include "app/settingstable.h"

#include <QDir>
#include <algorithm>

namespace trek {

int ReadDailyGoal()
{
    return std::clamp(setting::DailyGoal.Read(), DailyGoalSteps.least, DailyGoalSteps.most);
}

Result<> WriteDailyGoal(int steps)
{
    if (const Result<> written = setting::DailyGoal.Write(steps); !written) {
        return fail(QStringLiteral("The daily goal could not be written to %1: %2")
                        .arg(QDir::toNativeSeparators(appState().settingsPath), written.error()));
    }
    return {};
}

Result<int> ReadTypedDailyGoal(const QString& typed, const QString& field, const QString& unit)
{
    bool whole = false;
    const int steps = typed.trimmed().toInt(&whole);
    // Anything but a whole number is refused with the sentence of a number out of range: the
    // bounds are what the person needs to know.
    const int checked = whole ? steps : DailyGoalSteps.least - 1;
    if (const Result<> inRange = CheckWhole(checked, DailyGoalSteps, field, unit); !inRange) {
        return fail(inRange.error());
    }
    return steps;
}

} // namespace trek
