// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/wristbandsettings.h"

#include <QByteArray>
#include <QDateTime>
#include <array>
#include <cstdint>

namespace trek {

// CLOCK.TXT, the clock and display settings a file-model wristband reads when it is unplugged.
// Pure functions over text with "\n" line ends; the file functions translate them to the CR LF
// of the wristband's disk and back.

// The message as the wristband can show it: characters 32 to 127 only, at most 36 of them.
QByteArray FilterMessage(const std::array<char, WristbandSettings::MessageSize>& message);

// The complete file the factory set-up writes. Uses the message as given; callers filter it.
QByteArray FormatSetupClockText(const WristbandSettings& settings, const QDateTime& localNow);

// Keeps the lines of `oldText` that are not clock lines or comments and appends the date and
// time of `localNow`, the correction and the hour mode. `oldText` is empty for a missing file.
QByteArray RewriteClockText(const QByteArray& oldText, const QDateTime& localNow,
                            int clockCorrection, int hourMode);

// Takes the values of `text` over into `settings` (which the caller has reset) and holds them to
// their ranges.
void ParseClockText(const QByteArray& text, WristbandSettings& settings);

// Hex digit pairs from the start of `text` while both digits are valid, at most `maxBytes`.
QByteArray DecodeHexBytes(const QByteArray& text, int maxBytes);
// Digits and letters from the start of `text`, at most `maxValues`: '0'..'9' give 0..9 and
// letters of either case give 0..25.
QList<int> DecodeDigitLetters(const QByteArray& text, int maxValues);

// Text-mode line ends of the wristband's FAT disk.
QByteArray ToDiskLineEnds(const QByteArray& text);
QByteArray FromDiskLineEnds(const QByteArray& bytes);

} // namespace trek
