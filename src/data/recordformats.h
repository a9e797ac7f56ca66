// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <array>
#include <cstdint>
#include <optional>
#include <vector>

namespace trek {

// The wristband's record formats, decoded from bytes without any I/O so that every rule can be
// checked directly and shared by the device readers, the tests and the benchmark.

struct DayFileDate
{
    int year = 0;
    int month = 0;
    int day = 0;
};

// Date of a day file from its 12-character name "YYYYMMDD.ext", whose first eight characters are
// all ASCII digits. Day 31 passes for every month because the wristband's own calendar is what
// named the file; nothing before 2012 is taken.
std::optional<DayFileDate> ParseDayFileName(const QString& name);

// One line of a text day file: "%d:%d~%d:%d %d".
struct TextSpan
{
    int startHour = -1;
    int startMinute = -1;
    int endHour = -1;
    int endMinute = -1;
    int steps = 0;
};

// The lines of a text day file as a fixed 80-byte line buffer reads them: a line longer than 79
// characters is cut into pieces, and a last line without a line break is dropped because the
// wristband ends every line it writes; an unterminated one was cut off mid-write.
std::vector<QByteArray> SplitDayFileLines(QByteArrayView content);
// A line that does not fit the form or whose values are out of range gives nothing.
std::optional<TextSpan> ParseTextLine(QByteArrayView line);

// KDX day files: 3072 bytes, 24 hours of 60 big-endian minute values.
inline constexpr int KdxDayFileLength = 3072;
// `file` must hold at least KdxDayFileLength bytes.
int KdxMinuteValue(QByteArrayView file, int hour, int minute);

inline constexpr int RecordBlockBytes = 512;

// One hour of a K7 wristband: 30 two-minute values.
struct K7Record
{
    int year = 0; // full year
    int month = 0;
    int day = 0;
    int hour = 0;
    std::array<int, 30> values{};
};
// Empty when the header is out of range, which marks the end of the recorded data.
std::optional<K7Record> ParseK7Record(const std::uint8_t* record64);

// Twelve hours of a K9E wristband: 144 five-minute values.
struct K9EBlock
{
    int year = 0; // full year
    int month = 0;
    int day = 0;
    int hour = 0;
    std::array<int, 144> values{};
    bool last = false;
};
// Empty when the header ends the stream (a zero date or an hour beyond 23).
std::optional<K9EBlock> ParseK9EBlock(const std::uint8_t* block512);

} // namespace trek
