// SPDX-License-Identifier: GPL-3.0-or-later
#include "reports/reportloader.h"

#include "app/appstate.h"
#include "data/monthbuffer.h"
#include "data/storepath.h"
#include "reports/reportbuilder.h"

#include <QFileInfo>

namespace trek {

namespace {

// The wristband counts every minute ("Advance" / "DisplayMode" 1) rather than in blocks.
constexpr int MinuteDataKind = 1;

struct LoadedMonth
{
    MonthBuffer buffer;
    bool stored = false; // a store file was there
};

Result<LoadedMonth> LoadMonth(const QString& workingFolder, QDate date)
{
    LoadedMonth month;
    month.stored = QFileInfo::exists(StoreFilePath(workingFolder, date.year(), date.month()));
    if (Result<> loaded = month.buffer.Load(workingFolder, date.year(), date.month()); !loaded) {
        return fail(loaded.error());
    }
    return month;
}

} // namespace

Result<Report> LoadReport(const QString& workingFolder, ReportMode mode, QDate date,
                          const MetricSettings& settings, bool minuteData)
{
    if (!date.isValid()) {
        return fail(QStringLiteral("A report needs a real date."));
    }
    const QDate first = mode == ReportMode::Week ? WeekStart(date) : date;
    const Result<LoadedMonth> shown = LoadMonth(workingFolder, first);
    if (!shown) {
        return fail(shown.error());
    }
    switch (mode) {
    case ReportMode::Month:
        return shown->stored ? BuildMonthReport(shown->buffer, settings) : EmptyReport(mode);
    case ReportMode::Day:
        return shown->stored ? BuildDayReport(shown->buffer, date.day(), settings, minuteData)
                             : EmptyReport(mode);
    case ReportMode::Week:
        break;
    }
    const QDate last = first.addDays(6);
    if (last.month() == first.month()) {
        return shown->stored ? BuildWeekReport(shown->buffer, shown->buffer, first, settings)
                             : EmptyReport(mode);
    }
    const Result<LoadedMonth> next = LoadMonth(workingFolder, last);
    if (!next) {
        return fail(next.error());
    }
    if (!shown->stored && !next->stored) {
        return EmptyReport(mode);
    }
    return BuildWeekReport(shown->buffer, next->buffer, first, settings);
}

Result<Report> LoadCurrentReport(ReportMode mode, QDate date)
{
    return LoadReport(appState().workingFolder, mode, date, CurrentMetricSettings(),
                      appState().values.displayMode == MinuteDataKind);
}

} // namespace trek
