// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/inidocument.h"

#include <array>
#include <cstdint>

namespace trek::platform {

namespace {

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t';
}

QString trimBlanks(QStringView text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && isBlank(text[begin])) {
        ++begin;
    }
    while (end > begin && isBlank(text[end - 1])) {
        --end;
    }
    return text.sliced(begin, end - begin).toString();
}

bool isQuote(QChar c)
{
    return c == u'"' || c == u'\'';
}

// Hand-edited files often put a value in quotes; like the profile functions, the reading strips
// one matching pair.
bool isQuoted(QStringView value)
{
    return value.size() >= 2 && isQuote(value.front()) && value.back() == value.front();
}

// A value that would lose its outer blanks or quotes on the way back is written inside quotes,
// so that it reads back as it was given.
QString quotedForWriting(const QString& value, QChar quote)
{
    const bool needed =
        !value.isEmpty() && (isBlank(value.front()) || isBlank(value.back()) || isQuoted(value));
    if (quote.isNull() && needed) {
        quote = u'"';
    }
    return quote.isNull() ? value : quote + value + quote;
}

bool sameName(const QString& a, const QString& b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

} // namespace

IniDocument::Line IniDocument::makeLine(QString text, LineEnd end)
{
    Line line;
    line.text = std::move(text);
    line.end = end;
    const QString trimmed = trimBlanks(line.text);
    if (trimmed.isEmpty()) {
        line.kind = LineKind::Blank;
    } else if (trimmed.startsWith(u'[')) {
        // Without its ']' the line is no header: an unfinished edit must not move the keys
        // below it into a section of its own.
        if (const qsizetype close = trimmed.indexOf(u']'); close >= 0) {
            line.kind = LineKind::Section;
            line.name = trimBlanks(QStringView(trimmed).sliced(1, close - 1));
        }
    } else if (trimmed.startsWith(u';')) {
        line.kind = LineKind::Comment;
    } else if (const qsizetype equals = line.text.indexOf(u'='); equals >= 0) {
        line.kind = LineKind::Entry;
        line.equals = equals;
        line.name = trimBlanks(QStringView(line.text).first(equals));
    } else if (!trimmed.startsWith(u'[')) {
        line.kind = LineKind::Bare;
        line.name = trimmed;
    }
    return line;
}

QString IniDocument::endText(LineEnd end)
{
    switch (end) {
    case LineEnd::None:
        return {};
    case LineEnd::Lf:
        return QStringLiteral("\n");
    case LineEnd::CrLf:
        return QStringLiteral("\r\n");
    case LineEnd::Cr:
        return QStringLiteral("\r");
    }
    return {};
}

IniDocument IniDocument::parse(const QByteArray& bytes)
{
    DecodedIniText decoded = decodeIniText(bytes);
    IniDocument document;
    document.m_encoding = decoded.encoding;
    document.m_damage = std::move(decoded.damage);

    const QString& text = decoded.text;
    const QChar* chars = text.constData();
    const qsizetype size = text.size();
    qsizetype start = 0;
    while (start < size) {
        qsizetype stop = start;
        while (stop < size && chars[stop] != u'\n' && chars[stop] != u'\r') {
            ++stop;
        }
        LineEnd end = LineEnd::None;
        qsizetype next = stop;
        if (stop < size && chars[stop] == u'\n') {
            end = LineEnd::Lf;
            next = stop + 1;
        } else if (stop < size) {
            const bool pair = stop + 1 < size && chars[stop + 1] == u'\n';
            end = pair ? LineEnd::CrLf : LineEnd::Cr;
            next = stop + (pair ? 2 : 1);
        }
        document.m_lines.append(makeLine(text.sliced(start, stop - start), end));
        start = next;
    }
    document.chooseNewLineEnd();
    document.buildIndex();
    return document;
}

// The ending most lines have; between equals the one met first.
void IniDocument::chooseNewLineEnd()
{
    std::array<qsizetype, 4> counts{};
    std::array<qsizetype, 4> first{};
    first.fill(m_lines.size());
    for (qsizetype i = 0; i < m_lines.size(); ++i) {
        const auto kind = static_cast<std::size_t>(m_lines[i].end);
        if (counts[kind]++ == 0) {
            first[kind] = i;
        }
    }
    m_newLineEnd = LineEnd::Lf;
    qsizetype best = 0;
    for (const LineEnd end : {LineEnd::Lf, LineEnd::CrLf, LineEnd::Cr}) {
        const auto kind = static_cast<std::size_t>(end);
        const auto chosen = static_cast<std::size_t>(m_newLineEnd);
        if (counts[kind] > best ||
            (counts[kind] == best && best > 0 && first[kind] < first[chosen])) {
            best = counts[kind];
            m_newLineEnd = end;
        }
    }
}

