// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "data/stepcounters.h"
#include "platform/atomicfile.h"

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <vector>

namespace trek {

// One month of the store in memory: a step count for every minute of 31 day rows, saved as
// 16-bit little-endian slots. Slots only ever grow (modulo 65,536); each add operation also
// advances the counters it is given.
class MonthBuffer final
{
public:
    static constexpr int DayRows = 31;
    static constexpr int MinutesPerDay = 1440;
    static constexpr int SlotCount = DayRows * MinutesPerDay;
    static constexpr int FileSize = SlotCount * 2;

    MonthBuffer();

    // Reads the month's store file of the working folder; a missing file is an empty month and a
    // shorter one is zero past its end. A longer or unreadable file is reported, never guessed
    // at, so that a save can never overwrite what this program does not understand.
    [[nodiscard]] Result<> Load(const QString& workingFolder, int year, int month);
    // Replaces the store file as a whole; either the old or the new month is on disk afterwards.
    [[nodiscard]] Result<> Save() const;

    int year() const { return m_year; }
    int month() const { return m_month; }
    const QString& path() const { return m_path; }
    std::uint16_t slot(int index) const { return m_slots[static_cast<std::size_t>(index)]; }
    QByteArray toBytes() const;

    // Adds to one slot with 16-bit wrap-around; indexes outside the 31 rows are dropped.
    void AddToSlot(int index, int amount);

    // Text span of a text day file: the steps spread evenly over the minutes from start to end,
    // the remainder one by one from the start.
    void AddTextSpan(int day, int startHour, int startMinute, int endHour, int endMinute, int steps,
                     StepCounters& counters);
    // One minute of a KDX day file.
    void AddMinute(int day, int hour, int minute, int steps, StepCounters& counters);
    // Value k (0..29) of a K7 hour, covering minutes 2k and 2k+1.
    void AddTwoMinuteValue(int day, int hour, int k, int value, StepCounters& counters);
    // Value k (0..143) of a K9E block, covering five minutes from minute 5k after `hour`. The
    // minutes run on through the rows of this month only; see AddFiveMinuteValueAcrossMonths
    // for blocks that pass the month's last day.
    void AddFiveMinuteValue(int day, int hour, int k, int value, StepCounters& counters);

    static int SlotIndex(int day, int hour, int minute)
    {
        return ((day - 1) * 24 + hour) * 60 + minute;
    }

private:
    int m_year = 0;
    int m_month = 0;
    QString m_path;
    std::vector<std::uint16_t> m_slots;
};

// How a five-minute value is split over its minutes: q each, the fifth gets the remainder on top.
int FiveMinuteShare(int value, int minuteInFive);
// Counter rules of a five-minute value, shared by every place that stores one.
void CountFiveMinuteValue(int value, StepCounters& counters);

} // namespace trek
