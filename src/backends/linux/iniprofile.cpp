// SPDX-License-Identifier: GPL-3.0-or-later
#include "backends/linux/iniprofile.h"

#include "platform/atomicfile.h"
#include "platform/workingfolderlock.h"

#include <QFileInfo>

namespace trek::platform {

int IniProfile::getInt(const QString& section, const QString& key, int defaultValue,
                       const QString& path) const
{
    const std::shared_ptr<const IniDocument> document = m_files.current(path);
    return document ? document->getInt(section, key, defaultValue) : defaultValue;
}

QString IniProfile::getString(const QString& section, const QString& key,
                              const QString& defaultValue, const QString& path) const
{
    const std::shared_ptr<const IniDocument> document = m_files.current(path);
    return document ? document->getString(section, key, defaultValue) : defaultValue;
}

Result<> IniProfile::writeString(const QString& section, const QString& key, const QString& value,
                                 const QString& path)
{
    return writeStrings({ProfileEntry{section, key, value}}, path);
}

Result<> IniProfile::writeStrings(const QList<ProfileEntry>& entries, const QString& path)
{
    for (const ProfileEntry& entry : entries) {
        if (Result<> checked = checkIniEntry(entry.section, entry.key, entry.value); !checked) {
            return checked; // before any waiting for the lock
        }
    }
    return updateStrings(path, [&entries](const ProfileValues&) { return entries; });
}

Result<> IniProfile::updateStrings(const QString& path, const Change& change)
{
    if (path.isEmpty()) {
        return fail(QStringLiteral("No settings file is named."));
    }
    const Result<WorkingFolderLock> lock =
        WorkingFolderLock::acquire(QFileInfo(path).absolutePath(), m_lockPatience);
    if (!lock) {
        return fail(lock.error());
    }
    // Read again under the lock, never from the cache: another process may have changed the
    // file within the time its stamp can tell apart.
    const Result<StampedFile> before = readStampedFile(path);
    if (!before) {
        // Writing over a file we cannot read would throw away every other key in it.
        return fail(QStringLiteral("%1; the file is left as it is.").arg(before.error()));
    }
    IniDocument document = IniDocument::parse(before->bytes);
    const QList<ProfileEntry> entries = change(document);
    if (entries.isEmpty()) {
        return Result<>{};
    }
    if (Result<> edited = document.set(entries); !edited) {
        return fail(QStringLiteral("Cannot write %1: %2").arg(path, edited.error()));
    }
    const QByteArray after = document.bytes();
    if (before->exists && after == before->bytes) {
        return Result<>{};
    }
    if (Result<> written = writeFileAtomically(path, after); !written) {
        return written;
    }
    m_files.remember(path, document);
    return Result<>{};
}

} // namespace trek::platform
