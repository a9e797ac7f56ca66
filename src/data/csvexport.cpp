// SPDX-License-Identifier: GPL-3.0-or-later
#include "data/csvexport.h"

#include "data/monthbuffer.h"
#include "data/storepath.h"

#include <QDir>
#include <QRegularExpression>

namespace trek {

namespace {

// Months as year * 12 + month - 1, so that stepping through them is counting.
int MonthNumber(int year, int month)
{
    return year * 12 + month - 1;
}

std::vector<int> StoredMonths(const QString& workingFolder)
{
    static const QRegularExpression pattern(QStringLiteral("^Stepo(\\d{4})(\\d{2})\\.BIN$"));
    std::vector<int> months;
    const QStringList names = QDir(StoreFolder(workingFolder)).entryList(QDir::Files);
    for (const QString& name : names) {
        const QRegularExpressionMatch match = pattern.match(name);
        const int month = match.hasMatch() ? match.captured(2).toInt() : 0;
        if (month >= 1 && month <= 12) {
            months.push_back(MonthNumber(match.captured(1).toInt(), month));
        }
    }
    std::sort(months.begin(), months.end());
    return months;
}

} // namespace

Result<> ExportCsv(const QString& workingFolder, const CsvExportRange& range,
                   const std::function<void(const QString&)>& write)
{
    write(QStringLiteral("minute,steps"));
    const std::vector<int> stored = StoredMonths(workingFolder);
    if ((stored.empty() && (range.from.isNull() || range.to.isNull())) ||
        (!range.from.isNull() && !range.to.isNull() && range.from > range.to)) {
        return Result<>{};
    }
    const int first =
        range.from.isNull() ? stored.front() : MonthNumber(range.from.year(), range.from.month());
    const int last =
        range.to.isNull() ? stored.back() : MonthNumber(range.to.year(), range.to.month());

    for (int number = first; number <= last; ++number) {
        const int year = number / 12;
        const int month = number % 12 + 1;
        MonthBuffer buffer;
        if (Result<> loaded = buffer.Load(workingFolder, year, month); !loaded) {
            return loaded;
        }
        const int daysInMonth = QDate(year, month, 1).daysInMonth();
        for (int day = 1; day <= MonthBuffer::DayRows; ++day) {
            const bool realDay = day <= daysInMonth;
            // A row past the month's end sorts after its last day.
            const QDate date(year, month, realDay ? day : daysInMonth);
            if ((!range.from.isNull() && date < range.from) ||
                (!range.to.isNull() && date > range.to)) {
                continue;
            }
            for (int minute = 0; minute < MonthBuffer::MinutesPerDay; ++minute) {
                const int steps = buffer.slot(MonthBuffer::SlotIndex(day, 0, minute));
                if (steps == 0 && !(range.allMinutes && realDay)) {
                    continue;
                }
                write(QString::asprintf("%04d-%02d-%02d %02d:%02d,%d", year, month, day,
                                        minute / 60, minute % 60, steps));
            }
        }
    }
    return Result<>{};
}

} // namespace trek
