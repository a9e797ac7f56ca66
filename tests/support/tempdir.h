#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>
#include <string>
#include <sys/types.h>

namespace trek::test {

// A fresh folder per test, removed afterwards, with small helpers to lay out files in it.
class TempDir
{
public:
    TempDir();
    QString path() const { return m_dir.path(); }
    QString filePath(const QString& relative) const { return m_dir.filePath(relative); }
    // Writes `bytes` to `relative`, creating folders on the way; fails the test on error.
    QString write(const QString& relative, const QByteArray& bytes) const;
    QByteArray read(const QString& relative) const;
    bool exists(const QString& relative) const;
    // A FIFO at `relative`: an ordinary open of it waits for the other end for ever.
    QString makeFifo(const QString& relative) const;
    // A symbolic link at `relative` holding `target` as given; it may lead nowhere.
    QString makeLink(const QString& relative, const QString& target) const;
    // Whether a FIFO, not a link to one, is at `relative`.
    bool isFifo(const QString& relative) const;
    // The access rights of what is at `relative` (not of a link's target) in octal, "0640";
    // "nothing" when nothing is there.
    std::string rights(const QString& relative) const;

private:
    QTemporaryDir m_dir;
};

// The process's umask for the life of the object, and the old one again afterwards.
class ScopedUmask
{
public:
    explicit ScopedUmask(mode_t mask);
    ~ScopedUmask();
    ScopedUmask(const ScopedUmask&) = delete;
    ScopedUmask& operator=(const ScopedUmask&) = delete;

private:
    mode_t m_old;
};

} // namespace trek::test
