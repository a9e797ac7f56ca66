// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>
#include <QtGlobal>
#include <string>
#include <sys/stat.h>

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
    // The access rights of what is at `relative` (not a link's target) in octal, as "0640".
    std::string rights(const QString& relative) const;

private:
    QTemporaryDir m_dir;
};

// The process's umask while the object lives.
class ScopedUmask
{
public:
    explicit ScopedUmask(mode_t mask) : m_old(::umask(mask)) {}
    ~ScopedUmask() { ::umask(m_old); }
    Q_DISABLE_COPY_MOVE(ScopedUmask)

private:
    mode_t m_old;
};

} // namespace trek::test
