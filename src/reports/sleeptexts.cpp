// SPDX-License-Identifier: GPL-3.0-or-later
#include "reports/sleeptexts.h"

#include "app/currentlanguage.h"

namespace trek {

namespace {

constexpr int MinutesPerHour = 60;
constexpr int HoursPerDay = 24;
constexpr int MinutesPerDay = HoursPerDay * MinutesPerHour;

QString Figure(const QString& value, TextRow captionRow)
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
                    GetLangText(TextRow::SleepQuality) + QStringLiteral(" ...");
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
    return {Figure(MinuteClock(figures.fallAsleepMinute % MinutesPerDay), TextRow::BedTime),
            Figure(MinuteClock(figures.wakeMinute % MinutesPerDay), TextRow::AwakeTime),
            Figure(QString::asprintf("%02d:%02d", slept / MinutesPerHour, slept % MinutesPerHour),
                   TextRow::SleepTime),
            Figure(QString::asprintf("%d%%", figures.efficiency), TextRow::Efficiency)};
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
        return GetLangText(TextRow::Awake);
    case SleepClass::Sleep:
        return GetLangText(TextRow::Sleep);
    case SleepClass::DeepSleep:
        return GetLangText(TextRow::DeepSleep);
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
