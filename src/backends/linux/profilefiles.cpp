// SPDX-License-Identifier: GPL-3.0-or-later
#include "backends/linux/profilefiles.h"

#include "backends/linux/regularfileio.h"

#include <QFile>
#include <optional>
#include <sys/stat.h>

namespace trek::platform {

namespace {

// The program reads one settings file; a few more are kept for tests and tools.
constexpr qsizetype cachedFiles = 4;

// Far beyond any settings file the program writes; a larger file is refused before it is read.
constexpr qint64 maxSettingsFileSize = qint64{64} << 20;

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

} // namespace

Result<StampedFile> readStampedFile(const QString& path)
{
    Result<RegularFileContent> content = readRegularFileIfPresent(path, maxSettingsFileSize);
    if (!content) {
        return fail(content.error());
    }
    StampedFile file;
    file.exists = content->exists;
    if (file.exists) {
        file.bytes = std::move(content->bytes);
        file.stamp = stampOf(content->info);
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
