// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/realtext.h"

#include <QLocale>

namespace trek {

namespace {

bool isDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

qsizetype skipDigits(const QString& text, qsizetype i)
{
    while (i < text.size() && isDigit(text[i])) {
        ++i;
    }
    return i;
}

} // namespace

double RealFromText(const QString& text)
{
    const QString trimmed = text.trimmed();
    qsizetype end = 0;
    if (end < trimmed.size() && (trimmed[end] == u'+' || trimmed[end] == u'-')) {
        ++end;
    }
    const qsizetype integerStart = end;
    end = skipDigits(trimmed, end);
    bool hasDigits = end > integerStart;
    if (end < trimmed.size() && trimmed[end] == u'.') {
        const qsizetype fractionStart = end + 1;
        const qsizetype fractionEnd = skipDigits(trimmed, fractionStart);
        if (hasDigits || fractionEnd > fractionStart) {
            hasDigits = true;
            end = fractionEnd;
        }
    }
    if (!hasDigits) {
        return 0.0;
    }
    // An exponent counts only when digits follow it: "2e" is 2.
    if (end < trimmed.size() && (trimmed[end] == u'e' || trimmed[end] == u'E')) {
        qsizetype exponent = end + 1;
        if (exponent < trimmed.size() && (trimmed[exponent] == u'+' || trimmed[exponent] == u'-')) {
            ++exponent;
        }
        const qsizetype exponentEnd = skipDigits(trimmed, exponent);
        if (exponentEnd > exponent) {
            end = exponentEnd;
        }
    }
    bool ok = false;
    const double value = QLocale::c().toDouble(QStringView(trimmed).first(end), &ok);
    return ok ? value : 0.0;
}

} // namespace trek
