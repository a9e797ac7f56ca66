#pragma once

#include "platform/profile.h"

#include <QtGlobal>

namespace trek::platform {

// Profile files on a local disk. Reads take the file as it is; writes hold an exclusive lock on
// the file's folder while they re-read, edit and atomically replace the file, so that two
// processes (or threads) writing different keys at the same time both keep their key.
class IniProfile final : public Profile
{
public:
    IniProfile() = default;
    Q_DISABLE_COPY_MOVE(IniProfile)

    int getInt(const QString& section, const QString& key, int defaultValue,
               const QString& path) const override;
    QString getString(const QString& section, const QString& key, const QString& defaultValue,
                      const QString& path) const override;
    bool writeString(const QString& section, const QString& key, const QString& value,
                     const QString& path) override;

    // Why the last writeString() of this object failed; empty after a success.
    QString lastError() const { return m_lastError; }

private:
    QString m_lastError;
};

} // namespace trek::platform
