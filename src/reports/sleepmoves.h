// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "reports/sleepwindow.h"

#include <QDate>

namespace trek {

// The day whose evening starts the window, and the window.
struct SleepPlace
{
    QDate date;
    SleepWindow window;

    friend bool operator==(const SleepPlace&, const SleepPlace&) = default;
};

// The six small buttons under the sleep chart.
enum class SleepMove { StartEarlier, StartLater, EndEarlier, EndLater, PreviousDay, NextDay };

struct SleepMoveResult
{
    SleepPlace place;           // in effect from now on, even when not analysed
    bool analyse = false;       // analyse the new place and repaint
    bool writeSettings = false; // the window hours changed and go to the settings file
    bool newMonth = false;      // the date moved into another month, whose store must be read
};

SleepMoveResult MoveSleepWindow(const SleepPlace& place, SleepMove move);

} // namespace trek
