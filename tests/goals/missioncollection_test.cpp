// SPDX-License-Identifier: GPL-3.0-or-later
// A collection and the missions: each running mission takes the steps and the minutes it walked,
// onto the values the settings file holds at the commit, and a mission stopped (or stopped and
// started again) while the collection runs takes nothing of it.

#include "app/appstate.h"
#include "app/settingstable.h"
#include "data/datatestsupport.h"
#include "data/dayfiles.h"
#include "goals/missionactions.h"

#include <functional>
#include <gtest/gtest.h>

namespace trek {
namespace {

// 100 steps from 10:00 to 10:02 and 7 at 11:00: 107 steps in 4 minutes.
const QByteArray DayFile("10:00~10:02 100\r\n11:00~11:00 7\r\n");

class MissionCollectionTest : public test::DiskTest
{
protected:
    void SetUp() override
    {
        DiskTest::SetUp();
        dir.write(onDisk(QStringLiteral("20240305.txt")), DayFile);
        ReadStartSettings();
        ASSERT_TRUE(StartMission(0, 0, 10000.0, 1000).ok());
        ASSERT_TRUE(StartMission(1, 2, 1.0, 2000).ok());
    }

    // Runs `change` once, at the first moment the collection lets the window breathe.
    void DuringTheCollection(const std::function<void()>& change)
    {
        ui.onPump = [change, done = false]() mutable {
            if (!done) {
                done = true;
                change();
            }
        };
    }

    int mission(const char* key) const { return settingInt("Mission", key); }
};

TEST_F(MissionCollectionTest, RunningMissionsTakeTheStepsAndTheirMinutes)
{
    ASSERT_TRUE(setting::Missions[1].curPeriodM.Write(30));
    EXPECT_EQ(CopyDayFiles('E', report), 1);
    EXPECT_EQ(mission("A_CurSteps"), 107);
    EXPECT_EQ(mission("A_CurPeriodM"), 4);
    EXPECT_EQ(mission("B_CurSteps"), 107);
    EXPECT_EQ(mission("B_CurPeriodM"), 34);
    EXPECT_EQ(appState().values.missions[1].curPeriodM, 34); // the page sees them at once
}

TEST_F(MissionCollectionTest, AMissionStoppedMeanwhileTakesNothing)
{
    DuringTheCollection([] { ASSERT_TRUE(StopMission(0).ok()); });
    EXPECT_EQ(CopyDayFiles('E', report), 1);
    EXPECT_EQ(mission("A_Status"), 0);
    EXPECT_EQ(mission("A_CurSteps"), 0);
    EXPECT_EQ(mission("A_CurPeriodM"), 0);
    EXPECT_EQ(mission("B_CurSteps"), 107);
    EXPECT_EQ(settingInt("Summary", "TotalSteps"), 107);
}

TEST_F(MissionCollectionTest, AMissionStartedAnewMeanwhileTakesNothing)
{
    DuringTheCollection([] {
        ASSERT_TRUE(StopMission(1).ok());
        ASSERT_TRUE(StartMission(1, 0, 500.0, 9000).ok());
    });
    EXPECT_EQ(CopyDayFiles('E', report), 1);
    EXPECT_EQ(mission("B_Status"), 1);
    EXPECT_EQ(mission("B_CurSteps"), 0);
    EXPECT_EQ(mission("B_CurPeriodM"), 0);
    EXPECT_EQ(mission("A_CurSteps"), 107);
}

TEST_F(MissionCollectionTest, TotalsBuildOnWhatTheFileHoldsAtTheCommit)
{
    ASSERT_TRUE(setting::TotalSteps.Write(900));
    // A lifetime reset while the collection runs: the collection adds to the new zero.
    DuringTheCollection([] {
        ASSERT_TRUE(
            WriteSettings({setting::TotalSteps.Entry(0), setting::TotalPeriod.Entry(0)}).ok());
    });
    EXPECT_EQ(CopyDayFiles('E', report), 1);
    EXPECT_EQ(settingInt("Summary", "TotalSteps"), 107);
    EXPECT_EQ(settingInt("Summary", "TotalPeriod"), 4);
}

} // namespace
} // namespace trek
