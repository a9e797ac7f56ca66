// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QLocale>
#include <QString>
#include <QtGlobal>
#include <optional>

namespace trek {

// Everything one cell text can be read as. A sort works it out once per cell instead of parsing
// both texts again for every comparison.
struct CellSortKey
{
    // The whole text is an unsigned hexadecimal number ("1A", "ff", "0x10"): no blanks, no sign.
    std::optional<quint64> hex;
    // A decimal number as the C library's strtod reads it (leading white space, sign, exponent,
    // "inf", "nan", "0x1.8p3", always "." as the decimal point), followed by nothing but blanks
    // with at most one "%" among them. Trailing blanks count as nothing because the report pads
    // its numbers on the right ("5.000   "); without that its numeric columns would sort as text.
    std::optional<double> real;
    // Date and time of day as milliseconds on one scale (a wall-clock reading, no time zone).
    // A time of day alone counts as that time on no day at all, so it sorts before every date.
    std::optional<qint64> instant;
    // The UTF-8 bytes, the last resort.
    QByteArray bytes;
};

// Dates and times are read in the given locale's short and long date, time and date-time
// formats, and in the report's own "2026/12/08" and "2026/12/08 10:00" forms. A range written
// "start ~ end" (the report's "2026/12/08 10:00 ~ 10:04") counts as its start: walks are found by
// when they began.
CellSortKey MakeCellSortKey(const QString& text, const QLocale& locale);

// Negative, zero or positive as a sorts before, with or after b. The first rule that both keys
// allow decides: both hexadecimal, both decimal, both dates or times, else the bytes.
// A column that mixes kinds (hex words, decimals and plain text) is not guaranteed a consistent
// order, because two pairs out of three may be decided by different rules.
int CompareCellSortKeys(const CellSortKey& a, const CellSortKey& b);

int CompareCellTexts(const QString& a, const QString& b, const QLocale& locale);

} // namespace trek
