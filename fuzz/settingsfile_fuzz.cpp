// SPDX-License-Identifier: GPL-3.0-or-later
// Reads arbitrary settings files, in whatever encoding their bytes suggest, and checks the
// editing promises: a file read and written back is the same bytes; after an edit the new values
// read back as they were given, every other key reads as before, and the file keeps its encoding;
// an edit refused changes nothing.

#include "fuzzcheck.h"
#include "platform/inidocument.h"
#include "platform/iniencoding.h"

#include <QList>
#include <QRegularExpression>
#include <QString>
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <utility>

namespace {

using trek::platform::IniDocument;
using trek::platform::ProfileEntry;

using trek::fuzz::check;

using KeyName = std::pair<QString, QString>; // section, key

// Section and key names the file seems to hold, to compare before and after an edit.
QList<KeyName> NamesIn(const QString& text)
{
    static const QRegularExpression lineEnd(QStringLiteral("\r\n|\r|\n"));
    QList<KeyName> names;
    QString section;
    for (const QString& line : text.split(lineEnd)) {
        const QString trimmed = line.trimmed();
        if (trimmed.startsWith(u'[')) {
            section = trimmed.mid(1, trimmed.indexOf(u']') - 1);
        } else if (const qsizetype equals = line.indexOf(u'='); equals > 0) {
            names.append({section, line.first(equals)});
        }
        if (names.size() == 16) {
            break;
        }
    }
    return names;
}

bool SameName(const KeyName& a, const ProfileEntry& b)
{
    return a.first.trimmed().toCaseFolded() == b.section.trimmed().toCaseFolded() &&
           a.second.trimmed().toCaseFolded() == b.key.trimmed().toCaseFolded();
}

// An edit of an existing key (when the file seems to have one) and of one the program keeps,
// the new value taken from the input so that blanks, quotes and odd characters come up.
QList<ProfileEntry> EditFor(const QList<KeyName>& names, QByteArrayView input)
{
    const QString value = QString::fromLatin1(input.first(std::min<qsizetype>(input.size(), 10)));
    QList<ProfileEntry> entries{{QStringLiteral("Summary"), QStringLiteral("TotalSteps"), value}};
    if (!names.isEmpty() && !SameName(names.front(), entries.front())) {
        entries.append({names.front().first, names.front().second, value.sliced(value.size() / 2)});
    }
    return entries;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const trek::platform::DecodedIniText decoded = trek::platform::decodeIniText(bytes);
    const IniDocument before = IniDocument::parse(bytes);
    check(before.encoding() == decoded.encoding);
    if (!decoded.damage) {
        check(before.bytes() == bytes);
    }

    const QList<KeyName> names = NamesIn(decoded.text);
    const QList<ProfileEntry> entries = EditFor(names, bytes);
    IniDocument edited = before;
    if (!edited.set(entries)) {
        check(edited.bytes() == before.bytes());
        return 0;
    }
    check(!decoded.damage); // a damaged file refuses every edit
    const QByteArray written = edited.bytes();
    const IniDocument after = IniDocument::parse(written);
    // A file without a mark shows its one-byte encoding only through bytes UTF-8 does not allow;
    // an edit that replaced the last of them leaves plain ASCII, which reads the same either way.
    const bool ascii = std::all_of(written.begin(), written.end(),
                                   [](char c) { return static_cast<unsigned char>(c) < 0x80; });
    check(after.encoding() == before.encoding() ||
          (ascii && before.encoding() == trek::platform::IniEncoding::OneByte));
    check(after.bytes() == written);
    for (const ProfileEntry& entry : entries) {
        check(after.value(entry.section, entry.key) == entry.value);
    }
    for (const KeyName& name : names) {
        const bool changed = std::any_of(entries.begin(), entries.end(),
                                         [&name](const auto& e) { return SameName(name, e); });
        if (!changed) {
            check(after.value(name.first, name.second) == before.value(name.first, name.second));
        }
    }
    return 0;
}
