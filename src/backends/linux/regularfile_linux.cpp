// SPDX-License-Identifier: GPL-3.0-or-later
#include "backends/linux/filedescriptor.h"
#include "backends/linux/regularfileio.h"
#include "platform/regularfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace trek::platform {

namespace {

constexpr qint64 ReadChunk = 65536;

Failure failure(const char* what, const QString& path, const QString& why)
{
    return fail(QStringLiteral("Cannot %1 %2: %3").arg(QLatin1String(what), path, why));
}

QString notRegular(mode_t mode)
{
    return QStringLiteral("it is %1, not a regular file").arg(fileKind(mode));
}

QString tooLarge(qint64 size, qint64 maxBytes)
{
    return QStringLiteral("it holds %1 bytes, more than the %2 it may hold")
        .arg(size)
        .arg(maxBytes);
}

// Why a file must not be written in place; empty when it may. A file with a second name (a hard
// link) would change under that name too, which may lie anywhere on its disk.
QString refusalToWrite(const struct stat& info)
{
    if (S_ISLNK(info.st_mode)) {
        return QStringLiteral("it is a link, and links are not written through");
    }
    if (!S_ISREG(info.st_mode)) {
        return notRegular(info.st_mode);
    }
    if (info.st_nlink > 1) {
        return QStringLiteral("it has %1 names (hard links), and only one of them is ours")
            .arg(info.st_nlink);
    }
    return {};
}

// How long before a read a file's last change must lie for any later change to show: FAT keeps
// its times to two seconds, and the kernel stamps them from a clock that may lag ours by a tick.
constexpr qint64 SettlingNanoseconds = qint64{3'000'000'000};

qint64 Nanoseconds(const struct timespec& time)
{
    return qint64{time.tv_sec} * 1'000'000'000 + time.tv_nsec;
}

FileVersion VersionOf(const struct stat& info)
{
    FileVersion version;
    version.device = info.st_dev;
    version.inode = info.st_ino;
    version.size = info.st_size;
    version.modified = Nanoseconds(info.st_mtim);
    version.changed = Nanoseconds(info.st_ctim);
    return version;
}

bool SameVersion(const FileVersion& a, const FileVersion& b)
{
    return a.device == b.device && a.inode == b.inode && a.size == b.size &&
           a.modified == b.modified && a.changed == b.changed;
}

} // namespace

QString systemError(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

QString fileKind(mode_t mode)
{
    if (S_ISREG(mode)) {
        return QStringLiteral("a file");
    }
    if (S_ISLNK(mode)) {
        return QStringLiteral("a link");
    }
    if (S_ISDIR(mode)) {
        return QStringLiteral("a folder");
    }
    if (S_ISFIFO(mode)) {
        return QStringLiteral("a FIFO");
    }
    if (S_ISCHR(mode)) {
        return QStringLiteral("a character device");
    }
    if (S_ISBLK(mode)) {
        return QStringLiteral("a block device");
    }
    if (S_ISSOCK(mode)) {
        return QStringLiteral("a socket");
    }
    return QStringLiteral("no kind of file known here");
}

int writeAll(int fd, QByteArrayView bytes)
{
    const char* data = bytes.data();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t written = ::write(fd, data, static_cast<size_t>(left));
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return errno;
        }
        if (written == 0) {
            return ENOSPC;
        }
        data += written;
        left -= written;
    }
    return 0;
}

