// SPDX-License-Identifier: GPL-3.0-or-later
#include "trends/storedmonths.h"

#include "data/storepath.h"

#include <QFileInfo>
#include <algorithm>

namespace trek {

namespace {

constexpr int MonthsPerYear = 12;

int MonthNumber(QDate date)
{
    return date.year() * MonthsPerYear + date.month() - 1;
}

} // namespace

Result<StoredMonths> StoredMonths::Load(const QString& workingFolder, QDate first, QDate last)
{
    StoredMonths stored;
    if (!first.isValid() || !last.isValid() || last < first) {
        return stored;
    }
    stored.m_first = QDate(first.year(), first.month(), 1);
    for (QDate month = stored.m_first; month <= last; month = month.addMonths(1)) {
        std::optional<MonthBuffer>& slot = stored.m_months.emplace_back();
        if (!QFileInfo::exists(StoreFilePath(workingFolder, month.year(), month.month()))) {
            continue;
        }
        slot.emplace();
        if (Result<> loaded = slot->Load(workingFolder, month.year(), month.month()); !loaded) {
            return fail(loaded.error());
        }
    }
    return stored;
}

const MonthBuffer* StoredMonths::Find(QDate date) const
{
    if (!m_first.isValid() || !date.isValid()) {
        return nullptr;
    }
    const int index = MonthNumber(date) - MonthNumber(m_first);
    if (index < 0 || index >= static_cast<int>(m_months.size())) {
        return nullptr;
    }
    const std::optional<MonthBuffer>& month = m_months[static_cast<std::size_t>(index)];
    return month ? &*month : nullptr;
}

bool StoredMonths::AnyStored() const
{
    return std::any_of(m_months.begin(), m_months.end(),
                       [](const std::optional<MonthBuffer>& month) { return month.has_value(); });
}

} // namespace trek
