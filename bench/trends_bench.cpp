// SPDX-License-Identifier: GPL-3.0-or-later
// What the Trends dialog does before a person sees it, over a year of generated minutes in
// thirteen store files: opening it (30 days and 7 nights, read, computed and painted), a switch
// to the last 365 days (the year read, its days summed up, the weekly bars and the average line
// drawn and painted) and a switch to the last 30 nights (each analysed afresh, drawn and
// painted). The bounds are 50 ms for the year and 100 ms for the 30 nights; the medians must
// stay under them, and the 95th percentiles are printed beside.

#include "app/appstate.h"
#include "data/monthbuffer.h"
#include "doubles/memoryprofile.h"
#include "emulator/recordgenerator.h"
#include "median.h"
#include "platform/services.h"
#include "trends/ui/trendchartctrl.h"
#include "trends/ui/trendsdlg.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <map>
#include <vector>

using namespace trek;

namespace {

const QDate LastDay(2024, 12, 31);
constexpr int StoredDays = 400;
constexpr double YearBoundMs = 50.0;
constexpr double NightsBoundMs = 100.0;

bool StoreGeneratedDays(const QString& folder)
{
    std::map<std::pair<int, int>, MonthBuffer> months;
    StepCounters counters;
    for (const emu::DaySteps& day : emu::RecordGenerator(2024).generate(StoredDays, LastDay)) {
        MonthBuffer& month = months[{day.date.year(), day.date.month()}];
        if (month.year() == 0 && !month.Load(folder, day.date.year(), day.date.month()).ok()) {
            return false;
        }
        for (int minute = 0; minute < emu::DaySteps::MinutesPerDay; ++minute) {
            month.AddMinute(day.date.day(), minute / 60, minute % 60,
                            day.minutes[static_cast<std::size_t>(minute)], counters);
        }
    }
    return std::all_of(months.begin(), months.end(),
                       [](const auto& month) { return month.second.Save().ok(); });
}

std::vector<double> Time(int runs, const auto& step)
{
    std::vector<double> ms;
    for (int run = 0; run < runs; ++run) {
        QElapsedTimer timer;
        timer.start();
        step(run);
        ms.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
    }
    return ms;
}

// Prints the times; false when the median is over the bound (none: 0).
bool Report(const char* what, const std::vector<double>& ms, double boundMs)
{
    const double median = Median(ms);
    std::printf("%s: median %.3f ms, 95th percentile %.3f ms, slowest %.3f ms over %zu runs", what,
                median, Percentile(ms, 0.95), *std::max_element(ms.begin(), ms.end()), ms.size());
    if (boundMs > 0.0) {
        std::printf(" (bound %.0f ms)", boundMs);
    }
    std::printf("\n");
    return boundMs <= 0.0 || median < boundMs;
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 21;
    QTemporaryDir work;
    bool ok = work.isValid() && StoreGeneratedDays(work.path());
    trek::platform::MemoryProfile profile;
    appState().services.profile = &profile;
    appState().workingFolder = work.path();
    appState().values.stepSize = 70;
    appState().values.weightGrams = 60000;

    bool within = Report("opening, 30 days and 7 nights read, computed and painted",
                         Time(runs,
                              [&](int /*run*/) {
                                  CTrendsDlg dialog(LastDay);
                                  dialog.resize(920, 680);
                                  ok = !dialog.grab().isNull() && ok;
                              }),
                         0.0);

    CTrendsDlg dialog(LastDay);
    dialog.resize(920, 680);
    ok = !dialog.grab().isNull() && ok;
    within = Report("a switch to 365 days: the year read, computed and painted",
                    Time(runs,
                         [&](int /*run*/) {
                             dialog.ShowDays(365);
                             ok = !dialog.StepChart()->grab().isNull() &&
                                  dialog.StepChart()->Bars().size() == 53 && ok;
                         }),
                    YearBoundMs) &&
             within;
    within = Report("a switch to 30 nights: each analysed, drawn and painted",
                    Time(runs,
                         [&](int /*run*/) {
                             dialog.ShowNights(30);
                             ok = !dialog.SleepChart()->grab().isNull() &&
                                  dialog.SleepChart()->Bars().size() == 30 && ok;
                         }),
                    NightsBoundMs) &&
             within;
    appState().services = {};
    if (!ok) {
        (void)std::fprintf(stderr, "a run did not show what it should\n");
        return 1;
    }
    std::printf("%s\n", within ? "every median is within its bound" : "a median is over its bound");
    return within ? 0 : 1;
}
