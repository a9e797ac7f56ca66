// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "reports/sleepmoves.h"

#include <vector>

namespace trek {

namespace platform {
class ProcessRandom;
}

// The 30 minutes before a window fill the running sum before its first depth value.
inline constexpr int SleepLeadMinutes = 30;

// The step counts one analysis reads: minute W - 30 + i of the night for i = 0 to N + 30, where W
// is the window's first minute and N its length in minutes. Minutes before the month's first
// minute (a window from 00:00 on the 1st) have no record at all: the first `outsideStore`
// entries are skipped, not counted as quiet.
struct SleepNight
{
    SleepPlace place;
    std::vector<int> steps;
    int outsideStore = 0;
};

// Depth 500 and above is awake, 150 to 499 sleep, below 150 deep sleep; the chart's bars take
// the same classes.
enum class SleepClass { Awake, Sleep, DeepSleep };
SleepClass ClassifyDepth(int depth);

// The depth value of each window minute k = 0 to N and what the night's figures are made of.
struct SleepAnalysis
{
    std::vector<int> depth;
    int onset = 0; // minute k the sleeper fell asleep (0: never)
    int wake = 0;  // last calm minute k before the sleeper got up
    int deepMinutes = 0;
    int lightMinutes = 0;
    int efficiency = 0; // percent
};

// Each depth value is the mean log activity of the 30 minutes up to the minute with a small
// random wobble on top; the wobble draws one number from `random` for every minute read, so
// callers pass the process-wide generator and an analysis repeated in a fresh process comes out
// the same.
SleepAnalysis AnalyseNight(const SleepNight& night, platform::ProcessRandom& random);

// The night as a fresh process analyses it (`trekkomat-cli sleep DATE`): a generator of its own
// from the first state, so that a night's figures do not hang on the nights analysed before it.
SleepAnalysis AnalyseNightAfresh(const SleepNight& night);

// 1,000 times the decimal logarithm of a minute's steps, truncated; 0 for a minute without any.
// Logarithms keep a brisk walk from drowning out the small movements of the night.
int LogActivity(int steps);

} // namespace trek
