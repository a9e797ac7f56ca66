#include "reports/lifetimesummary.h"

#include "app/appstate.h"
#include "app/currentlanguage.h"

namespace trek {

namespace {

namespace row {
constexpr int TotalSteps = 34;
constexpr int TotalDistance = 35;
constexpr int TotalTime = 36;
constexpr int TotalCalories = 37;
constexpr int Days = 38;
constexpr int Hours = 39;
constexpr int Minutes = 40;
} // namespace row

QString Caption(int row)
{
    return GetLangText(row) + u':';
}

QString Distance(int totalSteps, const MetricSettings& settings)
{
    // One product each, in floating point: steps times centimetres overflows 32 bits.
    if (!IsImperial(settings.unitMode)) {
        return QString::asprintf("%9.3f Km",
                                 static_cast<double>(totalSteps) * settings.stepSize * 0.00001);
    }
    return QString::asprintf("%9.3f Miles",
                             static_cast<double>(totalSteps) * settings.stepSize * 0.00000625);
}

QString Time(int minutes)
{
    return QString::asprintf("%d ", minutes / 1440) + GetLangText(row::Days) +
           QString::asprintf(" %d ", minutes / 60 % 24) + GetLangText(row::Hours) +
           QString::asprintf(" %d ", minutes % 60) + GetLangText(row::Minutes);
}

QString Calories(int totalSteps, int minutes, const MetricSettings& settings)
{
    double calories = 0.0;
    if (minutes != 0) {
        const double speed = static_cast<double>(totalSteps) * settings.stepSize * 0.0006 / minutes;
        calories = ComputeCalories(minutes, speed, settings.weightGrams);
    }
    return QString::asprintf("%9.3f KCal", calories);
}

} // namespace

std::array<SummaryLine, 4> LifetimeSummary(int totalSteps, int totalMinutes,
                                           const MetricSettings& settings)
{
    return {{{Caption(row::TotalSteps), QString::asprintf("%d", totalSteps)},
             {Caption(row::TotalDistance), Distance(totalSteps, settings)},
             {Caption(row::TotalTime), Time(totalMinutes)},
             {Caption(row::TotalCalories), Calories(totalSteps, totalMinutes, settings)}}};
}

std::array<SummaryLine, 4> CurrentLifetimeSummary()
{
    const SettingsValues& values = appState().values;
    return LifetimeSummary(values.totalSteps, values.totalPeriod, CurrentMetricSettings());
}

} // namespace trek
