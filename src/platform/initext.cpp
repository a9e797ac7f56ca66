#include "platform/initext.h"

#include <QList>
#include <cstdint>

namespace trek::platform {

namespace {

enum class LineKind { Blank, Section, Comment, Entry, Other };

// One line of the file: its bytes with the line ending, and what it means.
struct IniLine
{
    QByteArray raw;     // as in the file, ending included
    QByteArray content; // without the ending (and without a byte-order mark on the first line)
    LineKind kind = LineKind::Other;
    QString name;             // section name or key, trimmed
    qsizetype equals = -1;    // position of '=' in `content` for an entry
    qsizetype endingSize = 0; // bytes of the line ending at the end of `raw`
};

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

QByteArray trimBytes(QByteArrayView bytes)
{
    qsizetype begin = 0;
    qsizetype end = bytes.size();
    while (begin < end && isBlank(bytes[begin])) {
        ++begin;
    }
    while (end > begin && isBlank(bytes[end - 1])) {
        --end;
    }
    return bytes.sliced(begin, end - begin).toByteArray();
}

QString trimText(const QString& text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && (text[begin] == u' ' || text[begin] == u'\t')) {
        ++begin;
    }
    while (end > begin && (text[end - 1] == u' ' || text[end - 1] == u'\t')) {
        --end;
    }
    return text.sliced(begin, end - begin);
}

void classify(IniLine& line)
{
    const QByteArray trimmed = trimBytes(line.content);
    if (trimmed.isEmpty()) {
        line.kind = LineKind::Blank;
    } else if (trimmed.startsWith('[')) {
        line.kind = LineKind::Section;
        const qsizetype close = trimmed.indexOf(']');
        const qsizetype end = close < 0 ? trimmed.size() : close;
        line.name = QString::fromUtf8(trimBytes(QByteArrayView(trimmed).sliced(1, end - 1)));
    } else if (trimmed.startsWith(';')) {
        line.kind = LineKind::Comment;
    } else if (const qsizetype eq = line.content.indexOf('='); eq >= 0) {
        line.kind = LineKind::Entry;
        line.equals = eq;
        line.name = QString::fromUtf8(trimBytes(QByteArrayView(line.content).first(eq)));
    } else {
        line.kind = LineKind::Other;
    }
}

QList<IniLine> splitLines(const QByteArray& text)
{
    QList<IniLine> lines;
    qsizetype start = 0;
    while (start < text.size()) {
        const qsizetype newline = text.indexOf('\n', start);
        const qsizetype next = newline < 0 ? text.size() : newline + 1;
        IniLine line;
        line.raw = text.sliced(start, next - start);
        line.content = line.raw;
        if (line.content.endsWith('\n')) {
            line.content.chop(1);
        }
        if (line.content.endsWith('\r')) {
            line.content.chop(1);
        }
        line.endingSize = line.raw.size() - line.content.size();
        if (lines.isEmpty() && line.content.startsWith("\xEF\xBB\xBF")) {
            line.content.remove(0, 3);
        }
        classify(line);
        lines.append(line);
        start = next;
    }
    return lines;
}

bool sameName(const QString& a, const QString& b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

// Index range [first, end) of the lines inside the first section named `section`, the header
// excluded; first is -1 when there is no such section.
std::pair<qsizetype, qsizetype> findSection(const QList<IniLine>& lines, const QString& section)
{
    qsizetype first = -1;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (lines[i].kind != LineKind::Section) {
            continue;
        }
        if (first >= 0) {
            return {first, i};
        }
        if (sameName(lines[i].name, section)) {
            first = i + 1;
        }
    }
    return {first, lines.size()};
}

qsizetype findKey(const QList<IniLine>& lines, qsizetype first, qsizetype end, const QString& key)
{
    for (qsizetype i = first; i < end; ++i) {
        if (lines[i].kind == LineKind::Entry && sameName(lines[i].name, key)) {
            return i;
        }
    }
    return -1;
}

// New lines follow the file's own convention so that a file made on another system stays
// consistent; a new file gets plain "\n".
QByteArray lineEndingOf(const QList<IniLine>& lines)
{
    for (const IniLine& line : lines) {
        if (line.raw.endsWith("\r\n")) {
            return QByteArrayLiteral("\r\n");
        }
        if (line.raw.endsWith('\n')) {
            return QByteArrayLiteral("\n");
        }
    }
    return QByteArrayLiteral("\n");
}

bool hasEnding(const IniLine& line)
{
    return line.raw.endsWith('\n');
}

QByteArray joinLines(const QList<IniLine>& lines)
{
    QByteArray text;
    for (const IniLine& line : lines) {
        text += line.raw;
    }
    return text;
}

} // namespace

