// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/cellcompare.h"

#include <QDateTime>
#include <gtest/gtest.h>

namespace trek {
namespace {

int Compare(const QString& a, const QString& b, const QLocale& locale = QLocale::c())
{
    return CompareCellTexts(a, b, locale);
}

// Every pair is chosen so that the bytes alone would put it the other way round.
void ExpectBefore(const QString& first, const QString& second, const QLocale& locale)
{
    EXPECT_LT(Compare(first, second, locale), 0)
        << first.toStdString() << " | " << second.toStdString();
    EXPECT_GT(Compare(second, first, locale), 0)
        << second.toStdString() << " | " << first.toStdString();
}

void ExpectBefore(const QString& first, const QString& second)
{
    ExpectBefore(first, second, QLocale::c());
}

TEST(CellCompare, DecimalNumbersCompareByValueDespiteTheReportsPadding)
{
    ExpectBefore(u"9"_qs, u"10"_qs);
    ExpectBefore(u"2.5%"_qs, u"10%"_qs);
    ExpectBefore(u"   9"_qs, u"   12"_qs);
    ExpectBefore(u"5.000   "_qs, u"10.000   "_qs);
    ExpectBefore(u"-2"_qs, u"-1"_qs);
    ExpectBefore(u"9.5e0 % "_qs, u"1e1"_qs);
    EXPECT_EQ(Compare(u"12"_qs, u"  12.0   "_qs), 0);
    // Anything else after the number makes it text again.
    ExpectBefore(u"10%%"_qs, u"9%"_qs);
    ExpectBefore(u"10 kg"_qs, u"9 kg"_qs);
}

TEST(CellCompare, WholeHexadecimalNumbersCompareByValue)
{
    ExpectBefore(u"F"_qs, u"1A"_qs);
    ExpectBefore(u"ff"_qs, u"0x100"_qs);
    EXPECT_LT(Compare(u"9"_qs, u"A"_qs), 0);
    EXPECT_EQ(Compare(u"ff"_qs, u"0xFF"_qs), 0);
    // A blank makes it no hexadecimal number, and then not a decimal one either: bytes decide.
    EXPECT_LT(Compare(u"1A "_qs, u"F"_qs), 0);
}

TEST(CellCompare, DatesAndTimesCompareByInstant)
{
    const QDateTime earlier(QDate(2026, 9, 30), QTime(23, 0));
    const QDateTime later(QDate(2026, 10, 5), QTime(8, 0));
    for (const QLocale& locale : {QLocale(QLocale::English, QLocale::UnitedStates),
                                  QLocale(QLocale::German, QLocale::Germany)}) {
        SCOPED_TRACE(locale.name().toStdString());
        for (const QLocale::FormatType type : {QLocale::ShortFormat, QLocale::LongFormat}) {
            ExpectBefore(locale.toString(earlier.date(), type), locale.toString(later.date(), type),
                         locale);
        }
        ExpectBefore(locale.toString(earlier, QLocale::ShortFormat),
                     locale.toString(later, QLocale::ShortFormat), locale);
    }
    const QLocale us(QLocale::English, QLocale::UnitedStates);
    ExpectBefore(u"2:00 PM"_qs, u"11:00 PM"_qs, us);

    // The report's own forms, in any locale; a walk counts from its start.
    ExpectBefore(u"2026/1/9"_qs, u"2026/01/10"_qs);
    ExpectBefore(u"2026/1/9 10:00 ~ 10:04"_qs, u"2026/01/09 11:00 ~ 11:30"_qs);
    ExpectBefore(u"9:05"_qs, u"10:00"_qs);
    EXPECT_EQ(Compare(u"2026/12/08 10:00 ~ 10:04"_qs, u"2026/12/08 10:00 ~ 10:30"_qs), 0);
    // A time of day alone comes before every date.
    ExpectBefore(u"23:59"_qs, u"2026/01/01"_qs);
    // No such month: plain text.
    EXPECT_LT(Compare(u"2026/13/01"_qs, u"2026/2/01"_qs), 0);
}

TEST(CellCompare, OtherTextsCompareByTheirUtf8Bytes)
{
    EXPECT_LT(Compare(u"Zoo"_qs, u"apple"_qs), 0);
    EXPECT_LT(Compare(u"apple"_qs, u"\u00e1pple"_qs), 0);
    EXPECT_LT(Compare(QString(), u"0"_qs), 0);
    EXPECT_LT(Compare(u"12"_qs, u"9 apples"_qs), 0);
    EXPECT_EQ(Compare(u"same"_qs, u"same"_qs), 0);
}

} // namespace
} // namespace trek
