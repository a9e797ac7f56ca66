// SPDX-License-Identifier: GPL-3.0-or-later
#include "data/recordformats.h"

#include "platform/wristbandmodels.h"

#include <climits>
#include <cstddef>

namespace trek {

namespace {

// Only ASCII digits make a number here: Qt's own parsing would skip a blank or a line break and
// let "2014 911.txt" pass for a date, and such a file would be imported and removed.
int NumberOrZero(QStringView text)
{
    int value = 0;
    for (const QChar c : text) {
        if (c < u'0' || c > u'9') {
            return 0;
        }
        value = value * 10 + (c.unicode() - u'0');
    }
    return value;
}

bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

// Reads the text the way the C library's "%d" conversion does: leading blanks, an optional sign,
// at least one digit. Values too large for an int are held at its limits.
class LineScanner
{
public:
    explicit LineScanner(QByteArrayView line) : m_line(line) {}

    bool integer(int& out)
    {
        while (m_pos < m_line.size() && IsBlank(m_line[m_pos])) {
            ++m_pos;
        }
        bool negative = false;
        if (m_pos < m_line.size() && (m_line[m_pos] == '+' || m_line[m_pos] == '-')) {
            negative = m_line[m_pos] == '-';
            ++m_pos;
        }
        if (m_pos >= m_line.size() || !IsDigit(m_line[m_pos])) {
            return false;
        }
        long long value = 0;
        while (m_pos < m_line.size() && IsDigit(m_line[m_pos])) {
            if (value <= INT_MAX) {
                value = value * 10 + (m_line[m_pos] - '0');
            }
            ++m_pos;
        }
        if (negative) {
            value = -value;
        }
        out = static_cast<int>(value > INT_MAX ? INT_MAX : (value < INT_MIN ? INT_MIN : value));
        return true;
    }

    bool literal(char c)
    {
        if (m_pos < m_line.size() && m_line[m_pos] == c) {
            ++m_pos;
            return true;
        }
        return false;
    }

    void blanks()
    {
        while (m_pos < m_line.size() && IsBlank(m_line[m_pos])) {
            ++m_pos;
        }
    }

private:
    QByteArrayView m_line;
    qsizetype m_pos = 0;
};

int BigEndian16(const std::uint8_t* bytes)
{
    return (bytes[0] << 8) | bytes[1];
}

int LittleEndian16(const std::uint8_t* bytes)
{
    return bytes[0] | (bytes[1] << 8);
}

} // namespace

std::optional<DayFileDate> ParseDayFileName(const QString& name)
{
    if (name.size() != 12) {
        return std::nullopt;
    }
    DayFileDate date;
    const QStringView text(name);
    date.year = NumberOrZero(text.sliced(0, 4));
    date.month = NumberOrZero(text.sliced(4, 2));
    date.day = NumberOrZero(text.sliced(6, 2));
    if (date.day < 1 || date.day > 31 || date.month < 1 || date.month > 12 || date.year < 2012 ||
        date.year > 2099) {
        return std::nullopt;
    }
    return date;
}

std::vector<QByteArray> SplitDayFileLines(QByteArrayView content)
{
    constexpr qsizetype MaxPiece = 79;
    std::vector<QByteArray> lines;
    qsizetype pos = 0;
    while (pos < content.size()) {
        const qsizetype limit = std::min(content.size(), pos + MaxPiece);
        qsizetype end = pos;
        while (end < limit && content[end] != '\n') {
            ++end;
        }
        if (end < limit) { // found the line break inside this piece
            lines.emplace_back(content.sliced(pos, end + 1 - pos).toByteArray());
            pos = end + 1;
        } else if (limit < content.size()) { // a full piece of an overlong line
            lines.emplace_back(content.sliced(pos, limit - pos).toByteArray());
            pos = limit;
        } else {
            break; // the file ended in the middle of a line
        }
    }
    return lines;
}

std::optional<TextSpan> ParseTextLine(QByteArrayView line)
{
    // The C library stops at a NUL byte; so does this.
    const qsizetype nul = line.indexOf('\0');
    LineScanner scan(nul >= 0 ? line.first(nul) : line);
    TextSpan span;
    const bool parsed = scan.integer(span.startHour) && scan.literal(':') &&
                        scan.integer(span.startMinute) && scan.literal('~') &&
                        scan.integer(span.endHour) && scan.literal(':') &&
                        scan.integer(span.endMinute) && (scan.blanks(), scan.integer(span.steps));
    if (!parsed) {
        return std::nullopt;
    }
    const auto hourOk = [](int h) {
        return h >= 0 && h <= 23;
    };
    const auto minuteOk = [](int m) {
        return m >= 0 && m <= 59;
    };
    if (!hourOk(span.startHour) || !hourOk(span.endHour) || !minuteOk(span.startMinute) ||
        !minuteOk(span.endMinute) || span.steps < 1) {
        return std::nullopt;
    }
    return span;
}

int KdxMinuteValue(QByteArrayView file, int hour, int minute)
{
    const qsizetype offset = (hour / 4) * RecordBlockBytes + (hour % 4) * 120 + minute * 2;
    return BigEndian16(reinterpret_cast<const std::uint8_t*>(file.data()) + offset);
}

std::optional<K7Record> ParseK7Record(const std::uint8_t* record64)
{
    // The year byte accepts the whole century: a narrower range would take every record a
    // wristband writes after its last listed year for the end of the data, and the end of the
    // reading clears the wristband's memory.
    const int yearByte = record64[0];
    K7Record record;
    record.month = record64[1];
    record.day = record64[2];
    record.hour = record64[3];
    if (yearByte < 1 || yearByte > 99 || record.month < 1 || record.month > 12 || record.day < 1 ||
        record.day > 31 || record.hour > 23) {
        return std::nullopt;
    }
    record.year = 2000 + yearByte;
    for (int k = 0; k < 30; ++k) {
        record.values[k] = BigEndian16(record64 + 4 + std::ptrdiff_t{2} * k);
    }
    return record;
}

std::optional<K9EBlock> ParseK9EBlock(const std::uint8_t* block512)
{
    K9EBlock block;
    block.year = block512[0];
    block.month = block512[1];
    block.day = block512[2];
    block.hour = block512[3];
    if (block.year == 0 || block.month == 0 || block.day == 0 || block.hour > 23) {
        return std::nullopt;
    }
    block.year += 2000;
    for (int k = 0; k < 144; ++k) {
        block.values[k] = LittleEndian16(block512 + 4 + std::ptrdiff_t{2} * k);
    }
    block.last = block512[K9ELayout::EndOffset] == K9ELayout::EndMark;
    return block;
}

} // namespace trek
