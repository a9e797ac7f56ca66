// SPDX-License-Identifier: GPL-3.0-or-later
#include "reports/stepmetrics.h"

#include "app/appstate.h"

namespace trek {

namespace {

constexpr double MetricDivisor = 1.0;
constexpr double ImperialDivisor = 1.6;

// Calorie bands by walking speed: factor and speed divisor.
struct CalorieBand
{
    double factor;
    double divisor;
};

CalorieBand BandOf(double speedKmh)
{
    if (speedKmh < 8.0) {
        return {0.1355, 8.0};
    }
    if (speedKmh < 12.0) {
        return {0.1797, 12.0};
    }
    return {0.1875, 15.0};
}

} // namespace

MetricSettings CurrentMetricSettings()
{
    const SettingsValues& values = appState().values;
    return {values.stepSize, values.weightGrams, values.unitMode, values.slightMoving};
}

double UnitDivisor(int unitMode)
{
    return IsImperial(unitMode) ? ImperialDivisor : MetricDivisor;
}

int IntervalMinutes(int firstMinute, int lastMinute)
{
    return lastMinute == firstMinute ? 1 : lastMinute - firstMinute;
}

int DayMinutes(int activeMinutes)
{
    return activeMinutes >= 2 ? activeMinutes - 1 : 1;
}

double DistanceMetres(double steps, int stepSize)
{
    // In floating point: a lifetime of steps times centimetres overflows 32 bits.
    return steps * stepSize * 0.01;
}

double SpeedKmh(double metres, int minutes)
{
    if (minutes == 1) {
        return metres * 0.06;
    }
    return metres * 60 / minutes * 0.001;
}

double Cadence(double steps, int minutes)
{
    return steps / 60 / minutes;
}

double ComputeCalories(double minutes, double speedKmh, int weightGrams)
{
    const double t = minutes > 0 ? minutes : 1.0;
    const CalorieBand band = BandOf(speedKmh);
    // The order of the operations is kept: the third decimal shown depends on it.
    return weightGrams * band.factor * t * speedKmh / band.divisor * 0.001;
}

StepFigures ComputeStepFigures(int steps, int minutes, const MetricSettings& settings)
{
    const double divisor = UnitDivisor(settings.unitMode);
    const double metres = DistanceMetres(steps, settings.stepSize);
    const double speed = SpeedKmh(metres, minutes);
    StepFigures figures;
    figures.cadence = Cadence(steps, minutes);
    figures.distance = metres * 0.001 / divisor;
    figures.speed = speed / divisor;
    figures.calories = ComputeCalories(minutes, speed, settings.weightGrams);
    return figures;
}

double HourCalories(int hourSteps, const MetricSettings& settings)
{
    return ComputeCalories(60, static_cast<double>(hourSteps) * settings.stepSize * 0.00001,
                           settings.weightGrams);
}

// QString::asprintf formats numbers the C way whatever the locale, as a list cell must read.
QString FormatRowNumber(int number)
{
    return QString::asprintf("   %d", number);
}

QString FormatSteps(int steps)
{
    return QString::asprintf("%d   ", steps);
}

QString FormatCadence(double value)
{
    return QString::asprintf("%.2f   ", value);
}

QString FormatFigure(double value)
{
    return QString::asprintf("%.3f   ", value);
}

double Rounded(double value, int decimals)
{
    // Through the page's own "%.Nf", so that the two never differ in the last place.
    return QString::asprintf("%.*f", decimals, value).toDouble();
}

} // namespace trek
