// SPDX-License-Identifier: GPL-3.0-or-later
// Medians of what the report tab does for one click: read the store file, build the report,
// fill the list and draw the chart's strokes, then paint both controls, for the month report and
// for the day report of minute data with its 1,440 bars. The target is one frame (16 ms).

#include "app/appstate.h"
#include "data/monthbuffer.h"
#include "emulator/recordgenerator.h"
#include "median.h"
#include "reports/reportloader.h"
#include "reports/ui/reportview.h"
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

    const auto measure = [&](ReportMode mode, bool minuteData) {
        std::vector<double> ms;
        for (int run = 0; run < runs; ++run) {
            QElapsedTimer timer;
            timer.start();
            ok = DrawOnce(work.path(), mode, minuteData, chart, list) && ok;
            ms.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
        }
        return Median(ms);
    };
    std::printf(
        "month report, read, built, filled, drawn and painted: median %.3f ms over %d runs\n",
        measure(ReportMode::Month, false), runs);
    std::printf("day report of minute data (1,440 bars), the same: median %.3f ms\n",
                measure(ReportMode::Day, true));
    std::printf("day report with its hour curve, the same: median %.3f ms\n",
                measure(ReportMode::Day, false));
    if (!ok) {
        (void)std::fprintf(stderr, "a run did not draw the report it should\n");
        return 1;
    }
    return 0;
}
