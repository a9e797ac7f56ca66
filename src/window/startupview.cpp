// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/startupview.h"

#include "reports/ui/reportpage.h"
#include "reports/ui/summarypage.h"
#include "window/pagefactory.h"
#include "window/startupoptions.h"
#include "window/wristbanddlg.h"
#include "window/wristbandtab.h"

#include <QCalendarWidget>

namespace trek {

namespace {

CReportPage* ReportPageOf(CWristbandDlg& window)
{
    return qobject_cast<CReportPage*>(
        window.TabControl()->Page(static_cast<int>(PageIndex::Report)));
}

} // namespace

void ApplyStartupView(CWristbandDlg& window, const StartupOptions& options)
{
    if (options.date.isValid()) {
        window.Calendar()->setSelectedDate(options.date);
    }
    if (options.page >= 0) {
        window.TabControl()->setCurrentIndex(options.page);
    }
    if (options.reportMode < 0) {
        return;
    }
    if (CReportPage* report = ReportPageOf(window)) {
        report->ChangeMode(static_cast<ReportMode>(options.reportMode));
    }
}

void OpenStartupTrends(CWristbandDlg& window)
{
    if (auto* summary = qobject_cast<CSummaryPage*>(
            window.TabControl()->Page(static_cast<int>(PageIndex::DayLife)))) {
        summary->OpenTrends();
    }
}

void OpenStartupSleepAnalysis(CWristbandDlg& window)
{
    if (CReportPage* report = ReportPageOf(window); report != nullptr) {
        report->OpenSleepAnalysis();
    }
}

} // namespace trek
