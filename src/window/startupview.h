// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace trek {

class CWristbandDlg;
struct StartupOptions;

// Shows what the command line asked to see first: the day in the calendar, the tab and the
// report's mode. The sleep analysis is opened separately (it runs modally) by
// OpenStartupSleepAnalysis once the window's event loop runs.
void ApplyStartupView(CWristbandDlg& window, const StartupOptions& options);
void OpenStartupSleepAnalysis(CWristbandDlg& window);
// The Trends dialog, as the DayLife tab's button opens it.
void OpenStartupTrends(CWristbandDlg& window);

} // namespace trek
