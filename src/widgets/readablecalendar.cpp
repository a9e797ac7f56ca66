// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/readablecalendar.h"

#include "widgets/readablecolour.h"

#include <QCalendarWidget>
#include <QEvent>
#include <QTextCharFormat>

namespace trek {

namespace {

// The calendar's own weekend colour, kept wherever it reads.
const QColor WeekendRed(Qt::red);

void ApplyReadableColours(QCalendarWidget& calendar)
{
    const QPalette& colours = calendar.palette();
    const QColor headerBackground = colours.color(QPalette::AlternateBase);
    const QColor dayBackground = colours.color(QPalette::Base);

    QTextCharFormat header;
    header.setBackground(headerBackground);
    header.setForeground(ReadableOn(headerBackground, colours.color(QPalette::Text)));
    calendar.setHeaderTextFormat(header);

    QTextCharFormat weekend;
    weekend.setForeground(ReadableOn(dayBackground, WeekendRed));
    for (const Qt::DayOfWeek day : {Qt::Saturday, Qt::Sunday}) {
        calendar.setWeekdayTextFormat(day, weekend);
    }
}

class PaletteWatch final : public QObject
{
public:
    explicit PaletteWatch(QCalendarWidget& calendar) : QObject(&calendar), m_calendar(calendar)
    {
        calendar.installEventFilter(this);
    }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == &m_calendar && event->type() == QEvent::PaletteChange) {
            ApplyReadableColours(m_calendar);
        }
        return false;
    }

private:
    QCalendarWidget& m_calendar;
};

} // namespace

void KeepCalendarReadable(QCalendarWidget& calendar)
{
    ApplyReadableColours(calendar);
    new PaletteWatch(calendar);
}

} // namespace trek
