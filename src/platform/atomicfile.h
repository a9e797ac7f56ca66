// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/result.h"

#include <QByteArrayView>
#include <QString>
#include <chrono>
#include <vector>

namespace trek::platform {

// Replaces the file at `path` with `bytes` so that a crash, a full disk or a failed write never
// leaves a torn or empty file: either the old content or the new one is on disk afterwards.
// Only a regular file or nothing may be at `path`: a link (dangling or not), a folder, a FIFO or
// a device is refused with the reason, and neither it nor what a link leads to is touched.
// A replaced file keeps its access rights; a new one is its user's alone (0600) whatever the
// umask, since what the program keeps in its working folder is personal data.
[[nodiscard]] Result<> writeFileAtomically(const QString& path, QByteArrayView bytes);

// A file's name in its folder and its whole new content.
struct FileContent
{
    QString name;
    QByteArrayView bytes;
};

// Replaces the files `files` name in `folder`, each as writeFileAtomically() does, but waits for
// the disk twice for all of them rather than twice for each: every new content reaches the disk
// under a temporary name before the first rename (one sync of the folder's whole file system,
// which also writes whatever else waits to be written there), and the renames are on the disk
// when it answers. A crash at any point leaves each file whole, with its old content or its new
// one. A failure before the renames changes nothing; one during them leaves the files before it
// replaced and the rest as they were.
[[nodiscard]] Result<> replaceFilesAtomically(const QString& folder,
                                              const std::vector<FileContent>& files);

// Removes what writeFileAtomically() leaves in `folder` when the program dies in the middle of a
// write: regular files named the way it names its temporary files, and nothing else; a link is
// never followed. A temporary file younger than `minimumAge` may belong to a write still going on
// in another process and stays. Answers how many files went.
[[nodiscard]] Result<int>
removeLeftoverTemporaryFiles(const QString& folder,
                             std::chrono::seconds minimumAge = std::chrono::minutes(10));

} // namespace trek::platform
