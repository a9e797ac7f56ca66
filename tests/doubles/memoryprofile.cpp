// SPDX-License-Identifier: GPL-3.0-or-later
#include "doubles/memoryprofile.h"

#include "platform/inidocument.h"

namespace trek::platform {

int MemoryProfile::getInt(const QString& section, const QString& key, int defaultValue,
                          const QString& path) const
{
    const auto found = m_files.constFind(path);
    if (found == m_files.constEnd()) {
        return defaultValue;
    }
    return IniDocument::parse(*found).getInt(section, key, defaultValue);
}

QString MemoryProfile::getString(const QString& section, const QString& key,
                                 const QString& defaultValue, const QString& path) const
{
    const auto found = m_files.constFind(path);
    if (found == m_files.constEnd()) {
        return defaultValue;
    }
    return IniDocument::parse(*found).getString(section, key, defaultValue);
}

Result<> MemoryProfile::writeString(const QString& section, const QString& key,
                                    const QString& value, const QString& path)
{
    return writeStrings({ProfileEntry{section, key, value}}, path);
}

Result<> MemoryProfile::writeStrings(const QList<ProfileEntry>& entries, const QString& path)
{
    return updateStrings(path, [&entries](const ProfileValues&) { return entries; });
}

Result<> MemoryProfile::updateStrings(const QString& path, const Change& change)
{
    if (m_writesFail) {
        return fail(QStringLiteral("Writes are switched off for %1.").arg(path));
    }
    if (path.isEmpty()) {
        return fail(QStringLiteral("No settings file is named."));
    }
    IniDocument document = IniDocument::parse(m_files.value(path));
    const QList<ProfileEntry> entries = change(document);
    if (entries.isEmpty()) {
        return Result<>{};
    }
    if (Result<> edited = document.set(entries); !edited) {
        return edited;
    }
    m_files.insert(path, document.bytes());
    ++m_writeCount;
    return Result<>{};
}

} // namespace trek::platform
