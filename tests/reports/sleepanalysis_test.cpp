// SPDX-License-Identifier: GPL-3.0-or-later
#include "data/datatestsupport.h"
#include "data/monthbuffer.h"
#include "platform/processrandom.h"
#include "reports/sleeploader.h"
#include "reports/sleeptexts.h"

#include <algorithm>
#include <array>
#include <gtest/gtest.h>

namespace trek {
namespace {

using test::MonthBytes;
using test::SlotIndex;

const SleepPlace March5{QDate(2024, 3, 5), SleepWindow{}};

class SleepAnalysisTest : public test::DataTest
{
protected:
    SleepNight Night(const SleepPlace& place)
    {
        Result<SleepNight> night = LoadSleepNight(dir.path(), place);
        EXPECT_TRUE(night.ok()) << night.error().toStdString();
        return night.ok() ? *night : SleepNight{place, {}, 0};
    }

    // Each analysis from the generator's first state, as in a fresh process.
    static SleepAnalysis Analyse(const SleepNight& night)
    {
        platform::ProcessRandom random;
        return AnalyseNight(night, random);
    }

    // Falling asleep, waking, sleep time and efficiency.
    static void ExpectFigures(const SleepAnalysis& analysis, const SleepWindow& window,
                              const std::array<const char*, 4>& expected)
    {
        const SleepFigureTexts texts = FormatSleepFigures(analysis, window);
        EXPECT_EQ(texts.fallAsleep.toStdString(), expected[0]);
        EXPECT_EQ(texts.wake.toStdString(), expected[1]);
        EXPECT_EQ(texts.sleepTime.toStdString(), expected[2]);
        EXPECT_EQ(texts.efficiency.toStdString(), expected[3]);
    }
};

TEST_F(SleepAnalysisTest, NightWithoutStepsIsDeepSleepFromTheFifthMinuteToTheEnd)
{
    const SleepAnalysis quiet = Analyse(Night(March5));
    ASSERT_EQ(quiet.depth.size(), 781U);
    for (const int depth : quiet.depth) {
        ASSERT_GE(depth, 0);
        ASSERT_LE(depth, 2);
    }
    EXPECT_EQ(quiet.onset, 5);
    EXPECT_EQ(quiet.wake, 780);
    EXPECT_EQ(quiet.deepMinutes, 775);
    EXPECT_EQ(quiet.lightMinutes, 0);
    EXPECT_EQ(quiet.efficiency, 99);
    ExpectFigures(
        quiet, SleepWindow{},
        {{"20:05\nBad Time", "09:01\nAwake Time", "12:55\nSleep Time", "99%\nEfficiency"}});

    // One draw per minute read: the 30 lead minutes and the window's 781. On the 1st at 00:00
    // the lead minutes lie before the store and draw nothing.
    const auto drawsOf = [](const SleepNight& night) {
        platform::ProcessRandom used;
        (void)AnalyseNight(night, used);
        const std::vector<int> after{used.next(), used.next(), used.next()};
        platform::ProcessRandom fresh;
        std::vector<int> sequence(2000);
        std::generate(sequence.begin(), sequence.end(), [&fresh] { return fresh.next(); });
        const auto found =
            std::search(sequence.begin(), sequence.end(), after.begin(), after.end());
        return found == sequence.end() ? -1 : static_cast<int>(found - sequence.begin());
    };
    EXPECT_EQ(drawsOf(Night(March5)), 811);
    const SleepNight first = Night({QDate(2024, 3, 1), SleepWindow::Clamped(0, 10)});
    EXPECT_EQ(first.outsideStore, 30);
    EXPECT_EQ(drawsOf(first), 601);
}

TEST_F(SleepAnalysisTest, RestlessHourLowersTheEfficiencyAndAWalkEndsTheNight)
{
    // An hour of 3 steps a minute from 22:00 is light sleep; the walk from 02:00 gets the
    // sleeper up, and the quiet hours after it no longer move the wake.
    std::vector<std::pair<int, int>> minutes;
    for (int m = 0; m < 60; ++m) {
        minutes.push_back({SlotIndex(5, 22, m), 3});
    }
    for (int m = 0; m < 30; ++m) {
        minutes.push_back({SlotIndex(6, 2, m), 100});
    }
    dir.write(storeFile(2024, 3), MonthBytes(minutes));

    const SleepAnalysis night = Analyse(Night(March5));
    EXPECT_EQ(night.onset, 5);
    EXPECT_EQ(night.wake, 362); // the first restless value at 02:07 is five minutes ahead
    EXPECT_EQ(ClassifyDepth(night.depth[367]), SleepClass::Awake);
    EXPECT_EQ(ClassifyDepth(night.depth[150]), SleepClass::Sleep);
    EXPECT_EQ(night.lightMinutes, 71);
    EXPECT_EQ(night.deepMinutes, 286);
    ExpectFigures(
        night, SleepWindow{},
        {{"20:05\nBad Time", "02:03\nAwake Time", "05:57\nSleep Time", "97%\nEfficiency"}});
}

TEST_F(SleepAnalysisTest, LogActivityOfAMinute)
{
    EXPECT_EQ(LogActivity(0), 0);
    EXPECT_EQ(LogActivity(1), 0);
    EXPECT_EQ(LogActivity(2), 301);
    EXPECT_EQ(LogActivity(4), 602);
    EXPECT_EQ(LogActivity(10), 1000);
    EXPECT_EQ(LogActivity(100), 2000);
    EXPECT_EQ(LogActivity(65535), 4816);

    const SleepAnalysis quiet = Analyse(Night(March5));
    dir.write(storeFile(2024, 3), MonthBytes({{SlotIndex(5, 22, 0), 1}}));
    EXPECT_EQ(Analyse(Night(March5)).depth, quiet.depth);

    // 4 steps at 22:00 add 602 / 30 to the 30 values from 22:00 on, the wobble under them.
    dir.write(storeFile(2024, 3), MonthBytes({{SlotIndex(5, 22, 0), 4}}));
    const SleepAnalysis four = Analyse(Night(March5));
    for (int k = 0; k < 781; ++k) {
        const std::size_t i = static_cast<std::size_t>(k);
        if (k < 120 || k >= 150) {
            EXPECT_EQ(four.depth[i], quiet.depth[i]) << k;
        } else if (quiet.depth[i] > 0) {
            EXPECT_EQ(four.depth[i], quiet.depth[i] + 20) << k;
        } else {
            EXPECT_GE(four.depth[i], 18) << k;
            EXPECT_LE(four.depth[i], 20) << k;
        }
    }
}

TEST_F(SleepAnalysisTest, NightPastTheMonthsEndReadsTheNextMonthsStore)
{
    // 28 February 2023: the night runs into March; February's unused 29th row is never read.
    const SleepPlace february{QDate(2023, 2, 28), SleepWindow{}};
    dir.write(storeFile(2023, 2), MonthBytes({{SlotIndex(29, 0, 0), 9}}));
    EXPECT_TRUE(NightPassesMonthEnd(february));
    EXPECT_EQ(Night(february).steps[270], 0) << "no March file: no activity";
    dir.write(storeFile(2023, 3), MonthBytes({{SlotIndex(1, 0, 0), 7}, {SlotIndex(1, 9, 0), 5}}));
    const SleepNight night = Night(february);
    ASSERT_EQ(night.steps.size(), 811U);
    EXPECT_EQ(night.steps[270], 7);
    EXPECT_EQ(night.steps[810], 5);

    // The same minutes in a leap year are the 29th of February.
    dir.write(storeFile(2024, 2), MonthBytes({{SlotIndex(29, 0, 0), 9}}));
    const SleepPlace leap{QDate(2024, 2, 28), SleepWindow{}};
    EXPECT_FALSE(NightPassesMonthEnd(leap));
    EXPECT_EQ(Night(leap).steps[270], 9);

    // A December night reads January of the next year; a store that cannot be read says why.
    dir.write(storeFile(2025, 1), QByteArray(MonthBuffer::FileSize + 2, '\0'));
    EXPECT_FALSE(LoadSleepNight(dir.path(), {QDate(2024, 12, 31), SleepWindow{}}).ok());
    EXPECT_TRUE(
        LoadSleepNight(dir.path(), {QDate(2024, 12, 31), SleepWindow::Clamped(0, 23)}).ok());
}

} // namespace
} // namespace trek
