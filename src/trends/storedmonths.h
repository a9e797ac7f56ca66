// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "data/monthbuffer.h"
#include "platform/result.h"

#include <QDate>
#include <QString>
#include <optional>
#include <vector>

namespace trek {

// The store files of a run of months, each read once: a year of days touches twelve files, and
// thirty nights at most two.
class StoredMonths final
{
public:
    // Reads the store files of the working folder from the month of `first` to the month of
    // `last`. A month without a store file holds no steps; one whose file cannot be read fails
    // with the reason, which names the file.
    [[nodiscard]] static Result<StoredMonths> Load(const QString& workingFolder, QDate first,
                                                   QDate last);

    // The month that holds `date`: null when it has no store file or lies outside the run.
    const MonthBuffer* Find(QDate date) const;
    // Whether any month of the run has a store file.
    bool AnyStored() const;

private:
    QDate m_first; // the first day of the first month
    std::vector<std::optional<MonthBuffer>> m_months;
};

} // namespace trek
