// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/inidocument.h"
#include "platform/result.h"

#include <QByteArray>
#include <QHash>
#include <QString>
#include <cstdint>
#include <memory>
#include <mutex>

namespace trek::platform {

// What tells one version of a file from the next: a replacement gets a new inode, an edit in
// place a new size or modification time.
struct FileStamp
{
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    std::int64_t size = 0;
    std::int64_t modifiedSeconds = 0;
    std::int64_t modifiedNanoseconds = 0;

    bool operator==(const FileStamp&) const = default;
};

struct StampedFile
{
    bool exists = false; // a missing file reads as empty
    QByteArray bytes;
    FileStamp stamp;
};

// The file's bytes with the stamp it had when it was opened, so that a change made while it is
// read shows as a changed stamp later. Only a regular file is read, through a link or not, and
// only up to a size far beyond any settings file; a FIFO, a device or a larger file fails at once.
Result<StampedFile> readStampedFile(const QString& path);

// Parsed settings files, each kept while its stamp on disk stays the same, so that a run of
// reads parses the file once instead of once per key. Safe to use from several threads.
class ProfileFileCache final
{
public:
    ProfileFileCache() = default;
    Q_DISABLE_COPY_MOVE(ProfileFileCache)

    // The file as it is now; null when it is missing or cannot be read.
    std::shared_ptr<const IniDocument> current(const QString& path);
    // `document` is what `path` holds now, having been written by this process.
    void remember(const QString& path, const IniDocument& document);

private:
    struct Entry
    {
        FileStamp stamp;
        std::shared_ptr<const IniDocument> document;
    };

    void store(const QString& path, const FileStamp& stamp,
               std::shared_ptr<const IniDocument> document);

    std::mutex m_mutex;
    QHash<QString, Entry> m_entries;
};

} // namespace trek::platform
