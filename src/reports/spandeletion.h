#pragma once

#include "platform/result.h"
#include "reports/report.h"

#include <QDate>

namespace trek {

// The whole of `date`, 00:00 to 23:59.
ReportSpan WholeDaySpan(QDate date);

// Clears the minutes of `span` in the store of the working folder, as the report tab's Delete
// does: the month's file is replaced as a whole, under the working-folder lock that collections
// take, so either all of the span is cleared or the file is as it was. A month without a store
// file has nothing to clear. The lifetime counters stay as they are: they count what was
// collected, not what is kept.
[[nodiscard]] Result<> DeleteReportSpan(const ReportSpan& span);

} // namespace trek
