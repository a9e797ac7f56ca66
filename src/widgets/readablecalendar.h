// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QCalendarWidget;

namespace trek {

// Gives the calendar's weekday header and its weekend days colours that read on what they are
// drawn over, in the calendar's palette, and gives them again whenever that palette changes (a
// desktop switching between a light and a dark scheme). The calendar's own defaults mix fixed
// colours (red weekends) with the palette's, which a dark scheme makes unreadable.
void KeepCalendarReadable(QCalendarWidget& calendar);

} // namespace trek
