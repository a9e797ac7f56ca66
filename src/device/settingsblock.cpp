// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/settingsblock.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace trek {

namespace {

// Offsets of the fields in the block.
constexpr int HeaderAt = 0;
constexpr int ClockAt = 16;
constexpr int LastSetAt = 24;
constexpr int HourModeAt = 30;
constexpr int CorrectionAt = 31;
constexpr int ScrollSpeedAt = 32;
constexpr int DisplayAt = 33;
constexpr int LedControlAt = 45;
constexpr int LedFromAt = 46;
constexpr int LedToAt = 47;
constexpr int MessageAt = 48;
constexpr int PictureAt = 112;
constexpr int SleepMonitorAt = 160;
constexpr int SleepTimesAt = 161;
constexpr int KeptFlagsAt = 176;

constexpr std::uint8_t TwelveHourMark = 0x12;
constexpr std::uint8_t TwentyFourHourMark = 0x24;
constexpr std::uint8_t LedControlOnMark = 0xED;
constexpr std::uint8_t PictureEnd = 0xFF;
constexpr int MaxDisplayEffect = 10;
constexpr int MaxCorrection = 99;
constexpr double SecondsPerDay = 86400.0;

constexpr char HeaderTemplate[] = "Gaitronix Q5C V1";
constexpr std::string_view MakerName = "Gaitronix";
constexpr std::string_view MakerPrefix = "Gaitronix ";
constexpr std::string_view ModelCode = "K7";

std::uint8_t byteOf(int value)
{
    return static_cast<std::uint8_t>(value);
}

int signedByte(std::uint8_t value)
{
    return static_cast<std::int8_t>(value);
}

bool startsWith(std::span<const std::uint8_t> block, std::size_t offset, std::string_view text)
{
    if (block.size() < offset + text.size()) {
        return false;
    }
    return std::equal(text.begin(), text.end(), block.begin() + static_cast<long>(offset),
                      [](char c, std::uint8_t b) { return static_cast<std::uint8_t>(c) == b; });
}

void putTime(SettingsBlock& block, int offset, const QDateTime& time)
{
    const QDate date = time.date();
    const QTime clock = time.time();
    block[offset] = byteOf(date.year() - 2000);
    block[offset + 1] = byteOf(date.month());
    block[offset + 2] = byteOf(date.day());
    block[offset + 3] = byteOf(clock.hour());
    block[offset + 4] = byteOf(clock.minute());
    block[offset + 5] = byteOf(clock.second());
}

// Seconds of a wall time counted as if it were UTC, so that differences of wall times are plain.
qint64 wallSeconds(const QDateTime& time)
{
    return QDateTime(time.date(), time.time(), Qt::UTC).toSecsSinceEpoch();
}

int offsetAt(const QTimeZone& zone, const QDateTime& wall)
{
    return QDateTime(wall.date(), wall.time(), zone).offsetFromUtc();
}

} // namespace

SettingsBlock BuildSettingsBlock(const WristbandSettings& settings, const QDateTime& localNow,
                                 char modelLetter)
{
    SettingsBlock block{};
    std::memcpy(block.data() + HeaderAt, HeaderTemplate, 16);
    block[10] = 'K';
    block[11] = '7';
    block[12] = static_cast<std::uint8_t>(modelLetter);
    putTime(block, ClockAt, localNow);
    block[HourModeAt] = settings.hourMode == 1 ? TwelveHourMark : TwentyFourHourMark;
    block[CorrectionAt] = byteOf(settings.clockCorrection);
    block[ScrollSpeedAt] = byteOf(settings.scrollSpeed);
    for (int i = 0; i < WristbandSettings::DisplayEntryCount; ++i) {
        block[DisplayAt + i] = byteOf(settings.displayEntries[i]);
    }
    block[LedControlAt] = settings.ledPowerControl ? LedControlOnMark : 0;
    block[LedFromAt] = byteOf(settings.ledPowerFromHour);
    block[LedToAt] = byteOf(settings.ledPowerToHour);

    const auto messageEnd = std::find(settings.message.begin(), settings.message.end(), '\0');
    std::transform(settings.message.begin(), messageEnd, block.begin() + MessageAt,
                   [](char c) { return static_cast<std::uint8_t>(c); });

    std::copy(settings.picture.begin(), settings.picture.end(), block.begin() + PictureAt);
    // Dark lines after the last lit one would show as an empty tail; the wristband wants the
    // picture to end there.
    for (int i = WristbandSettings::PictureSize - 1; i >= 0; --i) {
        std::uint8_t& line = block[PictureAt + i];
        if (line != 0 && line != PictureEnd) {
            break;
        }
        line = PictureEnd;
    }

    if (settings.sleepMonitorOn) {
        block[SleepMonitorAt] = settings.sleepMonitorEveryDay ? 3 : 1;
    }
    block[SleepTimesAt] = byteOf(settings.sleepStartHour);
    block[SleepTimesAt + 1] = byteOf(settings.sleepStartMinute);
    block[SleepTimesAt + 2] = byteOf(settings.sleepStopHour);
    block[SleepTimesAt + 3] = byteOf(settings.sleepStopMinute);
    block[KeptFlagsAt] = byteOf((settings.keptFlag1 ? 1 : 0) | (settings.keptFlag2 ? 2 : 0));
    return block;
}

// Callers pass the whole block; the readers below check its size once and then index freely.
bool HasMakerHeader(std::span<const std::uint8_t> block)
{
    return startsWith(block, 0, MakerName);
}

