// SPDX-License-Identifier: GPL-3.0-or-later
#include "update/updatekeys.h"

#include "app/settingstable.h"

#include <QDateTime>
#include <QLocale>

namespace trek {

QString StampHex(quint32 stamp)
{
    return QStringLiteral("0x") +
           QStringLiteral("%1").arg(stamp, 8, 16, QLatin1Char('0')).toUpper();
}

QString UpdateKeyText(quint32 stamp, const QTimeZone& zone)
{
    const QDateTime time = QDateTime::fromSecsSinceEpoch(qint64{stamp}, zone);
    const QLocale c = QLocale::c();
    const QDate date = time.date();
    // ctime's "%.3s %.3s%3d %.2d:%.2d:%.2d %d".
    return StampHex(stamp) + QStringLiteral(" --> ") +
           c.dayName(date.dayOfWeek(), QLocale::ShortFormat) + u' ' +
           c.monthName(date.month(), QLocale::ShortFormat) +
           QStringLiteral("%1").arg(date.day(), 3) + u' ' +
           time.time().toString(QStringLiteral("HH:mm:ss")) + u' ' + QString::number(date.year());
}

Result<> WriteUpdateKeys(quint32 localStamp, quint32 serverStamp)
{
    return WriteSettings({setting::UpdateLocal.Entry(UpdateKeyText(localStamp)),
                          setting::UpdateServer.Entry(UpdateKeyText(serverStamp))});
}

} // namespace trek