void IniDocument::buildIndex()
{
    m_sections.clear();
    QString current;
    SectionIndex index;
    const auto finish = [&] {
        if (index.header >= 0) {
            m_sections.insert(current, index);
        }
        index = SectionIndex();
    };
    for (qsizetype i = 0; i < m_lines.size(); ++i) {
        const Line& line = m_lines[i];
        if (line.kind == LineKind::Section) {
            finish();
            current = line.name.toCaseFolded();
            if (!m_sections.contains(current)) {
                index.header = i;
            }
        } else if ((line.kind == LineKind::Entry || line.kind == LineKind::Bare) &&
                   index.header >= 0) {
            QHash<QString, qsizetype>& names =
                line.kind == LineKind::Entry ? index.keys : index.bareKeys;
            const QString key = line.name.toCaseFolded();
            if (!names.contains(key)) {
                names.insert(key, i);
            }
        }
    }
    finish();
    m_indexStale = false;
}

qsizetype IniDocument::findSection(const QString& section) const
{
    if (!m_indexStale) {
        const auto found = m_sections.constFind(section.toCaseFolded());
        return found == m_sections.constEnd() ? -1 : found->header;
    }
    for (qsizetype i = 0; i < m_lines.size(); ++i) {
        if (m_lines[i].kind == LineKind::Section && sameName(m_lines[i].name, section)) {
            return i;
        }
    }
    return -1;
}

qsizetype IniDocument::findKey(const QString& section, qsizetype header, const QString& key,
                               LineKind kind) const
{
    if (!m_indexStale) {
        const auto found = m_sections.constFind(section.toCaseFolded());
        if (found == m_sections.constEnd()) {
            return -1;
        }
        const QHash<QString, qsizetype>& names =
            kind == LineKind::Entry ? found->keys : found->bareKeys;
        return names.value(key.toCaseFolded(), -1);
    }
    for (qsizetype i = header + 1; i < m_lines.size(); ++i) {
        const Line& line = m_lines[i];
        if (line.kind == LineKind::Section) {
            break;
        }
        if (line.kind == kind && sameName(line.name, key)) {
            return i;
        }
    }
    return -1;
}

std::optional<QString> IniDocument::value(const QString& section, const QString& key) const
{
    const qsizetype index = findKey(trimBlanks(section), -1, trimBlanks(key), LineKind::Entry);
    if (index < 0) {
        return std::nullopt;
    }
    const Line& line = m_lines[index];
    const QString value = trimBlanks(QStringView(line.text).sliced(line.equals + 1));
    return isQuoted(value) ? value.sliced(1, value.size() - 2) : value;
}

int IniDocument::getInt(const QString& section, const QString& key, int defaultValue) const
{
    // A key left empty by hand stands for no value, not for 0: "EnableUpgrade=" keeps upgrades
    // on, "Birthday=" keeps the default birthday.
    const std::optional<QString> found = value(section, key);
    return found && !trimBlanks(*found).isEmpty() ? profileIntFromText(*found) : defaultValue;
}

QString IniDocument::getString(const QString& section, const QString& key,
                               const QString& defaultValue) const
{
    return value(section, key).value_or(defaultValue);
}

Result<> IniDocument::set(const QList<ProfileEntry>& entries)
{
    if (m_damage) {
        return fail(QStringLiteral("The file %1; writing into it would spoil it.").arg(*m_damage));
    }
    for (const ProfileEntry& entry : entries) {
        if (Result<> checked = checkIniEntry(entry.section, entry.key, entry.value); !checked) {
            return checked;
        }
        if (!canEncodeIniText(entry.section + entry.key + entry.value, m_encoding)) {
            return fail(QStringLiteral("The file's encoding cannot hold the characters of %1/%2.")
                            .arg(entry.section, entry.key));
        }
    }
    IniDocument edited = *this;
    for (const ProfileEntry& entry : entries) {
        edited.setOne(entry);
    }
    // Without a byte-order mark a one-byte file shows its encoding only through bytes UTF-8 does
    // not allow. An edit that replaces the last of them would have the file read as UTF-8 next
    // time, and a pair of its other characters that happens to form UTF-8 would change.
    if (m_encoding == IniEncoding::OneByte) {
        const QString written = edited.text();
        const DecodedIniText reread = decodeIniText(encodeIniText(written, m_encoding));
        if (reread.text != written) {
            return fail(QStringLiteral("The file's characters beyond ASCII would read as UTF-8 "
                                       "after this change, and other values would change."));
        }
        // A NUL is an ordinary byte only while the file reads one byte a character; read as
        // UTF-8 it would refuse every later edit.
        if (reread.damage) {
            return fail(QStringLiteral("After this change the file would hold no character "
                                       "beyond ASCII and would read as UTF-8; its NUL bytes "
                                       "would then stop every later change."));
        }
    }
    *this = std::move(edited);
    if (m_indexStale) {
        buildIndex();
    }
    return Result<>{};
}

