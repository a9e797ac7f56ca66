// SPDX-License-Identifier: GPL-3.0-or-later
#include "reports/spandeletion.h"

#include "app/appstate.h"
#include "data/monthbuffer.h"
#include "data/storelock.h"
#include "data/storepath.h"
#include "platform/atomicfile.h"

#include <QDir>
#include <QFileInfo>

namespace trek {

namespace {

Result<> CheckSpan(const ReportSpan& span)
{
    const bool inside = span.month >= 1 && span.month <= 12 && span.day >= 1 &&
                        span.day <= MonthBuffer::DayRows && span.firstMinute >= 0 &&
                        span.lastMinute < MonthBuffer::MinutesPerDay;
    if (!inside || span.lastMinute < span.firstMinute) {
        return fail(
            QString::asprintf("%02d:%02d to %02d:%02d of %04d-%02d-%02d is no span of a day.",
                              span.firstMinute / 60, span.firstMinute % 60, span.lastMinute / 60,
                              span.lastMinute % 60, span.year, span.month, span.day));
    }
    return {};
}

} // namespace

ReportSpan WholeDaySpan(QDate date)
{
    return {date.year(), date.month(), date.day(), 0, MonthBuffer::MinutesPerDay - 1};
}

Result<ClearedSteps> DeleteReportSpan(const ReportSpan& span)
{
    if (Result<> checked = CheckSpan(span); !checked) {
        return fail(checked.error());
    }
    const Result<platform::WorkingFolderLock> lock = LockStore();
    if (!lock) {
        return fail(lock.error());
    }
    const QString& folder = appState().workingFolder;
    if (!QFileInfo::exists(StoreFilePath(folder, span.year, span.month))) {
        return ClearedSteps{};
    }
    MonthBuffer month;
    if (Result<> loaded = month.Load(folder, span.year, span.month); !loaded) {
        return fail(loaded.error());
    }
    const int first = MonthBuffer::SlotIndex(span.day, 0, span.firstMinute);
    const int last = MonthBuffer::SlotIndex(span.day, 0, span.lastMinute);
    ClearedSteps cleared;
    for (int slot = first; slot <= last; ++slot) {
        cleared.steps += month.slot(slot);
        cleared.minutes += month.slot(slot) != 0 ? 1 : 0;
    }
    if (cleared.minutes == 0) {
        return cleared;
    }
    QByteArray bytes = month.toBytes();
    std::fill(bytes.begin() + qsizetype{2} * first, bytes.begin() + qsizetype{2} * (last + 1),
              '\0');
    if (Result<> written = platform::writeFileAtomically(month.path(), bytes); !written) {
        return fail(QStringLiteral("Nothing was deleted, the store file %1 is as it was: %2")
                        .arg(QDir::toNativeSeparators(month.path()), written.error()));
    }
    return cleared;
}

} // namespace trek
