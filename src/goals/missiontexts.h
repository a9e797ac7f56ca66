// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "goals/missionprogress.h"

#include <QString>

namespace trek {

// The texts of the missions tab in the interface language. `mission` is 0 for A and 1 for B.

// "Mission/Target": the tab's name, also of its picture.
QString MissionsName();
// "Mission/Target-A": the frame of a mission.
QString MissionTitle(int mission);
// "Steps", "Distances", "Times", "KCals".
QString MissionKindText(MissionKind kind);
// "Target Steps", "Target Distance(Km)" or "(Mile)", "Target Time(Hours)", "Target
// Calorie(KCal)".
QString TargetCaption(MissionKind kind, int unitMode);
// The refusal of a negative target, naming the target by its caption.
QString NegativeTargetText(MissionKind kind, int unitMode);
QString StartText();
QString StopText();
// "25 % Compeleted".
QString ProgressText(int percent);
// "Running 1 Days 2 Hours 3 Minutes".
QString RunningText(const RunningTime& time);
// Title and text of the completion box.
QString CompletionTitle();
QString CompletionText(int mission);

} // namespace trek
