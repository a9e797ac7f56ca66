#pragma once

#include "app/appstate.h"
#include "platform/services.h"
#include "platform/sim/memoryprofile.h"
#include "platform/sim/simsystemservices.h"

#include <gtest/gtest.h>

namespace trek::test {

// Simulated profile and system services installed for one test, on a clean shared state; the
// previous services come back afterwards.
class AppFixture : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_saved = platform::services();
        platform::services().profile = &profile;
        platform::services().system = &system;
        resetAppState();
        appState().workingFolder = QStringLiteral("/work");
        appState().settingsPath = QStringLiteral("/work/Trekkomat2.INI");
    }
    void TearDown() override
    {
        platform::services() = m_saved;
        resetAppState();
    }

    void setSettings(const char* text) { profile.setFileText(appState().settingsPath, text); }

    platform::MemoryProfile profile;
    platform::SimSystemServices system;

private:
    platform::Services m_saved;
};

} // namespace trek::test