std::optional<QString> findIniValue(const QByteArray& text, const QString& section,
                                    const QString& key)
{
    const QList<IniLine> lines = splitLines(text);
    const QString wantedSection = trimText(section);
    const QString wantedKey = trimText(key);
    const auto [first, end] = findSection(lines, wantedSection);
    if (first < 0) {
        return std::nullopt;
    }
    const qsizetype index = findKey(lines, first, end, wantedKey);
    if (index < 0) {
        return std::nullopt;
    }
    const IniLine& line = lines[index];
    return QString::fromUtf8(trimBytes(QByteArrayView(line.content).sliced(line.equals + 1)));
}

QString iniEntryProblem(const QString& section, const QString& key, const QString& value)
{
    const auto hasBreak = [](const QString& text) {
        return text.contains(u'\n') || text.contains(u'\r') || text.contains(QChar(0));
    };
    const QString trimmedSection = trimText(section);
    const QString trimmedKey = trimText(key);
    if (trimmedSection.isEmpty()) {
        return QStringLiteral("The section name is empty.");
    }
    if (trimmedKey.isEmpty()) {
        return QStringLiteral("The key name is empty.");
    }
    if (hasBreak(section) || hasBreak(key) || hasBreak(value)) {
        return QStringLiteral("A section, key or value holds a line break.");
    }
    if (trimmedSection.contains(u']')) {
        return QStringLiteral("A section name cannot hold ']'.");
    }
    if (trimmedKey.contains(u'=') || trimmedKey.startsWith(u'[') || trimmedKey.startsWith(u';')) {
        return QStringLiteral("A key cannot hold '=' or begin with '[' or ';'.");
    }
    return {};
}

QByteArray setIniValue(const QByteArray& text, const QString& section, const QString& key,
                       const QString& value)
{
    QList<IniLine> lines = splitLines(text);
    const QString wantedSection = trimText(section);
    const QString wantedKey = trimText(key);
    const QByteArray eol = lineEndingOf(lines);
    const QByteArray newEntry = wantedKey.toUtf8() + '=' + value.toUtf8();

    const auto [first, end] = findSection(lines, wantedSection);
    if (first >= 0) {
        const qsizetype index = findKey(lines, first, end, wantedKey);
        if (index >= 0) {
            // Keep the key's spelling and the blanks the user put around '=': only the value
            // changes, so a hand-edited file keeps its look.
            IniLine& line = lines[index];
            qsizetype valueStart = line.equals + 1;
            while (valueStart < line.content.size() && isBlank(line.content[valueStart])) {
                ++valueStart;
            }
            const qsizetype bodyEnd = line.raw.size() - line.endingSize;
            line.raw = line.raw.first(bodyEnd - (line.content.size() - valueStart)) +
                       value.toUtf8() + line.raw.sliced(bodyEnd);
            return joinLines(lines);
        }
        // After the section's last non-blank line, so the blank line that parts it from the next
        // section stays where it is.
        qsizetype insertAt = first;
        for (qsizetype i = first; i < end; ++i) {
            if (lines[i].kind != LineKind::Blank) {
                insertAt = i + 1;
            }
        }
        if (insertAt > 0 && !hasEnding(lines[insertAt - 1])) {
            lines[insertAt - 1].raw += eol;
        }
        IniLine added;
        added.raw = newEntry + eol;
        lines.insert(insertAt, added);
        return joinLines(lines);
    }

    QByteArray result = joinLines(lines);
    if (!lines.isEmpty()) {
        if (!hasEnding(lines.last())) {
            result += eol;
        }
        if (lines.last().kind != LineKind::Blank) {
            result += eol;
        }
    }
    result += '[' + wantedSection.toUtf8() + ']' + eol + newEntry + eol;
    return result;
}

int profileIntFromText(const QString& text)
{
    const QString trimmed = trimText(text);
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
