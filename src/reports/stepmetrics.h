// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace trek {

// What the figures derived from step counts depend on besides the counts themselves.
struct MetricSettings
{
    int stepSize = 0; // cm
    int weightGrams = 0;
    int unitMode = 0;     // 0 metric, anything else imperial
    int slightMoving = 0; // steps per minute that a wearer sitting still still makes
};

// The values of the settings file as the program holds them now.
MetricSettings CurrentMetricSettings();

// Imperial units are any non-zero unit mode, on every page and in every figure.
inline bool IsImperial(int unitMode)
{
    return unitMode != 0;
}

// Kilometres per shown unit: 1.0 in metric mode, 1.6 in imperial mode. The store and the calorie
// formula stay metric; only what is shown is divided.
double UnitDivisor(int unitMode);

// A minute counts as walking only above the slight-movement threshold; below it the wristband
// was merely shaken.
inline int EffectiveSteps(int slot, int slightMoving)
{
    return slot > slightMoving ? slot : 0;
}

// Minutes an activity interval lasts, counted between its first and last minute: a lone minute
// lasts one.
int IntervalMinutes(int firstMinute, int lastMinute);
// Minutes a day with `activeMinutes` walking minutes lasts, by the same count.
int DayMinutes(int activeMinutes);

double DistanceMetres(double steps, int stepSize);
// Kilometres per hour over `metres` walked in `minutes`.
double SpeedKmh(double metres, int minutes);
// Steps per second.
double Cadence(double steps, int minutes);
// Kilocalories burnt walking `minutes` at `speedKmh` by a wearer of `weightGrams`.
double ComputeCalories(double minutes, double speedKmh, int weightGrams);

// The four figures of a list row; distance and speed in the shown unit.
struct StepFigures
{
    double cadence = 0.0;
    double distance = 0.0;
    double speed = 0.0;
    double calories = 0.0;
};

// Figures of `steps` walked in `minutes` (the interval's or day's duration, which also feeds the
// calorie formula).
StepFigures ComputeStepFigures(int steps, int minutes, const MetricSettings& settings);

// Kilocalories of the busiest hour the chart's right axis reaches: `hourSteps` walked in 60
// minutes.
double HourCalories(int hourSteps, const MetricSettings& settings);

// List cells. The blanks set the text off the column edge and are part of the text.
QString FormatRowNumber(int number); // "   %d"
QString FormatSteps(int steps);      // "%d   "
QString FormatCadence(double value); // "%.2f   "
QString FormatFigure(double value);  // "%.3f   ": distance, speed and calories

// A figure a page shows with `decimals` places, as that number rather than its binary
// neighbour, so that a script reads what a person reads.
double Rounded(double value, int decimals);

} // namespace trek
