// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/result.h"

#include <QList>
#include <QString>

namespace trek::platform {

// Folder walking and file copying for the pre-copy of the factory set-up. A walk must end and
// never wait: links to folders are reported, not entered, and special files are told apart
// before anything opens them.

enum class EntryKind {
    File,         // a regular file, or a link to one
    Folder,       // a real folder
    LinkedFolder, // a link to a folder: walking into it could loop
    Other,        // a FIFO, device, socket, dangling link: nothing to copy
};

struct FolderEntry
{
    QString name;
    EntryKind kind = EntryKind::Other;
};

// Every entry of `folder` but "." and "..", hidden ones included, in the file system's order.
[[nodiscard]] Result<QList<FolderEntry>> listFolderEntries(const QString& folder);

// Creates the folder `path` whose parent exists; a folder already there is no failure.
[[nodiscard]] Result<> makeFolder(const QString& path);

// Copies the regular file `source` to `target` so that the name `target` holds its old content
// or the whole new one, never a part: the copy goes to a temporary name beside it, reaches the
// disk, and is renamed. Only a regular file or nothing may be at `target`. The rename itself is
// durable once syncFolder() has flushed the target's folder.
[[nodiscard]] Result<> copyFileAtomically(const QString& source, const QString& target);

} // namespace trek::platform
