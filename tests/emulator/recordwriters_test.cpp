// SPDX-License-Identifier: GPL-3.0-or-later
#include "emulator/recordimage.h"
#include "emulator/recordwriters.h"

#include <gtest/gtest.h>

namespace trek::emu {
namespace {

void Set(DaySteps& day, int hour, int minute, int steps)
{
    day.minutes[static_cast<std::size_t>(hour) * 60 + static_cast<std::size_t>(minute)] =
        static_cast<std::uint16_t>(steps);
}

// A small hand-made day: a short walk in the morning, one across the hour at 14:00, a run of 12
// minutes and a last step just before midnight.
DaySteps TinyDay()
{
    DaySteps day;
    day.date = QDate(2023, 3, 5);
    Set(day, 7, 5, 100);
    Set(day, 7, 6, 110);
    Set(day, 13, 58, 300);
    Set(day, 13, 59, 200);
    Set(day, 14, 0, 1);
    for (int minute = 0; minute < 12; ++minute) {
        Set(day, 18, minute, 10);
    }
    Set(day, 23, 59, 3);
    return day;
}

QByteArray Bytes(std::initializer_list<int> values)
{
    QByteArray bytes;
    for (const int value : values) {
        bytes += static_cast<char>(value);
    }
    return bytes;
}

// Every byte outside the listed (offset, bytes) pieces must be zero.
void ExpectOnly(const QByteArray& actual, const std::vector<std::pair<int, QByteArray>>& pieces)
{
    QByteArray expected(actual.size(), '\0');
    for (const auto& [offset, bytes] : pieces) {
        expected.replace(offset, bytes.size(), bytes);
    }
    for (qsizetype index = 0; index < actual.size(); ++index) {
        ASSERT_EQ(actual.at(index), expected.at(index)) << "at byte " << index;
    }
}

TEST(RecordWriters, TextDayFileHasOneCrLfLinePerRunOfAtMostTenMinutes)
{
    EXPECT_EQ(TextDayFileName(QDate(2014, 9, 3)), QStringLiteral("20140903.txt"));
    EXPECT_EQ(TextDayFile(TinyDay()), QByteArray("7:5~7:6 210\r\n"
                                                 "13:58~14:0 501\r\n"
                                                 "18:0~18:9 100\r\n"
                                                 "18:10~18:11 20\r\n"
                                                 "23:59~23:59 3\r\n"));
    EXPECT_TRUE(TextDayFile(DaySteps{}).isEmpty());
}

TEST(RecordWriters, KdxDayFilePutsBigEndianMinutesInFourHourBlocks)
{
    EXPECT_EQ(KdxDayFileName(QDate(2023, 3, 5)), QStringLiteral("20230305.KDX"));
    const QByteArray kdx = KdxDayFile(TinyDay());
    ASSERT_EQ(kdx.size(), 3072);
    std::vector<std::pair<int, QByteArray>> pieces{
        {512 + 360 + 10, Bytes({0, 100, 0, 110})},          // 7:05, 7:06
        {3 * 512 + 120 + 116, Bytes({0x01, 0x2C, 0, 200})}, // 13:58, 13:59
        {3 * 512 + 240, Bytes({0, 1})},                     // 14:00
        {5 * 512 + 360 + 118, Bytes({0, 3})},               // 23:59
    };
    for (int minute = 0; minute < 12; ++minute) {
        pieces.push_back({4 * 512 + 240 + 2 * minute, Bytes({0, 10})}); // 18:00 to 18:11
    }
    ExpectOnly(kdx, pieces);
}

TEST(RecordWriters, K7ImageHoldsOneRecordPerHourWithSteps)
{
    const K7Image image = MakeK7Image({TinyDay()});
    EXPECT_EQ(image.hoursWritten, 5);
    EXPECT_EQ(image.hoursDropped, 0);
    ASSERT_EQ(image.bytes.size(), 9 * 512); // ends with the last block that holds a record
    const int block8 = 8 * 512;
    ExpectOnly(image.bytes,
               {
                   {block8, Bytes({23, 3, 5, 7})},
                   {block8 + 4 + 4, Bytes({0, 100, 0, 110})}, // minutes 4-5, 6-7
                   {block8 + 64, Bytes({23, 3, 5, 13})},
                   {block8 + 64 + 4 + 58, Bytes({0x01, 0xF4})}, // minutes 58-59: 500
                   {block8 + 128, Bytes({23, 3, 5, 14, 0, 1})},
                   {block8 + 192, Bytes({23, 3, 5, 18, 0, 20, 0, 20, 0, 20, 0, 20, 0, 20, 0, 20})},
                   {block8 + 256, Bytes({23, 3, 5, 23})},
                   {block8 + 256 + 4 + 58, Bytes({0, 3})},
               });
}

TEST(RecordWriters, K7ImageFillsTheSecondRegionAndCountsWhatDoesNotFit)
{
    StepHistory week;
    for (int index = 0; index < 7; ++index) {
        DaySteps day;
        day.date = QDate(2023, 1, 1).addDays(index);
        for (int hour = 0; hour < 24; ++hour) {
            Set(day, hour, 0, 1);
        }
        week.push_back(day);
    }
    const K7Image image = MakeK7Image(week); // 168 hours for 152 places
    EXPECT_EQ(image.hoursWritten, 152);
    EXPECT_EQ(image.hoursDropped, 16);
    ASSERT_EQ(image.bytes.size(), 125 * 512);
    EXPECT_EQ(image.bytes.mid(qsizetype{14} * 512 + 7 * 64, 4), Bytes({23, 1, 2, 7})); // record 31
    EXPECT_EQ(image.bytes.mid(qsizetype{96} * 512, 4), Bytes({23, 1, 2, 8}));          // record 32
    EXPECT_EQ(image.bytes.mid(qsizetype{124} * 512 + 7 * 64, 4),
              Bytes({23, 1, 7, 7}));                                            // record 151
    EXPECT_EQ(image.bytes.mid(qsizetype{9} * 512, 512), QByteArray(512, '\0')); // odd blocks unused
}

TEST(RecordWriters, K9EImageHasTwoLittleEndianBlocksPerDayAndMarksTheLast)
{
    const QByteArray image = MakeK9EImage({TinyDay()});
    ASSERT_EQ(image.size(), 1024);
    ExpectOnly(image, {
                          {0, Bytes({23, 3, 5, 0})},
                          {4 + 2 * 85, Bytes({210, 0})}, // 7:05 to 7:09
                          {512, Bytes({23, 3, 5, 12})},
                          {512 + 4 + 2 * 23, Bytes({0xF4, 0x01, 1, 0})}, // 13:55-13:59, 14:00-14:04
                          {512 + 4 + 2 * 72, Bytes({50, 0, 50, 0, 20, 0})}, // 18:00 to 18:14
                          {512 + 4 + 2 * 143, Bytes({3, 0})},               // 23:55-23:59
                          {512 + 292, Bytes({15})},
                      });
    EXPECT_EQ(BlockCount(image), 2);
    EXPECT_TRUE(MakeK9EImage({}).isEmpty());
}

} // namespace
} // namespace trek::emu
