// SPDX-License-Identifier: GPL-3.0-or-later
// Feeds arbitrary day files, text and KDX, through the line and minute readers into a month of the
// store, and checks that the store gained exactly what the counters say: every step counted lies
// in a minute of the file's day, and no slot of any other day moved.
//
// Input: byte 0 chooses the kind (bit 0: KDX) and the day, byte 1 the month and the year; the
// rest is the file.

#include "app/appstate.h"
#include "data/monthbuffer.h"
#include "data/recordformats.h"
#include "data/recordmerge.h"
#include "data/storetransaction.h"
#include "emulator/recordwriters.h"
#include "fuzzcheck.h"

#include <QTemporaryDir>
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

namespace {

using trek::MonthBuffer;

using trek::fuzz::check;

// The month's counts as its store file would hold them; one copy is cheaper to scan than a call
// per slot.
std::vector<std::uint16_t> SlotValues(const MonthBuffer& month)
{
    const QByteArray bytes = month.toBytes();
    std::vector<std::uint16_t> counts(MonthBuffer::SlotCount);
    std::memcpy(counts.data(), bytes.constData(), counts.size() * sizeof(std::uint16_t));
    return counts; // little-endian, as the build machines are
}

// What the text lines claim, summed as the counters wrap.
struct TextClaims
{
    std::uint32_t steps = 0;
    std::uint32_t minutes = 0;
    std::vector<bool> covered = std::vector<bool>(MonthBuffer::SlotCount, false);
};

TextClaims ReadTextLines(QByteArrayView content, int day)
{
    const std::vector<QByteArray> lines = trek::SplitDayFileLines(content);
    TextClaims claims;
    qsizetype consumed = 0;
    for (const QByteArray& line : lines) {
        // The pieces are the file's own bytes, in order, none longer than the line buffer.
        check(!line.isEmpty() && line.size() <= 79);
        check(content.sliced(consumed).startsWith(line));
        consumed += line.size();
        const std::optional<trek::TextSpan> span = trek::ParseTextLine(line);
        if (!span) {
            continue;
        }
        check(span->startHour >= 0 && span->startHour < 24 && span->endHour >= 0 &&
              span->endHour < 24 && span->startMinute >= 0 && span->startMinute < 60 &&
              span->endMinute >= 0 && span->endMinute < 60 && span->steps > 0);
        const int first = MonthBuffer::SlotIndex(day, span->startHour, span->startMinute);
        const int last = MonthBuffer::SlotIndex(day, span->endHour, span->endMinute);
        if (first > last) {
            continue; // no minutes to hold its steps
        }
        claims.steps += static_cast<std::uint32_t>(span->steps);
        claims.minutes += static_cast<std::uint32_t>(last - first + 1);
        for (int i = first; i <= last; ++i) {
            claims.covered[static_cast<std::size_t>(i)] = true;
        }
    }
    // Only an unterminated last line, no longer than one piece, is left unread.
    const QByteArrayView rest = content.sliced(consumed);
    check(!rest.contains('\n') && rest.size() <= 79);
    return claims;
}

void CheckTextDayFile(QByteArrayView content, const trek::DayFileDate& date)
{
    const TextClaims claims = ReadTextLines(content, date.day);
    trek::StoreTransaction store;
    store.counters().missionRunning = {true, false};
    check(trek::MergeTextDayFile(content, date, store));
    const trek::StepCounters& counters = store.counters();
    check(static_cast<std::uint32_t>(counters.totalSteps) == claims.steps);
    check(static_cast<std::uint32_t>(counters.totalPeriod) == claims.minutes);
    check(counters.missionSteps[0] == counters.totalSteps &&
          counters.missionMinutes[0] == counters.totalPeriod);
    check(counters.missionSteps[1] == 0 && counters.missionMinutes[1] == 0);

    const MonthBuffer* month = store.Month(date.year, date.month);
    check(month != nullptr);
    std::uint32_t stored = 0;
    const std::vector<std::uint16_t> counts = SlotValues(*month);
    for (std::size_t i = 0; i < counts.size(); ++i) {
        check(counts[i] == 0 || claims.covered[i]);
        stored += counts[i];
    }
    // Each slot wraps at 16 bits, so the sums agree modulo 65,536.
    check((stored & 0xFFFFU) == (claims.steps & 0xFFFFU));
}

void CheckKdxDayFile(QByteArrayView content, const trek::DayFileDate& date)
{
    trek::StoreTransaction store;
    store.counters().missionRunning = {false, true};
    const bool merged = trek::MergeKdxDayFile(content, date, store);
    check(merged == (content.size() >= trek::KdxDayFileLength));
    if (!merged) {
        return;
    }
    const MonthBuffer* month = store.Month(date.year, date.month);
    check(month != nullptr);
    const std::vector<std::uint16_t> counts = SlotValues(*month);
    std::uint64_t daySum = 0;
    std::uint32_t walked = 0;
    for (int hour = 0; hour < 24; ++hour) {
        for (int minute = 0; minute < 60; ++minute) {
            const int value = trek::KdxMinuteValue(content, hour, minute);
            check(value >= 0 && value <= 0xFFFF);
            check(
                counts[static_cast<std::size_t>(MonthBuffer::SlotIndex(date.day, hour, minute))] ==
                value);
            daySum += static_cast<std::uint64_t>(value);
            walked += value != 0 ? 1 : 0;
        }
    }
    std::uint64_t monthSum = 0;
    for (const std::uint16_t slot : counts) {
        monthSum += slot;
    }
    check(monthSum == daySum); // nothing outside the file's day
    const trek::StepCounters& counters = store.counters();
    check(static_cast<std::uint64_t>(counters.totalSteps) == daySum);
    check(static_cast<std::uint32_t>(counters.totalPeriod) == walked);
    check(counters.missionSteps[1] == counters.totalSteps &&
          counters.missionMinutes[1] == counters.totalPeriod && counters.missionSteps[0] == 0);
}

// The name the wristband gives a day's file reads back as that day.
void CheckDayFileName(const trek::DayFileDate& date)
{
    const QDate day(date.year, date.month, date.day);
    if (!day.isValid()) {
        return;
    }
    for (const QString& name : {trek::emu::TextDayFileName(day), trek::emu::KdxDayFileName(day)}) {
        const std::optional<trek::DayFileDate> parsed = trek::ParseDayFileName(name);
        check(parsed && parsed->year == date.year && parsed->month == date.month &&
              parsed->day == date.day);
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* /*argc*/, char*** /*argv*/)
{
    // An empty working folder: every month starts empty and nothing is ever written.
    static QTemporaryDir workingFolder;
    trek::appState().workingFolder = workingFolder.path();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 2) {
        return 0;
    }
    trek::DayFileDate date;
    date.day = 1 + (data[0] >> 1) % 31;
    date.month = 1 + (data[1] & 0x0F) % 12;
    date.year = 2012 + (data[1] >> 4);
    const QByteArrayView content(data + 2, static_cast<qsizetype>(size - 2));

    // Whatever name the disk holds, a date it yields is one a day file can have, written in
    // digits only.
    const QString name =
        QString::fromLatin1(content.first(std::min<qsizetype>(content.size(), 12)));
    if (const auto named = trek::ParseDayFileName(name)) {
        check(named->day >= 1 && named->day <= 31 && named->month >= 1 && named->month <= 12 &&
              named->year >= 2012 && named->year <= 2099);
        check(std::all_of(name.begin(), name.begin() + 8,
                          [](QChar c) { return c >= u'0' && c <= u'9'; }));
    }
    CheckDayFileName(date);
    if ((data[0] & 1) != 0) {
        CheckKdxDayFile(content, date);
    } else {
        CheckTextDayFile(content, date);
    }
    return 0;
}
