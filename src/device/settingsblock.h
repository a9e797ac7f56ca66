// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/wristbandsettings.h"

#include <QDateTime>
#include <QString>
#include <QTimeZone>
#include <array>
#include <cstdint>
#include <span>

namespace trek {

// The 256-byte binary form of the wristband's settings and clocks, exchanged with a pass-through
// wristband. Pure functions over bytes; the device exchange is in clockfile.cpp.
using SettingsBlock = std::array<std::uint8_t, 256>;

// The block the PC writes: header with the model letter, `localNow` as the clock to set, and the
// settings. Trailing dark lines of the picture become end marks, as the wristband expects.
SettingsBlock BuildSettingsBlock(const WristbandSettings& settings, const QDateTime& localNow,
                                 char modelLetter);

// Header tests of a block the wristband answered: the run after a collection is content with the
// maker's name, the clock check also wants the model code.
bool HasMakerHeader(std::span<const std::uint8_t> block);
bool HasMakerAndModelHeader(std::span<const std::uint8_t> block);

// Local time from six bytes at `offset` (year - 2000, month, day, hour, minute, second); fields
// out of range roll over into the next larger field, as the C library's mktime does.
QDateTime BlockTime(std::span<const std::uint8_t> block, int offset);
// "%4d-%02d-%02d %02d:%02d:%02d".
QString FormatClockText(const QDateTime& time);

// The drift of the wristband's clock against the PC's, and the clock correction it calls for.
struct DriftReport
{
    QString watchText;
    QString lastUpdateText;       // empty when the wristband's clock was never set
    QString differenceText;       // "%9.0f sec / %3.0f days" or "%9.0f sec"
    double differenceSeconds = 0; // positive when the wristband is ahead
    double elapsedDays = 0;       // since the wristband's clock was last set
    int clockCorrection = 0;      // seconds per day, held to -99..+99
};
// The wristband's clock and its last-set time are wall times without a zone, as is `pcNow` in
// `zone`: a change of the zone's UTC offset between the last set and now (daylight saving) is no
// drift and is taken out of the difference.
DriftReport MeasureDrift(std::span<const std::uint8_t> block, const QDateTime& pcNow,
                         const QTimeZone& zone = QTimeZone::systemTimeZone());

// Which settings a status block hands over: after a collection everything, at a clock check only
// what the time-set page shows (the picture's last byte stays an end mark).
enum class TakeOverScope { Collection, ClockCheck };
void TakeOverBlockSettings(std::span<const std::uint8_t> block, TakeOverScope scope,
                           WristbandSettings& settings);

} // namespace trek