void IniDocument::setOne(const ProfileEntry& entry)
{
    const QString section = trimBlanks(entry.section);
    const QString key = trimBlanks(entry.key);
    const qsizetype header = findSection(section);
    if (header < 0) {
        // A new section at the end, parted from the one before by a blank line.
        if (!m_lines.isEmpty() && m_lines.last().kind != LineKind::Blank) {
            insertLine(m_lines.size(), QString());
        }
        insertLine(m_lines.size(), u'[' + section + u']');
        insertLine(m_lines.size(), key + u'=' + quotedForWriting(entry.value, QChar()));
        return;
    }

    if (const qsizetype at = findKey(section, header, key, LineKind::Entry); at >= 0) {
        // Only the value changes: the key's spelling, the blanks the user put around '=' and
        // the quotes he put around the value stay, so a hand-edited file keeps its look.
        Line& line = m_lines[at];
        qsizetype valueStart = line.equals + 1;
        while (valueStart < line.text.size() && isBlank(line.text[valueStart])) {
            ++valueStart;
        }
        const QString old = trimBlanks(QStringView(line.text).sliced(valueStart));
        const QChar quote = isQuoted(old) ? old.front() : QChar();
        line.text = line.text.first(valueStart) + quotedForWriting(entry.value, quote);
        return;
    }

    // The user's own line for the key, only missing its '=': it takes the value where it stands,
    // else the file would hold the key twice.
    if (const qsizetype at = findKey(section, header, key, LineKind::Bare); at >= 0) {
        Line& line = m_lines[at];
        qsizetype nameEnd = line.text.size();
        while (nameEnd > 0 && isBlank(line.text[nameEnd - 1])) {
            --nameEnd;
        }
        line = makeLine(line.text.first(nameEnd) + u'=' + quotedForWriting(entry.value, QChar()),
                        line.end);
        m_indexStale = true;
        return;
    }

    // After the section's last non-blank line, so the blank line that parts it from the next
    // section stays where it is.
    qsizetype insertAt = header + 1;
    for (qsizetype i = header + 1; i < m_lines.size(); ++i) {
        if (m_lines[i].kind == LineKind::Section) {
            break;
        }
        if (m_lines[i].kind != LineKind::Blank) {
            insertAt = i + 1;
        }
    }
    insertLine(insertAt, key + u'=' + quotedForWriting(entry.value, QChar()));
}

void IniDocument::insertLine(qsizetype at, const QString& text)
{
    if (at > 0 && m_lines[at - 1].end == LineEnd::None) {
        m_lines[at - 1].end = m_newLineEnd;
    }
    m_lines.insert(at, makeLine(text, m_newLineEnd));
    m_indexStale = true;
}

QByteArray IniDocument::bytes() const
{
    return encodeIniText(text(), m_encoding);
}

QString IniDocument::text() const
{
    QString joined;
    qsizetype size = 0;
    for (const Line& line : m_lines) {
        size += line.text.size() + 2;
    }
    joined.reserve(size);
    for (const Line& line : m_lines) {
        joined += line.text;
        joined += endText(line.end);
    }
    return joined;
}

Result<> checkIniEntry(const QString& section, const QString& key, const QString& value)
{
    const auto hasBreak = [](const QString& text) {
        return text.contains(u'\n') || text.contains(u'\r') || text.contains(QChar(0));
    };
    const QString trimmedSection = trimBlanks(section);
    const QString trimmedKey = trimBlanks(key);
    if (trimmedSection.isEmpty()) {
        return fail(QStringLiteral("The section name is empty."));
    }
    if (trimmedKey.isEmpty()) {
        return fail(QStringLiteral("The key name is empty."));
    }
    if (hasBreak(section) || hasBreak(key) || hasBreak(value)) {
        return fail(QStringLiteral("A section, key or value holds a line break or NUL."));
    }
    if (trimmedSection.contains(u']')) {
        return fail(QStringLiteral("A section name cannot hold ']'."));
    }
    if (trimmedKey.contains(u'=') || trimmedKey.startsWith(u'[') || trimmedKey.startsWith(u';')) {
        return fail(QStringLiteral("A key cannot hold '=' or begin with '[' or ';'."));
    }
    return Result<>{};
}

int profileIntFromText(const QString& text)
{
    const QString trimmed = trimBlanks(text);
    qsizetype i = 0;
    bool negative = false;
    if (i < trimmed.size() && (trimmed[i] == u'-' || trimmed[i] == u'+')) {
        negative = trimmed[i] == u'-';
        ++i;
    }
    std::uint32_t magnitude = 0;
    for (; i < trimmed.size() && trimmed[i] >= u'0' && trimmed[i] <= u'9'; ++i) {
        magnitude = magnitude * 10U + static_cast<std::uint32_t>(trimmed[i].unicode() - u'0');
    }
    if (negative) {
        magnitude = 0U - magnitude;
    }
    return static_cast<int>(magnitude);
}

} // namespace trek::platform