Result<RegularFileContent> readRegularFileIfPresent(const QString& path, qint64 maxBytes)
{
    RegularFileContent content;
    const QByteArray name = QFile::encodeName(path);
    const qint64 limit = std::max<qint64>(maxBytes, 0);

    // Looked at before it is opened: opening a device may do something of its own (a tape
    // rewinds when it is closed).
    struct stat before
    {};
    if (::stat(name.constData(), &before) != 0) {
        if (errno == ENOENT) {
            return content;
        }
        return failure("read", path, systemError(errno));
    }
    if (!S_ISREG(before.st_mode)) {
        return failure("read", path, notRegular(before.st_mode));
    }
    // Whatever took the file's place since, the open answers at once: without O_NONBLOCK a FIFO
    // would wait for a writer. It changes nothing for a regular file's reads.
    const FileDescriptor file(openRetrying(name, O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (file.get() < 0) {
        if (errno == ENOENT) {
            return content; // removed since
        }
        return failure("read", path, systemError(errno));
    }
    if (::fstat(file.get(), &content.info) != 0) {
        return failure("read", path, systemError(errno));
    }
    if (!S_ISREG(content.info.st_mode)) {
        return failure("read", path, notRegular(content.info.st_mode));
    }
    if (content.info.st_size > limit) {
        return failure("read", path, tooLarge(content.info.st_size, limit));
    }

    content.exists = true;
    content.bytes.reserve(static_cast<qsizetype>(content.info.st_size));
    for (;;) {
        // One byte past the limit tells a file that grew after fstat() from one that did not.
        const qint64 wanted = std::min(ReadChunk, limit + 1 - content.bytes.size());
        const qsizetype had = content.bytes.size();
        content.bytes.resize(had + static_cast<qsizetype>(wanted));
        const ssize_t got =
            ::read(file.get(), content.bytes.data() + had, static_cast<size_t>(wanted));
        const int error = got < 0 ? errno : 0;
        content.bytes.resize(had + std::max<qsizetype>(got, 0));
        if (error == EINTR) {
            continue;
        }
        if (error != 0) {
            return failure("read", path, systemError(error));
        }
        if (got == 0) {
            break;
        }
        if (content.bytes.size() > limit) {
            return failure("read", path, tooLarge(content.bytes.size(), limit));
        }
    }
    return content;
}

Result<QByteArray> readRegularFile(const QString& path, qint64 maxBytes)
{
    Result<RegularFileContent> content = readRegularFileIfPresent(path, maxBytes);
    if (!content) {
        return fail(content.error());
    }
    if (!content->exists) {
        return failure("read", path, systemError(ENOENT));
    }
    return std::move(content->bytes);
}

Result<VersionedContent> readRegularFileVersion(const QString& path, qint64 maxBytes)
{
    // Taken before the file is looked at: a change after this moment gets a later change time.
    struct timespec readAt
    {};
    ::clock_gettime(CLOCK_REALTIME, &readAt);
    Result<RegularFileContent> content = readRegularFileIfPresent(path, maxBytes);
    if (!content) {
        return fail(content.error());
    }
    if (!content->exists) {
        return failure("read", path, systemError(ENOENT));
    }
    VersionedContent versioned{std::move(content->bytes), VersionOf(content->info)};
    versioned.version.settled =
        versioned.version.changed < Nanoseconds(readAt) - SettlingNanoseconds;
    return versioned;
}

bool isUnchangedSince(const QString& path, const FileVersion& version)
{
    struct stat info
    {};
    return version.settled && ::lstat(QFile::encodeName(path).constData(), &info) == 0 &&
           S_ISREG(info.st_mode) && SameVersion(VersionOf(info), version);
}

Result<> createRegularFile(const QString& path, QByteArrayView bytes, bool durable)
{
    const QByteArray name = QFile::encodeName(path);
    // O_CREAT | O_EXCL fails on anything at the path and never follows a link, a dangling one
    // included, so nothing is created at a link's target.
    FileDescriptor file(
        openRetrying(name, O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_NOCTTY | O_CLOEXEC, 0600));
    if (file.get() < 0) {
        const int error = errno;
        struct stat there
        {};
        if (error == EEXIST && ::lstat(name.constData(), &there) == 0) {
            return failure("create", path,
                           QStringLiteral("%1 is already there").arg(fileKind(there.st_mode)));
        }
        return failure("create", path, systemError(error));
    }
    // The file is ours: a half-written one goes again.
    const auto discard = [&](int error) {
        ::unlink(name.constData());
        return failure("write", path, systemError(error));
    };
    if (const int error = makeFilePrivate(file.get()); error != 0) {
        return discard(error);
    }
    if (const int error = writeAll(file.get(), bytes); error != 0) {
        return discard(error);
    }
    if (durable && ::fsync(file.get()) != 0) {
        return discard(errno);
    }
    if (file.close() != 0) {
        return discard(errno);
    }
    if (durable) {
        return syncFolder(QFileInfo(path).absolutePath());
    }
    return Result<>{};
}

Result<> overwriteRegularFile(const QString& path, QByteArrayView bytes)
{
    const QByteArray name = QFile::encodeName(path);
    struct stat before
    {};
    if (::lstat(name.constData(), &before) != 0) {
        return failure("write", path, systemError(errno));
    }
    if (QString refusal = refusalToWrite(before); !refusal.isEmpty()) {
        return failure("write", path, refusal);
    }
    // O_NOFOLLOW and O_NONBLOCK for whatever took the file's place since the look; no O_TRUNC
    // before fstat() has seen a regular file.
    FileDescriptor file(
        openRetrying(name, O_WRONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (file.get() < 0) {
        return failure("write", path,
                       errno == ELOOP ? QStringLiteral("it is a link, and links are not written "
                                                       "through")
                                      : systemError(errno));
    }
    struct stat info
    {};
    if (::fstat(file.get(), &info) != 0) {
        return failure("write", path, systemError(errno));
    }
    if (QString refusal = refusalToWrite(info); !refusal.isEmpty()) {
        return failure("write", path, refusal);
    }
    // New content first, then the cut: the file is never seen empty on the way.
    if (const int error = writeAll(file.get(), bytes); error != 0) {
        return failure("write", path, systemError(error));
    }
    int cut = 0;
    do {
        cut = ::ftruncate(file.get(), static_cast<off_t>(bytes.size()));
    } while (cut != 0 && errno == EINTR);
    if (cut != 0) {
        return failure("write", path, systemError(errno));
    }
    // The wristband's disk may be pulled out right after.
    if (::fsync(file.get()) != 0 || file.close() != 0) {
        return failure("write", path, systemError(errno));
    }
    return Result<>{};
}

bool isNameTaken(const QString& path)
{
    struct stat info
    {};
    return ::lstat(QFile::encodeName(path).constData(), &info) == 0 || errno != ENOENT;
}

bool isRegularFile(const QString& path)
{
    struct stat info
    {};
    return ::lstat(QFile::encodeName(path).constData(), &info) == 0 && S_ISREG(info.st_mode);
}

QString fileIdentity(const QString& path)
{
    struct stat info
    {};
    if (::stat(QFile::encodeName(path).constData(), &info) != 0) {
        return {};
    }
    return QStringLiteral("%1:%2").arg(static_cast<quint64>(info.st_dev)).arg(info.st_ino);
}

Result<> syncFolder(const QString& folder)
{
    const FileDescriptor dir(
        openRetrying(QFile::encodeName(folder), O_RDONLY | O_DIRECTORY | O_NOCTTY | O_CLOEXEC));
    if (dir.get() < 0) {
        return failure("open the folder", folder, systemError(errno));
    }
    // Some file systems cannot flush a folder and say EINVAL; their entries need no flushing.
    if (::fsync(dir.get()) != 0 && errno != EINVAL) {
        return failure("flush the folder", folder, systemError(errno));
    }
    return Result<>{};
}

int makeFilePrivate(int fd)
{
    // open() takes the umask off the rights it is given, fchmod() does not: the file comes out
    // the same under any umask. Under the usual umasks the rights are right already, and a look
    // costs less than a change, which the file system must journal.
    struct stat info
    {};
    if (::fstat(fd, &info) == 0 && (info.st_mode & 07777) == 0600) {
        return 0;
    }
    return ::fchmod(fd, 0600) == 0 ? 0 : errno;
}

Result<> makePrivateFolders(const QString& path)
{
    const QString folder = QDir::cleanPath(QFileInfo(path).absoluteFilePath());
    QStringList missing;
    for (QString at = folder;; at = QFileInfo(at).path()) {
        struct stat info
        {};
        if (::stat(QFile::encodeName(at).constData(), &info) == 0) {
            if (!S_ISDIR(info.st_mode)) {
                return failure("create the folder", folder,
                               QStringLiteral("%1 is %2").arg(at, fileKind(info.st_mode)));
            }
            break;
        }
        if (const int error = errno; error != ENOENT || at == QDir::rootPath()) {
            return failure("create the folder", folder, systemError(error));
        }
        missing.prepend(at);
    }
    for (const QString& at : missing) {
        const QByteArray name = QFile::encodeName(at);
        if (::mkdir(name.constData(), 0700) != 0) {
            const int error = errno;
            struct stat info
            {};
            // Another program made it meanwhile: its folder, whose rights are not ours to set.
            if (error == EEXIST && ::stat(name.constData(), &info) == 0 && S_ISDIR(info.st_mode)) {
                continue;
            }
            return failure("create the folder", at, systemError(error));
        }
        // The umask may have taken some of the owner's own rights.
        if (::chmod(name.constData(), 0700) != 0) {
            return failure("create the folder", at, systemError(errno));
        }
    }
    return Result<>{};
}

int openRetrying(const QByteArray& path, int flags, mode_t mode)
{
    for (;;) {
        const int fd = ::open(path.constData(), flags, mode);
        if (fd >= 0 || errno != EINTR) {
            return fd;
        }
    }
}

Result<DIR*> openFolderListing(const QString& folder)
{
    const int fd = openRetrying(QFile::encodeName(folder), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    DIR* dir = fd < 0 ? nullptr : ::fdopendir(fd);
    if (dir == nullptr) {
        const int error = errno;
        if (fd >= 0) {
            ::close(fd);
        }
        return fail(QStringLiteral("Cannot list %1: %2").arg(folder, systemError(error)));
    }
    return dir;
}

} // namespace trek::platform
