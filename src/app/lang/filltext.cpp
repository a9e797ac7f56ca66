// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/lang/filltext.h"

namespace trek {

QString FillText(const QString& format, const QStringList& values)
{
    QString result;
    result.reserve(format.size() + 32);
    qsizetype next = 0;
    for (qsizetype i = 0; i < format.size(); ++i) {
        const QChar c = format.at(i);
        if (c != u'%' || i + 1 >= format.size()) {
            result += c;
            continue;
        }
        if (format.at(i + 1) == u'%') {
            result += u'%';
            ++i;
            continue;
        }
        qsizetype j = i + 1;
        while (j < format.size() && (format.at(j).isDigit() || format.at(j) == u'-')) {
            ++j;
        }
        if (j < format.size() &&
            (format.at(j) == u's' || format.at(j) == u'c' || format.at(j) == u'd')) {
            bool widthOk = false;
            const int width = format.mid(i + 1, j - i - 1).toInt(&widthOk);
            const QString value = next < values.size() ? values.at(next) : QString();
            ++next;
            // printf pads to the width, on the left unless the width carries a minus sign.
            result += widthOk
                          ? (width < 0 ? value.leftJustified(-width) : value.rightJustified(width))
                          : value;
            i = j;
            continue;
        }
        result += c;
    }
    return result;
}

} // namespace trek
