// SPDX-License-Identifier: GPL-3.0-or-later
// What the report tab does for one click: read the store file, build the report, fill the list
// and draw the chart's strokes, then paint both controls, for the month report and for the day
// report of minute data with its 1,440 bars; and what the sleep analysis does for a move to
// another night, painted. The target is one frame (16 ms) in all but the slowest twentieth of
// the runs, so the 95th percentile is printed beside the median.

#include "app/appstate.h"
#include "data/monthbuffer.h"
#include "doubles/memoryprofile.h"
#include "emulator/recordgenerator.h"
#include "median.h"
#include "platform/services.h"
#include "reports/reportloader.h"
#include "reports/ui/reportview.h"
#include "reports/ui/sleepanalysisdlg.h"
#include "widgets/chartctrl.h"
#include "widgets/listctrlex.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <vector>

using namespace trek;

namespace {

const MetricSettings Settings{70, 60000, 0, 5};
constexpr double FrameMs = 16.0;

bool StoreGeneratedMonth(const QString& folder)
{
    MonthBuffer month;
    if (!month.Load(folder, 2024, 3).ok()) {
        return false;
    }
    StepCounters counters;
    for (const emu::DaySteps& day : emu::RecordGenerator(2024).generate(31, QDate(2024, 3, 31))) {
        for (int minute = 0; minute < emu::DaySteps::MinutesPerDay; ++minute) {
            month.AddMinute(day.date.day(), minute / 60, minute % 60,
                            day.minutes[static_cast<std::size_t>(minute)], counters);
        }
    }
    return month.Save().ok();
}

// One click's work; false when the picture is not what it should be.
bool DrawOnce(const QString& folder, ReportMode mode, bool minuteData, CChartCtrl& chart,
              CListCtrlEx& list)
{
    const Result<Report> report =
        LoadReport(folder, mode, QDate(2024, 3, 31), Settings, minuteData);
    if (!report) {
        return false;
    }
    FillReportList(list, *report);
    DrawReportChart(chart, *report, QDate(2024, 3, 31), minuteData);
    const QPixmap chartPixels = chart.grab();
    const QPixmap listPixels = list.grab();
    return !chartPixels.isNull() && !listPixels.isNull() && list.GetItemCount() > 0;
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 21;
    QTemporaryDir work;
    bool ok = work.isValid() && StoreGeneratedMonth(work.path());

    CChartCtrl chart;
    CListCtrlEx list;
    chart.resize(880, 200);
    list.resize(880, 300);
    SetReportColumns(list);

    const auto time = [runs](const auto& step) {
        std::vector<double> ms;
        for (int run = 0; run < runs; ++run) {
            QElapsedTimer timer;
            timer.start();
            step(run);
            ms.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
        }
        return ms;
    };
    bool withinFrame = true;
    const auto print = [&withinFrame](const char* what, const std::vector<double>& ms) {
        const double p95 = Percentile(ms, 0.95);
        withinFrame = withinFrame && p95 < FrameMs;
        std::printf("%s: median %.3f ms, 95th percentile %.3f ms, slowest %.3f ms over %zu runs\n",
                    what, Median(ms), p95, *std::max_element(ms.begin(), ms.end()), ms.size());
    };
    const auto report = [&](ReportMode mode, bool minuteData) {
        return time(
            [&](int /*run*/) { ok = DrawOnce(work.path(), mode, minuteData, chart, list) && ok; });
    };
    print("month report, read, built, filled, drawn and painted", report(ReportMode::Month, false));
    print("day report of minute data (1,440 bars), the same", report(ReportMode::Day, true));
    print("day report with its hour curve, the same", report(ReportMode::Day, false));

    // The sleep analysis steps between the last two nights of the month, each read, analysed,
    // drawn and painted.
    trek::platform::MemoryProfile profile;
    appState().services.profile = &profile;
    appState().workingFolder = work.path();
    CSleepAnalysisDlg sleep(QDate(2024, 3, 30));
    sleep.resize(640, 420);
    print("sleep analysis, a move to the next or previous night, painted", time([&](int run) {
              sleep.Move(run % 2 == 0 ? SleepMove::NextDay : SleepMove::PreviousDay);
              ok = !sleep.grab().isNull() && ok;
          }));
    appState().services = {};
    std::printf("%s\n", withinFrame ? "every 95th percentile is within one frame (16 ms)"
                                    : "a 95th percentile is over one frame (16 ms)");
    if (!ok) {
        (void)std::fprintf(stderr, "a run did not draw the report it should\n");
        return 1;
    }
    return 0;
}
