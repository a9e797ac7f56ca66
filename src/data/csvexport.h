// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/atomicfile.h"

#include <QDate>
#include <QString>
#include <functional>

namespace trek {

struct CsvExportRange
{
    QDate from;              // null: from the first month in the store
    QDate to;                // null: to the last month in the store
    bool allMinutes = false; // also the minutes without steps
};

// Writes the store of `workingFolder` as "minute,steps" lines in time order, one call of `write`
// per line (without line end). A row a month does not have (the 31st of September, which a day
// file can name) is written only where it holds steps, with the date as the row names it.
[[nodiscard]] Result<> ExportCsv(const QString& workingFolder, const CsvExportRange& range,
                                 const std::function<void(const QString&)>& write);

} // namespace trek
