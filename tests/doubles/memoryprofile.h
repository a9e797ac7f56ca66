// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/profile.h"

#include <QByteArray>
#include <QHash>
#include <QtGlobal>

namespace trek::platform {

// Profile files held in memory, for tests: the same reading and editing rules as the files on
// disk, with the texts open to inspection and a switch that makes every write fail.
class MemoryProfile final : public Profile
{
public:
    MemoryProfile() = default;
    Q_DISABLE_COPY_MOVE(MemoryProfile)

    int getInt(const QString& section, const QString& key, int defaultValue,
               const QString& path) const override;
    QString getString(const QString& section, const QString& key, const QString& defaultValue,
                      const QString& path) const override;
    Result<> writeString(const QString& section, const QString& key, const QString& value,
                         const QString& path) override;
    Result<> writeStrings(const QList<ProfileEntry>& entries, const QString& path) override;
    Result<> updateStrings(const QString& path, const Change& change) override;

    void setFileText(const QString& path, const QByteArray& text) { m_files.insert(path, text); }
    // Empty when there is no such file; see hasFile().
    QByteArray fileText(const QString& path) const { return m_files.value(path); }
    bool hasFile(const QString& path) const { return m_files.contains(path); }
    void removeFile(const QString& path) { m_files.remove(path); }
    // Failing writes stand for a full or read-only disk: the texts stay as they are.
    void setWritesFail(bool fail) { m_writesFail = fail; }
    // Successful writes, each multi-key write or update counting once.
    int writeCount() const { return m_writeCount; }

private:
    QHash<QString, QByteArray> m_files;
    bool m_writesFail = false;
    int m_writeCount = 0;
};

} // namespace trek::platform
