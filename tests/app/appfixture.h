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
    // A key as the file spells it; -999999 or empty when it is missing.
    int settingInt(const char* section, const char* key) const
    {
        return profile.getInt(QString::fromLatin1(section), QString::fromLatin1(key), -999999,
                              appState().settingsPath);
    }
    QString settingText(const char* section, const char* key) const
    {
        return profile.getString(QString::fromLatin1(section), QString::fromLatin1(key), {},
                                 appState().settingsPath);
    }

    platform::MemoryProfile profile;
    platform::SimSystemServices system;
};

} // namespace trek::test
