// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/result.h"
#include "reports/report.h"

#include <QDate>

namespace trek {

// The whole of `date`, 00:00 to 23:59.
ReportSpan WholeDaySpan(QDate date);

// What a deletion took out of the store: the steps and the minutes that held any.
struct ClearedSteps
{
    qint64 steps = 0;
    int minutes = 0;
};

// Clears the minutes of `span` in the store of the working folder, as the report tab's Delete
// does: the month's file is replaced as a whole, under the working-folder lock that collections
// take, so either all of the span is cleared or the file is as it was. A month without a store
// file, or a span without steps, has nothing to clear and is left as it is. The lifetime counters
// stay as they are: they count what was collected, not what is kept.
[[nodiscard]] Result<ClearedSteps> DeleteReportSpan(const ReportSpan& span);

} // namespace trek
