// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/entryranges.h"

#include "app/appstate.h"
#include "app/lang/filltext.h"
#include "app/lang/langtable.h"

namespace trek {

namespace {

constexpr int InchesPerFoot = 12;

QString Refusal(TextRow row, const QStringList& values)
{
    return FillText(GetLangText(row, appState().language), values);
}

// A caption as the page shows it may end in a colon or a sign ("Slight Move > "); the sentence
// wants the name alone.
QString FieldName(const QString& caption)
{
    QString name = caption.trimmed();
    while (!name.isEmpty() && (name.endsWith(u':') || name.endsWith(u'>') ||
                               name.endsWith(u'\uFF1A') || name.endsWith(u' '))) {
        name.chop(1);
    }
    return name;
}

QString WithUnit(const QString& number, const QString& unit)
{
    return unit.isEmpty() ? number : number + u' ' + unit;
}

Result<> OutsideRange(const QString& field, const QString& least, const QString& most)
{
    return fail(Refusal(TextRow::MustBeBetween, {FieldName(field), least, most}));
}

QString FeetAndInches(int inches, const QString& feetUnit, const QString& inchUnit)
{
    return WithUnit(QString::number(inches / InchesPerFoot), feetUnit) + u' ' +
           WithUnit(QString::number(inches % InchesPerFoot), inchUnit);
}

} // namespace

Result<> CheckReal(double value, RealRange range, const QString& field, const QString& unit)
{
    if (value >= range.least && value <= range.most) {
        return {};
    }
    return OutsideRange(field, WithUnit(QString::number(range.least), unit),
                        WithUnit(QString::number(range.most), unit));
}

Result<> CheckWhole(int value, WholeRange range, const QString& field, const QString& unit)
{
    return CheckReal(value, {double(range.least), double(range.most)}, field, unit);
}

Result<> CheckHeightInches(double inches, const QString& field, const QString& feetUnit,
                           const QString& inchUnit)
{
    const WholeRange range = entryrange::HeightInches;
    if (inches >= range.least && inches <= range.most) {
        return {};
    }
    return OutsideRange(field, FeetAndInches(range.least, feetUnit, inchUnit),
                        FeetAndInches(range.most, feetUnit, inchUnit));
}

Result<> CheckBirthday(QDate birthday, QDate today, const QString& field)
{
    const QDate first(entryrange::FirstBirthYear, 1, 1);
    if (birthday >= first && birthday <= today) {
        return {};
    }
    const QString format = QStringLiteral("yyyy-MM-dd");
    return OutsideRange(field, first.toString(format), today.toString(format));
}

QString NotAboveZeroText(const QString& field)
{
    return Refusal(TextRow::MustBeAboveZero, {FieldName(field)});
}

Result<> CheckNotNegative(int value, const QString& field)
{
    if (value >= 0) {
        return {};
    }
    return fail(Refusal(TextRow::MustNotBeNegative, {FieldName(field)}));
}

} // namespace trek
