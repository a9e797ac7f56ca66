// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/appstate.h"

#include "app/userinterface.h"

namespace trek {

namespace {

class SilentUserInterface final : public UserInterface
{
public:
    void setStatusText(const QString& /*text*/) override {}
    void setDriveLabel(const QString& /*text*/) override {}
    // Nobody to ask: nothing is taken without consent.
    int askYesNo(const QString& /*title*/, const QString& /*message*/) override { return Closed; }
    void showMessage(const QString& /*message*/) override {}
    void pumpMessages() override {}
    void notifyDataChanged() override {}
    void notifyRefresh() override {}
};

} // namespace

AppState& appState()
{
    static AppState state;
    return state;
}

void resetAppState()
{
    appState() = AppState();
}

UserInterface& user()
{
    static SilentUserInterface silent;
    UserInterface* installed = appState().ui;
    return installed != nullptr ? *installed : silent;
}

} // namespace trek
