#pragma once

#include <QString>
#include <QTemporaryDir>

namespace trek::test {

// A small tmpfs of its own, for tests that need a file system to fill up or to turn read-only.
// Mounting needs root; callers skip with error() when mounted() is false.
class ScratchMount final
{
public:
    explicit ScratchMount(const QString& size);
    ~ScratchMount();
    Q_DISABLE_COPY_MOVE(ScratchMount)

    bool mounted() const { return m_mounted; }
    QString error() const { return m_error; }
    QString path() const { return m_dir.path(); }
    QString filePath(const QString& name) const { return m_dir.filePath(name); }
    bool remountReadOnly();
    // Writes filler until the file system refuses more; true when it ended full.
    bool fill() const;

private:
    QTemporaryDir m_dir;
    bool m_mounted = false;
    QString m_error;
};

} // namespace trek::test
