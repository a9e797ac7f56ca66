// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/cellcompare.h"

#include <QDate>
#include <QRegularExpression>
#include <QTime>
#include <charconv>
#include <cmath>
#include <string_view>

namespace trek {

namespace {

constexpr qint64 MsecsPerDay = 86'400'000;

template <typename T> int ThreeWay(const T& a, const T& b)
{
    return static_cast<int>(b < a) - static_cast<int>(a < b);
}

// The white space of the C library's isspace in the "C" locale.
bool IsCSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool IsHexDigit(char c)
{
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

bool HasHexPrefix(std::string_view text)
{
    return text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X');
}

std::optional<quint64> ParseHex(std::string_view text)
{
    if (HasHexPrefix(text)) {
        text.remove_prefix(2);
    }
    if (text.empty()) {
        return std::nullopt;
    }
    quint64 value = 0;
    const char* last = text.data() + text.size();
    const auto [end, error] = std::from_chars(text.data(), last, value, 16);
    if (error != std::errc() || end != last) {
        return std::nullopt;
    }
    return value;
}

bool OnlyBlanksAndOnePercent(std::string_view rest)
{
    int percents = 0;
    for (const char c : rest) {
        if (c == '%') {
            if (++percents > 1) {
                return false;
            }
        } else if (!IsCSpace(c)) {
            return false;
        }
    }
    return true;
}

// from_chars leaves the value untouched when it does not fit a double, where strtod answers
// HUGE_VAL or zero; a negative exponent is what makes a number too small.
double OutOfRangeValue(std::string_view number, std::chars_format format)
{
    const std::string_view markers = format == std::chars_format::hex ? "pP" : "eE";
    const std::size_t marker = number.find_first_of(markers);
    const bool tiny =
        marker != std::string_view::npos && marker + 1 < number.size() && number[marker + 1] == '-';
    return tiny ? 0.0 : HUGE_VAL;
}

// strtod's reading, without its dependence on the process's numeric locale: Qt programs run with
// the user's locale, where strtod might want a decimal comma.
std::optional<double> ParseDecimal(std::string_view text)
{
    while (!text.empty() && IsCSpace(text.front())) {
        text.remove_prefix(1);
    }
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    if (text.empty() || text.front() == '+' || text.front() == '-') {
        return std::nullopt;
    }
    std::chars_format format = std::chars_format::general;
    if (HasHexPrefix(text) && (IsHexDigit(text[2]) || text[2] == '.')) {
        text.remove_prefix(2);
        format = std::chars_format::hex;
    }
    double value = 0.0;
    const char* last = text.data() + text.size();
    const auto [end, error] = std::from_chars(text.data(), last, value, format);
    if (error == std::errc::invalid_argument) {
        return std::nullopt;
    }
    const std::size_t used = static_cast<std::size_t>(end - text.data());
    if (error == std::errc::result_out_of_range) {
        value = OutOfRangeValue(text.substr(0, used), format);
    }
    if (!OnlyBlanksAndOnePercent(text.substr(used))) {
        return std::nullopt;
    }
    return negative ? -value : value;
}

qint64 InstantOf(QDate date, QTime time)
{
    return date.toJulianDay() * MsecsPerDay + time.msecsSinceStartOfDay();
}

// The report's own forms: "2026/12/08", "2026/12/08 10:00", "10:00:30", 24-hour clock.
std::optional<qint64> ParseOwnForm(const QString& text)
{
    static const QRegularExpression Blanks(QStringLiteral("\\s+"));
    static const QRegularExpression DateForm(QStringLiteral("^(\\d{4})/(\\d{1,2})/(\\d{1,2})$"));
    static const QRegularExpression TimeForm(QStringLiteral("^(\\d{1,2}):(\\d{2})(?::(\\d{2}))?$"));

    const QStringList parts = text.split(Blanks, Qt::SkipEmptyParts);
    if (parts.isEmpty() || parts.size() > 2) {
        return std::nullopt;
    }
    const auto number = [](const QRegularExpressionMatch& match, int group) {
        return match.captured(group).toInt();
    };
    QDate date;
    qsizetype timePart = 0;
    if (const QRegularExpressionMatch match = DateForm.match(parts.first()); match.hasMatch()) {
        date = QDate(number(match, 1), number(match, 2), number(match, 3));
        if (!date.isValid()) {
            return std::nullopt;
        }
        timePart = 1;
    }
    QTime time(0, 0);
    if (timePart < parts.size()) {
        const QRegularExpressionMatch match = TimeForm.match(parts.at(timePart));
        if (!match.hasMatch()) {
            return std::nullopt;
        }
        time = QTime(number(match, 1), number(match, 2), number(match, 3));
        if (!time.isValid()) {
            return std::nullopt;
        }
    }
    return date.isValid() ? InstantOf(date, time) : time.msecsSinceStartOfDay();
}

std::optional<qint64> ParseInstant(const QString& text, const QLocale& locale)
{
    QString reading = text.trimmed();
    if (const qsizetype tilde = reading.indexOf(u'~'); tilde > 0) {
        reading = reading.first(tilde).trimmed();
    }
    if (reading.isEmpty()) {
        return std::nullopt;
    }
    if (const std::optional<qint64> own = ParseOwnForm(reading)) {
        return own;
    }
    for (const QLocale::FormatType type : {QLocale::ShortFormat, QLocale::LongFormat}) {
        if (const QDateTime both = locale.toDateTime(reading, type); both.isValid()) {
            return InstantOf(both.date(), both.time());
        }
        if (const QDate date = locale.toDate(reading, type); date.isValid()) {
            return InstantOf(date, QTime(0, 0));
        }
        if (const QTime time = locale.toTime(reading, type); time.isValid()) {
            return time.msecsSinceStartOfDay();
        }
    }
    return std::nullopt;
}

int CompareReals(double a, double b)
{
    // strtod reads "nan" too; it goes first so that the order stays consistent.
    if (std::isnan(a) || std::isnan(b)) {
        return ThreeWay(!std::isnan(a), !std::isnan(b));
    }
    return ThreeWay(a, b);
}

} // namespace

CellSortKey MakeCellSortKey(const QString& text, const QLocale& locale)
{
    CellSortKey key;
    key.bytes = text.toUtf8();
    const std::string_view bytes(key.bytes.constData(), static_cast<std::size_t>(key.bytes.size()));
    key.hex = ParseHex(bytes);
    key.real = ParseDecimal(bytes);
    key.instant = ParseInstant(text, locale);
    return key;
}

int CompareCellSortKeys(const CellSortKey& a, const CellSortKey& b)
{
    if (a.hex && b.hex) {
        return ThreeWay(*a.hex, *b.hex);
    }
    if (a.real && b.real) {
        return CompareReals(*a.real, *b.real);
    }
    if (a.instant && b.instant) {
        return ThreeWay(*a.instant, *b.instant);
    }
    const int bytes = a.bytes.compare(b.bytes);
    return ThreeWay(bytes, 0);
}

int CompareCellTexts(const QString& a, const QString& b, const QLocale& locale)
{
    return CompareCellSortKeys(MakeCellSortKey(a, locale), MakeCellSortKey(b, locale));
}

} // namespace trek
