// SPDX-License-Identifier: GPL-3.0-or-later
#include "goals/missionprogress.h"

#include "app/appstate.h"
#include "app/realtext.h"
#include "platform/systemservices.h"

#include <algorithm>
#include <cmath>

namespace trek {

namespace {

constexpr double SmallestTarget = 0.01;
// The settings file keeps a target in at most this many characters.
constexpr qsizetype LongestTargetText = 99;
// An exact hit must read 100 %, though 55 cm x 8,000 steps / 4.4 km comes out a hair below.
constexpr double HitTolerance = 1e-9;
constexpr double FullPercent = 100.0;

double Calories(int steps, int minutes, const MetricSettings& settings)
{
    if (minutes == 0) {
        return 0.0;
    }
    const double speedKmh = static_cast<double>(steps) * settings.stepSize * 0.0006 / minutes;
    return ComputeCalories(minutes, speedKmh, settings.weightGrams);
}

double RawProgress(const MissionValues& mission, const MetricSettings& settings)
{
    const double target = mission.goes;
    const double steps = mission.curSteps;
    switch (KindOfMode(mission.mode)) {
    case MissionKind::Steps:
        return steps * FullPercent / target;
    case MissionKind::Distance:
        // Centimetres over kilometres: x 100 for percent, / 100,000 for the units.
        return settings.stepSize * steps / target * 0.001;
    case MissionKind::Time:
        return mission.curPeriodM * FullPercent / (target * 60.0);
    case MissionKind::Calories:
        return Calories(mission.curSteps, mission.curPeriodM, settings) * FullPercent / target;
    }
    return 0.0;
}

} // namespace

MissionKind KindOfMode(int mode)
{
    return mode >= 0 && mode <= 3 ? static_cast<MissionKind>(mode) : MissionKind::Steps;
}

int MissionProgress(const MissionValues& mission, const MetricSettings& settings)
{
    if (!mission.running() || mission.goes == 0.0 || !std::isfinite(mission.goes)) {
        return 0;
    }
    const double raw = RawProgress(mission, settings);
    if (std::isnan(raw)) {
        return 0;
    }
    return static_cast<int>(std::trunc(std::clamp(raw + HitTolerance, 0.0, FullPercent)));
}

QString ShownTarget(MissionKind kind, double goes, int unitMode)
{
    const double shown = kind == MissionKind::Distance ? goes / UnitDivisor(unitMode) : goes;
    return QString::asprintf("%.3f", shown);
}

TypedTarget ReadTypedTarget(const QString& text, MissionKind kind, int unitMode)
{
    const double typed = RealFromText(text);
    const double goes = kind == MissionKind::Distance ? typed * UnitDivisor(unitMode) : typed;
    if (!std::isfinite(goes) || StoredTargetText(goes).size() > LongestTargetText) {
        return {TypedTarget::Verdict::TooLarge, 0.0};
    }
    if (std::abs(goes) < SmallestTarget) {
        return {TypedTarget::Verdict::TooSmall, 0.0};
    }
    if (goes < 0.0) {
        return {TypedTarget::Verdict::Negative, 0.0};
    }
    return {TypedTarget::Verdict::Accepted, goes};
}

QString StoredTargetText(double goes)
{
    return SettingKey<double>::Text(goes);
}

RunningTime RunningTimeSince(std::uint32_t startTick, std::uint32_t nowTick)
{
    // Unsigned subtraction is modulo 2^32, so a start before the counter wrapped still counts.
    const std::uint32_t elapsed = nowTick - startTick;
    const auto minutes = static_cast<int>(elapsed / 1000U / 60U);
    return {minutes / 1440, minutes / 60 % 24, minutes % 60};
}

std::uint32_t CurrentTick()
{
    const platform::SystemServices* system = appState().services.system;
    return system != nullptr ? system->missionClock() : 0;
}

} // namespace trek
