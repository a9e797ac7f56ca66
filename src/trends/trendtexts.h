// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QtGlobal>

namespace trek {

// The texts of the trends, beside the program's text table and in its three languages. Fields
// are printf-style "%s", filled in order by FillText; every language keeps them in that order.
enum class TrendText {
    Title,
    OpenButton,
    StepsFrame,
    LastDays,
    DailyGoal,
    SetGoal,
    StepsUnit,
    Average,
    PerDay,
    BestDay,
    GoalDays,
    OutOf,
    CurrentRun,
    LongestRun,
    DayCount,
    OneDay,
    TotalSteps,
    Distance,
    Calories,
    Kilometres,
    Miles,
    KiloCalories,
    SleepFrame,
    LastNights,
    AverageSleep,
    AverageEfficiency,
    NightsWorn,
    SaveCsv,
    SavePicture,
    WeekAverage,
    Goal,
    AtGoal,
    BelowGoal,
    Efficiency,
    StepsAxis,
    SleepAxis,
    DaysAxis,
    WeeksAxis,
    NightsAxis,
    StepsSummary,
    NoStepsSummary,
    SleepSummary,
    NoSleepSummary,
    NotSaved,
    CsvFiles,
    PngFiles,
};

// The text in the interface language of appState().
QString TrendLangText(TrendText text);
// "%s days" with the number, or "1 day".
QString DayCountText(qint64 days);

} // namespace trek
