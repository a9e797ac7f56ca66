// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/hooks.h"
#include "app/reportcache.h"
#include "app/settingstable.h"
#include "app/wristbandlink.h"
#include "app/wristbandroster.h"
#include "app/wristbandsettings.h"
#include "platform/services.h"

#include <QDate>
#include <QString>

namespace trek {

class UserInterface;

// Everything the process shares, in one place: the installed platform services, the values read
// from the settings file, the connected wristband and those that stay in their drives, the
// selected date, the report last drawn, the user interface and the hooks. Tests start from a
// clean slate with resetAppState().
struct AppState
{
    platform::Services services; // not owned
    QString workingFolder;
    QString settingsPath;
    int platformGeneration = 0;
    bool updateReady = false;
    int language = 0;
    SettingsValues values;
    WristbandLink link;
    WristbandRoster roster;
    WristbandSettings wristband;
    QDate selectedDate;
    ReportCache reportCache;
    UserInterface* ui = nullptr; // not owned
    Hooks hooks;
};

AppState& appState();
void resetAppState();

// The installed user interface, or a silent one that agrees to nothing while none is installed
// (tests, the first moments of start-up).
UserInterface& user();

} // namespace trek
