// SPDX-License-Identifier: GPL-3.0-or-later
// Mission logic: progress of the four kinds, typed targets in both unit modes, the running time
// and the one-write Start and Stop.

#include "app/appfixture.h"
#include "app/settingstable.h"
#include "goals/missionactions.h"
#include "goals/missionprogress.h"

#include <gtest/gtest.h>

namespace trek {
namespace {

MissionValues Running(MissionKind kind, double goes, int steps, int minutes)
{
    MissionValues mission;
    mission.mode = static_cast<int>(kind);
    mission.status = 1;
    mission.goes = goes;
    mission.curSteps = steps;
    mission.curPeriodM = minutes;
    return mission;
}

MetricSettings Wearer(int stepSize = 70)
{
    return {stepSize, 60000, 0, 0};
}

struct ProgressCase
{
    MissionKind kind;
    double goes;
    int steps;
    int minutes;
    int percent;
};

// For each kind: nothing yet, just short of the target, on it, and past it.
TEST(MissionProgress, EachKindFromNothingPastItsTarget)
{
    const std::vector<ProgressCase> cases{
        {MissionKind::Steps, 10000, 0, 0, 0},
        {MissionKind::Steps, 10000, 9999, 0, 99},
        {MissionKind::Steps, 10000, 10000, 0, 100},
        {MissionKind::Steps, 10000, 25000, 0, 100},
        // 70 cm steps: 10,000 steps are 7 km.
        {MissionKind::Distance, 10, 0, 0, 0},
        {MissionKind::Distance, 10, 10000, 0, 70},
        {MissionKind::Distance, 10, 14285, 0, 99},
        {MissionKind::Distance, 10, 14286, 0, 100},
        {MissionKind::Distance, 10, 30000, 0, 100},
        // Hours against minutes: one minute of a one-hour target is 1 %, not 100 %.
        {MissionKind::Time, 1, 0, 0, 0},
        {MissionKind::Time, 1, 50, 1, 1},
        {MissionKind::Time, 2, 9000, 119, 99},
        {MissionKind::Time, 1, 9000, 60, 100},
        {MissionKind::Time, 1, 9000, 600, 100},
        // 6,000 steps of 70 cm in an hour: 4.2 km/h, 256.095 kcal for 60 kg.
        {MissionKind::Calories, 100, 6000, 0, 0},
        {MissionKind::Calories, 257.382, 6000, 60, 99},
        {MissionKind::Calories, 256.095, 6000, 60, 100},
        {MissionKind::Calories, 100, 6000, 60, 100},
    };
    for (const ProgressCase& c : cases) {
        EXPECT_EQ(MissionProgress(Running(c.kind, c.goes, c.steps, c.minutes), Wearer()), c.percent)
            << "kind " << static_cast<int>(c.kind) << ", target " << c.goes << ", " << c.steps
            << " steps, " << c.minutes << " minutes";
    }
}

TEST(MissionProgress, AnExactHitIsAHundredPercent)
{
    // 55 cm x 8,000 steps is 4.4 km, yet the quotient comes out just below 100 in doubles.
    EXPECT_EQ(MissionProgress(Running(MissionKind::Distance, 4.4, 8000, 0), Wearer(55)), 100);
}

TEST(MissionProgress, NothingToShowForNoTargetAStoppedMissionOrAWayBackwards)
{
    EXPECT_EQ(MissionProgress(Running(MissionKind::Steps, 0.0, 500, 5), Wearer()), 0);
    MissionValues stopped = Running(MissionKind::Steps, 100, 500, 5);
    stopped.status = 0;
    EXPECT_EQ(MissionProgress(stopped, Wearer()), 0);
    EXPECT_EQ(MissionProgress(Running(MissionKind::Steps, -100, 500, 5), Wearer()), 0);
    EXPECT_EQ(MissionProgress(Running(MissionKind::Steps, 100, -500, 5), Wearer()), 0);
    // A hand-edited mode beyond the four kinds is a steps mission.
    MissionValues odd = Running(MissionKind::Steps, 1000, 500, 5);
    odd.mode = 7;
    EXPECT_EQ(MissionProgress(odd, Wearer()), 50);
    EXPECT_EQ(KindOfMode(-1), MissionKind::Steps);
}

TEST(MissionTargets, OnlyDistancesAreConvertedInImperialMode)
{
    using Verdict = TypedTarget::Verdict;
    const TypedTarget miles = ReadTypedTarget(QStringLiteral("5"), MissionKind::Distance, 1);
    EXPECT_EQ(miles.verdict, Verdict::Accepted);
    EXPECT_DOUBLE_EQ(miles.goes, 8.0);
    EXPECT_EQ(ShownTarget(MissionKind::Distance, 8.0, 1), QStringLiteral("5.000"));
    EXPECT_EQ(ShownTarget(MissionKind::Distance, 8.0, 0), QStringLiteral("8.000"));
    for (const MissionKind kind : {MissionKind::Steps, MissionKind::Time, MissionKind::Calories}) {
        EXPECT_DOUBLE_EQ(ReadTypedTarget(QStringLiteral("10000"), kind, 1).goes, 10000.0);
        EXPECT_EQ(ShownTarget(kind, 10000.0, 1), QStringLiteral("10000.000"));
    }
}

TEST(MissionTargets, RefusesWhatCannotBeATarget)
{
    using Verdict = TypedTarget::Verdict;
    const auto verdict = [](const char* text) {
        return ReadTypedTarget(QString::fromLatin1(text), MissionKind::Steps, 0).verdict;
    };
    EXPECT_EQ(verdict(""), Verdict::TooSmall);
    EXPECT_EQ(verdict("abc"), Verdict::TooSmall);
    EXPECT_EQ(verdict("0.005"), Verdict::TooSmall);
    EXPECT_EQ(verdict("-0.005"), Verdict::TooSmall);
    EXPECT_EQ(verdict("0.01"), Verdict::Accepted);
    EXPECT_EQ(verdict("12.5km"), Verdict::Accepted); // the leading number, as typed
    EXPECT_EQ(verdict("1e999"), Verdict::TooSmall);  // no number the reader can hold
    EXPECT_EQ(verdict("1e95"), Verdict::TooLarge);   // more than the file's 99 characters
    // 0.007 miles are 0.0112 km: enough once converted.
    EXPECT_EQ(ReadTypedTarget(QStringLiteral("0.007"), MissionKind::Distance, 1).verdict,
              Verdict::Accepted);
}

TEST(MissionRunningTime, CountsWholeMinutesAcrossTheTickCounterWrap)
{
    constexpr std::uint32_t Minute = 60000;
    const auto texts = [](std::uint32_t start, std::uint32_t now) {
        const RunningTime time = RunningTimeSince(start, now);
        return std::vector<int>{time.days, time.hours, time.minutes};
    };
    EXPECT_EQ(texts(1000, 1000 + 14 * Minute + 59999), (std::vector<int>{0, 0, 14}));
    EXPECT_EQ(texts(5, 5 + (1440 + 120 + 3) * Minute), (std::vector<int>{1, 2, 3}));
    // Started 10 minutes before the counter wrapped, looked at 5 minutes after.
    EXPECT_EQ(texts(0xFFFFFFFFU - 10 * Minute + 1, 5 * Minute), (std::vector<int>{0, 0, 15}));
}

class MissionActions : public test::AppFixture
{};

TEST_F(MissionActions, StartAndStopEachWriteEveryKeyAtOnce)
{
    setSettings("[Mission]\nA_CurSteps=40\nA_CurPeriodM=3\nB_Mode=2\nB_Status=1\n");
    const int writes = profile.writeCount();
    ASSERT_TRUE(StartMission(0, 1, 8.0, 4000000000U).ok());
    EXPECT_EQ(profile.writeCount(), writes + 1);
    EXPECT_EQ(settingInt("Mission", "A_Mode"), 1);
    EXPECT_EQ(settingInt("Mission", "A_Status"), 1);
    EXPECT_EQ(settingText("Mission", "A_Goes"), QStringLiteral("8.000000"));
    EXPECT_EQ(settingInt("Mission", "A_StartTime"), -294967296);
    EXPECT_EQ(settingInt("Mission", "A_CurSteps"), 0);
    EXPECT_EQ(settingInt("Mission", "A_CurPeriodM"), 0);
    EXPECT_EQ(appState().values.missions[0].startTime, 4000000000U);

    ASSERT_TRUE(setting::Missions[0].curSteps.Write(700));
    ASSERT_TRUE(StopMission(0).ok());
    EXPECT_EQ(profile.writeCount(), writes + 3);
    EXPECT_EQ(settingInt("Mission", "A_Status"), 0);
    EXPECT_EQ(settingText("Mission", "A_Goes"), QStringLiteral("0.000000"));
    EXPECT_EQ(settingInt("Mission", "A_CurSteps"), 0);
    EXPECT_EQ(settingInt("Mission", "A_Mode"), 1);
    // The other mission is left alone.
    EXPECT_EQ(settingInt("Mission", "B_Status"), 1);
    EXPECT_EQ(settingInt("Mission", "B_Mode"), 2);
}

TEST_F(MissionActions, AFailedWriteChangesNothing)
{
    setSettings("[Mission]\nA_Status=0\n");
    const QByteArray before = profile.fileText(appState().settingsPath);
    profile.setWritesFail(true);
    EXPECT_FALSE(StartMission(0, 0, 100.0, 5).ok());
    EXPECT_FALSE(appState().values.missions[0].running());
    EXPECT_EQ(appState().values.missions[0].goes, 0.0);
    appState().values.missions[1].status = 1;
    appState().values.missions[1].goes = 50.0;
    EXPECT_FALSE(StopMission(1).ok());
    EXPECT_TRUE(appState().values.missions[1].running());
    EXPECT_EQ(appState().values.missions[1].goes, 50.0);
    EXPECT_EQ(profile.fileText(appState().settingsPath), before);
}

} // namespace
} // namespace trek
