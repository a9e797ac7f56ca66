// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/result.h"
#include "reports/report.h"
#include "reports/stepmetrics.h"

#include <QDate>
#include <QString>

namespace trek {

// Reads the store files of the working folder that the report of `date` in `mode` covers (the
// week's two months when it spans a month's end) and builds it. A period without any store file
// gives the empty report; a store file that cannot be read gives its reason.
[[nodiscard]] Result<Report> LoadReport(const QString& workingFolder, ReportMode mode, QDate date,
                                        const MetricSettings& settings, bool minuteData);

// The same with the values of the settings file as the program holds them now.
[[nodiscard]] Result<Report> LoadCurrentReport(ReportMode mode, QDate date);

} // namespace trek
