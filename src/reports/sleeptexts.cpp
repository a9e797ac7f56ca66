// SPDX-License-Identifier: GPL-3.0-or-later
#include "reports/sleeptexts.h"

#include "app/currentlanguage.h"

namespace trek {

namespace {

constexpr int MinutesPerHour = 60;
constexpr int HoursPerDay = 24;
constexpr int MinutesPerDay = HoursPerDay * MinutesPerHour;

// Language rows of the sleep analysis.
namespace row {
constexpr int SleepQuality = 114;
constexpr int FallAsleep = 115;
constexpr int Wake = 116;
constexpr int SleepTime = 117;
constexpr int Efficiency = 118;
constexpr int Awake = 119;
constexpr int Sleep = 120;
constexpr int DeepSleep = 121;
} // namespace row

QString Figure(const QString& value, int captionRow)
{
    return value + u'\n' + GetLangText(captionRow);
}

QString DayLabel(QDate date)
{
    return QString::asprintf("%2d/%02d", date.month(), date.day());
}

} // namespace

QString SleepTitle(QDate date, bool debug)
{
    QString title = QString::asprintf("%d-%d-%d ", date.year(), date.month(), date.day()) +
                    GetLangText(row::SleepQuality) + QStringLiteral(" ...");
    if (debug) {
        title += QStringLiteral("(DEBUG)");
    }
    return title;
}

SleepFigures ComputeSleepFigures(const SleepAnalysis& analysis, const SleepWindow& window)
{
    const int windowStart = window.startHour() * MinutesPerHour;
    // The wake is the last calm minute; the sleeper is up at the end of it.
    return {windowStart + analysis.onset, windowStart + analysis.wake + 1,
            analysis.deepMinutes + analysis.lightMinutes, analysis.efficiency};
}

SleepFigureTexts FormatSleepFigures(const SleepAnalysis& analysis, const SleepWindow& window)
{
    const SleepFigures figures = ComputeSleepFigures(analysis, window);
    const int slept = figures.sleptMinutes;
    return {Figure(MinuteClock(figures.fallAsleepMinute % MinutesPerDay), row::FallAsleep),
            Figure(MinuteClock(figures.wakeMinute % MinutesPerDay), row::Wake),
            Figure(QString::asprintf("%02d:%02d", slept / MinutesPerHour, slept % MinutesPerHour),
                   row::SleepTime),
            Figure(QString::asprintf("%d%%", figures.efficiency), row::Efficiency)};
}

SleepDateLabels SleepChartDates(const SleepPlace& place)
{
    const QDate endDay = place.window.endHour() < HoursPerDay ? place.date : place.date.addDays(1);
    return {DayLabel(place.date), DayLabel(endDay)};
}

QString SleepClassName(SleepClass sleepClass)
{
    switch (sleepClass) {
    case SleepClass::Awake:
        return GetLangText(row::Awake);
    case SleepClass::Sleep:
        return GetLangText(row::Sleep);
    case SleepClass::DeepSleep:
        return GetLangText(row::DeepSleep);
    }
    return {};
}

QString SleepClockText(const SleepWindow& window, int minute)
{
    // A night runs past midnight.
    return MinuteClock((window.startHour() * MinutesPerHour + minute) % MinutesPerDay);
}

QString MinuteClock(int minute)
{
    return QString::asprintf("%02d:%02d", minute / MinutesPerHour, minute % MinutesPerHour);
}

QString IsoMinute(QDate day, int minute)
{
    return day.addDays(minute / MinutesPerDay).toString(Qt::ISODate) + u'T' +
           MinuteClock(minute % MinutesPerDay);
}

} // namespace trek
