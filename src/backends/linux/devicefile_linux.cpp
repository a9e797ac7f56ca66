// SPDX-License-Identifier: GPL-3.0-or-later
#include "backends/linux/fatattributes.h"
#include "backends/linux/filedescriptor.h"
#include "backends/linux/regularfileio.h"
#include "platform/devicefile.h"

#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace trek::platform {

namespace {

// Flushing the file and its folder is not enough on vfat: after the rename it writes the file's
// new directory entry (size, first cluster, attributes) only when the file's inode is written
// back, and the clusters of the replaced file only when that inode goes. syncfs() writes all of
// that, and only for the wristband's disk; since Linux 5.8 it also reports a write-back error of
// that disk, which the user must hear of before pulling it out.
Result<> syncFileSystemOf(const QString& folder)
{
    int fd = -1;
    do {
        fd = ::open(QFile::encodeName(folder).constData(),
                    O_RDONLY | O_DIRECTORY | O_NOCTTY | O_CLOEXEC);
    } while (fd < 0 && errno == EINTR);
    const FileDescriptor dir(fd);
    if (dir.get() < 0) {
        return fail(
            QStringLiteral("Cannot open the folder %1: %2").arg(folder, systemError(errno)));
    }
    if (::syncfs(dir.get()) != 0) {
        return fail(
            QStringLiteral("Cannot flush the disk of %1: %2").arg(folder, systemError(errno)));
    }
    return Result<>{};
}

} // namespace

Result<> writeDeviceFileDurably(const QString& path, QByteArrayView bytes,
                                DeviceFileAttribute attribute)
{
    TemporaryFileStep hide;
    if (attribute == DeviceFileAttribute::Hidden) {
        hide = [&path](int fd) -> Result<> {
            const Result<bool> hidden = setFatHidden(fd);
            if (!hidden) {
                return fail(QStringLiteral("Cannot write %1: %2").arg(path, hidden.error()));
            }
            return Result<>{};
        };
    }
    if (Result<> replaced = replaceFileAtomically(path, bytes, hide, NewFileMode::Umask);
        !replaced) {
        return replaced;
    }
    return syncFileSystemOf(QFileInfo(path).absolutePath());
}

} // namespace trek::platform
