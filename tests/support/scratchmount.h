// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QTemporaryDir>

namespace trek::test {

// A small tmpfs, for tests that need a file system to fill up or to turn read-only: on a folder of
// its own, or on `mountPoint` when one is given. Mounting needs root; callers skip with error()
// when mounted() is false. Unmounted when it goes.
class ScratchMount final
{
public:
    explicit ScratchMount(const QString& size, const QString& mountPoint = {});
    ~ScratchMount();
    Q_DISABLE_COPY_MOVE(ScratchMount)

    bool mounted() const { return m_mounted; }
    QString error() const { return m_error; }
    QString path() const { return m_path; }
    QString filePath(const QString& name) const { return m_path + u'/' + name; }
    bool remountReadOnly();
    // Writes filler until the file system refuses more; true when it ended full.
    bool fill() const;

private:
    QTemporaryDir m_dir;
    QString m_path;
    bool m_mounted = false;
    QString m_error;
};

} // namespace trek::test
