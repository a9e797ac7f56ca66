// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "backends/linux/profilefiles.h"
#include "platform/profile.h"

#include <QtGlobal>
#include <chrono>

namespace trek::platform {

// Profile files on a local disk. Reads use the parsed file for as long as it stays unchanged on
// disk. Writes hold the WorkingFolderLock of the file's folder while they re-read, edit and
// atomically replace the file, so that two processes (or threads) writing at the same time both
// keep their keys; a writer that cannot get the lock within `lockPatience` fails. A file that
// cannot be read is never written, and a settings file that is a link is read through it but
// never replaced.
class IniProfile final : public Profile
{
public:
    explicit IniProfile(std::chrono::milliseconds lockPatience = std::chrono::seconds(5))
        : m_lockPatience(lockPatience)
    {}
    Q_DISABLE_COPY_MOVE(IniProfile)

    int getInt(const QString& section, const QString& key, int defaultValue,
               const QString& path) const override;
    QString getString(const QString& section, const QString& key, const QString& defaultValue,
                      const QString& path) const override;
    Result<> writeString(const QString& section, const QString& key, const QString& value,
                         const QString& path) override;
    Result<> writeStrings(const QList<ProfileEntry>& entries, const QString& path) override;
    Result<> updateStrings(const QString& path, const Change& change) override;

private:
    mutable ProfileFileCache m_files;
    std::chrono::milliseconds m_lockPatience;
};

} // namespace trek::platform
