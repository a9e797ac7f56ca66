// SPDX-License-Identifier: GPL-3.0-or-later
#include "data/monthbuffer.h"

#include "data/storepath.h"
#include "platform/regularfile.h"

#include <QDir>
#include <QFileInfo>

namespace trek {

MonthBuffer::MonthBuffer() : m_slots(SlotCount, 0) {}

Result<> MonthBuffer::Load(const QString& workingFolder, int year, int month)
{
    m_year = year;
    m_month = month;
    m_path = StoreFilePath(workingFolder, year, month);
    std::fill(m_slots.begin(), m_slots.end(), std::uint16_t{0});

    const QFileInfo info(m_path);
    if (!info.exists()) {
        return Result<>{};
    }
    if (info.size() > FileSize) {
        return fail(
            QStringLiteral("The store file %1 holds %2 bytes instead of %3; it was left as it is.")
                .arg(QDir::toNativeSeparators(m_path))
                .arg(info.size())
                .arg(FileSize));
    }
    // A FIFO or a device in the file's place is refused at once, and no more than a month is read
    // even from a file that grows meanwhile.
    const Result<QByteArray> bytes = platform::readRegularFile(m_path, FileSize);
    if (!bytes) {
        return fail(bytes.error() + u'.');
    }
    const auto* data = reinterpret_cast<const std::uint8_t*>(bytes->constData());
    for (qsizetype i = 0; i + 1 < bytes->size(); i += 2) {
        m_slots[static_cast<std::size_t>(i / 2)] =
            static_cast<std::uint16_t>(data[i] | (data[i + 1] << 8));
    }
    return Result<>{};
}

QByteArray MonthBuffer::toBytes() const
{
    QByteArray bytes(FileSize, '\0');
    char* out = bytes.data();
    for (const std::uint16_t slot : m_slots) {
        *out++ = static_cast<char>(slot & 0xFF);
        *out++ = static_cast<char>(slot >> 8);
    }
    return bytes;
}

Result<> MonthBuffer::Save() const
{
    if (Result<> made = platform::makePrivateFolders(QFileInfo(m_path).absolutePath()); !made) {
        return made;
    }
    return platform::writeFileAtomically(m_path, toBytes());
}

void MonthBuffer::AddToSlot(int index, int amount)
{
    if (index < 0 || index >= SlotCount) {
        return;
    }
    auto& slot = m_slots[static_cast<std::size_t>(index)];
    slot = static_cast<std::uint16_t>(slot + static_cast<unsigned>(amount));
}

void MonthBuffer::AddTextSpan(int day, int startHour, int startMinute, int endHour, int endMinute,
                              int steps, StepCounters& counters)
{
    const int s = SlotIndex(day, startHour, startMinute);
    const int e = SlotIndex(day, endHour, endMinute) + 1;
    // A span that ends before it starts has no minutes to hold its steps; counting them anyway
    // would make the totals disagree with the store for good, so such a line is left out.
    if (s >= e) {
        return;
    }
    const int n = e - s;
    const int share = steps / n;
    counters.AddSteps(steps);
    counters.AddPeriod(n);
    counters.AddMissionSteps(steps, n);
    for (int i = s; i < e; ++i) {
        AddToSlot(i, share);
    }
    const int left = steps - n * share;
    for (int i = 0; i < left; ++i) {
        AddToSlot(s + i, 1);
    }
}

void MonthBuffer::AddMinute(int day, int hour, int minute, int steps, StepCounters& counters)
{
    AddToSlot(SlotIndex(day, hour, minute), steps);
    counters.AddSteps(steps);
    const int walked = steps != 0 ? 1 : 0;
    counters.AddPeriod(walked);
    counters.AddMissionSteps(steps, walked);
}

void MonthBuffer::AddTwoMinuteValue(int day, int hour, int k, int value, StepCounters& counters)
{
    const int first = value / 2;
    const int second = first + value % 2;
    const int index = SlotIndex(day, hour, 2 * k);
    AddToSlot(index, first);
    AddToSlot(index + 1, second);
    const int walked = (first != 0 ? 1 : 0) + (second != 0 ? 1 : 0);
    counters.AddSteps(value);
    counters.AddPeriod(walked);
    // A wristband shaken while its wearer sits still must not carry a mission forward. Past the
    // filter both minutes are (the second holds at least the first's steps).
    if (first > counters.slightMoving) {
        counters.AddMissionSteps(value, walked);
    }
}

int FiveMinuteShare(int value, int minuteInFive)
{
    return value / 5 + (minuteInFive == 4 ? value % 5 : 0);
}

void CountFiveMinuteValue(int value, StepCounters& counters)
{
    const int walked = value != 0 ? 5 : 0;
    counters.AddSteps(value);
    counters.AddPeriod(walked);
    if (value / 5 > counters.slightMoving) {
        counters.AddMissionSteps(value, walked);
    }
}

void MonthBuffer::AddFiveMinuteValue(int day, int hour, int k, int value, StepCounters& counters)
{
    const int first = SlotIndex(day, hour, 5 * k);
    for (int j = 0; j < 5; ++j) {
        AddToSlot(first + j, FiveMinuteShare(value, j));
    }
    CountFiveMinuteValue(value, counters);
}

} // namespace trek
