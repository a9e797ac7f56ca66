#pragma once

#include "app/settingsvalues.h"
#include "device/wristbandlink.h"
#include "device/wristbandsettings.h"

#include <QDate>
#include <QString>

namespace trek {

class UserInterface;

// The process-wide values every part of the program shares. Held in one place so that tests can
// start from a clean slate with resetAppState().
struct AppState
{
    QString workingFolder;
    QString settingsPath;
    int platformGeneration = 0;
    bool updateReady = false;
    int language = 0;
    SettingsValues values;
    WristbandLink link;
    WristbandSettings wristband;
    QDate selectedDate;
    UserInterface* ui = nullptr; // not owned
};

AppState& appState();
void resetAppState();

} // namespace trek
