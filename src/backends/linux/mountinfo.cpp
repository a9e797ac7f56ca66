// SPDX-License-Identifier: GPL-3.0-or-later
#include "backends/linux/mountinfo.h"

#include <QFile>
#include <QList>

namespace trek::platform {

namespace {

bool isOctalDigit(char c)
{
    return c >= '0' && c <= '7';
}

bool parseDeviceNumber(QByteArrayView field, std::uint32_t& major, std::uint32_t& minor)
{
    const qsizetype colon = field.indexOf(':');
    if (colon <= 0 || colon == field.size() - 1) {
        return false;
    }
    bool majorOk = false;
    bool minorOk = false;
    major = field.first(colon).toUInt(&majorOk);
    minor = field.sliced(colon + 1).toUInt(&minorOk);
    return majorOk && minorOk;
}

QString decodePath(QByteArrayView field)
{
    // Paths are bytes; decode them the way Qt decodes every other file name.
    return QFile::decodeName(unescapeMountField(field));
}

} // namespace

QByteArray unescapeMountField(QByteArrayView field)
{
    QByteArray out;
    out.reserve(field.size());
    for (qsizetype i = 0; i < field.size(); ++i) {
        const char c = field[i];
        if (c == '\\' && i + 3 < field.size() && isOctalDigit(field[i + 1]) &&
            isOctalDigit(field[i + 2]) && isOctalDigit(field[i + 3])) {
            const int value =
                (field[i + 1] - '0') * 64 + (field[i + 2] - '0') * 8 + (field[i + 3] - '0');
            if (value <= 0xff) {
                out.append(static_cast<char>(value));
                i += 3;
                continue;
            }
        }
        out.append(c);
    }
    return out;
}

std::vector<MountEntry> parseMountInfo(const QByteArray& text)
{
    std::vector<MountEntry> entries;
    const QList<QByteArray> lines = text.split('\n');
    for (const QByteArray& line : lines) {
        const QList<QByteArray> fields = line.split(' ');
        // id, parent, major:minor, root, mount point, options, [optional...], "-", type, source
        const qsizetype separator = fields.indexOf(QByteArrayLiteral("-"), 6);
        if (fields.size() < 7 || separator < 6 || separator + 2 >= fields.size()) {
            continue;
        }
        MountEntry entry;
        if (!parseDeviceNumber(fields[2], entry.major, entry.minor)) {
            continue;
        }
        entry.root = decodePath(fields[3]);
        entry.mountPoint = decodePath(fields[4]);
        entry.fsType = QString::fromLatin1(unescapeMountField(fields[separator + 1]));
        entry.source = decodePath(fields[separator + 2]);
        entries.push_back(std::move(entry));
    }
    return entries;
}

} // namespace trek::platform
