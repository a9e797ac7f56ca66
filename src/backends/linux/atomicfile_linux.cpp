// SPDX-License-Identifier: GPL-3.0-or-later
#include "backends/linux/filedescriptor.h"
#include "backends/linux/regularfileio.h"
#include "platform/atomicfile.h"
#include "platform/regularfile.h"

#include <QFileInfo>
#include <QRandomGenerator>
#include <algorithm>
#include <cerrno>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <memory>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

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

namespace {

// A replacement whose content is in its temporary file, waiting for its rename. The temporary
// file goes again unless it was renamed.
class Replacement final
{
public:
    Replacement() = default;
    ~Replacement()
    {
        if (!m_tempPath.isEmpty() && !m_renamed) {
            ::unlink(m_tempPath.constData());
        }
    }
    Q_DISABLE_COPY_MOVE(Replacement)

    // Writes `bytes` to a new temporary file beside `path`, refusing anything but a regular file
    // or nothing at `path`.
    Result<> stage(const QString& path, QByteArrayView bytes, const TemporaryFileStep& prepare,
                   NewFileMode mode)
    {
        const QFileInfo targetInfo(path);
        m_target = targetInfo.absoluteFilePath();
        m_targetName = QFile::encodeName(m_target);
        m_folder = targetInfo.absolutePath();

        // Only a regular file is replaced. A link stays as it is and so does its target: the
        // rename would put a file in the link's place, and following it could write anywhere.
        struct stat existing
        {};
        const bool hadFile = ::lstat(m_targetName.constData(), &existing) == 0;
        if (!hadFile && errno != ENOENT) {
            return failure(QStringLiteral("Cannot replace"), m_target, errno);
        }
        if (hadFile && !S_ISREG(existing.st_mode)) {
            return fail(QStringLiteral("Cannot replace %1: it is %2, not a regular file; it was "
                                       "left as it is")
                            .arg(m_target, fileKind(existing.st_mode)));
        }
        m_file.emplace(openTemporary(QFile::encodeName(m_folder),
                                     QFile::encodeName(targetInfo.fileName()), m_tempPath, mode));
        if (fd() < 0) {
            m_tempPath.clear();
            return failure(QStringLiteral("Cannot create a temporary file in"), m_folder, errno);
        }
        // The replacement keeps the access rights of the file it replaces.
        if (hadFile && ::fchmod(fd(), existing.st_mode & 07777) != 0) {
            return failure(QStringLiteral("Cannot keep the access rights of"), m_target, errno);
        }
        if (const int error = writeAll(fd(), bytes); error != 0) {
            return failure(QStringLiteral("Cannot write"), m_target, error);
        }
        if (prepare) {
            return prepare(fd());
        }
        return Result<>{};
    }

    // Starts writing the content out without waiting, so that flush() of several replacements in
    // a row waits for the disk about once.
    // The content and the temporary file's own entry on the disk.
    Result<> flush()
    {
        if (::fsync(fd()) != 0) {
            return failure(QStringLiteral("Cannot flush"), m_target, errno);
        }
        return close();
    }

    Result<> close()
    {
        if (m_file->close() != 0) {
            return failure(QStringLiteral("Cannot close"), m_target, errno);
        }
        return Result<>{};
    }

    // The new content takes the target's name; durable once the folder is synced.
    Result<> rename()
    {
        if (::rename(m_tempPath.constData(), m_targetName.constData()) != 0) {
            return failure(QStringLiteral("Cannot replace"), m_target, errno);
        }
        m_renamed = true;
        return Result<>{};
    }

    const QString& folder() const { return m_folder; }

private:
    int fd() const { return m_file->get(); }

    QString m_target;
    QByteArray m_targetName;
    QString m_folder;
    QByteArray m_tempPath;
    std::optional<FileDescriptor> m_file;
    bool m_renamed = false;
};

} // namespace

Result<> replaceFileAtomically(const QString& path, QByteArrayView bytes,
                               const TemporaryFileStep& prepare, NewFileMode mode)
{
    Replacement replacement;
    if (Result<> staged = replacement.stage(path, bytes, prepare, mode); !staged) {
        return staged;
    }
    if (Result<> flushed = replacement.flush(); !flushed) {
        return flushed;
    }
    if (Result<> renamed = replacement.rename(); !renamed) {
        return renamed;
    }
    // The rename itself reaches the disk only with the folder's entry.
    return syncFolder(replacement.folder());
}

Result<> replaceFilesAtomically(const QString& folder, const std::vector<FileContent>& files)
{
    if (files.empty()) {
        return Result<>{};
    }
    // Opened before anything is written: syncfs() reports the write-back errors that came after
    // the descriptor it is given was opened.
    const FileDescriptor dir(
        openRetrying(QFile::encodeName(folder), O_RDONLY | O_DIRECTORY | O_NOCTTY | O_CLOEXEC));
    if (dir.get() < 0) {
        return failure(QStringLiteral("Cannot open the folder"), folder, errno);
    }
    std::vector<std::unique_ptr<Replacement>> replacements;
    for (const FileContent& file : files) {
        replacements.push_back(std::make_unique<Replacement>());
        Replacement& replacement = *replacements.back();
        if (Result<> staged =
                replacement.stage(folder + u'/' + file.name, file.bytes, {}, NewFileMode::Private);
            !staged) {
            return staged;
        }
        if (Result<> closed = replacement.close(); !closed) {
            return closed;
        }
    }
    // Every new content is on the disk before the first rename, so a crash at any point leaves
    // each file whole, old or new. One fsync() a file would wait for the disk's cache to be
    // flushed once a file; syncfs() writes them all and flushes once.
    if (::syncfs(dir.get()) != 0) {
        return failure(QStringLiteral("Cannot flush the disk of"), folder, errno);
    }
    for (const std::unique_ptr<Replacement>& replacement : replacements) {
        if (Result<> renamed = replacement->rename(); !renamed) {
            return renamed;
        }
    }
    // Some file systems cannot flush a folder and say EINVAL; their entries need no flushing.
    if (::fsync(dir.get()) != 0 && errno != EINVAL) {
        return failure(QStringLiteral("Cannot flush the folder"), folder, errno);
    }
    return Result<>{};
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
