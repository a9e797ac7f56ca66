// SPDX-License-Identifier: GPL-3.0-or-later
#include "reports/lifetimesummary.h"

#include "app/appstate.h"
#include "app/currentlanguage.h"

namespace trek {

namespace {

QString Caption(TextRow row)
{
    return GetLangText(row) + u':';
}

QString Distance(double distance, const MetricSettings& settings)
{
    return QString::asprintf(IsImperial(settings.unitMode) ? "%9.3f Miles" : "%9.3f Km", distance);
}

QString Time(int minutes)
{
    return QString::asprintf("%d ", minutes / 1440) + GetLangText(TextRow::DaysUnit) +
           QString::asprintf(" %d ", minutes / 60 % 24) + GetLangText(TextRow::HoursUnit) +
           QString::asprintf(" %d ", minutes % 60) + GetLangText(TextRow::MinutesUnit);
}

} // namespace

LifetimeFigures ComputeLifetimeFigures(int totalSteps, int totalMinutes,
                                       const MetricSettings& settings)
{
    // One product each, in floating point: steps times centimetres overflows 32 bits.
    const double centimetres = static_cast<double>(totalSteps) * settings.stepSize;
    LifetimeFigures figures{totalSteps, 0.0, totalMinutes, 0.0};
    figures.distance =
        IsImperial(settings.unitMode) ? centimetres * 0.00000625 : centimetres * 0.00001;
    if (totalMinutes != 0) {
        const double speed = centimetres * 0.0006 / totalMinutes;
        figures.calories = ComputeCalories(totalMinutes, speed, settings.weightGrams);
    }
    return figures;
}

LifetimeFigures CurrentLifetimeFigures()
{
    const SettingsValues& values = appState().values;
    return ComputeLifetimeFigures(values.totalSteps, values.totalPeriod, CurrentMetricSettings());
}

std::array<SummaryLine, 4> LifetimeSummary(int totalSteps, int totalMinutes,
                                           const MetricSettings& settings)
{
    const LifetimeFigures figures = ComputeLifetimeFigures(totalSteps, totalMinutes, settings);
    return {{{Caption(TextRow::TotalSteps), QString::asprintf("%d", totalSteps)},
             {Caption(TextRow::TotalDistance), Distance(figures.distance, settings)},
             {Caption(TextRow::TotalTime), Time(totalMinutes)},
             {Caption(TextRow::TotalKcal), QString::asprintf("%9.3f KCal", figures.calories)}}};
}

std::array<SummaryLine, 4> CurrentLifetimeSummary()
{
    const SettingsValues& values = appState().values;
    return LifetimeSummary(values.totalSteps, values.totalPeriod, CurrentMetricSettings());
}

} // namespace trek
