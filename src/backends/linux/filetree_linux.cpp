// SPDX-License-Identifier: GPL-3.0-or-later
#include "backends/linux/filedescriptor.h"
#include "backends/linux/regularfileio.h"
#include "platform/filetree.h"

#include <QFile>
#include <QFileInfo>
#include <array>
#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace trek::platform {

namespace {

constexpr std::size_t CopyChunk = 1 << 16;

EntryKind kindOf(int folderFd, const char* name)
{
    struct stat info
    {};
    if (::fstatat(folderFd, name, &info, AT_SYMLINK_NOFOLLOW) != 0) {
        return EntryKind::Other;
    }
    if (S_ISLNK(info.st_mode)) {
        // What the link leads to decides; a dangling one leads nowhere.
        if (::fstatat(folderFd, name, &info, 0) != 0) {
            return EntryKind::Other;
        }
        if (S_ISDIR(info.st_mode)) {
            return EntryKind::LinkedFolder;
        }
        return S_ISREG(info.st_mode) ? EntryKind::File : EntryKind::Other;
    }
    if (S_ISDIR(info.st_mode)) {
        return EntryKind::Folder;
    }
    return S_ISREG(info.st_mode) ? EntryKind::File : EntryKind::Other;
}

// Copies what is left of `from` to `to`; 0 or the errno that stopped it.
int copyContent(int from, int to)
{
    std::array<char, CopyChunk> buffer{};
    for (;;) {
        const ssize_t got = ::read(from, buffer.data(), buffer.size());
        if (got < 0) {
            if (errno == EINTR) {
                continue;
            }
            return errno;
        }
        if (got == 0) {
            return 0;
        }
        if (const int error = writeAll(to, QByteArrayView(buffer.data(), got)); error != 0) {
            return error;
        }
    }
}

} // namespace

Result<QList<FolderEntry>> listFolderEntries(const QString& folder)
{
    const Result<DIR*> listing = openFolderListing(folder);
    if (!listing) {
        return fail(listing.error());
    }
    DIR* dir = *listing;
    const int fd = ::dirfd(dir);
    QList<FolderEntry> entries;
    int error = 0;
    for (;;) {
        errno = 0;
        const dirent* entry = ::readdir(dir);
        if (entry == nullptr) {
            error = errno;
            break;
        }
        const char* name = static_cast<const char*>(entry->d_name);
        if (qstrcmp(name, ".") == 0 || qstrcmp(name, "..") == 0) {
            continue;
        }
        entries.append({QFile::decodeName(name), kindOf(fd, name)});
    }
    ::closedir(dir); // closes fd as well
    if (error != 0) {
        return fail(QStringLiteral("Cannot list %1: %2").arg(folder, systemError(error)));
    }
    return entries;
}

Result<> makeFolder(const QString& path)
{
    const QByteArray name = QFile::encodeName(path);
    if (::mkdir(name.constData(), 0777) == 0) {
        return {};
    }
    const int error = errno;
    struct stat info
    {};
    if (error == EEXIST && ::stat(name.constData(), &info) == 0) {
        if (S_ISDIR(info.st_mode)) {
            return {};
        }
        return fail(QStringLiteral("Cannot create the folder %1: %2 is there")
                        .arg(path, fileKind(info.st_mode)));
    }
    return fail(QStringLiteral("Cannot create the folder %1: %2").arg(path, systemError(error)));
}

Result<> copyFileAtomically(const QString& source, const QString& target)
{
    const auto failure = [&](const QString& why) {
        return fail(QStringLiteral("Cannot copy %1 to %2: %3").arg(source, target, why));
    };

    // O_NONBLOCK: a FIFO that took the file's place since the listing opens at once and is
    // refused below instead of waiting for a writer.
    const FileDescriptor from(
        openRetrying(QFile::encodeName(source), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (from.get() < 0) {
        return failure(systemError(errno));
    }
    struct stat info
    {};
    if (::fstat(from.get(), &info) != 0) {
        return failure(systemError(errno));
    }
    if (!S_ISREG(info.st_mode)) {
        return failure(QStringLiteral("it is %1, not a regular file").arg(fileKind(info.st_mode)));
    }

    const QFileInfo targetInfo(target);
    const QByteArray targetName = QFile::encodeName(targetInfo.absoluteFilePath());
    struct stat existing
    {};
    if (::lstat(targetName.constData(), &existing) == 0 && !S_ISREG(existing.st_mode)) {
        return failure(QStringLiteral("%1 is there, not a regular file; it was left as it is")
                           .arg(fileKind(existing.st_mode)));
    }

    // Named as writeFileAtomically() names its files, so that removeLeftoverTemporaryFiles() also
    // clears what a copy cut short by a crash leaves behind.
    QByteArray temporary;
    FileDescriptor to(openTemporary(QFile::encodeName(targetInfo.absolutePath()),
                                    QFile::encodeName(targetInfo.fileName()), temporary,
                                    NewFileMode::Umask));
    if (to.get() < 0) {
        return failure(systemError(errno));
    }
    const auto discard = [&](int error) {
        ::unlink(temporary.constData());
        return failure(systemError(error));
    };
    if (const int error = copyContent(from.get(), to.get()); error != 0) {
        return discard(error);
    }
    if (::fsync(to.get()) != 0) {
        return discard(errno);
    }
    if (to.close() != 0) {
        return discard(errno);
    }
    if (::rename(temporary.constData(), targetName.constData()) != 0) {
        return discard(errno);
    }
    return {};
}

} // namespace trek::platform
