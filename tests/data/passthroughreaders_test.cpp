// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/appstate.h"
#include "data/collectionreport.h"
#include "data/passthroughreaders.h"
#include "datatestsupport.h"
#include "emulator/passthroughwristband.h"

#include <QFile>
#include <gtest/gtest.h>

namespace trek {
namespace {

using emu::PassThroughWristband;
using test::MonthBytes;
using test::SlotIndex;

// K7 memory image with the given records starting at `firstBlock` (8 records per block, every
// second block, as the wristband fills its regions).
QByteArray K7Image(int firstBlock, const std::vector<QByteArray>& records)
{
    QByteArray image(qsizetype{128} * 512, '\0');
    for (std::size_t i = 0; i < records.size(); ++i) {
        const int block = firstBlock + 2 * static_cast<int>(i / 8);
        image.replace(block * 512 + static_cast<int>(i % 8) * 64, 64, records[i]);
    }
    return image;
}

class PassThroughReadersTest : public test::DataTest
{
protected:
    void Plug(PassThroughWristband::Model model, const QByteArray& image)
    {
        device = std::make_unique<PassThroughWristband>(model, image);
        transport = std::make_unique<platform::SingleTargetTransport>(*device);
        appState().services.scsi = transport.get();
    }
    std::unique_ptr<PassThroughWristband> device;
    std::unique_ptr<platform::SingleTargetTransport> transport;
};

TEST_F(PassThroughReadersTest, K7FirstRegionEndsAtItsFirstInvalidRecordAndSkipsRegionTwo)
{
    QByteArray image =
        K7Image(8, {test::K7Record(14, 5, 2, 7, {5, 1}), test::K7Record(14, 5, 2, 8, {0, 0, 40}),
                    test::K7Record(14, 5, 3, 0, {3})});
    image.replace(qsizetype{96} * 512, 64, test::K7Record(14, 5, 9, 9, {100}));
    Plug(PassThroughWristband::Model::K7, image);

    EXPECT_TRUE(ReadK7Memory(1, report));
    EXPECT_EQ(storeBytes(2014, 5), MonthBytes({{SlotIndex(2, 7, 0), 2},
                                               {SlotIndex(2, 7, 1), 3},
                                               {SlotIndex(2, 7, 3), 1},
                                               {SlotIndex(2, 8, 4), 20},
                                               {SlotIndex(2, 8, 5), 20},
                                               {SlotIndex(3, 0, 1), 2},
                                               {SlotIndex(3, 0, 0), 1}}));
    EXPECT_EQ(device->recordBlocksRead(), 1); // block 8 only
    EXPECT_EQ(device->endCollectionCount(), 1);
    EXPECT_EQ(settingInt("Summary", "TotalSteps"), 49);
    EXPECT_EQ(settingInt("Summary", "TotalPeriod"), 7);
}

TEST_F(PassThroughReadersTest, K7SecondRegionIsReadWhenTheFirstHoldsNothing)
{
    std::vector<QByteArray> records;
    records.reserve(10);
    for (int hour = 0; hour < 10; ++hour) {
        records.push_back(test::K7Record(26, 12, 6, hour, {hour + 1}));
    }
    Plug(PassThroughWristband::Model::K7, K7Image(96, records));

    EXPECT_TRUE(ReadK7Memory(1, report));
    std::vector<std::pair<int, int>> expected;
    for (int hour = 0; hour < 10; ++hour) {
        const int value = hour + 1;
        if (value / 2 != 0) {
            expected.emplace_back(SlotIndex(6, hour, 0), value / 2);
        }
        expected.emplace_back(SlotIndex(6, hour, 1), value / 2 + value % 2);
    }
    EXPECT_EQ(storeBytes(2026, 12), MonthBytes(expected));
    // Block 8 of region one ends it at once, then blocks 96 and 98 of region two.
    EXPECT_EQ(device->recordBlocksRead(), 3);
    EXPECT_EQ(appState().values.totalSteps, 55);
}

TEST_F(PassThroughReadersTest, K7WithoutAnyRecordStillEndsTheCollection)
{
    Plug(PassThroughWristband::Model::K7, QByteArray());
    EXPECT_TRUE(ReadK7Memory(1, report));
    EXPECT_EQ(device->recordBlocksRead(), 2); // blocks 8 and 96
    EXPECT_EQ(device->endCollectionCount(), 1);
    EXPECT_FALSE(dir.exists(QStringLiteral("Data")));
}

TEST_F(PassThroughReadersTest, K9EReadingAcrossMarchAndAprilSavesBothMonths)
{
    std::vector<int> march(144, 0);
    march[0] = 12;  // 31 March 12:00
    march[143] = 7; // 31 March 23:55
    Plug(PassThroughWristband::Model::K9E,
         test::K9EBlock(14, 3, 31, 12, march, false) + test::K9EBlock(14, 4, 1, 0, {0, 5}, true) +
             test::K9EBlock(14, 4, 2, 0, {999}, true)); // after the end: never read

    EXPECT_TRUE(ReadK9EBlocks(1, report));
    EXPECT_EQ(storeBytes(2014, 3), MonthBytes({{SlotIndex(31, 12, 0), 2},
                                               {SlotIndex(31, 12, 1), 2},
                                               {SlotIndex(31, 12, 2), 2},
                                               {SlotIndex(31, 12, 3), 2},
                                               {SlotIndex(31, 12, 4), 4},
                                               {SlotIndex(31, 23, 59), 7 / 5 + 2},
                                               {SlotIndex(31, 23, 55), 1},
                                               {SlotIndex(31, 23, 56), 1},
                                               {SlotIndex(31, 23, 57), 1},
                                               {SlotIndex(31, 23, 58), 1}}));
    EXPECT_EQ(storeBytes(2014, 4), MonthBytes({{SlotIndex(1, 0, 5), 1},
                                               {SlotIndex(1, 0, 6), 1},
                                               {SlotIndex(1, 0, 7), 1},
                                               {SlotIndex(1, 0, 8), 1},
                                               {SlotIndex(1, 0, 9), 1}}));
    EXPECT_EQ(device->recordBlocksRead(), 2);
    EXPECT_EQ(device->endCollectionCount(), 1);
    EXPECT_EQ(settingInt("Summary", "TotalSteps"), 24);
    EXPECT_EQ(settingInt("Summary", "TotalPeriod"), 15);
}

TEST_F(PassThroughReadersTest, K9EBlockStartingLateRunsOnIntoTheNextDayAndMonth)
{
    std::vector<int> values(144, 0);
    values[0] = 5;   // 30 April 18:00
    values[72] = 10; // six hours later: 1 May 00:00
    Plug(PassThroughWristband::Model::K9E, test::K9EBlock(14, 4, 30, 18, values, true));

    EXPECT_TRUE(ReadK9EBlocks(1, report));
    EXPECT_EQ(storeBytes(2014, 4), MonthBytes({{SlotIndex(30, 18, 0), 1},
                                               {SlotIndex(30, 18, 1), 1},
                                               {SlotIndex(30, 18, 2), 1},
                                               {SlotIndex(30, 18, 3), 1},
                                               {SlotIndex(30, 18, 4), 1}}));
    EXPECT_EQ(storeBytes(2014, 5), MonthBytes({{SlotIndex(1, 0, 0), 2},
                                               {SlotIndex(1, 0, 1), 2},
                                               {SlotIndex(1, 0, 2), 2},
                                               {SlotIndex(1, 0, 3), 2},
                                               {SlotIndex(1, 0, 4), 2}}));
}

TEST_F(PassThroughReadersTest, K9EStreamWithoutAnEndStoresNothingAndKeepsTheRecords)
{
    appState().values.totalSteps = 77;
    Plug(PassThroughWristband::Model::K9E, test::K9EBlock(14, 3, 1, 0, {100}, true));
    device->setEndlessStream(true);

    EXPECT_FALSE(ReadK9EBlocks(1, report));
    EXPECT_EQ(device->recordBlocksRead(), MaxK9EBlocks);
    EXPECT_EQ(device->endCollectionCount(), 0);
    EXPECT_TRUE(device->hasNewData());
    EXPECT_FALSE(dir.exists(QStringLiteral("Data")));
    EXPECT_FALSE(QFile::exists(appState().settingsPath));
    EXPECT_EQ(appState().values.totalSteps, 77);
    ASSERT_EQ(ui.messages.size(), 1);
    EXPECT_EQ(ui.messages[0], QStringLiteral("K9E Data Capture Error"));
    EXPECT_TRUE(report.streamWithoutEnd);
}

TEST_F(PassThroughReadersTest, NinetyNinthBlockMayStillEndTheStream)
{
    QByteArray image;
    for (int i = 0; i < 99; ++i) {
        const int day = 1 + i / 2;
        image += test::K9EBlock(14, day <= 31 ? 1 : 2, day <= 31 ? day : day - 31, (i % 2) * 12,
                                {5}, i == 98);
    }
    Plug(PassThroughWristband::Model::K9E, image);
    EXPECT_TRUE(ReadK9EBlocks(1, report));
    EXPECT_EQ(device->endCollectionCount(), 1);
    EXPECT_EQ(appState().values.totalSteps, 99 * 5);
}

TEST_F(PassThroughReadersTest, WristbandVanishingMidStreamLosesNothingAndCountsOnce)
{
    const QByteArray image = test::K9EBlock(14, 3, 1, 0, {10}, false) +
                             test::K9EBlock(14, 3, 1, 12, {20}, false) +
                             test::K9EBlock(14, 3, 2, 0, {30}, true);
    dir.write(storeFile(2014, 3), MonthBytes({{0, 1000}}));
    Plug(PassThroughWristband::Model::K9E, image);
    device->disappearAfterBlocks(2);

    EXPECT_FALSE(ReadK9EBlocks(1, report));
    EXPECT_EQ(device->endCollectionCount(), 0);
    EXPECT_TRUE(device->hasNewData());
    EXPECT_EQ(storeBytes(2014, 3), MonthBytes({{0, 1000}}));
    EXPECT_EQ(appState().values.totalSteps, 0);
    EXPECT_TRUE(report.readFailed);

    device->reconnect();
    EXPECT_TRUE(ReadK9EBlocks(1, report));
    EXPECT_EQ(device->endCollectionCount(), 1);
    EXPECT_EQ(storeBytes(2014, 3), MonthBytes({{0, 1002},
                                               {1, 2},
                                               {2, 2},
                                               {3, 2},
                                               {4, 2},
                                               {SlotIndex(1, 12, 0), 4},
                                               {SlotIndex(1, 12, 1), 4},
                                               {SlotIndex(1, 12, 2), 4},
                                               {SlotIndex(1, 12, 3), 4},
                                               {SlotIndex(1, 12, 4), 4},
                                               {SlotIndex(2, 0, 0), 6},
                                               {SlotIndex(2, 0, 1), 6},
                                               {SlotIndex(2, 0, 2), 6},
                                               {SlotIndex(2, 0, 3), 6},
                                               {SlotIndex(2, 0, 4), 6}}));
    EXPECT_EQ(settingInt("Summary", "TotalSteps"), 60);
}

TEST_F(PassThroughReadersTest, FailedK7ReadKeepsTheRecordsOnTheWristband)
{
    Plug(PassThroughWristband::Model::K7,
         K7Image(8, std::vector<QByteArray>(12, test::K7Record(14, 5, 2, 7, {4}))));
    device->failNextReads(1);
    // The first block read answers CHECK CONDITION: not the end of the data, a failure.
    EXPECT_FALSE(ReadK7Memory(1, report));
    EXPECT_EQ(device->endCollectionCount(), 0);
    EXPECT_FALSE(dir.exists(QStringLiteral("Data")));
    EXPECT_EQ(ui.messages.size(), 1);
}

} // namespace
} // namespace trek
