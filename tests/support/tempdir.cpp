// SPDX-License-Identifier: GPL-3.0-or-later
#include "tempdir.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace trek::test {

TempDir::TempDir()
{
    EXPECT_TRUE(m_dir.isValid());
}

QString TempDir::write(const QString& relative, const QByteArray& bytes) const
{
    const QString path = filePath(relative);
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path.toStdString();
    EXPECT_EQ(file.write(bytes), bytes.size());
    return path;
}

QByteArray TempDir::read(const QString& relative) const
{
    QFile file(filePath(relative));
    if (!file.open(QIODevice::ReadOnly)) {
        ADD_FAILURE() << "cannot read " << relative.toStdString();
        return {};
    }
    return file.readAll();
}

bool TempDir::exists(const QString& relative) const
{
    return QFileInfo::exists(filePath(relative));
}

QString TempDir::makeFifo(const QString& relative) const
{
    const QString path = filePath(relative);
    QDir().mkpath(QFileInfo(path).absolutePath());
    EXPECT_EQ(::mkfifo(QFile::encodeName(path).constData(), 0600), 0) << path.toStdString();
    return path;
}

QString TempDir::makeLink(const QString& relative, const QString& target) const
{
    const QString path = filePath(relative);
    QDir().mkpath(QFileInfo(path).absolutePath());
    EXPECT_EQ(::symlink(QFile::encodeName(target).constData(), QFile::encodeName(path).constData()),
              0)
        << path.toStdString();
    return path;
}

bool TempDir::isFifo(const QString& relative) const
{
    struct stat info
    {};
    return ::lstat(QFile::encodeName(filePath(relative)).constData(), &info) == 0 &&
           S_ISFIFO(info.st_mode);
}

std::string TempDir::rights(const QString& relative) const
{
    struct stat info
    {};
    if (::lstat(QFile::encodeName(filePath(relative)).constData(), &info) != 0) {
        return "nothing";
    }
    return QString::asprintf("%04o", static_cast<unsigned>(info.st_mode & 07777)).toStdString();
}

} // namespace trek::test
