// SPDX-License-Identifier: GPL-3.0-or-later
#include "goals/typednumber.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <system_error>

namespace trek {

namespace {

// A pasted page of text must not flood the message.
constexpr qsizetype QuotedLength = 24;

QString Quoted(const QString& text)
{
    const QString shown =
        text.size() > QuotedLength ? text.first(QuotedLength) + QStringLiteral("...") : text;
    return u'"' + shown + u'"';
}

// The C library's blanks: space, tab, line feed, vertical tab, form feed, carriage return.
bool IsCBlank(char c)
{
    return c == ' ' || (c >= '\t' && c <= '\r');
}

// The typed text as bytes from its first non-blank; a character outside ASCII stops any number.
QByteArray AfterBlanks(const QString& text)
{
    const QByteArray bytes = text.toUtf8();
    qsizetype start = 0;
    while (start < bytes.size() && IsCBlank(bytes[start])) {
        ++start;
    }
    return bytes.mid(start);
}

Failure TooLarge(const QString& text, const QString& what)
{
    return fail(QStringLiteral("The %1 %2 is too large a number.").arg(what, Quoted(text)));
}

} // namespace

Result<std::optional<int>> ReadTypedWhole(const QString& text, const QString& what)
{
    QByteArray bytes = AfterBlanks(text);
    if (bytes.startsWith('+')) {
        bytes.remove(0, 1); // from_chars takes a minus only
        if (bytes.startsWith('-')) {
            return std::optional<int>{};
        }
    }
    int value = 0;
    const std::errc error = std::from_chars(bytes.constBegin(), bytes.constEnd(), value).ec;
    if (error == std::errc::invalid_argument) {
        return std::optional<int>{};
    }
    if (error == std::errc::result_out_of_range) {
        return TooLarge(text, what);
    }
    return std::optional<int>{value};
}

Result<std::optional<double>> ReadTypedReal(const QString& text, const QString& what)
{
    QByteArray bytes = AfterBlanks(text);
    if (bytes.startsWith('+')) {
        bytes.remove(0, 1);
        if (bytes.startsWith('-')) {
            return std::optional<double>{};
        }
    }
    double value = 0.0;
    const std::errc error = std::from_chars(bytes.constBegin(), bytes.constEnd(), value).ec;
    if (error == std::errc::invalid_argument) {
        return std::optional<double>{};
    }
    if (error == std::errc::result_out_of_range) {
        return fail(QStringLiteral("The %1 %2 is out of range.").arg(what, Quoted(text)));
    }
    if (!std::isfinite(value)) {
        return fail(QStringLiteral("The %1 %2 is not a finite number.").arg(what, Quoted(text)));
    }
    return std::optional<double>{value};
}

Result<int> TruncatedToInt(double value, const QString& what)
{
    // Both limits are exact in double; the truncation toward zero happens after the check.
    constexpr double Above = 2147483648.0;
    constexpr double Below = -2147483649.0;
    if (!std::isfinite(value) || value >= Above || value <= Below) {
        return fail(QStringLiteral("The %1 comes to %2, which cannot be stored.")
                        .arg(what, QString::number(value, 'g', 12)));
    }
    return static_cast<int>(std::trunc(value));
}

Result<int> RoundedToInt(double value, const QString& what)
{
    return TruncatedToInt(std::isfinite(value) ? std::round(value) : value, what);
}

} // namespace trek
