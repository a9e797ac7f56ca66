// SPDX-License-Identifier: GPL-3.0-or-later
#include "windowfixture.h"

#include "app/appstate.h"
#include "app/startup.h"

namespace trek::test {

namespace {
const QString WorkingFolder = QStringLiteral("/trek");
}

void WindowTest::SetUp()
{
    resetAppState();
    platform::Services& services = appState().services;
    services.profile = &profile;
    services.system = &system;
    services.desktop = &desktop;
    services.drives = &drives;
    services.scsi = &scsi;
    StartUp(WorkingFolder);
    appState().hooks.retryWait = [](int /*milliseconds*/) {
    };
}

void WindowTest::TearDown()
{
    resetAppState();
}

void WindowTest::setSettings(const QByteArray& text)
{
    profile.setFileText(appState().settingsPath, text);
    // As a program started on this settings file would.
    const Hooks hooks = appState().hooks;
    StartUp(WorkingFolder);
    appState().hooks = hooks;
}

} // namespace trek::test
