// SPDX-License-Identifier: GPL-3.0-or-later
#include "data/recordmerge.h"

#include "data/storetransaction.h"

#include <QDate>

namespace trek {

bool MergeTextDayFile(QByteArrayView content, const DayFileDate& date, StoreTransaction& store)
{
    MonthBuffer* month = store.Month(date.year, date.month);
    if (month == nullptr) {
        return false;
    }
    for (const QByteArray& line : SplitDayFileLines(content)) {
        if (const auto span = ParseTextLine(line)) {
            month->AddTextSpan(date.day, span->startHour, span->startMinute, span->endHour,
                               span->endMinute, span->steps, store.counters());
        }
    }
    return true;
}

bool MergeKdxDayFile(QByteArrayView content, const DayFileDate& date, StoreTransaction& store)
{
    if (content.size() < KdxDayFileLength) {
        return false;
    }
    MonthBuffer* month = store.Month(date.year, date.month);
    if (month == nullptr) {
        return false;
    }
    for (int hour = 0; hour < 24; ++hour) {
        for (int minute = 0; minute < 60; ++minute) {
            month->AddMinute(date.day, hour, minute, KdxMinuteValue(content, hour, minute),
                             store.counters());
        }
    }
    return true;
}

bool MergeK7Record(const K7Record& record, StoreTransaction& store)
{
    MonthBuffer* month = store.Month(record.year, record.month);
    if (month == nullptr) {
        return false;
    }
    for (int k = 0; k < 30; ++k) {
        month->AddTwoMinuteValue(record.day, record.hour, k, record.values[k], store.counters());
    }
    return true;
}

bool MergeK9EBlock(const K9EBlock& block, StoreTransaction& store)
{
    // A header month the calendar does not know would name a store file of its own; such a block
    // is passed over like a row beyond the 31st.
    if (block.month > 12 || block.day > 31) {
        return true;
    }
    const QDate start(block.year, block.month, block.day);
    if (!start.isValid()) {
        // A day the month does not have (the 31st of a 30-day month) keeps its own row, as
        // text day files do; minutes past that row are dropped.
        MonthBuffer* month = store.Month(block.year, block.month);
        if (month == nullptr) {
            return false;
        }
        for (int k = 0; k < 144; ++k) {
            month->AddFiveMinuteValue(block.day, block.hour, k, block.values[k], store.counters());
        }
        return true;
    }
    for (int k = 0; k < 144; ++k) {
        const int value = block.values[k];
        for (int j = 0; j < 5; ++j) {
            const int share = FiveMinuteShare(value, j);
            if (share == 0) {
                continue; // nothing to add: no reason to open the month it falls in
            }
            const int minutes = block.hour * 60 + 5 * k + j;
            const QDate date = start.addDays(minutes / MonthBuffer::MinutesPerDay);
            MonthBuffer* month = store.Month(date.year(), date.month());
            if (month == nullptr) {
                return false;
            }
            const int minuteOfDay = minutes % MonthBuffer::MinutesPerDay;
            month->AddToSlot(MonthBuffer::SlotIndex(date.day(), minuteOfDay / 60, minuteOfDay % 60),
                             share);
        }
        CountFiveMinuteValue(value, store.counters());
    }
    return true;
}

} // namespace trek