bool HasMakerAndModelHeader(std::span<const std::uint8_t> block)
{
    return startsWith(block, 0, MakerPrefix) && startsWith(block, MakerPrefix.size(), ModelCode);
}

QDateTime BlockTime(std::span<const std::uint8_t> block, int offset)
{
    if (offset < 0 || block.size() < static_cast<std::size_t>(offset) + 6) {
        return {};
    }
    const QDate date = QDate(2000 + block[offset], 1, 1)
                           .addMonths(block[offset + 1] - 1)
                           .addDays(block[offset + 2] - 1);
    const int hour = block[offset + 3];
    const int minute = block[offset + 4];
    const int second = block[offset + 5];
    if (hour < 24 && minute < 60 && second < 60) {
        return QDateTime(date, QTime(hour, minute, second));
    }
    return QDateTime(date, QTime(0, 0)).addSecs(hour * 3600 + minute * 60 + second);
}

QString FormatClockText(const QDateTime& time)
{
    const QDate date = time.date();
    const QTime clock = time.time();
    return QString::asprintf("%4d-%02d-%02d %02d:%02d:%02d", date.year(), date.month(), date.day(),
                             clock.hour(), clock.minute(), clock.second());
}

DriftReport MeasureDrift(std::span<const std::uint8_t> block, const QDateTime& pcNow,
                         const QTimeZone& zone)
{
    DriftReport report;
    if (block.size() < SettingsBlock().size()) {
        return report;
    }
    const QDateTime watch = BlockTime(block, ClockAt);
    const QDateTime lastSet = BlockTime(block, LastSetAt);
    report.watchText = FormatClockText(watch);
    report.lastUpdateText = FormatClockText(lastSet);

    const bool neverSet = block[LastSetAt] == 0 || block[LastSetAt + 2] == 0;
    // The wristband's clock ran on through the change of the PC's offset and was set in the old
    // one: an hour gained by the PC is an hour the wristband seems to lag, not drift.
    const qint64 offsetChange = neverSet ? 0 : offsetAt(zone, pcNow) - offsetAt(zone, lastSet);
    report.differenceSeconds =
        static_cast<double>(wallSeconds(watch) - wallSeconds(pcNow) + offsetChange);
    report.elapsedDays =
        static_cast<double>(wallSeconds(pcNow) - wallSeconds(lastSet) - offsetChange) /
        SecondsPerDay;
    if (neverSet) {
        report.lastUpdateText.clear();
        report.elapsedDays = 0;
    }
    const int correctionInForce = signedByte(block[CorrectionAt]);
    if (!neverSet && std::trunc(report.elapsedDays) != 0) {
        report.differenceText = QString::asprintf("%9.0f sec / %3.0f days",
                                                  report.differenceSeconds, report.elapsedDays);
        const double drift = std::trunc(report.differenceSeconds / report.elapsedDays);
        // A long-running wristband far off can call for more than a byte can carry; the
        // wristband takes -99..+99, so the correction is held there instead of wrapping.
        const double wanted =
            std::clamp(correctionInForce - drift, double{-MaxCorrection}, double{MaxCorrection});
        report.clockCorrection = static_cast<int>(wanted);
    } else {
        report.differenceText = QString::asprintf("%9.0f sec", report.differenceSeconds);
        report.clockCorrection = std::clamp(correctionInForce, -MaxCorrection, MaxCorrection);
    }
    return report;
}

void TakeOverBlockSettings(std::span<const std::uint8_t> block, TakeOverScope scope,
                           WristbandSettings& settings)
{
    if (block.size() < SettingsBlock().size()) {
        return;
    }
    settings.hourMode = block[HourModeAt] == TwelveHourMark ? 1 : 0;
    settings.scrollSpeed = block[ScrollSpeedAt];
    for (int i = 0; i < WristbandSettings::DisplayEntryCount; ++i) {
        settings.displayEntries[i] = std::min<int>(block[DisplayAt + i], MaxDisplayEffect);
    }
    settings.message.fill('\0');
    for (int i = 0; i < WristbandSettings::MaxMessageLength; ++i) {
        settings.message[i] = static_cast<char>(block[MessageAt + i]);
    }
    const int pictureBytes = scope == TakeOverScope::Collection
                                 ? WristbandSettings::PictureSize
                                 : WristbandSettings::PictureSize - 1;
    std::copy_n(block.begin() + PictureAt, pictureBytes, settings.picture.begin());
    if (scope != TakeOverScope::Collection) {
        return;
    }
    settings.ledPowerControl = block[LedControlAt] == LedControlOnMark;
    settings.ledPowerFromHour = block[LedFromAt];
    settings.ledPowerToHour = block[LedToAt];
    settings.sleepMonitorOn = (block[SleepMonitorAt] & 1) != 0;
    settings.sleepMonitorEveryDay = (block[SleepMonitorAt] & 2) != 0;
    settings.sleepStartHour = block[SleepTimesAt];
    settings.sleepStartMinute = block[SleepTimesAt + 1];
    settings.sleepStopHour = block[SleepTimesAt + 2];
    settings.sleepStopMinute = block[SleepTimesAt + 3];
    settings.keptFlag1 = (block[KeptFlagsAt] & 1) != 0;
    settings.keptFlag2 = (block[KeptFlagsAt] & 2) != 0;
}

} // namespace trek
