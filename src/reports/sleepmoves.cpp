// SPDX-License-Identifier: GPL-3.0-or-later
#include "reports/sleepmoves.h"

namespace trek {

namespace {

constexpr int HoursPerDay = 24;
// Moving the start back past midnight lands at 23:00 of the day before; a window that ended
// before then gets the usual morning end.
constexpr int EveningStartHour = 23;
constexpr int MorningEndHour = 33;

SleepMoveResult Unmoved(const SleepPlace& place)
{
    return {place, false, false, false};
}

// The new place when its window still ends after it starts; a move that would empty the window
// leaves everything as it was.
SleepMoveResult MovedTo(const SleepPlace& place, QDate date, int startHour, int endHour,
                        bool writeSettings)
{
    if (endHour <= startHour) {
        return Unmoved(place);
    }
    const SleepPlace moved{date, SleepWindow::Clamped(startHour, endHour)};
    const bool newMonth = date.year() != place.date.year() || date.month() != place.date.month();
    return {moved, true, writeSettings, newMonth};
}

SleepMoveResult StartEarlier(const SleepPlace& place)
{
    const int start = place.window.startHour();
    const int end = place.window.endHour();
    if (start > 0) {
        return MovedTo(place, place.date, start - 1, end, true);
    }
    // Like "previous day", the start never goes back into the month before.
    if (place.date.day() == 1) {
        return Unmoved(place);
    }
    return MovedTo(place, place.date.addDays(-1), EveningStartHour,
                   end < EveningStartHour ? MorningEndHour : end, true);
}

SleepMoveResult StartLater(const SleepPlace& place)
{
    const int start = place.window.startHour();
    const int end = place.window.endHour();
    // From 23:00 on, the next hour is counted from the next day's midnight, on into the next
    // month since its store can be read. A start above 23 (from the settings file) moves the same
    // way, so the window keeps its place in time and its start comes back below 24.
    SleepMoveResult result = start < EveningStartHour
                                 ? MovedTo(place, place.date, start + 1, end, true)
                                 : MovedTo(place, place.date.addDays(1), start + 1 - HoursPerDay,
                                           end - HoursPerDay, true);
    // A window shrunk to its last hour stays in effect but is neither written nor analysed until
    // the next move, as the dialog has always done.
    const SleepWindow& moved = result.place.window;
    if (moved.startHour() >= moved.endHour() - 1) {
        result.analyse = false;
        result.writeSettings = false;
    }
    return result;
}

SleepMoveResult EndEarlier(const SleepPlace& place)
{
    const int start = place.window.startHour();
    const int end = place.window.endHour();
    if (end <= start + 1) {
        return Unmoved(place);
    }
    return MovedTo(place, place.date, start, end - 1, true);
}

SleepMoveResult EndLater(const SleepPlace& place)
{
    const int start = place.window.startHour();
    const int end = place.window.endHour();
    if (end < SleepWindow::LastEndHour) {
        return MovedTo(place, place.date, start, end + 1, true);
    }
    // At the latest end the whole window moves a day on, but only while that day is at least
    // two days before the month's end.
    if (place.date.day() + 1 < place.date.daysInMonth()) {
        return MovedTo(place, place.date.addDays(1), start, end, false);
    }
    return Unmoved(place);
}

} // namespace

SleepMoveResult MoveSleepWindow(const SleepPlace& place, SleepMove move)
{
    const int start = place.window.startHour();
    const int end = place.window.endHour();
    switch (move) {
    case SleepMove::StartEarlier:
        return StartEarlier(place);
    case SleepMove::StartLater:
        return StartLater(place);
    case SleepMove::EndEarlier:
        return EndEarlier(place);
    case SleepMove::EndLater:
        return EndLater(place);
    case SleepMove::PreviousDay:
        if (place.date.day() > 1) {
            return MovedTo(place, place.date.addDays(-1), start, end, false);
        }
        return Unmoved(place);
    case SleepMove::NextDay:
        // The day only had to stay far enough from the month's end for the whole window to lie
        // inside the one month held in memory. A night's minutes past the month's end now come
        // from the next month's store file, so the next day is always there, across the month's
        // and the year's end alike.
        return MovedTo(place, place.date.addDays(1), start, end, false);
    }
    return Unmoved(place);
}

} // namespace trek
