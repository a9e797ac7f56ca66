#include "platform/atomicfile.h"

#include <QFileInfo>
#include <QRandomGenerator>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace trek::platform {

namespace {

QString systemError(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

Result<> failure(const QString& what, const QString& path, int error)
{
    return fail(QStringLiteral("%1 %2: %3").arg(what, path, systemError(error)));
}

// Closes a descriptor on every path out of a function; EINTR on close is not retried on Linux
// because the descriptor is released either way.
class FileDescriptor final
{
public:
    explicit FileDescriptor(int fd) : m_fd(fd) {}
    ~FileDescriptor()
    {
        if (m_fd >= 0) {
            ::close(m_fd);
        }
    }
    Q_DISABLE_COPY_MOVE(FileDescriptor)

    int get() const { return m_fd; }
    // Closes now so that a failing close (a late write error on some file systems) is seen.
    int close()
    {
        const int result = ::close(m_fd);
        m_fd = -1;
        return result;
    }

private:
    int m_fd;
};

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

// A link is followed so that the file it names is replaced and the link stays a link.
QString resolvedTarget(const QString& path)
{
    const QFileInfo info(path);
    if (info.isSymLink()) {
        QString target = info.canonicalFilePath();
        if (!target.isEmpty()) {
            return target;
        }
    }
    return info.absoluteFilePath();
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

int openTemporary(const QByteArray& folder, const QByteArray& name, QByteArray& tempPath)
{
    for (int attempt = 0; attempt < 16; ++attempt) {
        tempPath = folder + '/' + temporaryName(name);
        // 0666 lets the umask decide, as it would for a file created in place.
        const int fd = ::open(tempPath.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) {
            return fd;
        }
    }
    errno = EEXIST;
    return -1;
}

} // namespace

Result<> writeFileAtomically(const QString& path, QByteArrayView bytes)
{
    const QString target = resolvedTarget(path);
    const QFileInfo targetInfo(target);
    const QByteArray folder = QFile::encodeName(targetInfo.absolutePath());
    const QByteArray targetName = QFile::encodeName(target);

    struct stat existing
    {};
    const bool hadFile = ::stat(targetName.constData(), &existing) == 0;
    if (hadFile && S_ISDIR(existing.st_mode)) {
        return fail(QStringLiteral("%1 is a folder").arg(target));
    }

    QByteArray tempPath;
    FileDescriptor file(openTemporary(folder, QFile::encodeName(targetInfo.fileName()), tempPath));
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
    FileDescriptor dir(::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.get() < 0) {
        return failure(QStringLiteral("Cannot open the folder of"), target, errno);
    }
    if (::fsync(dir.get()) != 0 && errno != EINVAL) {
        return failure(QStringLiteral("Cannot flush the folder of"), target, errno);
    }
    return Result<>{};
}

Result<int> removeLeftoverTemporaryFiles(const QString& folder, std::chrono::seconds minimumAge)
{
    const int fd =
        ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    DIR* dir = fd < 0 ? nullptr : ::fdopendir(fd);
    if (dir == nullptr) {
        const int error = errno;
        if (fd >= 0) {
            ::close(fd);
        }
        return fail(QStringLiteral("Cannot list %1: %2").arg(folder, systemError(error)));
    }
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
