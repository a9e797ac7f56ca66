// SPDX-License-Identifier: GPL-3.0-or-later
#include "backends/linux/trash_linux.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QStorageInfo>
#include <unistd.h>

namespace trek::platform {

namespace {

// A trash folder this user can fill: one that is there and writable, or one that can be made in
// the folder that holds it.
bool CanHold(const QString& trash)
{
    const QFileInfo info(trash);
    if (info.exists() || info.isSymLink()) {
        return info.isDir() && !info.isSymLink() && info.isWritable();
    }
    const QFileInfo parent(info.absolutePath());
    return parent.isDir() && parent.isWritable();
}

} // namespace

bool FreedesktopTrash::availableFor(const QString& folder) const
{
    const QStorageInfo storage(folder);
    if (!storage.isValid() || storage.isReadOnly()) {
        return false;
    }
    if (storage == QStorageInfo(QDir::homePath())) {
        return CanHold(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
                       QStringLiteral("/Trash"));
    }
    // Elsewhere only a trash on the same partition will do: moving there is a rename.
    const QString user = QString::number(::getuid());
    const QString top = storage.rootPath();
    const QFileInfo shared(top + QStringLiteral("/.Trash/") + user);
    return (shared.isDir() && !shared.isSymLink() && shared.isWritable()) ||
           CanHold(top + QStringLiteral("/.Trash-") + user);
}

Result<> FreedesktopTrash::moveToTrash(const QString& path)
{
    QFile file(path);
    if (!file.moveToTrash()) {
        return fail(file.errorString());
    }
    return {};
}

} // namespace trek::platform
