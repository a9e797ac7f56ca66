// SPDX-License-Identifier: GPL-3.0-or-later
// Medians and 95th percentiles of the report tab's heaviest draws over a generated month of
// walking: the month report (31 days of hour sums and day rows) and the day report of minute data
// with its moving hour, each read from the store file as the page reads it and built from a month
// already in memory.

#include "data/monthbuffer.h"
#include "emulator/recordgenerator.h"
#include "median.h"
#include "reports/reportbuilder.h"
#include "reports/reportloader.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

using namespace trek;

namespace {

const MetricSettings Settings{70, 60000, 0, 5};

// Milliseconds of each run of `work`, which answers whether it produced what it should.
std::vector<double> Time(int runs, const std::function<bool()>& work, bool& ok)
{
    std::vector<double> ms;
    for (int run = 0; run < runs; ++run) {
        QElapsedTimer timer;
        timer.start();
        ok = work() && ok;
        ms.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
    }
    return ms;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 9;

    QTemporaryDir work;
    MonthBuffer month;
    bool ok = work.isValid() && month.Load(work.path(), 2024, 3).ok();
    StepCounters counters;
    for (const emu::DaySteps& day : emu::RecordGenerator(2024).generate(31, QDate(2024, 3, 31))) {
        for (int minute = 0; minute < emu::DaySteps::MinutesPerDay; ++minute) {
            month.AddMinute(day.date.day(), minute / 60, minute % 60,
                            day.minutes[static_cast<std::size_t>(minute)], counters);
        }
    }
    ok = ok && month.Save().ok();

    const auto loadMonth = [&work] {
        const Result<Report> report =
            LoadReport(work.path(), ReportMode::Month, QDate(2024, 3, 15), Settings, false);
        return report.ok() && report->series.size() == 744 && !report->rows.empty();
    };
    const auto loadDay = [&work] {
        const Result<Report> report =
            LoadReport(work.path(), ReportMode::Day, QDate(2024, 3, 31), Settings, true);
        return report.ok() && report->series.size() == 1440;
    };
    const auto buildMonth = [&month] {
        return BuildMonthReport(month, Settings).leftMaximum > 0;
    };
    const auto buildDay = [&month] {
        return BuildDayReport(month, 31, Settings, true).series.size() == 1440;
    };

    std::printf("generated March 2024 in %s: %zu day rows, %zu walks on the 31st\n",
                qPrintable(QDir::toNativeSeparators(work.path())),
                BuildMonthReport(month, Settings).rows.size(),
                BuildDayReport(month, 31, Settings, true).rows.size());
    const auto print = [](const char* what, const std::vector<double>& ms) {
        std::printf("%s: median %.3f ms, 95th percentile %.3f ms over %zu runs\n", what, Median(ms),
                    Percentile(ms, 0.95), ms.size());
    };
    print("month report from its store file", Time(runs, loadMonth, ok));
    print("day report with the per-minute series from its store file", Time(runs, loadDay, ok));
    print("month report from memory", Time(runs, buildMonth, ok));
    print("day report with the per-minute series from memory", Time(runs, buildDay, ok));
    if (!ok) {
        (void)std::fprintf(stderr, "a run did not build the report it should\n");
        return 1;
    }
    return 0;
}
