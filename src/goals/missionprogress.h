// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/settingstable.h"
#include "reports/stepmetrics.h"

#include <QString>
#include <cstdint>

namespace trek {

inline constexpr int MissionCount = 2; // A and B

// Kind of a mission's target, as "A_Mode" / "B_Mode" store it.
enum class MissionKind : int { Steps = 0, Distance = 1, Time = 2, Calories = 3 };

// A stored mode outside the four kinds (a hand-edited file) is a steps mission.
MissionKind KindOfMode(int mode);

// Percent of the target reached, 0 to 100. Always 0 for a stopped mission and for a target of 0.
// Targets are stored in metric units (steps, km, hours, kcal), so the unit mode plays no part.
int MissionProgress(const MissionValues& mission, const MetricSettings& settings);

// The target as its edit box shows it ("%.3f"): a distance in miles in imperial mode, every
// other kind as stored.
QString ShownTarget(MissionKind kind, double goes, int unitMode);

// What a typed target comes to.
struct TypedTarget
{
    enum class Verdict {
        Accepted,
        TooSmall, // empty, no number, or closer to 0 than 0.01: the mission does not start
        Negative, // below 0 by 0.01 or more: no mission, and the person is told why
        TooLarge, // not finite, or too long for the settings file's text
    };
    Verdict verdict = Verdict::TooSmall;
    double goes = 0.0; // the stored target (kilometres for a distance) when accepted
};

// The leading number of `text`, converted to kilometres for a distance typed in miles.
TypedTarget ReadTypedTarget(const QString& text, MissionKind kind, int unitMode);
// A target as the settings file stores it ("%f").
QString StoredTargetText(double goes);

// Time since a mission's start, from the mission clock, which wraps at 2^32.
struct RunningTime
{
    int days = 0;
    int hours = 0;
    int minutes = 0;
};
RunningTime RunningTimeSince(std::uint32_t startTick, std::uint32_t nowTick);

// The mission clock now (0 without system services).
std::uint32_t CurrentTick();

} // namespace trek
