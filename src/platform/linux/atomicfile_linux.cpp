#include "platform/atomicfile.h"
#include "platform/linux/filedescriptor.h"
#include "platform/linux/regularfileio.h"
#include "platform/regularfile.h"

#include <QFileInfo>
#include <QRandomGenerator>
#include <algorithm>
#include <cerrno>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace trek::platform {

namespace {

Result<> failure(const QString& what, const QString& path, int error)
{
    return fail(QStringLiteral("%1 %2: %3").arg(what, path, systemError(error)));
}

// ".<name>.<random hex>.tmp": hidden, next to the file it replaces, and recognisable by
// isTemporaryName() when a crash leaves it behind.
QByteArray temporaryName(const QByteArray& name)
{
    return '.' + name + '.' + QByteArray::number(QRandomGenerator::global()->generate(), 16) +
           ".tmp";
}

bool isTemporaryName(QByteArrayView name)
{
    constexpr QByteArrayView suffix(".tmp");
    if (name.size() < 4 + suffix.size() || !name.startsWith('.') || !name.endsWith(suffix)) {
        return false;
    }
    const QByteArrayView stem = name.sliced(1, name.size() - 1 - suffix.size());
    const qsizetype dot = stem.lastIndexOf('.');
    const QByteArrayView random = stem.sliced(dot + 1);
    if (dot <= 0 || random.isEmpty() || random.size() > 8) {
        return false;
    }
    return std::all_of(random.begin(), random.end(),
                       [](char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'); });
}

} // namespace

int openTemporary(const QByteArray& folder, const QByteArray& name, QByteArray& tempPath,
                  NewFileMode mode)
{
    // Private from the start, so that nobody else can open it before it is complete.
    const mode_t rights = mode == NewFileMode::Private ? 0600 : 0666;
    for (int attempt = 0; attempt < 16; ++attempt) {
        tempPath = folder + '/' + temporaryName(name);
        const int fd =
            ::open(tempPath.constData(),
                   O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_NOCTTY | O_CLOEXEC, rights);
        if (fd >= 0 && mode == NewFileMode::Private) {
            if (const int error = makeFilePrivate(fd); error != 0) {
                ::close(fd);
                ::unlink(tempPath.constData());
                errno = error;
                return -1;
            }
        }
        if (fd >= 0 || (errno != EEXIST && errno != EINTR)) {
            return fd;
        }
    }
    errno = EEXIST;
    return -1;
}

Result<> replaceFileAtomically(const QString& path, QByteArrayView bytes,
                               const TemporaryFileStep& prepare, NewFileMode mode)
{
    const QFileInfo targetInfo(path);
    const QString target = targetInfo.absoluteFilePath();
    const QByteArray folder = QFile::encodeName(targetInfo.absolutePath());
    const QByteArray targetName = QFile::encodeName(target);

    // Only a regular file is replaced. A link stays as it is and so does its target: the rename
    // would put a file in the link's place, and following it could write anywhere.
    struct stat existing
    {};
    const bool hadFile = ::lstat(targetName.constData(), &existing) == 0;
    if (!hadFile && errno != ENOENT) {
        return failure(QStringLiteral("Cannot replace"), target, errno);
    }
    if (hadFile && !S_ISREG(existing.st_mode)) {
        return fail(QStringLiteral("Cannot replace %1: it is %2, not a regular file; it was left "
                                   "as it is")
                        .arg(target, fileKind(existing.st_mode)));
    }

    QByteArray tempPath;
    FileDescriptor file(
        openTemporary(folder, QFile::encodeName(targetInfo.fileName()), tempPath, mode));
    if (file.get() < 0) {
        return failure(QStringLiteral("Cannot create a temporary file in"),
                       targetInfo.absolutePath(), errno);
    }
    const auto discard = [&](const QString& what, int error) {
        ::unlink(tempPath.constData());
        return failure(what, target, error);
    };

    // The replacement keeps the access rights of the file it replaces.
    if (hadFile && ::fchmod(file.get(), existing.st_mode & 07777) != 0) {
        return discard(QStringLiteral("Cannot keep the access rights of"), errno);
    }
    if (const int error = writeAll(file.get(), bytes); error != 0) {
        return discard(QStringLiteral("Cannot write"), error);
    }
    if (prepare) {
        if (Result<> prepared = prepare(file.get()); !prepared) {
            ::unlink(tempPath.constData());
            return prepared;
        }
    }
    if (::fsync(file.get()) != 0) {
        return discard(QStringLiteral("Cannot flush"), errno);
    }
    if (file.close() != 0) {
        return discard(QStringLiteral("Cannot close"), errno);
    }
    if (::rename(tempPath.constData(), targetName.constData()) != 0) {
        return discard(QStringLiteral("Cannot replace"), errno);
    }

    // The rename itself reaches the disk only with the folder's entry.
    return syncFolder(targetInfo.absolutePath());
}

Result<> writeFileAtomically(const QString& path, QByteArrayView bytes)
{
    return replaceFileAtomically(path, bytes, {}, NewFileMode::Private);
}

Result<int> removeLeftoverTemporaryFiles(const QString& folder, std::chrono::seconds minimumAge)
{
    const Result<DIR*> listing = openFolderListing(folder);
    if (!listing) {
        return fail(listing.error());
    }
    DIR* dir = *listing;
    const int fd = ::dirfd(dir);
    struct timespec now
    {};
    ::clock_gettime(CLOCK_REALTIME, &now);
    int removed = 0;
    int firstError = 0;
    QString failedName;
    for (;;) {
        errno = 0;
        const dirent* entry = ::readdir(dir);
        if (entry == nullptr) {
            if (errno != 0 && firstError == 0) {
                firstError = errno;
            }
            break;
        }
        const char* name = static_cast<const char*>(entry->d_name);
        if (!isTemporaryName(QByteArrayView(name))) {
            continue;
        }
        struct stat info
        {};
        if (::fstatat(fd, name, &info, AT_SYMLINK_NOFOLLOW) != 0 || !S_ISREG(info.st_mode) ||
            now.tv_sec - info.st_mtim.tv_sec < minimumAge.count()) {
            continue;
        }
        if (::unlinkat(fd, name, 0) == 0) {
            ++removed;
        } else if (firstError == 0) {
            firstError = errno;
            failedName = QFile::decodeName(name);
        }
    }
    ::closedir(dir); // closes fd as well
    if (firstError != 0 && failedName.isEmpty()) {
        return fail(QStringLiteral("Cannot list %1: %2").arg(folder, systemError(firstError)));
    }
    if (firstError != 0) {
        return fail(QStringLiteral("Cannot remove the leftover temporary file %1 in %2: %3")
                        .arg(failedName, folder, systemError(firstError)));
    }
    return removed;
}

} // namespace trek::platform
