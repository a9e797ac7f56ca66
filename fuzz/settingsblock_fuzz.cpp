// SPDX-License-Identifier: GPL-3.0-or-later
// Decodes arbitrary settings blocks as a pass-through wristband answers them and checks that the
// block the program sends back from them carries the same fields, its clock reads back as the
// clock it was built with, and the drift measured from any block stays a correction the wristband
// can take.
//
// Input: the block; a shorter one is padded with zeros, as the zeroed read buffer would be.

#include "app/wristbandsettings.h"
#include "device/settingsblock.h"
#include "fuzzcheck.h"

#include <QTimeZone>
#include <algorithm>
#include <cstddef>
#include <cstdint>

namespace {

using trek::SettingsBlock;
using trek::TakeOverScope;
using trek::WristbandSettings;

constexpr int ClockAt = 16;
constexpr int ModelLetterAt = 12;

using trek::fuzz::check;

WristbandSettings Decoded(const SettingsBlock& block, TakeOverScope scope,
                          WristbandSettings settings = {})
{
    trek::TakeOverBlockSettings(block, scope, settings);
    return settings;
}

// The message up to its end, which is all the block carries of it.
QByteArray Message(const WristbandSettings& settings)
{
    const auto end = std::find(settings.message.begin(), settings.message.end(), '\0');
    return QByteArray(settings.message.data(), end - settings.message.begin());
}

void CheckSameFields(const WristbandSettings& a, const WristbandSettings& b)
{
    check(a.hourMode == b.hourMode && a.scrollSpeed == b.scrollSpeed);
    check(a.displayEntries == b.displayEntries);
    check(Message(a) == Message(b));
    check(a.ledPowerControl == b.ledPowerControl && a.ledPowerFromHour == b.ledPowerFromHour &&
          a.ledPowerToHour == b.ledPowerToHour);
    check(a.sleepMonitorOn == b.sleepMonitorOn &&
          (!a.sleepMonitorOn || a.sleepMonitorEveryDay == b.sleepMonitorEveryDay));
    check(a.sleepStartHour == b.sleepStartHour && a.sleepStartMinute == b.sleepStartMinute &&
          a.sleepStopHour == b.sleepStopHour && a.sleepStopMinute == b.sleepStopMinute);
    check(a.keptFlag1 == b.keptFlag1 && a.keptFlag2 == b.keptFlag2);
}

// The clock check hands over only what the time-set page shows.
void CheckClockCheckScope(const SettingsBlock& block)
{
    WristbandSettings before;
    before.ledPowerFromHour = 7;
    before.sleepStopMinute = 9;
    before.keptFlag2 = true;
    before.picture.back() = 0x5A;
    const WristbandSettings after = Decoded(block, TakeOverScope::ClockCheck, before);
    check(after.ledPowerFromHour == 7 && after.sleepStopMinute == 9 && after.keptFlag2);
    check(after.picture.back() == 0x5A);
}

void CheckDrift(const SettingsBlock& block)
{
    const QDateTime pcNow(QDate(2026, 6, 15), QTime(14, 30, 15));
    const trek::DriftReport drift = trek::MeasureDrift(block, pcNow, QTimeZone::utc());
    check(drift.clockCorrection >= -99 && drift.clockCorrection <= 99);
    check(!drift.watchText.isEmpty() && !drift.differenceText.isEmpty());
    if (drift.lastUpdateText.isEmpty()) {
        check(drift.elapsedDays == 0); // never set: no days to spread a drift over
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* /*argc*/, char*** /*argv*/)
{
    // Local times are the wristband's wall times; one zone on every machine keeps a finding
    // reproducible.
    qputenv("TZ", "UTC");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    SettingsBlock block{};
    std::copy_n(data, std::min(size, block.size()), block.begin());

    check(!trek::HasMakerAndModelHeader(block) || trek::HasMakerHeader(block));
    const WristbandSettings settings = Decoded(block, TakeOverScope::Collection);
    check(settings.hourMode == 0 || settings.hourMode == 1);
    check(std::all_of(settings.displayEntries.begin(), settings.displayEntries.end(),
                      [](int entry) { return entry >= 0 && entry <= 10; }));

    // The block's own clock, where a block can carry it, as the clock to set.
    QDateTime now = trek::BlockTime(block, ClockAt);
    if (!now.isValid() || now.date().year() < 2000 || now.date().year() > 2255) {
        now = QDateTime(QDate(2026, 6, 15), QTime(14, 30, 15));
    }
    const auto letter = static_cast<char>(block[ModelLetterAt]);
    const SettingsBlock sent = trek::BuildSettingsBlock(settings, now, letter);
    check(trek::HasMakerAndModelHeader(sent));
    check(trek::BlockTime(sent, ClockAt) == now);
    const WristbandSettings again = Decoded(sent, TakeOverScope::Collection);
    CheckSameFields(settings, again);
    // Once through the writer, a block stays as it is.
    check(trek::BuildSettingsBlock(again, now, letter) == sent);

    CheckClockCheckScope(block);
    CheckDrift(block);
    return 0;
}
