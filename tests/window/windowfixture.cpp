#include "windowfixture.h"

#include "app/appstate.h"
#include "app/startup.h"
#include "platform/services.h"
#include "widgets/nextanswer.h"

namespace trek::test {

void WindowTest::SetUp()
{
    resetAppState();
    NextAnswer::Clear();
    platform::Services& services = platform::services();
    services.profile = &profile;
    services.system = &system;
    services.desktop = &desktop;
    services.drives = &drives;
    services.scsi = &scsi;
    InitialiseStartupValues(QStringLiteral("/trek"));
}

void WindowTest::TearDown()
{
    NextAnswer::Clear();
    platform::services() = platform::Services{};
    resetAppState();
}

void WindowTest::setSettings(const QByteArray& text)
{
    profile.setFileText(appState().settingsPath, text);
}

} // namespace trek::test
