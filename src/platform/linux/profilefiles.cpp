#include "platform/linux/profilefiles.h"

#include <QFile>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

namespace trek::platform {

namespace {

// The program reads one settings file; a few more are kept for tests and tools.
constexpr qsizetype cachedFiles = 4;

FileStamp stampOf(const struct stat& info)
{
    FileStamp stamp;
    stamp.device = info.st_dev;
    stamp.inode = info.st_ino;
    stamp.size = info.st_size;
    stamp.modifiedSeconds = info.st_mtim.tv_sec;
    stamp.modifiedNanoseconds = info.st_mtim.tv_nsec;
    return stamp;
}

std::optional<FileStamp> stampOfPath(const QString& path)
{
    struct stat info
    {};
    if (::stat(QFile::encodeName(path).constData(), &info) != 0) {
        return std::nullopt;
    }
    return stampOf(info);
}

Result<StampedFile> failure(const QString& path, int error)
{
    return fail(QStringLiteral("Cannot read %1: %2")
                    .arg(path, QString::fromLocal8Bit(std::strerror(error))));
}

} // namespace

Result<StampedFile> readStampedFile(const QString& path)
{
    StampedFile file;
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        if (errno == ENOENT) {
            return file;
        }
        return failure(path, errno);
    }
    struct stat info
    {};
    int error = ::fstat(fd, &info) == 0 ? 0 : errno;
    if (error == 0) {
        file.exists = true;
        file.stamp = stampOf(info);
        file.bytes.reserve(info.st_size);
        char buffer[65536];
        for (;;) {
            const ssize_t got = ::read(fd, buffer, sizeof buffer);
            if (got > 0) {
                file.bytes.append(buffer, got);
            } else if (got == 0) {
                break;
            } else if (errno != EINTR) {
                error = errno; // EISDIR for a folder in the file's place
                break;
            }
        }
    }
    ::close(fd);
    if (error != 0) {
        return failure(path, error);
    }
    return file;
}

std::shared_ptr<const IniDocument> ProfileFileCache::current(const QString& path)
{
    const std::optional<FileStamp> stamp = stampOfPath(path);
    if (!stamp) {
        return nullptr;
    }
    {
        const std::lock_guard guard(m_mutex);
        const auto found = m_entries.constFind(path);
        if (found != m_entries.constEnd() && found->stamp == *stamp) {
            return found->document;
        }
    }
    // Read and parse outside the lock: a big file must not stall the other thread's reads of
    // files it has already parsed.
    Result<StampedFile> file = readStampedFile(path);
    if (!file || !file->exists) {
        return nullptr;
    }
    auto document = std::make_shared<const IniDocument>(IniDocument::parse(file->bytes));
    store(path, file->stamp, document);
    return document;
}

void ProfileFileCache::remember(const QString& path, const IniDocument& document)
{
    if (const std::optional<FileStamp> stamp = stampOfPath(path)) {
        store(path, *stamp, std::make_shared<const IniDocument>(document));
    } else {
        const std::lock_guard guard(m_mutex);
        m_entries.remove(path);
    }
}

void ProfileFileCache::store(const QString& path, const FileStamp& stamp,
                             std::shared_ptr<const IniDocument> document)
{
    const std::lock_guard guard(m_mutex);
    if (m_entries.size() >= cachedFiles && !m_entries.contains(path)) {
        m_entries.clear();
    }
    m_entries.insert(path, Entry{stamp, std::move(document)});
}

} // namespace trek::platform
