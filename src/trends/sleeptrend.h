// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/result.h"
#include "reports/sleeptexts.h"
#include "reports/sleepwindow.h"

#include <QDate>
#include <QString>
#include <vector>

namespace trek {

class StoredMonths;

// One night of a range, analysed as `trekkomat-cli sleep DATE` analyses it: the window of the
// settings file, the generator from its first state.
struct NightTrend
{
    QDate date; // the day whose evening starts the window
    SleepFigures figures;
    // Steps in the window itself. A night without a single one was not slept with the wristband
    // on: the analysis still finds it a long deep sleep, but it is no night to count.
    int steps = 0;

    bool Worn() const { return steps > 0; }
};

struct SleepTrend
{
    SleepWindow window;
    std::vector<NightTrend> nights; // those with a stored month under them
    int wornNights = 0;
    // Over the worn nights; 0 without any.
    int averageSleepMinutes = 0;
    int averageEfficiency = 0; // percent
};

// The nights whose evenings lie from `first` to `last` out of the months read, which must reach
// the month after `last` when its night passes the month's end (NightPassesMonthEnd).
SleepTrend CollectNights(const StoredMonths& months, QDate first, QDate last,
                         const SleepWindow& window);

// Reads the store files the nights touch, each once, and analyses every night; a range without
// any store file gives no nights.
[[nodiscard]] Result<SleepTrend> LoadNights(const QString& workingFolder, QDate first, QDate last,
                                            const SleepWindow& window);

} // namespace trek
