// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/appstate.h"
#include "doubles/memoryprofile.h"
#include "doubles/simsystemservices.h"
#include "platform/services.h"

#include <gtest/gtest.h>

namespace trek::test {

// Simulated profile and system services installed for one test, on a clean shared state.
class AppFixture : public ::testing::Test
{
protected:
    void SetUp() override
    {
        resetAppState();
        appState().services.profile = &profile;
        appState().services.system = &system;
        appState().workingFolder = QStringLiteral("/work");
        appState().settingsPath = QStringLiteral("/work/Trekkomat2.INI");
    }
    void TearDown() override { resetAppState(); }

    void setSettings(const char* text) { profile.setFileText(appState().settingsPath, text); }

    platform::MemoryProfile profile;
    platform::SimSystemServices system;
};

} // namespace trek::test
