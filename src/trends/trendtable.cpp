// SPDX-License-Identifier: GPL-3.0-or-later
#include "trends/trendtable.h"

#include "reports/sleeptexts.h"
#include "reports/stepmetrics.h"

#include <QLocale>

namespace trek {

namespace {

constexpr int FigureDecimals = 3; // distance and calories, as the report list shows them

QString DistanceColumn(int unitMode)
{
    return IsImperial(unitMode) ? QStringLiteral("distance_mi") : QStringLiteral("distance_km");
}

QString Iso(QDate date)
{
    return date.toString(Qt::ISODate);
}

QJsonValue Whole(qint64 value)
{
    return static_cast<double>(value);
}

QString CellText(const QJsonValue& value)
{
    if (value.isDouble()) {
        return QString::number(value.toDouble(), 'f', QLocale::FloatingPointShortest);
    }
    return value.toString();
}

} // namespace

TrendTable DayTable(const std::vector<DayTrend>& days, int goal, int unitMode)
{
    TrendTable table{{QStringLiteral("date"), QStringLiteral("steps"),
                      QStringLiteral("active_minutes"), DistanceColumn(unitMode),
                      QStringLiteral("calories"), QStringLiteral("goal_run")},
                     {}};
    const std::vector<int> runs = GoalRuns(days, goal);
    for (std::size_t i = 0; i < days.size(); ++i) {
        const DayTrend& day = days[i];
        if (!day.stored) {
            continue;
        }
        table.rows.append({Iso(day.date), day.steps, day.activeMinutes,
                           Rounded(day.distance, FigureDecimals),
                           Rounded(day.calories, FigureDecimals), runs[i]});
    }
    return table;
}

TrendTable PeriodTable(const std::vector<PeriodTrend>& periods, int unitMode)
{
    TrendTable table{{QStringLiteral("first"), QStringLiteral("last"), QStringLiteral("steps"),
                      QStringLiteral("active_minutes"), DistanceColumn(unitMode),
                      QStringLiteral("calories"), QStringLiteral("days_with_data"),
                      QStringLiteral("average_steps"), QStringLiteral("goal_days")},
                     {}};
    for (const PeriodTrend& period : periods) {
        table.rows.append({Iso(period.first), Iso(period.last), Whole(period.steps),
                           Whole(period.activeMinutes), Rounded(period.distance, FigureDecimals),
                           Rounded(period.calories, FigureDecimals), period.daysWithData,
                           period.AverageSteps(), period.goalDays});
    }
    return table;
}

TrendTable NightTable(const SleepTrend& trend)
{
    TrendTable table{{QStringLiteral("date"), QStringLiteral("fall_asleep"), QStringLiteral("wake"),
                      QStringLiteral("sleep_minutes"), QStringLiteral("efficiency"),
                      QStringLiteral("steps")},
                     {}};
    for (const NightTrend& night : trend.nights) {
        table.rows.append({Iso(night.date), IsoMinute(night.date, night.figures.fallAsleepMinute),
                           IsoMinute(night.date, night.figures.wakeMinute),
                           night.figures.sleptMinutes, night.figures.efficiency, night.steps});
    }
    return table;
}

QStringList TableLines(const TrendTable& table, QChar separator)
{
    QStringList lines{table.columns.join(separator)};
    for (const QList<QJsonValue>& row : table.rows) {
        QStringList cells;
        for (const QJsonValue& cell : row) {
            cells << CellText(cell);
        }
        lines << cells.join(separator);
    }
    return lines;
}

} // namespace trek
