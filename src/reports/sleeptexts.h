// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "reports/sleepanalysis.h"

#include <QString>

namespace trek {

// "2024-3-5 Sleep Quaility ..." in the current language; the operator's hidden gesture adds
// "(DEBUG)" straight after the dots.
QString SleepTitle(QDate date, bool debug);

// The four figures of a night as numbers: the times in minutes from the selected day's
// midnight (past 1440 on the next day).
struct SleepFigures
{
    int fallAsleepMinute = 0;
    int wakeMinute = 0; // the sleeper is up at the end of the last calm minute
    int sleptMinutes = 0;
    int efficiency = 0; // percent
};
SleepFigures ComputeSleepFigures(const SleepAnalysis& analysis, const SleepWindow& window);

// The four figures over the chart, each a value and its caption on a second line.
struct SleepFigureTexts
{
    QString fallAsleep; // "23:40\nBad Time"
    QString wake;       // "07:12\nAwake Time"
    QString sleepTime;  // "07:31\nSleep Time", hours not reduced to a day
    QString efficiency; // "93%\nEfficiency"
};
SleepFigureTexts FormatSleepFigures(const SleepAnalysis& analysis, const SleepWindow& window);

// The chart's dates under its two ends, " 3/05": the selected day, and at the right end the day
// after it once the window reaches midnight.
struct SleepDateLabels
{
    QString start;
    QString end;
};
SleepDateLabels SleepChartDates(const SleepPlace& place);

// "Awake", "Sleep", "Deep-Sleep" in the current language.
QString SleepClassName(SleepClass sleepClass);

// "HH:MM" of a minute of a day counted from its midnight; the day's end, 1440, reads "24:00".
QString MinuteClock(int minute);

// "2024-03-05T23:40": `minute` counted from the midnight that begins `day`, the next days
// included.
QString IsoMinute(QDate day, int minute);

// "HH:MM" of window minute k, the hours past midnight reduced to the day.
QString SleepClockText(const SleepWindow& window, int minute);

} // namespace trek
