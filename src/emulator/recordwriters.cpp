// SPDX-License-Identifier: GPL-3.0-or-later
#include "emulator/recordwriters.h"

#include "emulator/recordimage.h"

#include <algorithm>
#include <array>

namespace trek::emu {

namespace {

constexpr int MaxSpanMinutes = 10; // keeps the minute detail that one long span would even out
constexpr int K7FirstRegionRecords = K7Layout::FirstRegion.blocks() * K7Layout::RecordsPerBlock;
constexpr int K7SecondRegionRecords = K7Layout::SecondRegion.blocks() * K7Layout::RecordsPerBlock;

std::size_t minuteOfDay(int hour, int minute)
{
    return static_cast<std::size_t>(hour) * 60 + static_cast<std::size_t>(minute);
}

std::uint16_t saturated(int value)
{
    return static_cast<std::uint16_t>(std::clamp(value, 0, 0xFFFF));
}

void putBigEndian(QByteArray& bytes, qsizetype offset, std::uint16_t value)
{
    bytes[offset] = static_cast<char>(value >> 8);
    bytes[offset + 1] = static_cast<char>(value & 0xFF);
}

void putLittleEndian(QByteArray& bytes, qsizetype offset, std::uint16_t value)
{
    bytes[offset] = static_cast<char>(value & 0xFF);
    bytes[offset + 1] = static_cast<char>(value >> 8);
}

int sumMinutes(const DaySteps& day, int first, int count)
{
    int sum = 0;
    for (int minute = first; minute < first + count; ++minute) {
        sum += day.minutes[static_cast<std::size_t>(minute)];
    }
    return sum;
}

void putDateHour(QByteArray& bytes, qsizetype offset, const QDate& date, int hour)
{
    bytes[offset] = static_cast<char>(std::clamp(date.year() - 2000, 0, 255));
    bytes[offset + 1] = static_cast<char>(date.month());
    bytes[offset + 2] = static_cast<char>(date.day());
    bytes[offset + 3] = static_cast<char>(hour);
}

// Byte offset of K7 record `index` (0-based, in recording order).
qsizetype k7RecordOffset(int index)
{
    const int region = index < K7FirstRegionRecords ? 0 : 1;
    const int inRegion = region == 0 ? index : index - K7FirstRegionRecords;
    const int first = region == 0 ? K7Layout::FirstRegion.first : K7Layout::SecondRegion.first;
    const int block = first + 2 * (inRegion / K7Layout::RecordsPerBlock);
    return qsizetype{block} * RecordBlockSize +
           qsizetype{inRegion % K7Layout::RecordsPerBlock} * K7Layout::RecordBytes;
}

} // namespace

QString TextDayFileName(const QDate& date)
{
    return QString::asprintf("%04d%02d%02d.txt", date.year(), date.month(), date.day());
}

QByteArray TextDayFile(const DaySteps& day)
{
    QByteArray text;
    int minute = 0;
    while (minute < DaySteps::MinutesPerDay) {
        if (day.minutes[static_cast<std::size_t>(minute)] == 0) {
            ++minute;
            continue;
        }
        const int first = minute;
        while (minute < DaySteps::MinutesPerDay && minute - first < MaxSpanMinutes &&
               day.minutes[static_cast<std::size_t>(minute)] != 0) {
            ++minute;
        }
        const int last = minute - 1;
        text += QString::asprintf("%d:%d~%d:%d %d\r\n", first / 60, first % 60, last / 60,
                                  last % 60, sumMinutes(day, first, last - first + 1))
                    .toLatin1();
    }
    return text;
}

QString KdxDayFileName(const QDate& date)
{
    return QString::asprintf("%04d%02d%02d.KDX", date.year(), date.month(), date.day());
}

QByteArray KdxDayFile(const DaySteps& day)
{
    QByteArray bytes(qsizetype{6} * RecordBlockSize, '\0');
    for (int hour = 0; hour < 24; ++hour) {
        const qsizetype base = qsizetype{hour / 4} * RecordBlockSize + qsizetype{hour % 4} * 120;
        for (int minute = 0; minute < 60; ++minute) {
            putBigEndian(bytes, base + qsizetype{2} * minute,
                         day.minutes[minuteOfDay(hour, minute)]);
        }
    }
    return bytes;
}

K7Image MakeK7Image(const StepHistory& history)
{
    K7Image image;
    constexpr int Capacity = K7FirstRegionRecords + K7SecondRegionRecords;
    for (const DaySteps& day : history) {
        for (int hour = 0; hour < 24; ++hour) {
            if (day.hourTotal(hour) == 0) {
                continue;
            }
            if (image.hoursWritten == Capacity) {
                ++image.hoursDropped;
                continue;
            }
            const qsizetype offset = k7RecordOffset(image.hoursWritten);
            if (image.bytes.size() < offset + RecordBlockSize) {
                image.bytes.resize(offset - offset % RecordBlockSize + RecordBlockSize, '\0');
            }
            putDateHour(image.bytes, offset, day.date, hour);
            for (int pair = 0; pair < 30; ++pair) {
                putBigEndian(image.bytes, offset + 4 + qsizetype{2} * pair,
                             saturated(sumMinutes(day, hour * 60 + 2 * pair, 2)));
            }
            ++image.hoursWritten;
        }
    }
    return image;
}

QByteArray MakeK9EImage(const StepHistory& history)
{
    QByteArray bytes;
    for (const DaySteps& day : history) {
        for (const int firstHour : {0, 12}) {
            QByteArray block(RecordBlockSize, '\0');
            putDateHour(block, 0, day.date, firstHour);
            for (int slot = 0; slot < 144; ++slot) {
                putLittleEndian(block, 4 + 2 * slot,
                                saturated(sumMinutes(day, firstHour * 60 + 5 * slot, 5)));
            }
            bytes += block;
        }
    }
    if (!bytes.isEmpty()) {
        bytes[bytes.size() - RecordBlockSize + K9ELayout::EndOffset] = K9ELayout::EndMark;
    }
    return bytes;
}

namespace {

bool EndsWithStreamEnd(const QByteArray& image)
{
    const int blocks = BlockCount(image);
    return blocks > 0 &&
           static_cast<std::uint8_t>(ImageBlock(image, blocks - 1).at(K9ELayout::EndOffset)) ==
               K9ELayout::EndMark;
}

struct ImageFormat
{
    WristbandModel model;
    ModelImage (*make)(const StepHistory&);
    bool (*recognises)(const QByteArray&); // null: taken for no image that comes without a model
};

constexpr std::array<ImageFormat, 2> ImageFormats{{
    {WristbandModel::K7,
     [](const StepHistory& history) {
         K7Image image = MakeK7Image(history);
         return ModelImage{std::move(image.bytes), image.hoursDropped};
     },
     nullptr},
    {WristbandModel::K9E,
     [](const StepHistory& history) {
         return ModelImage{MakeK9EImage(history), 0};
     },
     EndsWithStreamEnd},
}};
static_assert(coversEveryModel(ImageFormats), "every wristband model needs its record image");

} // namespace

ModelImage MakeRecordImage(WristbandModel model, const StepHistory& history)
{
    for (const ImageFormat& format : ImageFormats) {
        if (format.model == model) {
            return format.make(history);
        }
    }
    return {};
}

WristbandModel ModelOfImage(const QByteArray& image)
{
    for (const ImageFormat& format : ImageFormats) {
        if (format.recognises != nullptr && format.recognises(image)) {
            return format.model;
        }
    }
    return FallbackModel;
}

} // namespace trek::emu
