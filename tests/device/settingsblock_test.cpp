// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/settingsblock.h"
#include "resetsettings.h"

#include <gtest/gtest.h>

namespace trek {
namespace {

const QDateTime PcNow(QDate(2026, 6, 10), QTime(14, 30, 15));

using test::ResetSettings;

void putTime(SettingsBlock& block, int offset, const QDateTime& time)
{
    block[offset] = static_cast<std::uint8_t>(time.date().year() - 2000);
    block[offset + 1] = static_cast<std::uint8_t>(time.date().month());
    block[offset + 2] = static_cast<std::uint8_t>(time.date().day());
    block[offset + 3] = static_cast<std::uint8_t>(time.time().hour());
    block[offset + 4] = static_cast<std::uint8_t>(time.time().minute());
    block[offset + 5] = static_cast<std::uint8_t>(time.time().second());
}

// A block as the wristband answers it: its clock, the time it was last set, its correction.
SettingsBlock statusBlock(const QDateTime& watch, const QDateTime& lastSet, int correction)
{
    SettingsBlock block{};
    const QByteArray header("Gaitronix K7E V1");
    std::copy(header.begin(), header.end(), block.begin());
    putTime(block, 16, watch);
    if (lastSet.isValid()) {
        putTime(block, 24, lastSet);
    }
    block[31] = static_cast<std::uint8_t>(correction);
    return block;
}

TEST(SettingsBlockBuild, FieldsAtTheirOffsets)
{
    WristbandSettings s = ResetSettings();
    s.hourMode = 1;
    s.clockCorrection = -5;
    s.scrollSpeed = 7;
    s.ledPowerControl = true;
    s.ledPowerFromHour = 8;
    s.ledPowerToHour = 18;
    const QByteArray message("Hi there");
    std::copy(message.begin(), message.end(), s.message.begin());
    s.sleepMonitorOn = true;
    s.sleepMonitorEveryDay = true;
    s.sleepStartHour = 22;
    s.sleepStartMinute = 30;
    s.sleepStopHour = 6;
    s.sleepStopMinute = 45;
    s.keptFlag2 = true;

    const SettingsBlock block = BuildSettingsBlock(s, PcNow, 'E');

    EXPECT_EQ(QByteArray(reinterpret_cast<const char*>(block.data()), 16),
              QByteArray("Gaitronix K7E V1"));
    const std::array<std::uint8_t, 6> clock{26, 6, 10, 14, 30, 15};
    EXPECT_TRUE(std::equal(clock.begin(), clock.end(), block.begin() + 16));
    EXPECT_EQ(block[30], 0x12);
    EXPECT_EQ(block[31], 0xFB); // -5 as a signed byte
    EXPECT_EQ(block[32], 7);
    for (int i = 0; i < 10; ++i) {
        EXPECT_EQ(block[33 + i], WristbandSettings::ResetDisplayEntries[i]) << i;
    }
    EXPECT_EQ(block[45], 0xED);
    EXPECT_EQ(block[46], 8);
    EXPECT_EQ(block[47], 18);
    EXPECT_EQ(QByteArray(reinterpret_cast<const char*>(block.data() + 48)), message);
    EXPECT_EQ(block[160], 3);
    EXPECT_EQ((std::array<std::uint8_t, 4>{block[161], block[162], block[163], block[164]}),
              (std::array<std::uint8_t, 4>{22, 30, 6, 45}));
    EXPECT_EQ(block[176], 2);
    s.hourMode = 0;
    s.sleepMonitorEveryDay = false;
    const SettingsBlock other = BuildSettingsBlock(s, PcNow, 'A');
    EXPECT_EQ(other[30], 0x24);
    EXPECT_EQ(other[160], 1);
    EXPECT_EQ(other[12], 'A');
    // The unnamed bytes stay zero.
    for (int offset : {22, 23, 24, 29, 43, 44, 152, 159, 165, 175, 177, 255}) {
        EXPECT_EQ(block[offset], 0) << offset;
    }
}

TEST(SettingsBlockBuild, DarkLinesAfterTheLastLitLineEndThePicture)
{
    WristbandSettings s = ResetSettings();
    s.picture.fill(0);
    s.picture[2] = 0x40;
    const SettingsBlock block = BuildSettingsBlock(s, PcNow, 'E');
    EXPECT_EQ(block[112], 0);
    EXPECT_EQ(block[113], 0);
    EXPECT_EQ(block[114], 0x40);
    for (int i = 3; i < 40; ++i) {
        EXPECT_EQ(block[112 + i], 0xFF) << i;
    }
    EXPECT_EQ(block[152], 0);
}

TEST(SettingsBlockBuild, ReadBackGivesTheSameSettings)
{
    WristbandSettings s = ResetSettings();
    s.hourMode = 1;
    s.scrollSpeed = 2;
    s.displayEntries = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
    s.picture[0] = 0x7F;
    s.picture[1] = 0x01;
    const QByteArray message("ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789"); // 36 characters
    std::copy(message.begin(), message.end(), s.message.begin());
    s.ledPowerFromHour = 7;
    s.ledPowerToHour = 21;
    s.sleepMonitorOn = true;
    s.sleepStartHour = 23;
    s.sleepStopMinute = 15;
    s.keptFlag1 = true;

    WristbandSettings back = ResetSettings();
    TakeOverBlockSettings(BuildSettingsBlock(s, PcNow, 'E'), TakeOverScope::Collection, back);
    EXPECT_EQ(back.hourMode, 1);
    EXPECT_EQ(back.scrollSpeed, 2);
    EXPECT_EQ(back.displayEntries, s.displayEntries);
    EXPECT_EQ(back.picture, s.picture);
    EXPECT_EQ(back.message, s.message);
    EXPECT_EQ(back.ledPowerFromHour, 7);
    EXPECT_EQ(back.ledPowerToHour, 21);
    EXPECT_TRUE(back.sleepMonitorOn);
    EXPECT_FALSE(back.sleepMonitorEveryDay);
    EXPECT_EQ(back.sleepStartHour, 23);
    EXPECT_EQ(back.sleepStopMinute, 15);
    EXPECT_TRUE(back.keptFlag1);
    EXPECT_FALSE(back.keptFlag2);
}

TEST(SettingsBlockRead, ClockCheckTakesOnlyWhatThePageShows)
{
    SettingsBlock block = statusBlock(PcNow, {}, 0);
    block[30] = 0x24;
    block[33] = 12; // effects beyond the last one count as the last
    block[45] = 0xED;
    block[160] = 3;
    block[176] = 3;
    std::fill(block.begin() + 112, block.begin() + 152, 0x11);

    WristbandSettings s = ResetSettings();
    TakeOverBlockSettings(block, TakeOverScope::ClockCheck, s);
    EXPECT_EQ(s.hourMode, 0);
    EXPECT_EQ(s.displayEntries[0], 10);
    EXPECT_EQ(s.picture[38], 0x11);
    EXPECT_EQ(s.picture[39], 0xFF);
    EXPECT_FALSE(s.ledPowerControl);
    EXPECT_FALSE(s.sleepMonitorOn);
    EXPECT_FALSE(s.keptFlag1);

    TakeOverBlockSettings(block, TakeOverScope::Collection, s);
    EXPECT_EQ(s.picture[39], 0x11);
    EXPECT_TRUE(s.ledPowerControl);
    EXPECT_TRUE(s.sleepMonitorOn);
    EXPECT_TRUE(s.sleepMonitorEveryDay);
    EXPECT_TRUE(s.keptFlag1);
    EXPECT_TRUE(s.keptFlag2);
}

TEST(SettingsBlockRead, Headers)
{
    SettingsBlock block = statusBlock(PcNow, {}, 0);
    EXPECT_TRUE(HasMakerHeader(block));
    EXPECT_TRUE(HasMakerAndModelHeader(block));
    block[11] = '8';
    EXPECT_TRUE(HasMakerHeader(block));
    EXPECT_FALSE(HasMakerAndModelHeader(block));
    block[11] = '7';
    block[9] = '_';
    EXPECT_TRUE(HasMakerHeader(block)); // the collection reads only "Gaitronix"
    EXPECT_FALSE(HasMakerAndModelHeader(block));
    EXPECT_FALSE(HasMakerHeader(SettingsBlock{}));
}

TEST(SettingsBlockDrift, AheadAfterTenDaysCallsForMinusThree)
{
    const DriftReport drift =
        MeasureDrift(statusBlock(PcNow.addSecs(30), PcNow.addDays(-10), 0), PcNow);
    EXPECT_EQ(drift.clockCorrection, -3);
    EXPECT_EQ(drift.differenceText, QStringLiteral("       30 sec /  10 days"));
    EXPECT_EQ(drift.watchText, QStringLiteral("2026-06-10 14:30:45"));
    EXPECT_EQ(drift.lastUpdateText, QStringLiteral("2026-05-31 14:30:15"));
    EXPECT_DOUBLE_EQ(drift.elapsedDays, 10.0);
}

TEST(SettingsBlockDrift, BehindAfterFourDaysTruncatesTowardsZero)
{
    // 5 - trunc(-30 / 4) = 5 - (-7) = 12
    const DriftReport drift =
        MeasureDrift(statusBlock(PcNow.addSecs(-30), PcNow.addDays(-4), 5), PcNow);
    EXPECT_EQ(drift.clockCorrection, 12);
    EXPECT_EQ(drift.differenceText, QStringLiteral("      -30 sec /   4 days"));
}

TEST(SettingsBlockDrift, LessThanADayKeepsTheCorrectionInForce)
{
    const DriftReport drift =
        MeasureDrift(statusBlock(PcNow.addSecs(4), PcNow.addSecs(-12 * 3600), -7), PcNow);
    EXPECT_EQ(drift.clockCorrection, -7); // read as a signed byte
    EXPECT_EQ(drift.differenceText, QStringLiteral("        4 sec"));
    EXPECT_FALSE(drift.lastUpdateText.isEmpty());
}

TEST(SettingsBlockDrift, NeverSetClockHasNoLastUpdate)
{
    SettingsBlock block = statusBlock(PcNow.addSecs(-100), PcNow.addDays(-30), 9);
    block[26] = 0; // day byte of the last-set time
    const DriftReport drift = MeasureDrift(block, PcNow);
    EXPECT_TRUE(drift.lastUpdateText.isEmpty());
    EXPECT_EQ(drift.elapsedDays, 0.0);
    EXPECT_EQ(drift.clockCorrection, 9);
    EXPECT_EQ(drift.differenceText, QStringLiteral("     -100 sec"));
}

TEST(SettingsBlockDrift, CorrectionIsHeldToWhatTheWristbandTakes)
{
    // 300 s behind after one day with +99 in force would ask for +399, which a byte would wrap.
    const DriftReport far =
        MeasureDrift(statusBlock(PcNow.addSecs(-300), PcNow.addDays(-1), 99), PcNow);
    EXPECT_EQ(far.clockCorrection, 99);
    const DriftReport ahead =
        MeasureDrift(statusBlock(PcNow.addSecs(2000), PcNow.addDays(-2), 0), PcNow);
    EXPECT_EQ(ahead.clockCorrection, -99);
}

// The wristband's clock runs on through a change of the PC's offset; only what it gained or lost
// itself is drift.
TEST(SettingsBlockDrift, DaylightSavingChangeIsNoDrift)
{
    const QTimeZone berlin("Europe/Berlin");
    ASSERT_TRUE(berlin.isValid());
    // Set in winter time (UTC+1), read in summer time (UTC+2): 16 days less the hour skipped.
    const QDateTime lastSet(QDate(2026, 3, 20), QTime(12, 0));
    const QDateTime pcNow(QDate(2026, 4, 5), QTime(12, 0));
    const QDateTime watch(QDate(2026, 4, 5), QTime(11, 0, 30)); // 30 s gained
    const DriftReport spring = MeasureDrift(statusBlock(watch, lastSet, 0), pcNow, berlin);
    EXPECT_DOUBLE_EQ(spring.differenceSeconds, 30.0);
    EXPECT_DOUBLE_EQ(spring.elapsedDays, 16.0 - 1.0 / 24.0);
    EXPECT_EQ(spring.differenceText, QStringLiteral("       30 sec /  16 days"));
    EXPECT_EQ(spring.clockCorrection, -1); // 0 - trunc(30 / 15.96)
    EXPECT_EQ(spring.watchText, QStringLiteral("2026-04-05 11:00:30"));

    // Back in autumn: the wristband set in summer time shows an hour more than the PC.
    const DriftReport autumn =
        MeasureDrift(statusBlock(QDateTime(QDate(2026, 11, 2), QTime(13, 0, 0)),
                                 QDateTime(QDate(2026, 10, 20), QTime(12, 0)), 4),
                     QDateTime(QDate(2026, 11, 2), QTime(12, 0)), berlin);
    EXPECT_DOUBLE_EQ(autumn.differenceSeconds, 0.0);
    EXPECT_EQ(autumn.clockCorrection, 4);

    // Within one offset nothing moves, in any zone.
    const DriftReport summer =
        MeasureDrift(statusBlock(PcNow.addSecs(30), PcNow.addDays(-10), 0), PcNow, berlin);
    EXPECT_DOUBLE_EQ(summer.differenceSeconds, 30.0);
    EXPECT_EQ(summer.clockCorrection, -3);
}

TEST(SettingsBlockRead, OutOfRangeClockFieldsRollOverAsTheCLibraryDoes)
{
    SettingsBlock block{};
    const std::array<std::uint8_t, 6> fields{26, 13, 32, 0, 0, 61}; // month 13, day 32
    std::copy(fields.begin(), fields.end(), block.begin() + 16);
    EXPECT_EQ(FormatClockText(BlockTime(block, 16)), QStringLiteral("2027-02-01 00:01:01"));
}

} // namespace
} // namespace trek
