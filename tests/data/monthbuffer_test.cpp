// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/appstate.h"
#include "data/monthbuffer.h"
#include "datatestsupport.h"

#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

namespace trek {
namespace {

using test::MonthBytes;
using test::SlotIndex;

class MonthBufferTest : public test::DataTest
{
protected:
    MonthBuffer LoadedMonth(int year, int month)
    {
        MonthBuffer buffer;
        EXPECT_TRUE(buffer.Load(appState().workingFolder, year, month).ok());
        return buffer;
    }
    StepCounters counters;
};

TEST_F(MonthBufferTest, TextSpanSharesStepsAndHandsTheRestToTheFirstMinutes)
{
    MonthBuffer buffer = LoadedMonth(2014, 9);
    counters.missionRunning = {true, false};
    buffer.AddTextSpan(3, 10, 0, 10, 2, 100, counters);
    buffer.AddTextSpan(3, 11, 0, 11, 0, 7, counters);
    ASSERT_TRUE(buffer.Save().ok());

    EXPECT_EQ(storeBytes(2014, 9), MonthBytes({{SlotIndex(3, 10, 0), 34},
                                               {SlotIndex(3, 10, 1), 33},
                                               {SlotIndex(3, 10, 2), 33},
                                               {SlotIndex(3, 11, 0), 7}}));
    EXPECT_EQ(counters.totalSteps, 107);
    EXPECT_EQ(counters.totalPeriod, 4);
    EXPECT_EQ(counters.missionSteps[0], 107);
    EXPECT_EQ(counters.missionSteps[1], 0);
    EXPECT_EQ(counters.missionMinutes[0], 4); // every minute of the spans
    EXPECT_EQ(counters.missionMinutes[1], 0);
}

TEST_F(MonthBufferTest, TextSpanEndingBeforeItStartsChangesNothing)
{
    MonthBuffer buffer = LoadedMonth(2014, 9);
    buffer.AddTextSpan(3, 10, 0, 9, 59, 50, counters); // ends one minute before it starts
    buffer.AddTextSpan(3, 10, 0, 8, 0, 50, counters);
    EXPECT_EQ(buffer.toBytes(), MonthBytes({}));
    EXPECT_EQ(counters.totalSteps, 0);
    EXPECT_EQ(counters.totalPeriod, 0);
}

TEST_F(MonthBufferTest, TextSpanOfAWholeDayWithFewStepsFillsTheFirstMinutesOnly)
{
    MonthBuffer buffer = LoadedMonth(2014, 9);
    buffer.AddTextSpan(1, 0, 0, 23, 59, 3, counters);
    EXPECT_EQ(buffer.toBytes(), MonthBytes({{0, 1}, {1, 1}, {2, 1}}));
    EXPECT_EQ(counters.totalPeriod, 1440);
}

TEST_F(MonthBufferTest, MinuteValueCountsItsMinuteOnlyWhenItHasSteps)
{
    MonthBuffer buffer = LoadedMonth(2014, 9);
    counters.missionRunning = {true, true};
    counters.slightMoving = 100; // no filter on minute values
    buffer.AddMinute(30, 23, 59, 3, counters);
    buffer.AddMinute(30, 23, 58, 0, counters);
    EXPECT_EQ(buffer.toBytes(), MonthBytes({{SlotIndex(30, 23, 59), 3}}));
    EXPECT_EQ(counters.totalPeriod, 1);
    EXPECT_EQ(counters.missionSteps[0], 3);
    EXPECT_EQ(counters.missionSteps[1], 3);
    EXPECT_EQ(counters.missionMinutes[0], 1); // the empty minute is no walking time
}

TEST_F(MonthBufferTest, TwoMinuteValueGivesTheOddStepToTheSecondMinute)
{
    MonthBuffer buffer = LoadedMonth(2014, 9);
    buffer.AddTwoMinuteValue(2, 5, 0, 5, counters);
    EXPECT_EQ(counters.totalPeriod, 2);
    buffer.AddTwoMinuteValue(2, 5, 29, 1, counters);
    EXPECT_EQ(counters.totalPeriod, 3);
    EXPECT_EQ(counters.totalSteps, 6);
    EXPECT_EQ(
        buffer.toBytes(),
        MonthBytes({{SlotIndex(2, 5, 0), 2}, {SlotIndex(2, 5, 1), 3}, {SlotIndex(2, 5, 59), 1}}));
}

TEST_F(MonthBufferTest, SlightMovementKeepsMissionsStill)
{
    MonthBuffer buffer = LoadedMonth(2014, 9);
    counters.missionRunning = {true, false};
    counters.slightMoving = 10;
    buffer.AddTwoMinuteValue(1, 0, 0, 20, counters); // 10 a minute: resting
    EXPECT_EQ(counters.missionSteps[0], 0);
    EXPECT_EQ(counters.missionMinutes[0], 0);
    buffer.AddTwoMinuteValue(1, 0, 1, 22, counters);
    EXPECT_EQ(counters.missionSteps[0], 22);
    EXPECT_EQ(counters.missionMinutes[0], 2);
    buffer.AddFiveMinuteValue(1, 1, 0, 54, counters); // 10 a minute
    EXPECT_EQ(counters.missionSteps[0], 22);
    buffer.AddFiveMinuteValue(1, 1, 1, 55, counters);
    EXPECT_EQ(counters.missionSteps[0], 77);
    EXPECT_EQ(counters.missionMinutes[0], 7);
    EXPECT_EQ(counters.totalSteps, 151);
    EXPECT_EQ(counters.totalPeriod, 14); // resting minutes count as lifetime walking time
}

TEST_F(MonthBufferTest, FiveMinuteValueGivesTheRemainderToTheFifthMinute)
{
    MonthBuffer buffer = LoadedMonth(2014, 9);
    buffer.AddFiveMinuteValue(4, 12, 1, 12, counters);
    buffer.AddFiveMinuteValue(4, 12, 2, 3, counters);
    EXPECT_EQ(buffer.toBytes(), MonthBytes({{SlotIndex(4, 12, 5), 2},
                                            {SlotIndex(4, 12, 6), 2},
                                            {SlotIndex(4, 12, 7), 2},
                                            {SlotIndex(4, 12, 8), 2},
                                            {SlotIndex(4, 12, 9), 4},
                                            {SlotIndex(4, 12, 14), 3}}));
    EXPECT_EQ(counters.totalPeriod, 10);
}

TEST_F(MonthBufferTest, SlotsWrapAroundAt65536AndRowsEndAtThe31st)
{
    dir.write(storeFile(2014, 9), MonthBytes({{SlotIndex(31, 23, 59), 65535}}));
    MonthBuffer buffer = LoadedMonth(2014, 9);
    buffer.AddMinute(31, 23, 59, 1, counters);
    buffer.AddToSlot(MonthBuffer::SlotCount, 9); // past the last row: dropped
    buffer.AddToSlot(-1, 9);
    ASSERT_TRUE(buffer.Save().ok());
    EXPECT_EQ(storeBytes(2014, 9), MonthBytes({}));
}

TEST_F(MonthBufferTest, ShorterStoreFileReadsAsZeroPastItsEnd)
{
    dir.write(storeFile(2014, 9), QByteArray("\x05\x01\x07", 3));
    MonthBuffer buffer = LoadedMonth(2014, 9);
    EXPECT_EQ(buffer.slot(0), 0x0105);
    EXPECT_EQ(buffer.slot(1), 0); // half a slot is no slot
    ASSERT_TRUE(buffer.Save().ok());
    EXPECT_EQ(storeBytes(2014, 9), MonthBytes({{0, 0x0105}}));
}

TEST_F(MonthBufferTest, LongerStoreFileIsRefusedAndLeftAsItIs)
{
    const QByteArray longer = MonthBytes({{0, 9}}) + QByteArray("tail");
    dir.write(storeFile(2014, 9), longer);
    MonthBuffer buffer;
    const auto loaded = buffer.Load(appState().workingFolder, 2014, 9);
    EXPECT_FALSE(loaded.ok());
    EXPECT_TRUE(loaded.error().contains(QStringLiteral("89284"))) << loaded.error().toStdString();
    EXPECT_EQ(storeBytes(2014, 9), longer);
}

TEST_F(MonthBufferTest, StoreFileThatIsNoRegularFileIsRefusedAtOnce)
{
    dir.makeFifo(storeFile(2014, 9));
    dir.makeLink(storeFile(2014, 10), QStringLiteral("/dev/zero")); // endless
    dir.makeFifo(QStringLiteral("elsewhere/fifo"));
    dir.makeLink(storeFile(2014, 11), dir.filePath(QStringLiteral("elsewhere/fifo")));
    for (const int month : {9, 10, 11}) {
        MonthBuffer buffer;
        const auto loaded = buffer.Load(appState().workingFolder, 2014, month);
        ASSERT_FALSE(loaded.ok()) << month;
        EXPECT_TRUE(loaded.error().contains(storePath(2014, month)))
            << loaded.error().toStdString();
        EXPECT_FALSE(buffer.Save().ok()) << month; // nothing in its place is replaced
    }
    EXPECT_TRUE(dir.isFifo(storeFile(2014, 9)));
    EXPECT_TRUE(QFileInfo(storePath(2014, 10)).isSymLink());
}

TEST_F(MonthBufferTest, StoreFileReachedThroughALinkIsReadButNeverWrittenThrough)
{
    const QByteArray theirs = MonthBytes({{0, 7}});
    const QString target = dir.write(QStringLiteral("elsewhere/month.BIN"), theirs);
    const QString link = dir.makeLink(storeFile(2014, 9), target);
    MonthBuffer buffer = LoadedMonth(2014, 9);
    EXPECT_EQ(buffer.slot(0), 7);
    buffer.AddMinute(1, 0, 1, 5, counters);

    const auto saved = buffer.Save();
    EXPECT_FALSE(saved.ok());
    EXPECT_TRUE(saved.error().contains(QStringLiteral("link"))) << saved.error().toStdString();
    EXPECT_EQ(dir.read(QStringLiteral("elsewhere/month.BIN")), theirs);
    EXPECT_TRUE(QFileInfo(link).isSymLink());
}

TEST_F(MonthBufferTest, MissingStoreFileIsAnEmptyMonthSavedUnderDataWithItsName)
{
    MonthBuffer buffer = LoadedMonth(2026, 2);
    EXPECT_EQ(buffer.path(), dir.filePath(QStringLiteral("Data/Stepo202602.BIN")));
    EXPECT_EQ(buffer.toBytes(), MonthBytes({}));
    ASSERT_TRUE(buffer.Save().ok());
    EXPECT_EQ(QFile(storePath(2026, 2)).size(), 89280);
}

TEST(StepCounters, AddWrapsInsteadOfOverflowing)
{
    StepCounters counters;
    counters.totalSteps = 2147483647;
    counters.AddSteps(1);
    EXPECT_EQ(counters.totalSteps, -2147483647 - 1);
}

} // namespace
} // namespace trek
