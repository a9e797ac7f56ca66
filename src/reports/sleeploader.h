// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/result.h"
#include "reports/sleepanalysis.h"

#include <QString>

namespace trek {

class MonthBuffer;

// Whether the night reaches past the last day of its month.
// The store keeps 31 day rows for every month; the rows past the month's real length are never
// read as part of a night.
bool NightPassesMonthEnd(const SleepPlace& place);

// The night of `place` from the store of its month and, when it passes the month's end, of the
// month after (`next`; null: no activity there).
SleepNight NightFromStore(const SleepPlace& place, const MonthBuffer& month,
                          const MonthBuffer* next);

// The same from the store files of the working folder, the next month's read only when the night
// reaches into it. A missing store file holds no activity; one that cannot be read gives its
// reason.
[[nodiscard]] Result<SleepNight> LoadSleepNight(const QString& workingFolder,
                                                const SleepPlace& place);

} // namespace trek
