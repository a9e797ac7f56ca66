// SPDX-License-Identifier: GPL-3.0-or-later
#include "reports/sleepanalysis.h"

#include "platform/processrandom.h"

#include <algorithm>
#include <cmath>

namespace trek {

namespace {

constexpr int AwakeDepth = 500;
constexpr int SleepDepth = 150;
constexpr int MaxDepth = 1000;
constexpr int WobbleLimit = 2;

// A minute is judged by the ten values from five minutes before it to four after.
constexpr int NeighbourhoodBefore = 5;
constexpr int NeighbourhoodAfter = 4;
// This many restless minutes in a row mean the sleeper is up; shorter runs are turning over.
constexpr int GettingUpMinutes = 15;

// The wobble counter takes one step up or down, or stays, at random.
int Wobble(int counter, platform::ProcessRandom& random)
{
    const int r = random.next() % 8;
    if (r >= 5) {
        ++counter;
    } else if (r <= 2) {
        --counter;
    }
    return std::clamp(counter, -WobbleLimit, WobbleLimit);
}

std::vector<int> DepthValues(const SleepNight& night, platform::ProcessRandom& random)
{
    const int length = night.place.window.minutes();
    // A night given fewer minutes than its window needs is quiet where it has none.
    std::vector<int> logs(static_cast<std::size_t>(length + SleepLeadMinutes) + 1, 0);
    const std::size_t given = std::min(logs.size(), night.steps.size());
    std::transform(night.steps.begin(), night.steps.begin() + static_cast<std::ptrdiff_t>(given),
                   logs.begin(), LogActivity);

    std::vector<int> depth(static_cast<std::size_t>(length) + 1, 0);
    int wobble = 0;
    int sum = 0;
    for (int i = std::max(night.outsideStore, 0); i <= length + SleepLeadMinutes; ++i) {
        sum += logs[static_cast<std::size_t>(i)];
        if (i >= SleepLeadMinutes) {
            sum -= logs[static_cast<std::size_t>(i - SleepLeadMinutes)];
        }
        wobble = Wobble(wobble, random);
        const int value = std::clamp(wobble + sum / SleepLeadMinutes, 0, MaxDepth);
        if (i >= SleepLeadMinutes) {
            depth[static_cast<std::size_t>(i - SleepLeadMinutes)] = value;
        }
    }
    return depth;
}

// Finds the onset and the wake. The neighbourhood of the last minutes runs past the window,
// where there are no values: those count as calm.
void Classify(SleepAnalysis& analysis)
{
    const int length = static_cast<int>(analysis.depth.size()) - 1;
    const auto valueAt = [&analysis, length](int k) {
        return k <= length ? analysis.depth[static_cast<std::size_t>(k)] : 0;
    };
    int restless = 0;
    for (int k = NeighbourhoodBefore; k <= length; ++k) {
        bool high = false;
        bool calm = true;
        for (int t = k - NeighbourhoodBefore; t <= k + NeighbourhoodAfter; ++t) {
            high = high || valueAt(t) > AwakeDepth;
            calm = calm && valueAt(t) <= SleepDepth;
        }
        if (high) {
            ++restless;
        } else if (restless < GettingUpMinutes) {
            restless = 0;
        }
        if (calm && analysis.onset == 0) {
            analysis.onset = k;
            restless = 0;
        }
        // Once the sleeper is up, later calm minutes no longer move the wake.
        if (!high && restless < GettingUpMinutes) {
            analysis.wake = k;
        }
    }
}

void CountSleep(SleepAnalysis& analysis)
{
    for (int k = analysis.onset; k < analysis.wake; ++k) {
        switch (ClassifyDepth(analysis.depth[static_cast<std::size_t>(k)])) {
        case SleepClass::DeepSleep:
            ++analysis.deepMinutes;
            break;
        case SleepClass::Sleep:
            ++analysis.lightMinutes;
            break;
        case SleepClass::Awake:
            break;
        }
    }
    // Light sleep is worth nine tenths of deep sleep. The wake never lies before the onset, so
    // the span is at least one minute.
    const int span = std::max(analysis.wake - analysis.onset + 1, 1);
    analysis.efficiency =
        std::clamp((90 * analysis.lightMinutes + 100 * analysis.deepMinutes) / span, 0, 100);
}

} // namespace

int LogActivity(int steps)
{
    return steps > 0 ? static_cast<int>(1000.0 * std::log10(static_cast<double>(steps))) : 0;
}

SleepClass ClassifyDepth(int depth)
{
    if (depth >= AwakeDepth) {
        return SleepClass::Awake;
    }
    return depth >= SleepDepth ? SleepClass::Sleep : SleepClass::DeepSleep;
}

SleepAnalysis AnalyseNight(const SleepNight& night, platform::ProcessRandom& random)
{
    SleepAnalysis analysis;
    analysis.depth = DepthValues(night, random);
    Classify(analysis);
    CountSleep(analysis);
    return analysis;
}

SleepAnalysis AnalyseNightAfresh(const SleepNight& night)
{
    platform::ProcessRandom random;
    return AnalyseNight(night, random);
}

} // namespace trek
