#include "tempdir.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

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

} // namespace trek::test
