// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/result.h"

#include <QDate>
#include <QString>
#include <QStringList>

namespace trek {

// What the command line of the program asks for.
struct StartupOptions
{
    QStringList driveOptions; // "--drive E=DIR" and friends, in the order given
    QString screenshotPath;   // empty: run the window for a person
    bool updateCheck = true;  // false with --no-update-check
    QDate date;               // --date: the day selected in the calendar at start (invalid: today)
    int page = -1;            // --page: the tab shown at start (-1: the first)
    int reportMode = -1;      // --report: the report mode chosen at start (-1: the stored one)
    bool sleepAnalysis = false; // --sleep-analysis: open it on the selected day at start
    bool trends = false;        // --trends: open the Trends dialog up to the selected day
    bool factorySetup = false;  // --factory-setup: open the factory set-up at start
    QString updateProgram;      // --update-program: stands in for the running program file
    QString helpText;           // --help: the options, printed instead of opening the window
    bool version = false;       // --version: the name and version, printed instead
    // --quit-after-first-frame: quit once the first frame is painted, to time the start-up
    bool quitAfterFirstFrame = false;
};

// Parses the program's arguments (the first one is the program); a bad command line fails with a
// message for the person.
Result<StartupOptions> ParseStartupOptions(const QStringList& arguments);

// True when there is no display to show a window on and no platform was asked for, so the
// program should draw offscreen and leave a picture of the window instead.
bool ShouldRunHeadless();
// Where the headless run leaves its picture, in the current folder.
QString HeadlessScreenshotPath();

} // namespace trek
